#include "maskedit/MxBuffer.h"

#include <gtest/gtest.h>

namespace {
TMxBufferItemPtr Raw(const char* s) { return std::make_unique<TMxRawBufferItem>(s); }
std::string Str(const TMxBufferItemPtr& p) { return std::string(p->Bytes()); }

TEST(MxBuffer, StackOrderAndCircleMode) {
  TMxDynLIFOBuffer b;
  std::vector<std::string> disposed;
  b.OnDisposeItem = [&](TMxBuffer*, TMxBufferItem* i) { disposed.emplace_back(i->Bytes()); };
  b.SetMaxEntries(2);
  EXPECT_TRUE(b.Push(Raw("a")));
  EXPECT_TRUE(b.Push(Raw("b")));
  EXPECT_TRUE(b.Push(Raw("c"))); // drops the oldest
  EXPECT_EQ(disposed, std::vector<std::string>{"a"});
  EXPECT_EQ(Str(b.Pop()), "c");
  EXPECT_EQ(Str(b.Pop()), "b");
  EXPECT_EQ(b.Pop(), nullptr);
  b.CircleMode = false;
  b.Push(Raw("x"));
  b.Push(Raw("y"));
  EXPECT_FALSE(b.Push(Raw("z")));
  EXPECT_EQ(b.Count(), 2);
  b.SetMaxEntries(1);
  b.CircleMode = true;
  b.Clear();
  b.Push(Raw("p"));
  b.Push(Raw("q"));
  EXPECT_EQ(b.Count(), 1);
  EXPECT_EQ(Str(b.Pop()), "q");
}

TEST(MxBuffer, StreamRoundTripAndHeader) {
  TMxDynLIFOBuffer b;
  b.OnGetItemSize = [](TMxBuffer*, const TMxBufferItem* i, std::int32_t& size) { size = static_cast<std::int32_t>(i->Bytes().size()); };
  b.Push(Raw("one"));
  b.Push(Raw("three"));
  std::string stream;
  b.SaveToStream(stream);
  ASSERT_GE(stream.size(), 26u);
  EXPECT_EQ(stream.substr(0, 4), std::string("\x16\0\0\0", 4));
  EXPECT_EQ(stream.substr(4, 22), std::string("@MxBufferStream-V0.1@\0", 22));
  EXPECT_EQ(stream.size(), 26u + 4 + 3 + 4 + 5);
  TMxDynLIFOBuffer c;
  EXPECT_TRUE(c.LoadFromStream(stream));
  EXPECT_EQ(Str(c.Pop()), "three");
  EXPECT_EQ(Str(c.Pop()), "one");
}

TEST(MxBuffer, MalformedStreamsAreRejectedSafely) {
  TMxDynLIFOBuffer good;
  good.OnGetItemSize = [](TMxBuffer*, const TMxBufferItem* i, std::int32_t& size) { size = 1000; }; // clamped
  good.Push(Raw("ab"));
  std::string stream;
  good.SaveToStream(stream);
  TMxDynLIFOBuffer b;
  b.Push(Raw("keep"));
  EXPECT_FALSE(b.LoadFromStream(std::string("\x16\0\0\0@MxBufferStream-V0.2@\0", 26)));
  EXPECT_EQ(b.Count(), 1);
  EXPECT_FALSE(b.LoadFromStream(std::string("\xff\xff\xff\xff", 4)));
  EXPECT_FALSE(b.LoadFromStream(std::string("\x16\0", 2)));
  EXPECT_EQ(b.Count(), 1);
  std::string truncated = stream.substr(0, 26) + std::string("\xff\xff\xff\x7f", 4) + "xy";
  EXPECT_FALSE(b.LoadFromStream(truncated));
  EXPECT_EQ(b.Count(), 0);
  EXPECT_TRUE(b.LoadFromStream(stream));
  EXPECT_EQ(Str(b.Pop()), "ab");
}
} // namespace
