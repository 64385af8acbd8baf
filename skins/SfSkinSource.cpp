// Skin sources and the skin filters. Sections: table names and texts; stored bitmaps;
// filters and registry; reading and writing the contents; the source's operations. The theme
// tables a source derives from its objects are in SfSkinThemeTables.cpp.
#include "skins/SfSkinSource.h"

#include "skins/SfSkinObjectRecords.h"

#include "fileread/SfDib.h"

#include "theme/SkFilePath.h"
#include "theme/SkText.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

// ---- tables ----

const int kSfSysColorIndex[26] = {10, 2,  12, 1,  15, 20, 16, 18, 9, -1, 2,  17, 13,
                                  14, 11, 3,  19, 24, 23, 4,  7,  0, 21, 22, 5,  6};
std::string SfFontToText(const TSfFont& f, TskSysColorFunc sys) {
  const TColor c = ResolveColor(f.Color, sys);
  std::string s = f.Name + "," + std::to_string(f.Size()) + "," + std::to_string(f.Charset) + "," +
                  std::to_string(c & 0xFF) + "," + std::to_string((c >> 8) & 0xFF) + "," +
                  std::to_string((c >> 16) & 0xFF);
  static const char* const styles[] = {"bold", "italic", "underline", "strikeout"};
  for (int i = 0; i < 4; ++i) {
    if (f.Style & (1 << i)) {
      s += std::string(",") + styles[i];
    }
  }
  return s;
}

namespace {
std::int32_t ToInt(const std::string& s) {
  std::int64_t v = 0;
  bool neg = false;
  std::size_t i = 0;
  if (!s.empty() && s[0] == '-') {
    neg = true;
    i = 1;
  }
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    v = std::min<std::int64_t>(v * 10 + (s[i] - '0'), 1000000);
  }
  return std::int32_t(neg ? -v : v);
}
} // namespace

TSfFont SfFontFromText(std::string text) {
  TSfFont f;
  f.Name = NextField(text, ",;");
  f.SetSize(ToInt(NextField(text, ",;")));
  NextField(text, ",;");
  const TColor r = TColor(std::clamp(ToInt(NextField(text, " (),:;=")), 0, 255));
  const TColor g = TColor(std::clamp(ToInt(NextField(text, " (),:;=")), 0, 255));
  const TColor b = TColor(std::clamp(ToInt(NextField(text, " (),:;=")), 0, 255));
  f.Color = r | (g << 8) | (b << 16);
  while (!text.empty()) {
    const std::string s = NextField(text, ",;");
    if (SfSameText(s, "bold")) {
      f.Style |= fsBold;
    } else if (SfSameText(s, "italic")) {
      f.Style |= fsItalic;
    } else if (SfSameText(s, "underline")) {
      f.Style |= fsUnderline;
    } else if (SfSameText(s, "strikeout")) {
      f.Style |= fsStrikeOut;
    }
  }
  return f;
}

namespace {

bool ReadTableEntry(TSfReader& in, std::string& value) {
  std::string name, colon;
  return in.String(name, "table entry name") && in.String(colon, "table entry") &&
         in.String(value, "table entry value");
}

void WriteTableEntry(TSfWriter& out, std::string_view name, const std::string& value) {
  out.String(std::string(name));
  out.String(":");
  out.String(value);
}

// Every stored entry is read (to keep the position); only as many as the table holds are kept.
bool ReadColors(TSfReader& in, TSfThemeTables& t) {
  std::uint8_t n;
  if (!in.U8(n)) {
    return false;
  }
  for (int i = 0; i <= n; ++i) {
    std::string v;
    if (!ReadTableEntry(in, v)) {
      return false;
    }
    TColor c;
    if (i < 22 && SfColorFromText(v, c)) {
      t.Colors[std::size_t(i)] = c;
    }
  }
  return true;
}

bool ReadSysColors(TSfReader& in, TSfThemeTables& t) {
  std::uint32_t n;
  if (!in.U32(n)) {
    return false;
  }
  for (std::uint32_t i = 0; i < n; ++i) {
    std::string v;
    if (!ReadTableEntry(in, v)) {
      return false;
    }
    TColor c;
    if (i < 26 && SfColorFromText(v, c)) {
      t.SysColors[i] = c;
    }
  }
  return true;
}

bool ReadFonts(TSfReader& in, TSfThemeTables& t) {
  std::uint8_t n;
  if (!in.U8(n)) {
    return false;
  }
  for (int i = 0; i <= n; ++i) {
    std::string v;
    if (!ReadTableEntry(in, v)) {
      return false;
    }
    if (i < 66) {
      t.Fonts[std::size_t(i)] = SfFontFromText(v);
    }
  }
  return true;
}

void WriteTables(TSfWriter& out, const TSfThemeTables& t, TskSysColorFunc sys) {
  out.U8(21);
  for (int i = 0; i < 22; ++i) {
    WriteTableEntry(out, kSfColorNames[i], SfColorToText(t.Colors[std::size_t(i)]));
  }
  out.U32(26);
  for (int i = 0; i < 26; ++i) {
    WriteTableEntry(out, SfSysColorName(std::size_t(i)), SfColorToText(t.SysColors[std::size_t(i)]));
  }
  out.U8(65);
  for (int i = 0; i < 66; ++i) {
    WriteTableEntry(out, kSfFontNames[i], SfFontToText(t.Fonts[std::size_t(i)], sys));
  }
}

// ---- stored bitmaps ----

bool ReadStoredPixels(TSfReader& in, std::string& name, TskPixels& pixels) {
  std::int32_t w, h;
  if (!in.String(name, "bitmap name") || !in.I32(w) || !in.I32(h)) {
    return false;
  }
  if (w < 0 || h == INT32_MIN) {
    return in.Fail("bitmap '" + name + "' has the size " + std::to_string(w) + " x " + std::to_string(h));
  }
  const bool bottomUp = h < 0;
  const std::int64_t ah = bottomUp ? -std::int64_t(h) : h;
  if (!in.CheckBitmapSize(w, ah, ("bitmap '" + name + "'").c_str())) {
    return false;
  }
  pixels = TskPixels();
  if (w == 0 || ah == 0) {
    return true;
  }
  std::span<const std::uint8_t> data;
  if (!in.Bytes(std::size_t(w) * std::size_t(ah) * 4, data, "bitmap pixels")) {
    return false;
  }
  if (!pixels.SetSize(w, std::int32_t(ah))) {
    return in.Fail("bitmap '" + name + "' could not be allocated");
  }
  for (std::int32_t y = 0; y < ah; ++y) {
    std::memcpy(pixels.ScanLine(y), data.data() + std::size_t(y) * std::size_t(w) * 4, std::size_t(w) * 4);
  }
  if (bottomUp) {
    pixels.FlipVertical();
  }
  return true;
}

void WriteStoredPixels(TSfWriter& out, const std::string& name, const TskPixels& p) {
  out.String(name);
  out.I32(p.Width());
  out.I32(p.Height());
  for (std::int32_t y = 0; y < p.Height(); ++y) {
    out.Bytes(p.ScanLine(y), std::size_t(p.Width()) * 4);
  }
}

// Recolouring of bitmaps read from the text form: magenta and the key colour become the key
// colour with alpha 0; the flags follow the pixels.
void Recolour(TSfBitmap& b) {
  const bool magenta = b.Pixels.SetTransparentColor(0xFFFF00FF);
  const bool key = b.Pixels.SetTransparentColor(skKeyColor);
  b.Transparent = magenta || key;
  b.AlphaBlend = b.Pixels.CheckAlpha();
}

} // namespace

// ---- filters and registry ----

namespace {

const TSfSkinFilterUncompressed kUncompressed;
const TSfSkinFilterCompressed kCompressed;
const TSfSkinFilterUltraCompressed kUltraCompressed;
const TSfSkinFilterMaxCompression kMaxCompression;
TSfFilterKind gDefaultFilter = fkCompressed;
constexpr char kZlibMagic[4] = {'Q', 'V', 'L', 'Z'};

std::string LowerAscii(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') {
      c = char(c - 'A' + 'a');
    }
  }
  return s;
}

bool SignatureEquals(std::span<const std::uint8_t> bytes, const char* sig) {
  return bytes.size() >= 5 && std::memcmp(bytes.data(), sig, 4) == 0 && bytes[4] == 0;
}

} // namespace

namespace {
std::vector<const TSfSkinFilter*>& Registry() {
  static std::vector<const TSfSkinFilter*> filters{&kUncompressed, &kCompressed, &kUltraCompressed,
                                                   &kMaxCompression};
  return filters;
}
} // namespace

const std::vector<const TSfSkinFilter*>& SfSkinFilters() { return Registry(); }

void RegisterSkinFilter(const TSfSkinFilter* filter) {
  auto& r = Registry();
  if (filter && std::find(r.begin(), r.end(), filter) == r.end()) {
    r.push_back(filter);
  }
}

void UnregisterSkinFilter(const TSfSkinFilter* filter) {
  auto& r = Registry();
  r.erase(std::remove(r.begin(), r.end(), filter), r.end());
}

const TSfSkinFilter& SfSkinFilter(TSfFilterKind kind) {
  switch (kind) {
  case fkUncompressed: return kUncompressed;
  case fkUltraCompressed: return kUltraCompressed;
  case fkMaxCompression: return kMaxCompression;
  default: return kCompressed;
  }
}

const TSfSkinFilter* FilterBySignature(std::span<const std::uint8_t> bytes) {
  for (const TSfSkinFilter* f : SfSkinFilters()) {
    if (SignatureEquals(bytes, f->Signature())) {
      return f;
    }
  }
  return nullptr;
}

const TSfSkinFilter* FilterByExtension(const std::string& fileName) {
  const std::size_t dot = fileName.find_last_of('.');
  const std::size_t slash = fileName.find_last_of("/\\");
  const std::string ext = dot == std::string::npos || (slash != std::string::npos && slash > dot)
                              ? ""
                              : LowerAscii(fileName.substr(dot));
  for (const TSfSkinFilter* f : SfSkinFilters()) {
    if (ext == std::string(".") + f->Extension()) {
      return f;
    }
  }
  return nullptr;
}

std::string SkinFileFilter() {
  std::string s;
  for (const TSfSkinFilter* f : SfSkinFilters()) {
    if (!s.empty()) {
      s += "|";
    }
    s += std::string(f->Description()) + " (*." + f->Extension() + ")|*." + f->Extension();
  }
  return s;
}

TSfFilterKind DefaultSkinFilter() { return gDefaultFilter; }
void SetDefaultSkinFilter(TSfFilterKind kind) { gDefaultFilter = kind; }

bool TSfSkinFilter::ReadSkin(TSfReader& in, TSfSkinSource& source) const {
  std::span<const std::uint8_t> sig;
  if (in.Remaining() >= 5) {
    if (!in.Bytes(5, sig, "signature")) {
      return false;
    }
    if (!SignatureEquals(sig, Signature())) {
      // Files without a signature are read from their first byte.
      in =
          TSfReader(std::span<const std::uint8_t>(sig.data(), sig.size() + in.Remaining()), in.SharedState());
    }
  }
  if (Level() == 0) {
    return ReadContents(in, source);
  }
  if (!in.Skip(4, "compression marker")) {
    return false;
  }
  std::vector<std::uint8_t> contents;
  if (!SfInflate(in, contents, false)) {
    return false;
  }
  TSfReader inner = in.Derived(contents);
  return ReadContents(inner, source);
}

bool TSfSkinFilter::WriteSkin(TSfWriter& out, const TSfSkinSource& source, std::string& why) const {
  out.Bytes(Signature(), 4);
  out.U8(0);
  if (Level() == 0) {
    return WriteContents(out, source, why);
  }
  TSfWriter contents;
  if (!WriteContents(contents, source, why)) {
    return false;
  }
  out.Bytes(kZlibMagic, 4);
  const std::vector<std::uint8_t> packed = SfDeflate(contents.Data(), Level());
  if (packed.empty()) {
    why = "the skin could not be compressed";
    return false;
  }
  out.Bytes(packed);
  return true;
}

// ---- contents ----

namespace {

bool ReadHeader(TSfReader& in, TSfSkinSource& s) {
  return in.String(s.FSkinName, "skin name") && in.String(s.FSkinVersion, "skin version") &&
         in.String(s.FAuthor, "author") && in.String(s.FAuthorEMail, "author e-mail") &&
         in.String(s.FAuthorURL, "author address");
}

bool CheckHeader(const TSfSkinSource& s, std::string& why) {
  for (const std::string* t : {&s.FSkinName, &s.FSkinVersion, &s.FAuthor, &s.FAuthorEMail, &s.FAuthorURL}) {
    if (t->size() > TSfLimits{}.MaxRecordBytes) {
      why = "a header text is over the size limit";
      return false;
    }
  }
  if (s.FBitmaps.size() > kSfMaxBitmapCount) {
    why = "the skin has " + std::to_string(s.FBitmaps.size()) + " bitmaps; the format holds at most " +
          std::to_string(kSfMaxBitmapCount);
    return false;
  }
  if (s.ObjectCount() > kSfMaxObjectCount) {
    why = "the skin has more than " + std::to_string(kSfMaxObjectCount) + " objects";
    return false;
  }
  std::size_t nodes = 0;
  for (std::size_t i = 0; i < s.ObjectCount(); ++i) {
    nodes += s.Object(i)->NodeCount();
  }
  if (nodes > TSfLimits{}.MaxTreeNodes) {
    why = "the skin has more than " + std::to_string(TSfLimits{}.MaxTreeNodes) + " objects in all";
    return false;
  }
  for (const auto& b : s.FBitmaps) {
    if (b->Name.size() > TSfLimits{}.MaxRecordBytes) {
      why = "a bitmap name is over the size limit";
      return false;
    }
  }
  return true;
}

void WriteHeader(TSfWriter& out, const TSfSkinSource& s) {
  out.String(s.FSkinName);
  out.String(s.FSkinVersion);
  out.String(s.FAuthor);
  out.String(s.FAuthorEMail);
  out.String(s.FAuthorURL);
}

// The object word, the objects and the tables it announces.
bool ReadObjectsAndTables(TSfReader& in, TSfSkinSource& s, bool binary,
                          const std::function<void(std::unique_ptr<TSfSkinObject>)>& adopt) {
  std::uint32_t w;
  if (!in.U32(w)) {
    return false;
  }
  const bool three = (w & 0x00FF0000u) == 0x00FF0000u;
  const bool two = !three && (w & 0x000F0000u) == 0x000F0000u;
  const std::uint32_t count = three ? (w & 0xFF00FFFFu) : two ? (w & 0xFFF0FFFFu) : w;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (in.AtEnd()) {
      return in.Fail("the skin holds fewer objects than its count (" + std::to_string(i) + " of " +
                     std::to_string(count) + ")");
    }
    std::unique_ptr<TSfSkinObject> obj;
    if (!SfReadObjectRecord(in, binary, obj)) {
      return false;
    }
    if (obj) {
      adopt(std::move(obj));
    }
  }
  if (three) {
    return ReadColors(in, s.FTables) && ReadSysColors(in, s.FTables) && ReadFonts(in, s.FTables);
  }
  if (two) {
    return ReadColors(in, s.FTables) && ReadFonts(in, s.FTables);
  }
  s.DeriveThemeTables();
  return true;
}

bool WriteObjectsAndTables(TSfWriter& out, const TSfSkinSource& s, bool binary, std::string& why) {
  out.U32(std::uint32_t(s.ObjectCount()) | 0x00FF0000u);
  for (std::size_t i = 0; i < s.ObjectCount(); ++i) {
    if (!SfWriteObjectRecord(out, *s.Object(i), binary, why)) {
      return false;
    }
  }
  WriteTables(out, s.FTables, s.SysColors());
  return true;
}

} // namespace

bool TSfSkinFilter::ReadContents(TSfReader& in, TSfSkinSource& s) const {
  if (!ReadHeader(in, s)) {
    return false;
  }
  std::uint32_t n;
  if (!in.U32(n)) {
    return false;
  }
  if (n > in.Limits().MaxBitmaps) {
    return in.Fail("the skin claims " + std::to_string(n) + " bitmaps; at most " +
                   std::to_string(in.Limits().MaxBitmaps) + " are read");
  }
  for (std::uint32_t i = 0; i < n; ++i) {
    auto b = std::make_unique<TSfBitmap>();
    if (!ReadStoredPixels(in, b->Name, b->Pixels)) {
      return false;
    }
    Recolour(*b);
    s.FBitmaps.push_back(std::move(b));
  }
  return ReadObjectsAndTables(in, s, false,
                              [&](std::unique_ptr<TSfSkinObject> o) { s.AdoptObject(std::move(o)); });
}

bool TSfSkinFilter::WriteContents(TSfWriter& out, const TSfSkinSource& s, std::string& why) const {
  if (!CheckHeader(s, why)) {
    return false;
  }
  WriteHeader(out, s);
  out.U32(std::uint32_t(s.FBitmaps.size()));
  for (const auto& b : s.FBitmaps) {
    WriteStoredPixels(out, b->Name, b->Pixels);
  }
  return WriteObjectsAndTables(out, s, false, why);
}

bool TSfSkinFilterMaxCompression::ReadContents(TSfReader& in, TSfSkinSource& s) const {
  if (!ReadHeader(in, s)) {
    return false;
  }
  std::uint32_t word;
  if (!in.U32(word)) {
    return false;
  }
  const bool withFlags = (word & 0x00FFF000u) == 0x00FFF000u;
  const bool stored = !withFlags && (word & 0x000F0000u) == 0x000F0000u;
  const std::uint32_t n = withFlags ? (word & 0xFF000FFFu) : stored ? (word & 0xFFF0FFFFu) : word;
  if (n > in.Limits().MaxBitmaps) {
    return in.Fail("the skin claims " + std::to_string(n) + " bitmaps; at most " +
                   std::to_string(in.Limits().MaxBitmaps) + " are read");
  }
  for (std::uint32_t i = 0; i < n; ++i) {
    auto b = std::make_unique<TSfBitmap>();
    if (withFlags || stored) {
      if (!ReadStoredPixels(in, b->Name, b->Pixels)) {
        return false;
      }
      if (withFlags) {
        std::uint8_t t, a;
        if (!in.U8(t) || !in.U8(a)) {
          return false;
        }
        b->Transparent = t != 0;
        b->AlphaBlend = a != 0;
      } else {
        Recolour(*b);
      }
    } else {
      std::uint32_t size;
      std::span<const std::uint8_t> file;
      if (!in.String(b->Name, "bitmap name") || !in.U32(size)) {
        return false;
      }
      if (size > in.Limits().MaxRecordBytes) {
        return in.Fail("bitmap file '" + b->Name + "' is over the size limit");
      }
      if (!in.Bytes(size, file, "bitmap file")) {
        return false;
      }
      // A bitmap that cannot be decoded is left empty; it does not fail the skin.
      TSfReader dib(file, in.Limits());
      bool alpha = false;
      if (!SfDecodeDibFile(dib, b->Pixels, alpha)) {
        b->Pixels = TskPixels();
      }
      b->Transparent = b->Pixels.SetTransparentColor(skKeyColor);
      b->AlphaBlend = b->Pixels.CheckAlpha();
    }
    s.FBitmaps.push_back(std::move(b));
  }
  return ReadObjectsAndTables(in, s, true,
                              [&](std::unique_ptr<TSfSkinObject> o) { s.AdoptObject(std::move(o)); });
}

bool TSfSkinFilterMaxCompression::WriteContents(TSfWriter& out, const TSfSkinSource& s,
                                                std::string& why) const {
  if (!CheckHeader(s, why)) {
    return false;
  }
  WriteHeader(out, s);
  out.U32(std::uint32_t(s.FBitmaps.size()) | 0x00FFF000u);
  for (const auto& b : s.FBitmaps) {
    WriteStoredPixels(out, b->Name, b->Pixels);
    out.U8(b->Transparent ? 1 : 0);
    out.U8(b->AlphaBlend ? 1 : 0);
  }
  return WriteObjectsAndTables(out, s, true, why);
}

// ---- the source ----

TSfSkinSource::TSfSkinSource(TskSysColorFunc sysColors) : FSys(sysColors) {
  for (int i = 0; i < 26; ++i) {
    const int idx = kSfSysColorIndex[i];
    FTables.SysColors[std::size_t(i)] = idx < 0 ? 0x20000000 : ResolveColor(0xFF000000u | TColor(idx), FSys);
  }
}

void TSfSkinSource::Clear() {
  FObjects.clear();
  FBitmaps.clear();
}

TSfSkinObject* TSfSkinSource::ObjectByName(std::string_view name) const {
  for (const auto& o : FObjects) {
    if (SfSameText(o->FName, name)) {
      return o.get();
    }
  }
  return nullptr;
}

TSfSkinObject* TSfSkinSource::AddObject(std::unique_ptr<TSfSkinObject> obj) {
  obj->AfterLoad(FBitmaps);
  FObjects.push_back(std::move(obj));
  return FObjects.back().get();
}

void TSfSkinSource::AdoptObject(std::unique_ptr<TSfSkinObject> obj) { AddObject(std::move(obj)); }

TSfBitmap* TSfSkinSource::AddBitmap(std::string name, TskPixels pixels, bool transparent, bool alphaBlend) {
  auto b = std::make_unique<TSfBitmap>();
  b->Name = std::move(name);
  b->Pixels = std::move(pixels);
  b->Transparent = transparent;
  b->AlphaBlend = alphaBlend;
  FBitmaps.push_back(std::move(b));
  return FBitmaps.back().get();
}

void TSfSkinSource::Assign(const TSfSkinSource& other) {
  if (&other == this) {
    return;
  }
  Clear();
  FSkinName = other.FSkinName;
  FSkinVersion = other.FSkinVersion;
  FAuthor = other.FAuthor;
  FAuthorEMail = other.FAuthorEMail;
  FAuthorURL = other.FAuthorURL;
  for (const auto& b : other.FBitmaps) {
    AddBitmap(b->Name, b->Pixels.Clone(), b->Transparent, b->AlphaBlend);
  }
  for (const auto& o : other.FObjects) {
    FObjects.push_back(o->Clone(FBitmaps));
  }
  FTables = other.FTables;
  FSys = other.FSys;
}

void TSfSkinSource::ChangeHue(std::int64_t delta) {
  if (delta == 0) {
    return;
  }
  for (auto& b : FBitmaps) {
    b->Pixels.ChangeHue(delta);
  }
  for (auto& o : FObjects) {
    o->ShiftColors(delta, 0, FSys);
  }
}

void TSfSkinSource::ChangeBrightness(std::int64_t delta) {
  if (delta == 0) {
    return;
  }
  for (auto& b : FBitmaps) {
    b->Pixels.ChangeBrightness(delta);
  }
  for (auto& o : FObjects) {
    o->ShiftColors(0, delta, FSys);
  }
}

bool TSfSkinSource::Load(std::span<const std::uint8_t> bytes, const TSfSkinFilter& filter,
                         const TSfLimits& limits) {
  TSfSkinSource fresh(FSys);
  TSfReader in(bytes, limits);
  bool ok = false;
  try {
    ok = filter.ReadSkin(in, fresh);
  } catch (const std::bad_alloc&) {
    ok = in.Fail("out of memory");
  } catch (const std::exception& e) {
    ok = in.Fail(e.what());
  }
  if (!ok) {
    FError = in.Error().empty() ? "malformed skin" : in.Error();
    return false;
  }
  if (fresh.ObjectCount() == 0) {
    FError = "the skin holds no objects";
    return false;
  }
  for (auto& o : fresh.FObjects) {
    if (TSfSkinObject* client = o->FindByKind(skClient)) {
      client->FMasked = false;
    }
  }
  fresh.FLoadedKind = filter.Kind();
  *this = std::move(fresh);
  FError.clear();
  return true;
}

bool TSfSkinSource::LoadFromStream(std::span<const std::uint8_t> bytes, const TSfLimits& limits) {
  const TSfSkinFilter* filter = FilterBySignature(bytes);
  if (!filter) {
    // Without a signature the content decides: the compression marker means a compressed
    // text-form skin.
    const bool marked = bytes.size() >= 4 && std::memcmp(bytes.data(), kZlibMagic, 4) == 0;
    filter = marked ? static_cast<const TSfSkinFilter*>(&kCompressed) : &kUncompressed;
  }
  return Load(bytes, *filter, limits);
}

bool TSfSkinSource::LoadFromFile(const std::string& fileName, const TSfLimits& limits) {
  if (fileName.empty()) {
    FError = "no file name";
    return false;
  }
  std::vector<std::uint8_t> bytes;
  if (!SkReadWholeFile(fileName, limits.MaxInflatedBytes, bytes, FError)) {
    return false;
  }
  const TSfSkinFilter* filter = FilterBySignature(bytes);
  if (!filter) {
    filter = FilterByExtension(fileName);
  }
  if (!filter) {
    FError = "'" + fileName + "' has no skin signature and no skin file extension";
    return false;
  }
  return Load(bytes, *filter, limits);
}

bool TSfSkinSource::SaveToStream(std::vector<std::uint8_t>& out) const {
  return SaveToStream(out, gDefaultFilter);
}

bool TSfSkinSource::SaveToStream(std::vector<std::uint8_t>& out, TSfFilterKind kind) const {
  TSfWriter w;
  std::string why;
  if (!SfSkinFilter(kind).WriteSkin(w, *this, why)) {
    FError = why;
    return false;
  }
  out = std::move(w.Data());
  FError.clear();
  return true;
}

bool TSfSkinSource::SaveToFile(const std::string& fileName) const {
  if (fileName.empty()) {
    FError = "no file name";
    return false;
  }
  const TSfSkinFilter* filter = FilterByExtension(fileName);
  std::vector<std::uint8_t> bytes;
  if (!SaveToStream(bytes, filter ? filter->Kind() : gDefaultFilter)) {
    return false;
  }
  const std::filesystem::path target = SkFilePath(fileName).value_or(std::filesystem::path());
  std::filesystem::path temp = target;
  temp += ".part";
  {
    std::ofstream f(temp, std::ios::binary | std::ios::trunc);
    if (!f || !f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size())) ||
        !f.flush()) {
      f.close();
      std::error_code ignored;
      std::filesystem::remove(temp, ignored);
      FError = "cannot write '" + SkFileNameText(temp) + "'";
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, target, ec);
  if (ec) {
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
    FError = "cannot replace '" + fileName + "': " + ec.message();
    return false;
  }
  FError.clear();
  return true;
}
