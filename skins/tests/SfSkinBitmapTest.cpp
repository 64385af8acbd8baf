// Bitmaps embedded in a skin go through the shared decoder: every depth and compression of
// its test bitmaps, stored as a whole bitmap file in the oldest bitmap row of the binary form.
#include "fileread/tests/SfDibCases.h"
#include "skins/SfSkinSource.h"
#include "skins/tests/SfSkinBytes.h"

#include <gtest/gtest.h>

namespace {

using namespace sf_dib_cases;

TEST(SfSkinBitmap, EveryDepthAndCompressionDecodesInASkin) {
  for (const TDibCase& c : Cases()) {
    const std::vector<std::uint8_t> file = File(Resource(c, ColorsUsed(c)), c.Data.size());
    // The oldest bitmap row of the binary skin form: name, size, file.
    TSfByteBuilder contents;
    contents.Header().U32(1).Str("b").U32(std::uint32_t(file.size())).Raw(file);
    contents.U32(1).Raw(BinaryRecord("TSfSkinObject", TSfTpf0Builder("TSfSkinObject", "A").End()));
    TSfSkinSource s;
    ASSERT_TRUE(s.LoadFromStream(CompressedFile("_MCT", contents.B, 1))) << s.LastError();
    ASSERT_EQ(s.FBitmaps.size(), 1u);
    ExpectImage(s.FBitmaps[0]->Pixels, c.Expected, std::string(c.Name) + " in a skin");
  }
}

} // namespace
