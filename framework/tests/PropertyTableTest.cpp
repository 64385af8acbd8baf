#include "framework/PropertyTable.h"

#include <gtest/gtest.h>

namespace {

enum class TShade { shLight, shDark };

// A component with one field of each kind a table reads; it knows one handler, "Known".
class TSample : public TComponent {
public:
  int Count = -1;
  bool Flag = false;
  std::string Label;
  TShade Shade = TShade::shLight;
  unsigned Bits = 0;
  TNotifyEvent OnPing;

  TNotifyEvent FindMethod(const std::string& name) const override {
    if (name == "Known") {
      return [](TComponent*) {};
    }
    return {};
  }
};

using P = TPropertyTable<TSample>;

const P& Table() {
  static const P kTable{
      {"Count", P::Int(1, 9, [](TSample& s, int v) { s.Count = v; })},
      {"Sized", P::Int(
                    0, 5, [](TSample& s, int v) { s.Count = v; }, "a size")},
      {"Flag", P::Bool([](TSample& s, bool v) { s.Flag = v; })},
      {"Label", P::String([](TSample& s, const std::string& v) { s.Label = v; })},
      {"Shade", P::Enum<TShade>({{"shLight", TShade::shLight}, {"shDark", TShade::shDark}},
                                [](TSample& s, TShade v) { s.Shade = v; })},
      {"Bits", P::Set(
                   {{"bOne", 1}, {"bTwo", 2}}, [](TSample& s, unsigned v) { s.Bits = v; }, "a set of bits",
                   [](const std::string& item) { return "no bit " + item; })},
      {"OnPing", P::Event([](TSample& s) -> TNotifyEvent& { return s.OnPing; })},
  };
  return kTable;
}

struct TCase {
  const char* Name;
  TLayoutValue Value;
  TPropertyResult::TCode Code;
  const char* Message; // for BadValue
};

TEST(PropertyTable, EachReaderAcceptsItsKindAndNamesWhatItExpects) {
  const TCase cases[] = {
      {"Count", TLayoutValue::MakeInteger(4), TPropertyResult::TCode::Ok, ""},
      {"Count", TLayoutValue::MakeInteger(10), TPropertyResult::TCode::BadValue, "a number from 1 to 9"},
      {"Count", TLayoutValue::MakeString("4"), TPropertyResult::TCode::BadValue, "a number from 1 to 9"},
      {"Sized", TLayoutValue::MakeInteger(6), TPropertyResult::TCode::BadValue, "a size"},
      {"Flag", TLayoutValue::MakeIdentifier("true"), TPropertyResult::TCode::Ok, ""},
      {"Flag", TLayoutValue::MakeIdentifier("yes"), TPropertyResult::TCode::BadValue, "true or false"},
      {"Label", TLayoutValue::MakeString("x"), TPropertyResult::TCode::Ok, ""},
      {"Label", TLayoutValue::MakeInteger(1), TPropertyResult::TCode::BadValue, "a string"},
      {"Shade", TLayoutValue::MakeIdentifier("shDark"), TPropertyResult::TCode::Ok, ""},
      {"Shade", TLayoutValue::MakeIdentifier("shGrey"), TPropertyResult::TCode::BadValue,
       "one of shLight, shDark"},
      {"Shade", TLayoutValue::MakeString("shDark"), TPropertyResult::TCode::BadValue,
       "one of shLight, shDark"},
      {"Bits", TLayoutValue::MakeSet({"bOne", "bTwo"}), TPropertyResult::TCode::Ok, ""},
      {"Bits", TLayoutValue::MakeSet({"bOne", "bThree"}), TPropertyResult::TCode::BadValue, "no bit bThree"},
      {"Bits", TLayoutValue::MakeIdentifier("bOne"), TPropertyResult::TCode::BadValue, "a set of bits"},
      {"OnPing", TLayoutValue::MakeIdentifier("Known"), TPropertyResult::TCode::Ok, ""},
      {"OnPing", TLayoutValue::MakeIdentifier("Missing"), TPropertyResult::TCode::BadValue,
       "there is no handler named Missing"},
      {"OnPing", TLayoutValue::MakeString("Known"), TPropertyResult::TCode::BadValue, "a handler name"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TSample sample;
    const std::optional<TPropertyResult> r = Table().Read(sample, c.Name, c.Value);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->Code, c.Code);
    EXPECT_EQ(r->Message, c.Message);
  }
}

TEST(PropertyTable, AppliesOnlyAcceptedValues) {
  TSample s;
  ASSERT_EQ(Table().Read(s, "Count", TLayoutValue::MakeInteger(7))->Code, TPropertyResult::TCode::Ok);
  ASSERT_EQ(Table().Read(s, "Count", TLayoutValue::MakeInteger(70))->Code, TPropertyResult::TCode::BadValue);
  EXPECT_EQ(s.Count, 7);
  ASSERT_EQ(Table().Read(s, "Shade", TLayoutValue::MakeIdentifier("shDark"))->Code,
            TPropertyResult::TCode::Ok);
  EXPECT_EQ(s.Shade, TShade::shDark);
  ASSERT_EQ(Table().Read(s, "Bits", TLayoutValue::MakeSet({"bTwo", "bOne"}))->Code,
            TPropertyResult::TCode::Ok);
  EXPECT_EQ(s.Bits, 3u);
  // A set with an unknown item changes nothing.
  ASSERT_EQ(Table().Read(s, "Bits", TLayoutValue::MakeSet({"bOne", "bNine"}))->Code,
            TPropertyResult::TCode::BadValue);
  EXPECT_EQ(s.Bits, 3u);
  ASSERT_EQ(Table().Read(s, "OnPing", TLayoutValue::MakeIdentifier("Known"))->Code,
            TPropertyResult::TCode::Ok);
  EXPECT_TRUE(static_cast<bool>(s.OnPing));
}

TEST(PropertyTable, NamesOutsideTheTableAreLeftToTheCaller) {
  TSample s;
  EXPECT_FALSE(Table().Read(s, "Colour", TLayoutValue::MakeInteger(1)).has_value());
  EXPECT_FALSE(Table().Read(s, "count", TLayoutValue::MakeInteger(1)).has_value()); // names are exact
}

} // namespace
