// The skin tool's commands on the demo skin, and its answers to wrong use.
#include "tools/skintool/SkinTool.h"
#include "skins/SfPng.h"
#include "skins/SfSkinSource.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct TRun {
  int Code;
  std::string Out, Err;
};

TRun Tool(std::vector<std::string> args) {
  std::ostringstream out, err;
  const int code = SkinToolRun(args, out, err);
  return {code, out.str(), err.str()};
}

std::vector<std::uint8_t> Bytes(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), {}};
}

class SkinTool : public testing::Test {
protected:
  void SetUp() override {
    Dir = fs::temp_directory_path() / ("skintool_" + std::to_string(::getpid()));
    fs::remove_all(Dir);
    fs::create_directories(Dir);
    Skin = (Dir / "demo.mskn").string();
    const TRun r = Tool({"pack", Demo.string(), Skin});
    ASSERT_EQ(r.Code, 0) << r.Err;
  }
  void TearDown() override { fs::remove_all(Dir); }

  const fs::path Demo = fs::path(TABIRA_SOURCE_DIR) / "skins" / "demo";
  fs::path Dir;
  std::string Skin;
};

TEST_F(SkinTool, UnpackAndPackAreByteIdentical) {
  const fs::path out = Dir / "unpacked";
  TRun r = Tool({"unpack", Skin, out.string()});
  ASSERT_EQ(r.Code, 0) << r.Err;
  for (const char* text : {"skin.txt", "objects.txt"}) {
    EXPECT_EQ(Bytes(out / text), Bytes(Demo / text)) << text << " is the canonical form kept in the tree";
  }
  // The tree's images keep their own bytes; their pixels are what was packed.
  for (const auto& e : fs::directory_iterator(Demo / "bitmaps")) {
    TskPixels a, b;
    std::string error;
    ASSERT_TRUE(SfReadPng(Bytes(e.path()), a, error)) << error;
    ASSERT_TRUE(SfReadPng(Bytes(out / "bitmaps" / e.path().filename()), b, error)) << error;
    a.SetTransparentColor(0xFFFF00FF);
    a.SetTransparentColor(skKeyColor);
    ASSERT_EQ(a.Width(), b.Width());
    for (std::int32_t y = 0; y < a.Height(); ++y) {
      for (std::int32_t x = 0; x < a.Width(); ++x) {
        ASSERT_EQ(a.GetPixel(x, y), b.GetPixel(x, y)) << e.path().filename() << " " << x << "," << y;
      }
    }
  }
  const std::string again = (Dir / "again.mskn").string();
  r = Tool({"pack", out.string(), again});
  ASSERT_EQ(r.Code, 0) << r.Err;
  EXPECT_EQ(Bytes(again), Bytes(Skin));
}

TEST_F(SkinTool, ConvertThroughEveryFilterAndBack) {
  for (const char* ext : {"uskn", "cskn", "xskn", "mskn"}) {
    const std::string other = (Dir / (std::string("demo-") + ext + "." + ext)).string();
    TRun r = Tool({"convert", Skin, other});
    ASSERT_EQ(r.Code, 0) << r.Err;
    r = Tool({"check", other});
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Out, "ok\n") << ext;
    r = Tool({"info", other});
    EXPECT_EQ(r.Code, 0);
    EXPECT_NE(r.Out.find(std::string("(.") + ext + ")"), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("name:     Tabira Teal"), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("objects:  5"), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("caption-buttons          54 x 90  transparent"), std::string::npos) << r.Out;
    const std::string back = (Dir / "back.mskn").string();
    ASSERT_EQ(Tool({"convert", other, back}).Code, 0);
    EXPECT_EQ(Bytes(back), Bytes(Skin)) << "through ." << ext;
  }
}

TEST_F(SkinTool, RenderDrawsTheObject) {
  const std::string png = (Dir / "form.png").string();
  const TRun r = Tool({"render", Skin, "form", "200", "100", png, "--text", "Hello"});
  ASSERT_EQ(r.Code, 0) << r.Err;
  TskPixels image;
  std::string error;
  ASSERT_TRUE(SfReadPng(Bytes(png), image, error)) << error;
  EXPECT_EQ(image.Width(), 200);
  EXPECT_EQ(image.Height(), 100);
  EXPECT_EQ(image.GetPixel(0, 0) >> 24, 0u) << "the caption's rounded corner is see-through";
  EXPECT_EQ(image.GetPixel(100, 60), 0xFFF4EEE2u) << "the client colour";
  EXPECT_EQ(image.GetPixel(1, 60) >> 24, 255u) << "the left border";
}

TEST_F(SkinTool, WrongUseAndBadFilesGetClearAnswers) {
  std::vector<std::uint8_t> bytes = Bytes(Skin);
  const std::string cut = (Dir / "cut.mskn").string();
  std::ofstream(cut, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), 200);
  const fs::path evil = Dir / "evil";
  fs::create_directories(evil);
  std::ofstream(evil / "skin.txt") << "object Skin: TSfSkinSource\n object : TSfBitmapFile\n Name = 'x'\n"
                                      " File = '../../etc/passwd'\n end\nend\n";
  std::ofstream(evil / "objects.txt") << "";
  struct TCase {
    std::vector<std::string> Args;
    int Code;
    const char* Message;
  };
  const std::vector<TCase> cases = {
      {{}, 2, "no command"},
      {{"frobnicate"}, 2, "unknown command 'frobnicate'"},
      {{"info"}, 2, "info: wrong number of arguments"},
      {{"info", (Dir / "missing.mskn").string()}, 1, "cannot open"},
      {{"check", cut}, 1, "compressed data ends early"},
      {{"convert", Skin, (Dir / "out.txt").string()}, 1, "extension must be"},
      {{"render", Skin, "Nope", "10", "10", (Dir / "x.png").string()}, 1, "no top-level object 'Nope'"},
      {{"render", Skin, "Form", "0", "10", (Dir / "x.png").string()}, 2, "whole numbers"},
      {{"render", Skin, "Form", "20000", "20000", (Dir / "x.png").string()}, 1, "larger than a bitmap"},
      {{"render", Skin, "Form", "10", "10", (Dir / "x.png").string(), "--bogus"}, 2, "unknown option"},
      {{"pack", evil.string(), (Dir / "evil.mskn").string()}, 1, "not inside the folder"},
      {{"pack", (Dir / "nowhere").string(), (Dir / "x.mskn").string()}, 1, "cannot open"},
  };
  for (const TCase& c : cases) {
    const TRun r = Tool(c.Args);
    std::string label;
    for (const auto& a : c.Args) {
      label += a + " ";
    }
    EXPECT_EQ(r.Code, c.Code) << label;
    EXPECT_NE(r.Err.find(c.Message), std::string::npos) << label << "\n" << r.Err;
  }
  EXPECT_FALSE(fs::exists(Dir / "x.mskn"));
  EXPECT_EQ(Tool({"help"}).Code, 0);
}

} // namespace
