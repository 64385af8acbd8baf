#include "visualstyles/VsStoredForm.h"

#include "theme/SkBitmapStream.h"

#include <algorithm>
#include <cstring>
#include <memory>

bool VsIsStoredForm(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= sizeof(kVsMagic) && std::memcmp(bytes.data(), kVsMagic, sizeof(kVsMagic)) == 0;
}

namespace {

bool ReadImage(TSfReader& in, TvsImage& image) {
  std::int32_t w = 0, h = 0;
  if (!in.String(image.Name, "image name") || !in.I32(w) || !in.I32(h)) {
    return false;
  }
  if (w != 0 && h != 0) {
    const std::int64_t absW = w < 0 ? -std::int64_t(w) : w, absH = h < 0 ? -std::int64_t(h) : h;
    if (!in.CheckBitmapSize(absW, absH, "image")) {
      return false;
    }
    std::span<const std::uint8_t> px;
    if (!in.Bytes(std::size_t(absW * absH * 4), px, "image pixels")) {
      return false;
    }
    if (!image.Pixels.SetSize(std::int32_t(absW), std::int32_t(absH))) {
      return in.Fail("image: bad size");
    }
    for (std::int32_t y = 0; y < absH; ++y) {
      std::memcpy(image.Pixels.ScanLine(y), px.data() + std::size_t(y) * std::size_t(absW) * 4,
                  std::size_t(absW) * 4);
    }
    if (h < 0) {
      image.Pixels.FlipVertical();
    }
  }
  std::string again;
  std::uint8_t transparent = 0, alpha = 0;
  if (!in.String(again, "image name") || !in.U8(transparent) || !in.U8(alpha)) {
    return false;
  }
  image.Name = std::move(again);
  image.Transparent = transparent != 0;
  image.AlphaBlend = alpha != 0;
  return true;
}

} // namespace

bool VsReadStoredForm(std::span<const std::uint8_t> bytes, TvsStoredTheme& out, std::string& error,
                      const TSfLimits& limits, std::size_t* used) {
  TSfReader in(bytes, limits);
  auto failed = [&] {
    error = in.Error().empty() ? "malformed stored theme" : in.Error();
    return false;
  };
  if (!VsIsStoredForm(bytes)) {
    in.Fail("not a stored visual-style theme (no QVMSSTL magic)");
    return failed();
  }
  if (!in.Skip(sizeof(kVsMagic), "magic")) {
    return failed();
  }
  std::vector<std::uint8_t> content;
  if (!SfInflateStream(in, content)) {
    return failed();
  }
  TSfReader body = in.Derived(content);
  TvsStoredTheme result;
  std::uint32_t count = 0;
  if (!body.String(result.Name, "theme name") || !body.String(result.Description, "description") ||
      !body.U32(count)) {
    return failed();
  }
  if (count > body.Limits().MaxBitmaps) {
    body.Fail("too many images");
    return failed();
  }
  // Counted as read, never reserved by the declared count.
  for (std::uint32_t i = 0; i < count; ++i) {
    auto image = std::make_unique<TvsImage>();
    if (!ReadImage(body, *image)) {
      return failed();
    }
    result.Images.Add(std::move(image));
  }
  if (!body.AtEnd()) {
    body.Fail("data after the last image");
    return failed();
  }
  if (used) {
    *used = in.Position();
  }
  out = std::move(result);
  return true;
}

std::vector<std::uint8_t> VsWriteStoredForm(const std::string& name, const std::string& description,
                                            const TvsImageList& images) {
  TskByteWriter content;
  WriteStreamString(content, name);
  WriteStreamString(content, description);
  content.WriteUInt32(std::uint32_t(images.Count()));
  for (std::size_t i = 0; i < images.Count(); ++i) {
    const TvsImage& image = images[i];
    WriteStoredBitmap(content, image.Name, image.Pixels);
    WriteStreamString(content, image.Name);
    const std::uint8_t flags[2] = {std::uint8_t(image.Transparent), std::uint8_t(image.AlphaBlend)};
    content.WriteBytes(flags, 2);
  }
  std::vector<std::uint8_t> out(std::begin(kVsMagic), std::end(kVsMagic));
  const std::vector<std::uint8_t> packed = SfDeflate(content.Bytes(), 1);
  out.insert(out.end(), packed.begin(), packed.end());
  return out;
}
