// tabira.exe end to end, driven from outside as a person uses it: keystrokes and clicks
// through SendInput, the fields read with WM_GETTEXT, message boxes read and dismissed.
// ctest runs this program in the Indonesian locale ("." groups, "," separates decimals).
#include "app/win32/tests/TabiraDriver.h"
#include "framework/win32/tests/TestInput.h"
#include "framework/win32/tests/TestShots.h"

#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kAmountFields = {"edUangTunai", "edTabungan", "edPiutang",
                                                "edEmasPerak", "edLain2",    "edTotalHarta",
                                                "EdHrgEmas",   "EdNishab",   "edNilaiZakat"};

std::vector<std::string> Texts(const TTabiraDriver& d) {
  std::vector<std::string> texts;
  for (const std::string& name : kAmountFields) {
    texts.push_back(d.Text(name));
  }
  return texts;
}

// Expects a refusal with the given text; dismisses it.
void ExpectRefusal(TTabiraDriver& d, const char* text) {
  auto message = d.WaitForMessage();
  ASSERT_TRUE(message) << "no message box for: " << text;
  EXPECT_EQ(message->Caption, "Tabira");
  EXPECT_EQ(message->Text, text);
  d.DismissMessage();
  EXPECT_FALSE(d.WaitForMessage(200)) << "a second message followed the refusal";
}

void EnterAssets(TTabiraDriver& d) {
  d.Replace("edUangTunai", "25000000");
  d.Replace("edTabungan", "30000000");
  d.Replace("edPiutang", "1234567");
}

TEST(TabiraCalculator, StartsWithZeroFieldsAndTheFocusInCash) {
  TTabiraDriver d;
  char caption[64] = {};
  GetWindowTextA(d.Window(), caption, sizeof caption);
  EXPECT_STREQ(caption, " Tabira 1.0");
  RECT client{};
  GetClientRect(d.Window(), &client);
  EXPECT_EQ(client.right - client.left, 377);
  EXPECT_EQ(client.bottom - client.top, 476);

  // The stored layout was read: the 16 windowed controls are there (the labels are painted
  // by their containers), the fields and buttons at their places.
  int windows = 0;
  EnumChildWindows(
      d.Window(), [](HWND, LPARAM count) { return ++*reinterpret_cast<int*>(count), TRUE; },
      reinterpret_cast<LPARAM>(&windows));
  EXPECT_EQ(windows, 16);
  for (const char* name : {"btJumlah", "BtHitungNsb", "btHitung", "btReset"}) {
    EXPECT_NE(d.Control(name), nullptr) << name;
  }
  char text[32] = {};
  GetWindowTextA(d.Control("btHitung"), text, sizeof text);
  EXPECT_STREQ(text, "&HITUNG");
  for (const char* name : {"edUangTunai", "edTabungan", "edPiutang", "edEmasPerak", "edLain2"}) {
    EXPECT_EQ(d.Text(name), " 0") << name;
  }
  for (const char* name : {"edTotalHarta", "EdHrgEmas", "EdNishab"}) {
    EXPECT_EQ(d.Text(name), " 0,00") << name;
  }
  EXPECT_EQ(d.Text("edNilaiZakat"), "Rp 0,00");
  EXPECT_EQ(d.Focus(), d.Control("edUangTunai"));
  EXPECT_EQ(d.Close(), 0u);
}

TEST(TabiraCalculator, TabWalksTheFieldsAndButtonsInOrder) {
  TTabiraDriver d;
  const char* order[] = {"edUangTunai", "edTabungan",   "edPiutang", "edEmasPerak", "edLain2",
                         "btJumlah",    "edTotalHarta", "EdHrgEmas", "BtHitungNsb", "EdNishab",
                         "btHitung",    "edNilaiZakat", "btReset",   "edUangTunai"};
  ASSERT_EQ(d.Focus(), d.Control("edUangTunai"));
  for (size_t i = 1; i < std::size(order); ++i) {
    d.Press(VK_TAB);
    EXPECT_EQ(d.Focus(), d.Control(order[i])) << "stop " << i << " should be " << order[i];
  }
}

TEST(TabiraCalculator, WorkedExampleWithTwoCurrencyDigits) {
  TTabiraDriver d;
  EnterAssets(d);
  EXPECT_EQ(d.Text("edUangTunai"), " 25.000.000");
  EXPECT_EQ(d.Text("edTabungan"), " 30.000.000");
  EXPECT_EQ(d.Text("edPiutang"), " 1.234.567");

  d.Click("btJumlah");
  EXPECT_EQ(d.Text("edTotalHarta"), " 56.234.567,00");

  // Leaving the gold price fills the nishab.
  d.Replace("EdHrgEmas", "250000");
  d.Type("\t");
  EXPECT_EQ(d.Text("EdHrgEmas"), " 250.000,00");
  EXPECT_EQ(d.Text("EdNishab"), " 21.250.000,00");

  d.Click("btHitung");
  EXPECT_FALSE(d.WaitForMessage(200));
  EXPECT_EQ(d.Text("edNilaiZakat"), "Rp 1.405.864,17"); // cut, not rounded
  SaveShot("tabira.bmp", GrabWindow(d.Window()));

  // Alt+H runs HITUNG with the focus still in the price field: the nishab is not
  // recomputed, so the old one passes...
  d.Replace("EdHrgEmas", "700000");
  d.Press('H', VK_MENU);
  EXPECT_FALSE(d.WaitForMessage(300));
  EXPECT_EQ(d.Focus(), d.Control("EdHrgEmas"));
  EXPECT_EQ(d.Text("EdNishab"), " 21.250.000,00");
  EXPECT_EQ(d.Text("edNilaiZakat"), "Rp 1.405.864,17");

  // ...while a click on HITUNG moves the focus first: the nishab follows the new price,
  // and the total is now below it.
  d.Click("btHitung");
  ExpectRefusal(d, "Harta anda kurang dari nishab sehingga belum wajib zakat");
  EXPECT_EQ(d.Text("EdNishab"), " 59.500.000,00");
  EXPECT_EQ(d.Text("edNilaiZakat"), "Rp 1.405.864,17");
}

// The worked example in every look the packages ship, started by its command-line argument:
// the same results in each, and each look drawn differently. Writes looks-<n>.bmp for the
// contact sheet (scripts/looks-sheet.sh).
TEST(TabiraCalculator, WorkedExampleInEveryShippedLook) {
  const char* teal = std::getenv("TABIRA_DEMO_SKIN");
  const char* gelap = std::getenv("TABIRA_GELAP_SKIN");
  ASSERT_TRUE(teal && gelap) << "TABIRA_DEMO_SKIN and TABIRA_GELAP_SKIN name the shipped skins";
  const std::string looks[] = {"Flat", "OfficeXP", "\"" + std::string(teal) + "\"",
                               "\"" + std::string(gelap) + "\""};
  std::vector<std::vector<COLORREF>> seen;
  for (std::size_t i = 0; i < std::size(looks); ++i) {
    TTabiraDriver d(looks[i]);
    EXPECT_FALSE(d.WaitForMessage(200)) << looks[i] << " was refused";
    EnterAssets(d);
    d.Click("btJumlah");
    d.Replace("EdHrgEmas", "250000");
    d.Type("\t");
    d.Click("btHitung");
    EXPECT_FALSE(d.WaitForMessage(200));
    EXPECT_EQ(d.Text("edTotalHarta"), " 56.234.567,00") << looks[i];
    EXPECT_EQ(d.Text("EdNishab"), " 21.250.000,00") << looks[i];
    EXPECT_EQ(d.Text("edNilaiZakat"), "Rp 1.405.864,17") << looks[i];
    d.Settle();
    Pump(200);
    const TScreenShot shot = GrabWindow(d.Window());
    SaveShot(("looks-" + std::to_string(i) + ".bmp").c_str(), shot);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), shot.Pixels), 0)
        << looks[i] << " looks like an earlier look";
    seen.push_back(shot.Pixels);
  }
}

TEST(TabiraCalculator, TheFramesCloseButtonEndsTheProgramWithExitCodeZero) {
  TTabiraDriver d;
  // Found the way the platform finds it: by asking the window what is under the pointer.
  RECT r{};
  GetWindowRect(d.Window(), &r);
  POINT close{0, 0};
  for (LONG x = r.right - 1; x > r.right - 80 && !close.x; --x) {
    for (LONG y = r.top; y < r.top + 30; ++y) {
      if (SendMessageA(d.Window(), WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
        close = {x - 4, y + 4};
        break;
      }
    }
  }
  ASSERT_NE(close.x, 0) << "no close button on the frame";
  ASSERT_EQ(SendMessageA(d.Window(), WM_NCHITTEST, 0, MAKELPARAM(close.x, close.y)), HTCLOSE);
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, close);
  d.Settle();
  SendMouse(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE, close);
  d.Settle();
  SendMouse(MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE, close);
  EXPECT_EQ(d.WaitForExit(10000), 0u);
}

TEST(TabiraCalculator, RefusalsResetNegativesAndAmountsTooLarge) {
  TTabiraDriver d;
  // No assets: JUMLAH refuses and the total keeps its text.
  d.Click("btJumlah");
  ExpectRefusal(d, "Masukkan terlebih dahulu data harta anda!");
  EXPECT_EQ(d.Text("edTotalHarta"), " 0,00");

  // A negative amount shows in parentheses and reads as 0.
  d.Replace("edUangTunai", "5000");
  d.Type("-");
  EXPECT_EQ(d.Text("edUangTunai"), "( 5.000)");
  d.Replace("edTabungan", "1000");
  d.Click("btJumlah");
  EXPECT_EQ(d.Text("edTotalHarta"), " 1.000,00");

  // A gold price whose nishab the field cannot hold is refused; the nishab keeps its text.
  d.Replace("EdHrgEmas", "250000");
  d.Click("BtHitungNsb");
  EXPECT_EQ(d.Text("EdNishab"), " 21.250.000,00");
  d.Replace("EdHrgEmas", "20000000000000");
  d.Type("\t");
  ExpectRefusal(d, "Jumlah terlalu besar untuk dihitung!");
  EXPECT_EQ(d.Text("EdNishab"), " 21.250.000,00");

  // RESET empties all nine fields, whatever they showed.
  d.Click("btReset");
  EXPECT_EQ(Texts(d),
            (std::vector<std::string>{" 0", " 0", " 0", " 0", " 0", " 0,00", " 0,00", " 0,00", "Rp 0,00"}));
}

// The same calculator where the locale shows no currency decimals.
TEST(TabiraCalculatorZeroDigits, WorkedExampleAndTheTextChecks) {
  TCurrencyDigitsOverride digits("0");
  TTabiraDriver d;
  EXPECT_EQ(Texts(d), (std::vector<std::string>{" 0", " 0", " 0", " 0", " 0", " 0", " 0", " 0", "Rp 0"}));

  // The total's zero text is "0": HITUNG asks for the total first, and changes nothing.
  const auto before = Texts(d);
  d.Click("btHitung");
  ExpectRefusal(d, "Hitung terlebih dahulu total harta anda!");
  EXPECT_EQ(Texts(d), before);

  EnterAssets(d);
  d.Click("btJumlah");
  EXPECT_EQ(d.Text("edTotalHarta"), " 56.234.567");

  // With a total but no gold price, HITUNG and NISHAB both ask for the price.
  d.Click("btHitung");
  ExpectRefusal(d, "Masukkan terlebih dahulu harga emas murni saat ini!");
  d.Click("BtHitungNsb");
  ExpectRefusal(d, "Masukkan terlebih dahulu harga emas murni saat ini!");

  d.Replace("EdHrgEmas", "250000");
  d.Type("\t");
  EXPECT_EQ(d.Text("EdNishab"), " 21.250.000");
  d.Click("btHitung");
  EXPECT_EQ(d.Text("edNilaiZakat"), "Rp 1.405.864");
}

} // namespace

namespace {

// tabira.exe seen by an assistive tool in another process, as a screen reader sees it: a
// field's role, spoken name and value, and the title bar's buttons, through oleacc's
// marshalling.
TEST(TabiraCalculator, AnotherProcessHearsTheFieldsAndTheTitleBar) {
  CoInitialize(nullptr);
  {
    TTabiraDriver d;
    d.Replace("edUangTunai", "1500");
    auto text = [](IAccessible* o, LONG id, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) {
      VARIANT c;
      VariantInit(&c);
      c.vt = VT_I4;
      c.lVal = id;
      BSTR b = nullptr;
      const HRESULT hr = (o->*get)(c, &b);
      std::wstring s = SUCCEEDED(hr) && b ? std::wstring(b) : L"<none>";
      SysFreeString(b);
      return s;
    };
    IAccessible* field = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(d.Control("edUangTunai"), DWORD(OBJID_CLIENT), __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&field)),
              S_OK);
    VARIANT self, role;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    ASSERT_EQ(field->get_accRole(self, &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_TEXT);
    EXPECT_EQ(text(field, CHILDID_SELF, &IAccessible::get_accName), L"Uang tunai");
    EXPECT_EQ(text(field, CHILDID_SELF, &IAccessible::get_accValue), L" 1.500");
    field->Release();

    IAccessible* bar = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(d.Window(), DWORD(OBJID_TITLEBAR), __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&bar)),
              S_OK);
    EXPECT_EQ(text(bar, 2, &IAccessible::get_accName), L"Minimize");
    EXPECT_EQ(text(bar, 5, &IAccessible::get_accName), L"Close");
    bar->Release();
    EXPECT_EQ(d.Close(), 0u);
  }
  CoUninitialize();
}

} // namespace
