// Skin files: round trips through every filter, reading bytes built by hand, malformed input,
// the writer's refusals and the registry functions.
#include "skins/SfSkinSource.h"
#include "skins/tests/SfSkinBytes.h"
#include "skins/tests/SfTestSkins.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

namespace {

// A source that already holds something, to check that failed loads keep it.
TSfSkinSource Loaded() {
  TSfSkinSource s = MakeTestSkin();
  s.FSkinName = "previous";
  return s;
}

void ExpectKept(const TSfSkinSource& s) {
  EXPECT_EQ(s.FSkinName, "previous");
  EXPECT_EQ(s.ObjectCount(), 2u);
  EXPECT_EQ(s.FBitmaps.size(), 3u);
}

// The minimal valid contents of the text form: header, no bitmaps, one plain object.
std::vector<std::uint8_t> MinimalContents(std::uint32_t objectWordFlags = 0) {
  TSfByteBuilder b;
  b.Header().U32(0).U32(1 | objectWordFlags);
  b.Raw(TextRecord("TSfSkinObject", "object Form: TSfSkinObject\n  Width = 10\nend\n"));
  if (objectWordFlags == 0x00FF0000u) {
    Tables(b);
  } else if (objectWordFlags == 0x000F0000u) {
    Tables(b, 22, false);
  }
  return b.B;
}

struct TKindCase {
  TSfFilterKind Kind;
  const char* Signature;
  int ZlibSecondByte; // -1 for the uncompressed kind
};

class SfRoundTrip : public testing::TestWithParam<TKindCase> {};

TEST_P(SfRoundTrip, WritesTheSignatureAndReadsBackEverything) {
  const TKindCase c = GetParam();
  const TSfSkinSource original = MakeTestSkin();
  std::vector<std::uint8_t> bytes;
  ASSERT_TRUE(original.SaveToStream(bytes, c.Kind)) << original.LastError();
  ASSERT_GT(bytes.size(), 11u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), c.Signature);
  EXPECT_EQ(bytes[4], 0);
  if (c.ZlibSecondByte >= 0) {
    EXPECT_EQ(std::string(bytes.begin() + 5, bytes.begin() + 9), "QVLZ");
    EXPECT_EQ(bytes[9], 0x78);
    EXPECT_EQ(bytes[10], c.ZlibSecondByte);
  }
  TSfSkinSource back;
  ASSERT_TRUE(back.LoadFromStream(bytes)) << back.LastError();
  EXPECT_EQ(back.LoadedKind(), c.Kind);
  EXPECT_EQ(back.FSkinName, "Generated");
  EXPECT_EQ(back.FAuthorURL, original.FAuthorURL);
  EXPECT_EQ(SkinObjectsText(back), SkinObjectsText(original));
  ASSERT_EQ(back.FBitmaps.size(), original.FBitmaps.size());
  for (std::size_t i = 0; i < back.FBitmaps.size(); ++i) {
    const TSfBitmap &a = *back.FBitmaps[i], &b = *original.FBitmaps[i];
    EXPECT_EQ(a.Name, b.Name);
    EXPECT_EQ(a.Transparent, b.Transparent) << a.Name;
    EXPECT_EQ(a.AlphaBlend, b.AlphaBlend) << a.Name;
    ASSERT_EQ(a.Pixels.Width(), b.Pixels.Width());
    for (std::int32_t y = 0; y < a.Pixels.Height(); ++y) {
      for (std::int32_t x = 0; x < a.Pixels.Width(); ++x) {
        ASSERT_EQ(a.Pixels.GetPixel(x, y), b.Pixels.GetPixel(x, y)) << a.Name << " " << x << "," << y;
      }
    }
  }
  EXPECT_EQ(back.FTables.Colors, original.FTables.Colors);
  EXPECT_EQ(back.FTables.SysColors, original.FTables.SysColors);
  EXPECT_EQ(back.FTables.Fonts[0], original.FTables.Fonts[0]);
  // References are resolved again, by name and ignoring case.
  auto* form = dynamic_cast<TSfBitmapObject*>(back.ObjectByName("form"));
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(form->FBitmap.Valid());
  EXPECT_EQ(form->FBitmap.Bitmap, back.FBitmaps[1].get());
  // Saving again gives the same bytes.
  std::vector<std::uint8_t> again;
  ASSERT_TRUE(back.SaveToStream(again, c.Kind));
  EXPECT_EQ(again, bytes);
}

INSTANTIATE_TEST_SUITE_P(AllFilters, SfRoundTrip,
                         testing::Values(TKindCase{fkUncompressed, "_UCT", -1},
                                         TKindCase{fkCompressed, "_DCT", 0x01},
                                         TKindCase{fkUltraCompressed, "_TCT", 0x9C},
                                         TKindCase{fkMaxCompression, "_MCT", 0x9C}));

TEST(SfSkinFile, MaxCompressionWritesMarkedCountWords) {
  std::vector<std::uint8_t> bytes;
  ASSERT_TRUE(MakeTestSkin().SaveToStream(bytes, fkMaxCompression));
  TSfReader in{std::span<const std::uint8_t>(bytes).subspan(9)};
  std::vector<std::uint8_t> contents;
  ASSERT_TRUE(SfInflate(in, contents, false));
  TSfReader c(contents);
  std::string s;
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(c.String(s, "header"));
  }
  std::uint32_t word;
  ASSERT_TRUE(c.U32(word));
  EXPECT_EQ(word, 3u | 0x00FFF000u);
}

// ---- bytes built by hand ----

struct TObjectWordCase {
  const char* Name;
  std::uint32_t Flags;
  TColor Window;  // element colour 3 after loading
  TColor SysRow4; // system colour row 4 after loading
};

TEST(SfSkinFile, ObjectWordSelectsTheTables) {
  const TSfSkinSource fresh;
  for (const TObjectWordCase& c : {
           TObjectWordCase{"three tables", 0x00FF0000u, 0x00112233, 0x00445566},
           TObjectWordCase{"colours and fonts", 0x000F0000u, 0x00112233, fresh.FTables.SysColors[4]},
           TObjectWordCase{"derived", 0, 0x00FFFFFF, fresh.FTables.SysColors[4]},
       }) {
    TSfByteBuilder file;
    file.Signature("_UCT").Raw(MinimalContents(c.Flags));
    TSfSkinSource s;
    ASSERT_TRUE(s.LoadFromStream(file.B)) << c.Name << ": " << s.LastError();
    EXPECT_EQ(s.ObjectCount(), 1u) << c.Name;
    EXPECT_EQ(s.FTables.Colors[3], c.Window) << c.Name;
    EXPECT_EQ(s.FTables.SysColors[4], c.SysRow4) << c.Name;
    if (c.Flags == 0x00FF0000u) {
      EXPECT_EQ(s.FTables.Fonts[0].Name, "Courier New");
      EXPECT_EQ(s.FTables.Fonts[0].Size(), 10);
      EXPECT_EQ(s.FTables.Fonts[0].Color, 0x030201u);
      EXPECT_EQ(s.FTables.Fonts[0].Style, fsBold | fsItalic);
    }
    if (c.Flags == 0) {
      EXPECT_EQ(s.FTables.Colors[16], 0u) << "no edit object: EditSelection stays 0";
      EXPECT_EQ(s.FTables.Colors[17], 0xFF000018u) << "no hint object: clInfoBk";
    }
  }
}

TEST(SfSkinFile, ColourTableCountsBeyondTheTableAreReadAndDropped) {
  TSfByteBuilder b;
  b.Header().U32(0).U32(1 | 0x00FF0000u);
  b.Raw(TextRecord("TSfSkinObject", "object A: TSfSkinObject\nend"));
  Tables(b, 256);
  TSfSkinSource s;
  ASSERT_TRUE(s.LoadFromStream(b.B)) << s.LastError();
  EXPECT_EQ(s.FTables.Colors[3], 0x00112233u);
  EXPECT_EQ(s.FTables.SysColors[4], 0x00445566u);
}

struct TBitmapWordCase {
  const char* Name;
  std::uint32_t Flags;
  bool StoredFlags;
};

TEST(SfSkinFile, BitmapWordOfTheBinaryForm) {
  for (const TBitmapWordCase& c : {TBitmapWordCase{"flags stored", 0x00FFF000u, true},
                                   TBitmapWordCase{"recoloured", 0x000F0000u, false}}) {
    TSfByteBuilder contents;
    contents.Header().U32(1 | c.Flags).Bitmap("m", 2, 2, 0xFFFF00FF);
    if (c.StoredFlags) {
      contents.U8(0).U8(1);
    }
    contents.U32(1).Raw(BinaryRecord("TSfSkinObject", TSfTpf0Builder("TSfSkinObject", "A").End()));
    TSfSkinSource s;
    ASSERT_TRUE(s.LoadFromStream(CompressedFile("_MCT", contents.B, 6))) << c.Name << ": " << s.LastError();
    ASSERT_EQ(s.FBitmaps.size(), 1u);
    const TSfBitmap& b = *s.FBitmaps[0];
    if (c.StoredFlags) {
      EXPECT_EQ(b.Pixels.GetPixel(0, 0), 0xFFFF00FFu) << "taken as stored";
      EXPECT_FALSE(b.Transparent);
      EXPECT_TRUE(b.AlphaBlend);
    } else {
      EXPECT_EQ(b.Pixels.GetPixel(0, 0), skKeyColor);
      EXPECT_TRUE(b.Transparent);
    }
  }
}

TEST(SfSkinFile, EmbeddedBitmapFilesAreDecodedOrLeftEmpty) {
  // A 2 x 1 24-bit bottom-up file: blue, then the key colour.
  TSfByteBuilder dib;
  dib.Raw("BM")
      .U32(62)
      .U32(0)
      .U32(54)
      .U32(40)
      .U32(2)
      .U32(1)
      .U16(1)
      .U16(24)
      .U32(0)
      .U32(8)
      .U32(0)
      .U32(0)
      .U32(0)
      .U32(0);
  dib.U8(0xFF).U8(0).U8(0).U8(0x7F).U8(0).U8(0x7F).U8(0).U8(0);
  TSfByteBuilder rle = dib;
  rle.B[30] = 1; // compression 1: not decoded
  TSfByteBuilder contents;
  contents.Header().U32(2).Str("dib").U32(std::uint32_t(dib.Size())).Raw(dib.B);
  contents.Str("rle").U32(std::uint32_t(rle.Size())).Raw(rle.B);
  contents.U32(1).Raw(BinaryRecord("TSfSkinObject", TSfTpf0Builder("TSfSkinObject", "A").End()));
  TSfSkinSource s;
  ASSERT_TRUE(s.LoadFromStream(CompressedFile("_MCT", contents.B, 1))) << s.LastError();
  ASSERT_EQ(s.FBitmaps.size(), 2u);
  EXPECT_EQ(s.FBitmaps[0]->Pixels.GetPixel(0, 0), 0xFF0000FFu);
  EXPECT_EQ(s.FBitmaps[0]->Pixels.GetPixel(1, 0), skKeyColor);
  EXPECT_TRUE(s.FBitmaps[0]->Transparent);
  EXPECT_TRUE(s.FBitmaps[1]->Pixels.Empty());
}

TEST(SfSkinFile, SignaturesAndTheirAbsence) {
  const std::vector<std::uint8_t> contents = MinimalContents();
  struct TCase {
    const char* Name;
    std::vector<std::uint8_t> Bytes;
    TSfFilterKind Kind;
  };
  TSfByteBuilder plain, unknownSig;
  plain.Raw(contents);
  unknownSig.Signature("_ZZZ");
  for (const TCase& c : {
           TCase{"compressed marker without signature", CompressedFile(nullptr, contents, 1), fkCompressed},
           TCase{"no signature", plain.B, fkUncompressed},
           TCase{"signature of the ultra kind", CompressedFile("_TCT", contents, 9), fkUltraCompressed},
       }) {
    TSfSkinSource s;
    ASSERT_TRUE(s.LoadFromStream(c.Bytes)) << c.Name << ": " << s.LastError();
    EXPECT_EQ(s.LoadedKind(), c.Kind) << c.Name;
    EXPECT_EQ(s.ObjectCount(), 1u) << c.Name;
  }
  EXPECT_EQ(FilterBySignature(std::span<const std::uint8_t>(contents.data(), 3)), nullptr);
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string hex;
  for (std::uint8_t byte : bytes) {
    hex += digits[byte >> 4];
    hex += digits[byte & 15];
  }
  return hex;
}

TEST(SfSkinFile, RecordTolerance) {
  const auto children = ChildrenBlob({BinaryRecord(
      "TSfSkinObject",
      TSfTpf0Builder("TSfSkinObject", "Inner").Ident("Kind", "skClient").Int8("Width", -3).End())});
  TSfByteBuilder b;
  b.Header().U32(1).Bitmap("BTN", 2, 2, 0xFF00FF00).U32(3);
  b.Raw(TextRecord("TUnknownThing", "anything at all { not parsed"));
  b.Raw(TextRecord("TXxButtonObject", "object Old: TXxButtonObject\n  Bitmap.Name = 'btn'\n"
                                      "  Bitmap.Right = 2\n  Bitmap.Bottom = 2\n  Unknown.Prop = 5\n"
                                      "  Font.Charset = 238\n  Align = saNowhere\n  Color = 'text'\nend"));
  b.Raw(TextRecord("TSfSkinObject", "object Frame: TSfSkinObject\n  Objects = {" + Hex(children) + "}\nend"));
  TSfSkinSource s;
  ASSERT_TRUE(s.LoadFromStream(b.B)) << s.LastError();
  ASSERT_EQ(s.ObjectCount(), 2u) << "the unregistered class is dropped";
  auto* old = dynamic_cast<TSfButtonObject*>(s.Object(0));
  ASSERT_NE(old, nullptr) << "an older class prefix loads as TSfButtonObject";
  EXPECT_TRUE(old->FBitmap.Valid()) << "'btn' resolves to 'BTN'";
  EXPECT_EQ(old->FFont.Charset, 1) << "every font gets the default character set";
  EXPECT_EQ(old->FAlign, saNone) << "an unknown enumerator leaves the value";
  EXPECT_EQ(old->FColor, 0xFFFFFFu) << "a value of the wrong type leaves the value";
  TSfSkinObject* inner = s.Object(1)->FindByName("inner");
  ASSERT_NE(inner, nullptr);
  EXPECT_FALSE(inner->FMasked) << "the first client node is unmasked";
  EXPECT_EQ(inner->FWidth, -3) << "stored as read; layout treats it as 0";
}

// ---- malformed input ----

TEST(SfSkinFile, EveryTruncationFailsAndKeepsThePreviousContents) {
  TSfSkinSource small;
  auto obj = std::make_unique<TSfActiveBitmap>();
  obj->FName = "A";
  obj->AddChild(std::make_unique<TSfTextObject>())->FName = "T";
  small.AddObject(std::move(obj));
  small.AddBitmap("b", [] {
    TskPixels p;
    p.SetSize(2, 1);
    return p;
  }());
  for (TSfFilterKind kind : {fkUncompressed, fkCompressed, fkUltraCompressed, fkMaxCompression}) {
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(small.SaveToStream(bytes, kind));
    TSfSkinSource s = Loaded();
    for (std::size_t n = 0; n < bytes.size(); ++n) {
      ASSERT_FALSE(s.LoadFromStream(std::span(bytes).first(n)))
          << "kind " << int(kind) << ", " << n << " bytes";
      ASSERT_FALSE(s.LastError().empty());
    }
    ExpectKept(s);
    ASSERT_TRUE(s.LoadFromStream(bytes)) << s.LastError();
  }
}

// The demo skin through every filter, changed in the ways a damaged or hostile file is: cut at
// many points, bytes flipped in its contents, counts at and past the limits, huge names. A
// change either loads or fails with a reason and keeps what was loaded before.
TEST(SfSkinFile, DemoSkinMutationsLoadOrFailCleanly) {
  TSfSkinSource demo;
  ASSERT_TRUE(demo.LoadFromFile(TABIRA_DEMO_SKIN)) << demo.LastError();
  std::size_t nodes = 0;
  int depth = 0;
  for (std::size_t i = 0; i < demo.ObjectCount(); ++i) {
    nodes += demo.Object(i)->NodeCount();
    depth = std::max(depth, demo.Object(i)->TreeDepth());
  }
  auto loadsOrFailsCleanly = [](std::span<const std::uint8_t> bytes, const TSfLimits& limits,
                                const std::string& what) {
    TSfSkinSource s = Loaded();
    if (!s.LoadFromStream(bytes, limits)) {
      EXPECT_FALSE(s.LastError().empty()) << what;
      ExpectKept(s);
      return false;
    }
    return true;
  };
  for (TSfFilterKind kind : {fkUncompressed, fkCompressed, fkUltraCompressed, fkMaxCompression}) {
    const std::string k = "filter " + std::to_string(int(kind));
    std::vector<std::uint8_t> file;
    ASSERT_TRUE(demo.SaveToStream(file, kind)) << demo.LastError();
    // Cuts: every one of the first 64 bytes, then about 120 points over the rest.
    for (std::size_t n = 0; n < file.size(); n += n < 64 ? 1 : file.size() / 120 + 1) {
      EXPECT_FALSE(loadsOrFailsCleanly(std::span(file).first(n), {}, k + ", cut at " + std::to_string(n)));
    }
    // Flipped bytes in the contents (under the compression, so that the parser sees them).
    const std::size_t head = kind == fkUncompressed ? 5 : 9;
    std::vector<std::uint8_t> contents(file.begin() + std::ptrdiff_t(head), file.end());
    if (kind != fkUncompressed) {
      TSfReader in{std::span<const std::uint8_t>(contents)};
      std::vector<std::uint8_t> inflated;
      ASSERT_TRUE(SfInflate(in, inflated, false));
      contents = std::move(inflated);
    }
    const char* sig = kind == fkUncompressed      ? "_UCT"
                      : kind == fkCompressed      ? "_DCT"
                      : kind == fkUltraCompressed ? "_TCT"
                                                  : "_MCT";
    auto wrap = [&](const std::vector<std::uint8_t>& c) {
      if (kind != fkUncompressed) {
        return CompressedFile(sig, c, 1);
      }
      TSfByteBuilder b;
      b.Signature(sig).Raw(c);
      return b.B;
    };
    for (std::size_t at = 0; at < contents.size(); at += contents.size() / 100 + 1) {
      std::vector<std::uint8_t> bad = contents;
      bad[at] ^= 0xFF;
      (void)loadsOrFailsCleanly(wrap(bad), {}, k + ", byte flipped at " + std::to_string(at));
    }
    // Counts at and past the limits.
    TSfLimits at;
    at.MaxBitmaps = demo.FBitmaps.size();
    at.MaxTreeNodes = nodes;
    at.MaxTreeDepth = depth;
    EXPECT_TRUE(loadsOrFailsCleanly(file, at, k + ", at the limits"));
    const std::pair<const char*, std::function<void(TSfLimits&)>> past[] = {
        {"bitmaps", [](TSfLimits& l) { --l.MaxBitmaps; }},
        {"nodes", [](TSfLimits& l) { --l.MaxTreeNodes; }},
        {"depth", [](TSfLimits& l) { --l.MaxTreeDepth; }},
    };
    for (const auto& [name, tighten] : past) {
      TSfLimits limits = at;
      tighten(limits);
      EXPECT_FALSE(loadsOrFailsCleanly(file, limits, k + ", one past the limit of " + name));
    }
    // Huge names: the skin name's byte count, and a skin name past the record limit.
    std::vector<std::uint8_t> huge = contents;
    huge[0] = huge[1] = huge[2] = huge[3] = 0xFF;
    EXPECT_FALSE(loadsOrFailsCleanly(wrap(huge), {}, k + ", name of 4 GB"));
    TSfLimits tight;
    tight.MaxRecordBytes = 3;
    EXPECT_FALSE(loadsOrFailsCleanly(file, tight, k + ", names past the record limit"));
  }
}

struct TMalformedCase {
  const char* Name;
  std::vector<std::uint8_t> Bytes;
  const char* Reason; // part of the failure text
};

std::vector<std::uint8_t> Nested(int depth, bool text) {
  // depth levels of TSfSkinObject, each the only child of the one above.
  std::vector<std::uint8_t> inner = TSfTpf0Builder("TSfSkinObject", "L").End();
  for (int i = 1; i < depth; ++i) {
    TSfTpf0Builder t("TSfSkinObject", "L");
    t.Binary("Objects", ChildrenBlob({BinaryRecord("TSfSkinObject", inner)}));
    inner = t.End();
  }
  TSfByteBuilder b;
  b.Header().U32(text ? 0 : 0x00FFF000u).U32(1).Raw(BinaryRecord("TSfSkinObject", inner));
  return CompressedFile("_MCT", b.B, 1);
}

std::vector<TMalformedCase> MalformedCases() {
  std::vector<TMalformedCase> cases;
  {
    TSfByteBuilder b;
    b.Signature("_UCT").U32(0xFFFFFFFFu);
    cases.push_back({"string length 0xFFFFFFFF", b.B, "over the limit"});
  }
  {
    TSfByteBuilder b;
    b.Signature("_UCT").Header().U32(1).Str("big").U32(65536).U32(65536);
    cases.push_back({"65536 x 65536 bitmap", b.B, "over the limits"});
  }
  {
    TSfByteBuilder b;
    b.Signature("_UCT").Header().U32(1).Str("min").U32(4).U32(0x80000000u);
    cases.push_back({"height of the most negative value", b.B, "size"});
  }
  {
    TSfByteBuilder b;
    b.Signature("_UCT").Header().U32(60000).Bitmap("one", 1, 1, 0);
    cases.push_back({"bitmap count larger than the data", b.B, "needed"});
  }
  {
    TSfByteBuilder b;
    b.Signature("_UCT").Header().U32(0x7FFFFFFFu);
    for (int i = 0; i < 100; ++i) {
      b.Bitmap("empty", 0, 0, 0);
    }
    cases.push_back({"bitmap count over the limit", b.B, "at most 65535"});
  }
  {
    TSfTpf0Builder t("TSfSkinObject", "A");
    for (int i = 0; i < 2000; ++i) {
      t.Bool("P", true);
    }
    TSfByteBuilder b;
    b.Header().U32(0x00FFF000u).U32(1).Raw(BinaryRecord("TSfSkinObject", t.End()));
    cases.push_back({"too many properties", CompressedFile("_MCT", b.B, 1), "more than 1024 properties"});
  }
  {
    TSfByteBuilder b;
    b.Signature("_UCT").Header().U32(0).U32(60000);
    b.Raw(TextRecord("TSfSkinObject", "object A: TSfSkinObject\nend"));
    cases.push_back({"object count larger than the data", b.B, "fewer objects"});
  }
  cases.push_back({"nesting 100 levels deep", Nested(100, false), "deeper than 64"});
  {
    TSfTpf0Builder t("TSfSkinObject", "A");
    t.RawValue("Color", 0x7F);
    TSfByteBuilder b;
    b.Header().U32(0x00FFF000u).U32(1).Raw(BinaryRecord("TSfSkinObject", t.End()));
    cases.push_back({"unknown value type", CompressedFile("_MCT", b.B, 1), "unknown value type"});
  }
  {
    TSfTpf0Builder t("TSfSkinObject", "A");
    auto blob = ChildrenBlob({BinaryRecord("TSfSkinObject", TSfTpf0Builder("TSfSkinObject", "B").End())});
    blob[22] = 0xFF; // the child's record size reaches past the blob
    t.Binary("Objects", blob);
    TSfByteBuilder b;
    b.Header().U32(0x00FFF000u).U32(1).Raw(BinaryRecord("TSfSkinObject", t.End()));
    cases.push_back({"child longer than its parent's blob", CompressedFile("_MCT", b.B, 1), "needed"});
  }
  {
    TSfByteBuilder b;
    b.Signature("_UCT").Header().U32(0).U32(1);
    b.Raw(TextRecord("TSfSkinObject", "object A: TSfSkinObject\n  LinkControl = 'open\nend"));
    cases.push_back({"unbalanced quote", b.B, "unterminated string"});
  }
  {
    TSfByteBuilder b;
    b.Signature("_UCT").Header().U32(0).U32(1);
    b.Raw(TextRecord("TSfSkinObject", "object A: TSfSkinObject\n  Objects = {0A0}\nend"));
    cases.push_back({"odd hexadecimal digits", b.B, "odd number"});
  }
  {
    TSfTpf0Builder t("TSfSkinObject", "A");
    TSfByteBuilder b;
    b.Header().U32(0x00FFF000u).U32(1).Raw(BinaryRecord("TSfSkinObject", t.W.B)).U8(1);
    cases.push_back({"child components in an object stream", CompressedFile("_MCT", b.B, 1), "needed"});
  }
  {
    std::vector<std::uint8_t> bad = CompressedFile("_DCT", MinimalContents(), 1);
    bad[12] ^= 0xFF;
    cases.push_back({"damaged deflate data", bad, "damaged"});
  }
  return cases;
}

TEST(SfSkinFile, MalformedInputFailsCleanlyAndKeepsThePreviousContents) {
  for (const TMalformedCase& c : MalformedCases()) {
    TSfSkinSource s = Loaded();
    EXPECT_FALSE(s.LoadFromStream(c.Bytes)) << c.Name;
    EXPECT_NE(s.LastError().find(c.Reason), std::string::npos) << c.Name << ": " << s.LastError();
    ExpectKept(s);
  }
}

TEST(SfSkinFile, NestingUpToTheLimitLoads) {
  TSfSkinSource s;
  ASSERT_TRUE(s.LoadFromStream(Nested(64, false))) << s.LastError();
  EXPECT_EQ(s.Object(0)->TreeDepth(), 64);
  EXPECT_FALSE(s.LoadFromStream(Nested(65, false)));
}

TEST(SfSkinFile, NodeLimit) {
  TSfLimits limits;
  limits.MaxTreeNodes = 10;
  TSfSkinSource s;
  EXPECT_TRUE(s.LoadFromStream(Nested(10, false), limits)) << s.LastError();
  EXPECT_FALSE(s.LoadFromStream(Nested(11, false), limits));
  EXPECT_NE(s.LastError().find("more than 10 objects"), std::string::npos) << s.LastError();
}

TEST(SfSkinFile, DeflateBombStopsAtTheInflateLimit) {
  // 64 MiB of zeros after a valid header deflate to about 64 KiB.
  z_stream z{};
  ASSERT_EQ(deflateInit(&z, 9), Z_OK);
  std::vector<std::uint8_t> packed(1 << 20);
  const std::vector<std::uint8_t> head = [] {
    TSfByteBuilder b;
    b.Header().U32(1).Str("zeros").U32(4096).U32(4096);
    return b.B;
  }();
  std::vector<std::uint8_t> zeros(1 << 20, 0);
  z.next_out = packed.data();
  z.avail_out = uInt(packed.size());
  z.next_in = const_cast<Bytef*>(head.data());
  z.avail_in = uInt(head.size());
  ASSERT_EQ(deflate(&z, Z_NO_FLUSH), Z_OK);
  for (int i = 0; i < 64; ++i) {
    z.next_in = zeros.data();
    z.avail_in = uInt(zeros.size());
    ASSERT_EQ(deflate(&z, i == 63 ? Z_FINISH : Z_NO_FLUSH), i == 63 ? Z_STREAM_END : Z_OK);
  }
  packed.resize(z.total_out);
  deflateEnd(&z);
  TSfByteBuilder file;
  file.Signature("_DCT").Raw("QVLZ").Raw(packed);
  TSfLimits limits;
  limits.MaxInflatedBytes = 8 << 20;
  TSfSkinSource s = Loaded();
  EXPECT_FALSE(s.LoadFromStream(file.B, limits));
  EXPECT_NE(s.LastError().find("larger than"), std::string::npos) << s.LastError();
  ExpectKept(s);
}

// ---- writing ----

TEST(SfSkinFile, WhatTheFormatCannotHoldIsRefused) {
  struct TCase {
    const char* Name;
    std::function<void(TSfSkinSource&)> Spoil;
    const char* Reason;
  };
  const std::vector<TCase> cases = {
      {"4096 bitmaps",
       [](TSfSkinSource& s) {
         for (int i = 0; i < 4093; ++i) {
           s.AddBitmap("b", TskPixels());
         }
       },
       "at most 4095"},
      {"65536 children",
       [](TSfSkinSource& s) {
         for (int i = 0; i < 65536; ++i) {
           s.Object(1)->AddChild(std::make_unique<TSfSkinObject>());
         }
       },
       "more than 65535"},
      {"a name with a blank", [](TSfSkinSource& s) { s.Object(0)->FName = "two words"; },
       "underscores and dots"},
      {"65 levels",
       [](TSfSkinSource& s) {
         TSfSkinObject* n = s.Object(0);
         for (int i = 0; i < 64; ++i) {
           n = n->AddChild(std::make_unique<TSfSkinObject>());
         }
       },
       "deeper than 64"},
  };
  for (const TCase& c : cases) {
    TSfSkinSource s = MakeTestSkin();
    c.Spoil(s);
    for (TSfFilterKind kind : {fkUncompressed, fkMaxCompression}) {
      std::vector<std::uint8_t> bytes;
      EXPECT_FALSE(s.SaveToStream(bytes, kind)) << c.Name;
      EXPECT_NE(s.LastError().find(c.Reason), std::string::npos) << c.Name << ": " << s.LastError();
    }
  }
}

TEST(SfSkinFile, EveryObjectNameThatLoadsSavesAndLoadsAgain) {
  // Names as either form reads them; the writer takes every name a reader took.
  const std::string longest(255, 'n');
  for (const std::string& name : {std::string("Form"), std::string("1st"), std::string("Frame.Left"),
                                  std::string("_"), std::string(""), longest}) {
    for (const bool binary : {false, true}) {
      TSfByteBuilder b;
      if (binary) {
        b.Header()
            .U32(0x00FFF000u)
            .U32(1)
            .Raw(BinaryRecord("TSfSkinObject", TSfTpf0Builder("TSfSkinObject", name).Int("Width", 7).End()));
      } else {
        b.Signature("_UCT").Header().U32(0).U32(1);
        b.Raw(TextRecord("TSfSkinObject", "object " + name + ": TSfSkinObject\n  Width = 7\nend\n"));
      }
      const auto file = binary ? CompressedFile("_MCT", b.B, 1) : b.B;
      TSfSkinSource s;
      ASSERT_TRUE(s.LoadFromStream(file)) << name << ": " << s.LastError();
      for (TSfFilterKind kind : {fkUncompressed, fkCompressed, fkUltraCompressed, fkMaxCompression}) {
        std::vector<std::uint8_t> saved;
        ASSERT_TRUE(s.SaveToStream(saved, kind)) << name << ", filter " << int(kind) << ": " << s.LastError();
        TSfSkinSource again;
        ASSERT_TRUE(again.LoadFromStream(saved)) << name << ": " << again.LastError();
        ASSERT_EQ(again.ObjectCount(), 1u);
        EXPECT_EQ(again.Object(0)->FName, name);
        EXPECT_EQ(again.Object(0)->FWidth, 7);
      }
    }
  }
  // A name that neither form can write is refused on reading, with the previous contents kept.
  for (const std::string& name : {std::string("two words"), std::string("caf\xE9"), std::string("a\x01")}) {
    TSfByteBuilder b;
    b.Header()
        .U32(0x00FFF000u)
        .U32(1)
        .Raw(BinaryRecord("TSfSkinObject", TSfTpf0Builder("TSfSkinObject", name).End()));
    TSfSkinSource s = Loaded();
    EXPECT_FALSE(s.LoadFromStream(CompressedFile("_MCT", b.B, 1))) << name;
    EXPECT_NE(s.LastError().find("underscores and dots"), std::string::npos) << s.LastError();
    ExpectKept(s);
  }
}

TEST(SfSkinFile, SaveToFileReplacesTheOldFileOnlyOnSuccess) {
  const auto dir = std::filesystem::temp_directory_path() / ("sf_save_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string file = (dir / "skin.XSKN").string();
  TSfSkinSource good = MakeTestSkin();
  ASSERT_TRUE(good.SaveToFile(file)) << good.LastError();
  const auto before = std::filesystem::file_size(file);
  TSfSkinSource bad = MakeTestSkin();
  bad.Object(0)->FName = "not valid";
  EXPECT_FALSE(bad.SaveToFile(file));
  EXPECT_EQ(std::filesystem::file_size(file), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1) << "no temporary file is left";
  TSfSkinSource back;
  ASSERT_TRUE(back.LoadFromFile(file)) << back.LastError();
  EXPECT_EQ(back.LoadedKind(), fkUltraCompressed) << "the extension decides, in any case";
  EXPECT_FALSE(back.LoadFromFile((dir / "missing.mskn").string()));
  EXPECT_NE(back.LastError().find("cannot open"), std::string::npos);
  EXPECT_EQ(back.FSkinName, "Generated");
  std::filesystem::remove_all(dir);
}

// ---- registry ----

TEST(SfSkinFile, FilterTextAndExtensions) {
  EXPECT_EQ(SkinFileFilter(), "Uncompressed Skin (*.uskn)|*.uskn|Compressed Skin (*.cskn)|*.cskn|"
                              "Ultra Compressed Skin (*.xskn)|*.xskn|Maximum Compressed (*.mskn)|*.mskn");
  struct TCase {
    const char* Name;
    const TSfSkinFilter* Expected;
  };
  for (const TCase& c : {TCase{"a.mskn", &SfSkinFilter(fkMaxCompression)},
                         TCase{"dir.x/A.USKN", &SfSkinFilter(fkUncompressed)}, TCase{"a.cskn.bak", nullptr},
                         TCase{"a.xmskn", nullptr}, TCase{"mskn", nullptr}, TCase{"a.mskn ", nullptr}}) {
    EXPECT_EQ(FilterByExtension(c.Name), c.Expected) << c.Name;
  }
}

TEST(SfSkinFile, UnregisteredFiltersAreNotChosen) {
  const TSfSkinFilter* max = &SfSkinFilter(fkMaxCompression);
  UnregisterSkinFilter(max);
  EXPECT_EQ(FilterByExtension("a.mskn"), nullptr);
  EXPECT_EQ(SkinFileFilter().find("mskn"), std::string::npos);
  RegisterSkinFilter(max);
  RegisterSkinFilter(max);
  EXPECT_EQ(SfSkinFilters().size(), 4u);
  EXPECT_EQ(FilterByExtension("a.mskn"), max);
}

TEST(SfSkinFile, AssignCopiesAndShiftsLeaveTheOriginal) {
  const TSfSkinSource original = MakeTestSkin();
  TSfSkinSource copy;
  copy.Assign(original);
  EXPECT_EQ(SkinObjectsText(copy), SkinObjectsText(original));
  auto* form = dynamic_cast<TSfBitmapObject*>(copy.ObjectByName("Form"));
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->FBitmap.Bitmap, copy.FBitmaps[1].get()) << "references point into the copy";
  copy.ChangeBrightness(20);
  EXPECT_EQ(copy.ObjectByName("Form")->FindByName("Client")->FColor, ShiftBrightness(0x00C0FFEE, 20));
  EXPECT_EQ(original.ObjectByName("Form")->FindByName("Client")->FColor, 0x00C0FFEEu);
  EXPECT_EQ(copy.ObjectByName("Form")->FindByName("Title")->FColor, kSfNoColor) << "no colour stays";
}

} // namespace
