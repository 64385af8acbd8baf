#include "framework/LayoutLoader.h"
#include "framework/Font.h"

#include <gtest/gtest.h>

namespace {

// Records what happens to it, in one journal shared by all components of a test.
class TProbe : public TComponent {
public:
  explicit TProbe(std::vector<std::string>& journal) : Journal(journal) {}
  ~TProbe() override { Journal.push_back("free " + Name()); }

  TPropertyResult ReadProperty(const std::string& name, const TLayoutValue& value) override {
    if (name == "Decimals") {
      auto d = LayoutInt(value, 0, 4);
      if (!d) {
        return TPropertyResult::Bad("0 to 4");
      }
      Journal.push_back(Name() + " read Decimals loading=" + (IsLoading() ? "1" : "0"));
      FDecimals = *d; // stored as given: the setter's side effects do not run
      return TPropertyResult::Ok();
    }
    if (name.rfind("Font.", 0) == 0) {
      return ReadFontProperty(Font, name.substr(5), value);
    }
    if (name == "OnClick") {
      if (value.Kind != TLayoutValue::TKind::Identifier) {
        return TPropertyResult::Bad("a handler name");
      }
      OnClick = Root()->FindMethod(value.Text);
      if (!OnClick) {
        return TPropertyResult::Bad("no handler " + value.Text);
      }
      return TPropertyResult::Ok();
    }
    return TPropertyResult::Unknown();
  }
  void SetDecimals(int d) {
    FDecimals = d;
    Journal.push_back(Name() + " setter");
  }
  void Loaded() override {
    TComponent::Loaded();
    Journal.push_back("loaded " + Name());
  }
  TNotifyEvent FindMethod(const std::string& name) const override {
    if (name == "Handler") {
      return [this](TComponent*) { Journal.push_back("handler"); };
    }
    return {};
  }

  std::vector<std::string>& Journal;
  int FDecimals = 1;
  TFontData Font;
  TNotifyEvent OnClick;
};

TComponentFactory ProbeFactory(std::vector<std::string>& journal) {
  return [&journal](const std::string& cls, TComponent& parent) -> std::unique_ptr<TComponent> {
    if (cls != "TProbe") {
      return nullptr;
    }
    journal.push_back("create");
    return std::make_unique<TProbe>(journal);
  };
}

TEST(LayoutLoader, CreatesInOrderAppliesOnlyStoredPropertiesThenLoadsChildrenFirst) {
  const char* text = R"(
TRoot R {
  TProbe A {
    Decimals = 0
    Font.Style = [fsBold]
    OnClick = Handler
    TProbe A1 { }
  }
  TProbe B { }
}
)";
  std::vector<std::string> journal;
  {
    TProbe root(journal);
    TLoadResult result = ReadComponents(root, "TRoot", *ReadLayout(text).Root, ProbeFactory(journal));
    ASSERT_TRUE(result.Ok()) << result.Error;
    ASSERT_EQ(result.Created.size(), 4u);
    EXPECT_TRUE(root.IsLoading());
    FinishLoading(result);
    EXPECT_FALSE(root.IsLoading());
    auto* a = static_cast<TProbe*>(root.FindComponent("A"));
    auto* b = static_cast<TProbe*>(root.FindComponent("B"));
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->FDecimals, 0);
    EXPECT_EQ(b->FDecimals, 1); // not stored: the default stays, no setter ran
    EXPECT_TRUE(a->Font.Bold());
    ASSERT_TRUE(a->OnClick);
    a->OnClick(a);
    EXPECT_EQ(a->Owner(), &root);
  }
  const std::vector<std::string> expected = {
      "create", "A read Decimals loading=1", "create", "create", "loaded A", "loaded A1", "loaded B",
      "loaded R", "handler",
      // The root's own destructor runs first, then it frees what it owns, last created first.
      "free R", "free B", "free A1", "free A"};
  EXPECT_EQ(journal, expected);
}

TEST(LayoutLoader, ReportsTheFirstFaultWithItsLine) {
  struct TCase {
    const char* Text;
    const char* Error;
  } cases[] = {
      {"TOther R { }", "line 1: the layout describes a TOther, not a TRoot"},
      {"TRoot R {\n TWidget W { }\n}", "line 2: cannot create a TWidget inside R"},
      {"TRoot R {\n TProbe A { }\n TProbe A { }\n}", "line 3: the name 'A' is used twice"},
      {"TRoot R {\n TProbe A {\n  Colour = 1\n }\n}", "line 3: TProbe A has no property 'Colour'"},
      {"TRoot R {\n TProbe A {\n  Decimals = 9\n }\n}", "line 3: bad value for A.Decimals: 0 to 4"},
      {"TRoot R {\n TProbe A {\n  OnClick = Nothing\n }\n}",
       "line 3: bad value for A.OnClick: no handler Nothing"},
      {"TRoot R {\n TProbe A {\n  Font.Style = [fsHeavy]\n }\n}",
       "line 3: bad value for A.Font.Style: unknown font style 'fsHeavy'"},
  };
  for (const TCase& c : cases) {
    std::vector<std::string> journal;
    TProbe root(journal);
    TLayoutReadResult read = ReadLayout(c.Text);
    ASSERT_TRUE(read.Ok()) << c.Text;
    TLoadResult result = ReadComponents(root, "TRoot", *read.Root, ProbeFactory(journal));
    EXPECT_EQ(result.Error, c.Error);
  }
}

} // namespace
