// Fuzzes one skin filter's reader (chosen at build time by TABIRA_FUZZ_FILTER) and, for
// skins that load, the layout, drawing, regions and writing of what was read. The first
// input byte picks how the rest is used:
//   0  the bytes after the filter's signature (compressed kinds: marker and zlib stream)
//   1  the contents, compressed as the filter does
//   2  a valid generated skin's contents with the input written over them at an offset
#include "skins/SfSkinSource.h"
#include "skins/tests/SfTestSkins.h"

#include <cstring>

namespace {

// Trees larger than this are read, drawn and regioned but not written again.
constexpr std::size_t kMaxWrittenNodes = 256;

const TSfSkinFilter& Filter() { return SfSkinFilter(TSfFilterKind(TABIRA_FUZZ_FILTER)); }

std::vector<std::uint8_t> Wrap(std::span<const std::uint8_t> contents) {
  std::vector<std::uint8_t> file(Filter().Signature(), Filter().Signature() + 4);
  file.push_back(0);
  if (Filter().Level() == 0) {
    file.insert(file.end(), contents.begin(), contents.end());
    return file;
  }
  file.insert(file.end(), {'Q', 'V', 'L', 'Z'});
  const std::vector<std::uint8_t> z = SfDeflate(contents, 1);
  file.insert(file.end(), z.begin(), z.end());
  return file;
}

const std::vector<std::uint8_t>& TemplateContents() {
  static const std::vector<std::uint8_t> contents = [] {
    std::vector<std::uint8_t> file;
    if (!MakeTestSkin().SaveToStream(file, Filter().Kind())) {
      __builtin_trap();
    }
    if (Filter().Level() == 0) {
      return std::vector<std::uint8_t>(file.begin() + 5, file.end());
    }
    TSfReader in{std::span<const std::uint8_t>(file).subspan(9)};
    std::vector<std::uint8_t> out;
    if (!SfInflate(in, out, false)) {
      __builtin_trap();
    }
    return out;
  }();
  return contents;
}

void Exercise(TSfSkinSource& s) {
  TskPixels pixels;
  pixels.SetSize(48, 32);
  TSfPixelTextEngine text;
  TSfCanvas canvas{pixels, text};
  for (std::size_t i = 0; i < s.ObjectCount() && i < 8; ++i) {
    TSfSkinObject& o = *s.Object(i);
    o.FNodeText = L"Fuzz";
    o.SetNodeState(std::uint8_t(i * 3));
    o.SetNodeActive(i % 2 == 0);
    o.SetNodeButtons(0x3FF);
    o.SetNodeBounds({1, 2, 47, 31}, &text);
    o.DrawNode(canvas, {});
    o.DrawNode(canvas, {0, 0, 20, 20});
    // Regions are bounded by their limit and leave the tree where it was.
    const TskRect before = o.Bounds();
    for (const TskRect limit : {o.Bounds(), TskRect{0, 0, 24, 16}}) {
      for (const TskRect& r : o.TreeRegion(text, limit)) {
        if (IsRectEmpty(r) || !RectContains(r, limit)) {
          __builtin_trap();
        }
      }
    }
    if (o.Bounds() != before) {
      __builtin_trap();
    }
    (void)o.NodeHitTest({10, 10});
  }
  // Writing what was read; big trees are written by the round trips of the tests, and each
  // costs the fuzzer most of its time while reaching no new writer code.
  std::size_t nodes = 0;
  for (std::size_t i = 0; i < s.ObjectCount(); ++i) {
    nodes += s.Object(i)->NodeCount();
  }
  if (nodes <= kMaxWrittenNodes) {
    // A skin that loads (within counts the format can hold) saves, and reads back.
    std::vector<std::uint8_t> out;
    TSfSkinSource back;
    if (!s.SaveToStream(out, Filter().Kind()) || !back.LoadFromStream(out) ||
        back.ObjectCount() != s.ObjectCount()) {
      __builtin_trap();
    }
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) {
    return 0;
  }
  const std::span<const std::uint8_t> rest(data + 1, size - 1);
  std::vector<std::uint8_t> file;
  switch (data[0] % 3) {
  case 0:
    file.assign(Filter().Signature(), Filter().Signature() + 4);
    file.push_back(0);
    file.insert(file.end(), rest.begin(), rest.end());
    break;
  case 1: file = Wrap(rest); break;
  default: {
    std::vector<std::uint8_t> contents = TemplateContents();
    if (rest.size() < 2) {
      return 0;
    }
    const std::size_t at = (std::size_t(rest[0]) << 8 | rest[1]) % contents.size();
    const std::size_t n = std::min(rest.size() - 2, contents.size() - at);
    std::memcpy(contents.data() + at, rest.data() + 2, n);
    if (rest.size() % 7 == 0) {
      contents.resize(at); // truncated there
    }
    file = Wrap(contents);
  }
  }
  TSfLimits limits;
  limits.MaxInflatedBytes = 16 << 20;
  limits.MaxBitmapPixels = 1 << 20;
  limits.MaxBitmaps = kSfMaxBitmapCount;
  TSfSkinSource s;
  if (s.LoadFromStream(file, limits)) {
    Exercise(s);
  } else if (s.LastError().empty()) {
    __builtin_trap(); // a failure always says why
  }
  return 0;
}
