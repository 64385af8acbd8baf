#include "maskedit/engine/MxBuffer.h"

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
  b.OnGetItemSize = [](TMxBuffer*, const TMxBufferItem* i, std::int32_t& size) {
    size = static_cast<std::int32_t>(i->Bytes().size());
  };
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

// Reads every step of an undo stack, oldest first, as "new|old|selStart|oldSel|inserted|caret".
std::vector<std::string> Steps(const TMxUndoBuffer& b) {
  std::vector<std::string> out;
  b.ForEachFromOldest([&](const TMxBufferItem& i) {
    const auto& r = dynamic_cast<const TMxUndoRecord&>(i);
    out.push_back(r.NewText + "|" + r.OldText + "|" + std::to_string(r.SelStart) + "|" +
                  std::to_string(r.OldSelLength) + "|" + std::to_string(r.InsertedLength) + "|" +
                  std::to_string(r.CursorPos));
  });
  return out;
}

TEST(MxUndoBuffer, StepsKeepEveryFieldInStackOrder) {
  const std::string longText(TMxUndoBuffer::LongTextSize + 1, 'L');
  const std::string longOld(TMxUndoBuffer::LongTextSize * 2, 'o');
  TMxUndoBuffer b;
  EXPECT_EQ(b.PushRecord("a", "", 1, 0, 1, 1), 0);
  EXPECT_EQ(b.PushRecord(longText, longOld, 2, 3, 4, 5), 1);
  EXPECT_EQ(b.PushRecordLater(longText.size(), "x", 6, 1, 7, 8), 2);
  std::string moved = longText;
  moved.back() = 'M';
  b.SetNewText(2, std::move(moved));
  b.SetInsertedLength(0, 0);
  b.SetInsertedLength(9, 1); // no such step: ignored
  auto r = std::make_unique<TMxUndoRecord>();
  r->NewText = "generic";
  r->OldText = "old";
  r->SelStart = 9;
  EXPECT_TRUE(b.Push(std::move(r)));
  EXPECT_FALSE(b.Push(std::make_unique<TMxRawBufferItem>("not a step")));
  EXPECT_EQ(b.Count(), 4);
  const std::string movedText = longText.substr(0, longText.size() - 1) + "M";
  EXPECT_EQ(Steps(b), (std::vector<std::string>{"a||1|0|0|1", longText + "|" + longOld + "|2|3|4|5",
                                                movedText + "|x|6|1|7|8", "generic|old|9|0|0|1"}));
  TMxUndoRecord top;
  ASSERT_TRUE(b.PopRecord(top));
  EXPECT_EQ(top.NewText, "generic");
  TMxBufferItemPtr item = b.Pop();
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(dynamic_cast<TMxUndoRecord&>(*item).NewText, movedText);
  EXPECT_EQ(b.Count(), 2);
  // A step pushed after pops reuses the space and reads back whole.
  EXPECT_EQ(b.PushRecordLater(longText.size(), "", 1, 0, 0, 1), 2);
  b.SetNewText(2, std::string_view(longText));
  ASSERT_TRUE(b.PopRecord(top));
  EXPECT_EQ(top.NewText, longText);
  ASSERT_TRUE(b.PopRecord(top));
  EXPECT_EQ(top.OldText, longOld);
  ASSERT_TRUE(b.PopRecord(top));
  EXPECT_EQ(top.NewText, "a");
  EXPECT_FALSE(b.PopRecord(top));
  EXPECT_EQ(b.Pop(), nullptr);
}

TEST(MxUndoBuffer, MaxEntriesDropOrRefuseAndClearDisposesNewestFirst) {
  const std::string longText(TMxUndoBuffer::LongTextSize + 5, 'L');
  std::vector<std::string> disposed; // outlives b, whose destruction disposes too
  TMxUndoBuffer b;
  b.OnDisposeItem = [&](TMxBuffer*, TMxBufferItem* i) {
    disposed.push_back(dynamic_cast<TMxUndoRecord*>(i)->NewText);
  };
  b.SetMaxEntries(2);
  b.PushRecord(longText, "", 1, 0, 0, 1);
  b.PushRecord("b", "", 1, 0, 1, 1);
  EXPECT_EQ(b.PushRecord(longText + "c", "", 1, 0, 1, 1), 1); // drops the oldest
  EXPECT_EQ(disposed, std::vector<std::string>{longText});
  EXPECT_EQ(Steps(b), (std::vector<std::string>{"b||1|0|1|1", longText + "c||1|0|1|1"}));
  b.CircleMode = false;
  EXPECT_EQ(b.PushRecord("d", "", 1, 0, 1, 1), -1);
  EXPECT_EQ(b.Count(), 2);
  disposed.clear();
  b.Clear();
  EXPECT_EQ(disposed, (std::vector<std::string>{longText + "c", "b"}));
  EXPECT_EQ(b.Count(), 0);
  b.SetMaxEntries(1);
  b.CircleMode = true;
  b.PushRecord("p", "", 1, 0, 1, 1);
  b.PushRecord("q", "", 1, 0, 1, 1);
  EXPECT_EQ(Steps(b), std::vector<std::string>{"q||1|0|1|1"});
}
} // namespace
