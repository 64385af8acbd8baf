// The calculator's amount fields as an assistive tool sees them, through the platform's
// accessibility interface (oleacc) in this process: role, the name a screen reader speaks (its
// label's caption), value, states, setting the value, and the focus, value and selection
// events while typing. The window is in its themed frame with the flat theme; the fields' own
// look plays no part in these answers.
#include "app/win32/Startup.h"
#include "app/win32/u_tabira.h"
#include "form/win32/SkForm.h"
#include "framework/win32/Application.h"
#include "framework/win32/tests/TestInput.h"
#include "maskedit/win32/MxMaskEdit.h"
#include "theme/win32/SkThemeServices.h"

#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr DWORD kSettleMs = 120;

struct TEvent {
  DWORD Event;
  HWND Window;
  LONG Object;
  LONG Child;
};
std::vector<TEvent> gEvents;

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
  gEvents.push_back({event, window, object, child});
}

class FrTabiraAccessible : public ::testing::Test {
protected:
  void SetUp() override {
    CoInitialize(nullptr);
    RegisterTabiraClasses();
    Window = std::make_unique<TfrTabira>();
    ASSERT_EQ(Window->Load(), "");
    Window->Show();
    SetForegroundWindow(Window->Handle());
    Pump(kSettleMs);
  }
  void TearDown() override {
    Window.reset();
    Pump(20);
    CoUninitialize();
  }
  TMxMaskEdit* Field(const char* name) { return dynamic_cast<TMxMaskEdit*>(Window->FindComponent(name)); }
  IAccessible* Object(const char* name) {
    IAccessible* object = nullptr;
    EXPECT_EQ(AccessibleObjectFromWindow(Field(name)->Handle(), OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&object)),
              S_OK);
    return object;
  }
  static std::wstring Text(HRESULT hr, BSTR b) {
    std::wstring s = SUCCEEDED(hr) && b ? std::wstring(b, SysStringLen(b)) : L"<none>";
    SysFreeString(b);
    return s;
  }
  static std::wstring Name(IAccessible* o) {
    BSTR b = nullptr;
    const HRESULT hr = o->get_accName(Self(), &b);
    return Text(hr, b);
  }
  static std::wstring Value(IAccessible* o) {
    BSTR b = nullptr;
    const HRESULT hr = o->get_accValue(Self(), &b);
    return Text(hr, b);
  }
  static LONG Long(HRESULT hr, const VARIANT& v) { return SUCCEEDED(hr) && v.vt == VT_I4 ? v.lVal : -1; }
  static VARIANT Self() {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = CHILDID_SELF;
    return v;
  }

  std::unique_ptr<TfrTabira> Window;
};

TEST_F(FrTabiraAccessible, FieldsAreEditableTextNamedByTheirLabels) {
  const std::pair<const char*, const wchar_t*> fields[] = {
      {"edUangTunai", L"Uang tunai"},
      {"edTabungan", L"Tabungan"},
      {"edPiutang", L"Piutang (yg masih  bisa diharapkan terlunasi)"},
      {"edEmasPerak", L"Perhiasan atau perabot dari emas atau perak"},
      {"edLain2", L"Lain-lain"},
      {"EdHrgEmas", L"Harga 1 gr emas 24 karat"},
      {"edNilaiZakat", L"ZAKAT (2,5% x Jumlah Harta) ="},
  };
  for (const auto& [field, name] : fields) {
    SCOPED_TRACE(field);
    IAccessible* o = Object(field);
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(Name(o), name);
    VARIANT role;
    VariantInit(&role);
    EXPECT_EQ(Long(o->get_accRole(Self(), &role), role), ROLE_SYSTEM_TEXT);
    EXPECT_EQ(Value(o), AccessibleWide(Field(field)->Text()));
    VARIANT state;
    VariantInit(&state);
    EXPECT_TRUE(Long(o->get_accState(Self(), &state), state) & STATE_SYSTEM_FOCUSABLE);
    o->Release();
  }
}

TEST_F(FrTabiraAccessible, StatesFollowFocusAndReadOnly) {
  Field("edTabungan")->SetFocus();
  Pump(kSettleMs);
  IAccessible* o = Object("edTabungan");
  ASSERT_NE(o, nullptr);
  VARIANT state;
  VariantInit(&state);
  EXPECT_TRUE(Long(o->get_accState(Self(), &state), state) & STATE_SYSTEM_FOCUSED);
  o->Release();
  // A read-only field says so, and setting its value is refused.
  Field("edTotalHarta")->Edit().SetReadOnly(true);
  for (const char* field : {"edTotalHarta"}) {
    SCOPED_TRACE(field);
    IAccessible* r = Object(field);
    ASSERT_NE(r, nullptr);
    VariantInit(&state);
    EXPECT_TRUE(Long(r->get_accState(Self(), &state), state) & STATE_SYSTEM_READONLY);
    BSTR value = SysAllocString(L"5");
    EXPECT_EQ(r->put_accValue(Self(), value), E_ACCESSDENIED);
    SysFreeString(value);
    r->Release();
  }
}

TEST_F(FrTabiraAccessible, SettingTheValueGoesThroughTheMask) {
  IAccessible* o = Object("edUangTunai");
  ASSERT_NE(o, nullptr);
  BSTR value = SysAllocString(L"12a3x4");
  EXPECT_EQ(o->put_accValue(Self(), value), S_OK);
  SysFreeString(value);
  Pump(kSettleMs);
  // The letters were refused as typing refuses them; the digits are in the amount.
  std::string digits;
  for (char c : Field("edUangTunai")->Text()) {
    if (c >= '0' && c <= '9') {
      digits += c;
    }
    EXPECT_TRUE(c < 'a' || c > 'z') << Field("edUangTunai")->Text();
  }
  EXPECT_EQ(digits, "1234");
  EXPECT_EQ(Value(o), AccessibleWide(Field("edUangTunai")->Text()));
  o->Release();
}

TEST_F(FrTabiraAccessible, FocusValueAndSelectionEventsFollowTyping) {
  gEvents.clear();
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_TEXTSELECTIONCHANGED, nullptr,
                                       OnWinEvent, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  HWND field = Field("edTabungan")->Handle();
  Field("edTabungan")->SetFocus();
  Pump(kSettleMs);
  SendKeyPress('7');
  SendKeyPress('5');
  Pump(kSettleMs);
  UnhookWinEvent(hook);
  auto seen = [&](DWORD event) {
    for (const TEvent& e : gEvents) {
      if (e.Event == event && e.Window == field && e.Object == OBJID_CLIENT) {
        return true;
      }
    }
    return false;
  };
  EXPECT_TRUE(seen(EVENT_OBJECT_FOCUS));
  EXPECT_TRUE(seen(EVENT_OBJECT_VALUECHANGE));
  EXPECT_TRUE(seen(EVENT_OBJECT_TEXTSELECTIONCHANGED));
  // The object an assistive tool gets from the focus event names the field.
  IAccessible* o = nullptr;
  VARIANT child;
  VariantInit(&child);
  ASSERT_EQ(AccessibleObjectFromEvent(field, OBJID_CLIENT, CHILDID_SELF, &o, &child), S_OK);
  EXPECT_EQ(Name(o), L"Tabungan");
  EXPECT_NE(Value(o).find(L"75"), std::wstring::npos);
  o->Release();
}

} // namespace

namespace {

VARIANT Child(LONG id) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

// The self-drawn caption buttons as the title bar's push buttons, where they are drawn; the
// shown ones reached by navigation; "Minimize" pressed through its default action.
TEST_F(FrTabiraAccessible, CaptionButtonsAreTheTitleBarsButtons) {
  IAccessible* bar = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(Window->Handle(), DWORD(OBJID_TITLEBAR), __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&bar)),
            S_OK);
  ASSERT_NE(bar, nullptr);
  VARIANT role;
  EXPECT_EQ(Long(bar->get_accRole(Self(), &role), role), ROLE_SYSTEM_TITLEBAR);
  wchar_t caption[128];
  GetWindowTextW(Window->Handle(), caption, 128);
  EXPECT_EQ(Name(bar), caption);

  // The shown buttons, first to last.
  auto* frame = dynamic_cast<TSkForm*>(Window->FindComponent("SkForm1"));
  ASSERT_NE(frame, nullptr);
  RECT window{};
  GetWindowRect(Window->Handle(), &window);
  std::vector<std::wstring> names;
  VARIANT at;
  HRESULT hr = bar->accNavigate(NAVDIR_FIRSTCHILD, Self(), &at);
  while (hr == S_OK && at.vt == VT_I4) {
    BSTR b = nullptr;
    const HRESULT named = bar->get_accName(at, &b);
    names.push_back(Text(named, b));
    VARIANT r;
    EXPECT_EQ(Long(bar->get_accRole(at, &r), r), ROLE_SYSTEM_PUSHBUTTON);
    long x = 0, y = 0, w = 0, h = 0;
    ASSERT_EQ(bar->accLocation(&x, &y, &w, &h, at), S_OK);
    const TskRect drawn = frame->Geometry().ButtonRect(names.back() == L"Close" ? kbiClose : kbiMinimize);
    EXPECT_EQ(x, window.left + drawn.Left);
    EXPECT_EQ(y, window.top + drawn.Top);
    EXPECT_EQ(w, drawn.Right - drawn.Left);
    VARIANT hit;
    EXPECT_EQ(bar->accHitTest(x + w / 2, y + h / 2, &hit), S_OK);
    EXPECT_EQ(hit.lVal, at.lVal);
    const VARIANT from = at;
    hr = bar->accNavigate(NAVDIR_NEXT, from, &at);
  }
  EXPECT_EQ(names, (std::vector<std::wstring>{L"Minimize", L"Close"}));
  VARIANT state;
  EXPECT_EQ(Long(bar->get_accState(Child(3), &state), state), STATE_SYSTEM_INVISIBLE) << "no maximise button";

  EXPECT_EQ(bar->accDoDefaultAction(Child(2)), S_OK);
  EXPECT_TRUE(WaitUntil([&] { return IsIconic(Window->Handle()) != FALSE; }));
  BSTR b = nullptr;
  const HRESULT named = bar->get_accName(Child(2), &b);
  EXPECT_EQ(Text(named, b), L"Restore") << "the same button restores now";
  bar->Release();
}

} // namespace

namespace {

// The labels the group boxes paint are static-text children of their group box, which is a
// grouping named by its caption; each label is where it is drawn.
TEST_F(FrTabiraAccessible, GroupBoxesAreGroupingsWithTheirLabels) {
  auto* group = dynamic_cast<TWinControl*>(Window->FindComponent("GroupBox2"));
  ASSERT_NE(group, nullptr);
  IAccessible* box = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(group->Handle(), DWORD(OBJID_CLIENT), __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&box)),
            S_OK);
  VARIANT role;
  EXPECT_EQ(Long(box->get_accRole(Self(), &role), role), ROLE_SYSTEM_GROUPING);
  EXPECT_EQ(Name(box), L"Total harta tersimpan selama 1 Haul (1 tahun hijriyah)");
  long count = 0;
  ASSERT_EQ(box->get_accChildCount(&count), S_OK);
  std::vector<std::wstring> labels;
  long firstLabel = 0;
  for (long id = 1; id <= count; ++id) {
    const VARIANT c = Child(id);
    VARIANT r;
    if (Long(box->get_accRole(c, &r), r) != ROLE_SYSTEM_STATICTEXT) {
      continue;
    }
    firstLabel = firstLabel ? firstLabel : id;
    BSTR b = nullptr;
    const HRESULT named = box->get_accName(c, &b);
    labels.push_back(Text(named, b));
    if (labels.back() == L"Uang tunai") {
      auto* label = dynamic_cast<TWinControl*>(Window->FindComponent("lbUangTunai"));
      ASSERT_NE(label, nullptr);
      POINT at{label->Left(), label->Top()};
      ClientToScreen(group->Handle(), &at);
      long x = 0, y = 0, w = 0, h = 0;
      ASSERT_EQ(box->accLocation(&x, &y, &w, &h, c), S_OK);
      EXPECT_EQ(x, at.x);
      EXPECT_EQ(y, at.y);
      EXPECT_EQ(w, label->Width());
      VARIANT hit;
      EXPECT_EQ(box->accHitTest(x + 1, y + 1, &hit), S_OK);
      EXPECT_EQ(hit.lVal, id);
    }
  }
  for (const wchar_t* want : {L"Uang tunai", L"Tabungan", L"Lain-lain"}) {
    EXPECT_NE(std::find(labels.begin(), labels.end(), want), labels.end()) << std::wstring(want);
  }
  // The labels follow the platform's children, and next and previous walk them.
  ASSERT_GT(firstLabel, 1) << "the group box's child windows come first";
  VARIANT next;
  EXPECT_EQ(box->accNavigate(NAVDIR_NEXT, Child(firstLabel - 1), &next), S_OK);
  EXPECT_EQ(next.lVal, firstLabel);
  box->Release();
}

} // namespace
