// The calculator window in-process, under real windows and real input: layout, fonts, tab
// order, accelerators, exit events, message boxes, tooltips and resource use.
#include "app/win32/Startup.h"
#include "app/win32/u_tabira.h"
#include "form/win32/SkForm.h"
#include "framework/Abort.h"
#include "framework/win32/Application.h"
#include "framework/win32/Handles.h"
#include "framework/win32/tests/TestInput.h"
#include "framework/win32/tests/TestLook.h"
#include "framework/win32/tests/TestShots.h"
#include "maskedit/win32/MxMaskEdit.h"
#include "theme/SkThemeEngine.h"
#include "theme/SkThemeManager.h"
#include "theme/win32/SkThemeServices.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

// The window with its handlers recording what ran, in order.
class TRecordingWindow : public TfrTabira {
public:
  std::vector<std::string> Journal;
  bool RefuseReset = false;

  void FormCreate(TComponent*) override { Journal.push_back("FormCreate"); }
  void btJumlahClick(TComponent*) override { Journal.push_back("btJumlahClick"); }
  void BtHitungNsbClick(TComponent*) override { Journal.push_back("BtHitungNsbClick"); }
  void btHitungClick(TComponent*) override { Journal.push_back("btHitungClick"); }
  void btResetClick(TComponent*) override {
    Journal.push_back("btResetClick");
    if (RefuseReset) {
      TApplication::Instance().ShowMessage("Masukkan terlebih dahulu data harta anda!");
      Abort();
      Journal.push_back("after the refusal"); // never runs
    }
  }
  void EdHrgEmasExit(TComponent*) override { Journal.push_back("EdHrgEmasExit"); }

  TWinControl* Control(const char* name) { return dynamic_cast<TWinControl*>(FindComponent(name)); }
};

// How long the window is given to handle a key or a click.
constexpr DWORD kSettleMs = 120;

void Press(WORD vk, WORD modifier = 0) {
  SendKeyPress(vk, modifier);
  Pump(kSettleMs);
}

// Moves the pointer onto the window's centre, then presses and releases the left button,
// letting each step be handled as a user's would be. Every event carries the position, so
// none depends on where an earlier move has got to.
void ClickAt(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  SetCursorPos(centre.x, centre.y);
  SendMouse(0, centre);
  Pump(40);
  SendMouse(MOUSEEVENTF_LEFTDOWN, centre);
  Pump(40);
  SendMouse(MOUSEEVENTF_LEFTUP, centre);
  Pump(kSettleMs);
}

std::string FocusedName() {
  TWinControl* c = TWinControl::FromHandle(GetFocus());
  return c ? c->Name() : "(none)";
}

// Closes every message box captioned "Tabira" from another thread, noting what it showed.
class TBoxCloser {
public:
  struct TSeen {
    std::string Text;
    bool Centred = false;
    bool OnlyOk = false;
  };

  TBoxCloser() : FThread([this] { Run(); }) {}
  ~TBoxCloser() {
    FStop = true;
    if (FThread.joinable()) {
      FThread.join();
    }
  }
  std::vector<TSeen> Seen() {
    FStop = true;
    if (FThread.joinable()) {
      FThread.join();
    }
    return FSeen;
  }

private:
  void Run() {
    while (!FStop) {
      HWND box = FindWindowA("#32770", "Tabira");
      if (box && IsWindowVisible(box)) {
        TSeen seen;
        char text[512] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        seen.Text = text;
        RECT r{};
        GetWindowRect(box, &r);
        int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
        seen.Centred =
            std::abs((r.left + r.right) / 2 - cx / 2) <= 1 && std::abs((r.top + r.bottom) / 2 - cy / 2) <= 1;
        char ok[16] = {};
        GetDlgItemTextA(box, IDOK, ok, sizeof ok);
        seen.OnlyOk = std::string(ok) == "OK" && !GetDlgItem(box, IDCANCEL) && !GetDlgItem(box, IDYES);
        FSeen.push_back(seen);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
        while (IsWindow(box) && !FStop) {
          Sleep(5);
        }
      }
      Sleep(10);
    }
  }
  std::atomic<bool> FStop{false};
  std::vector<TSeen> FSeen;
  std::thread FThread;
};

class FrTabira : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterTabiraClasses();
    Window = std::make_unique<TRecordingWindow>();
    std::string error = Window->Load();
    ASSERT_EQ(error, "");
    Window->Show();
    SetForegroundWindow(Window->Handle());
    Pump(kSettleMs);
    ExpectLookTaken(dynamic_cast<TMxMaskEdit&>(*Window->Control("EdHrgEmas")).ThemeInUse());
  }
  void TearDown() override {
    Window.reset();
    Pump(20);
  }
  void FocusOn(const char* name) {
    Window->Control(name)->SetFocus();
    Pump(kSettleMs);
    Window->Journal.clear();
  }
  std::unique_ptr<TRecordingWindow> Window;
};

TEST_F(FrTabira, ItsThemeEngineMakesTheFlatThemeCurrent) {
  auto* engine = dynamic_cast<TSkThemeEngine*>(Window->FindComponent("SkThemeEngine1"));
  ASSERT_NE(engine, nullptr);
  EXPECT_EQ(engine->ThemeBuilding(), "Flat");
  TskTheme* theme = TskThemeManager::Instance().CurrentTheme();
  ASSERT_NE(theme, nullptr);
  EXPECT_EQ(theme->BuildingName(), "Flat");
  EXPECT_TRUE(theme->WindowAvailable(0, "default"));
}

struct TExpectedControl {
  const char* Name;
  const char* Parent;
  RECT Bounds;         // left, top, width, height
  const char* Caption; // null: an amount field, whose window text is its own text
  const char* Face;
  int Height;
  bool Bold;
  TColor FontColor;
};

constexpr TColor kBlue = RGBColor(0, 128, 192);
constexpr TColor kCream = RGBColor(255, 251, 240);

TEST_F(FrTabira, ControlsHaveTheirBoundsCaptionsAndFonts) {
  const char* ms = "MS Sans Serif";
  const TExpectedControl expected[] = {
      {"Label1",
       "frTabira",
       {64, 8, 252, 19},
       "PENGHITUNG ZAKAT MAAL",
       "Bookman Old Style",
       -16,
       true,
       kBlue},
      {"Label2", "frTabira", {8, 458, 94, 13}, "www.tabira.web.id", ms, -11, false, clWindowText},
      {"GroupBox1", "frTabira", {8, 240, 361, 105}, "Nishab Zakat", ms, -11, true, clWindowText},
      {"lbHrgEmas", "GroupBox1", {8, 24, 120, 13}, "Harga 1 gr emas 24 karat", ms, -11, false, clWindowText},
      {"lbNishab",
       "GroupBox1",
       {8, 48, 257, 13},
       "Maka Nishab Zakat (Senilai 85 gr Emas Murni) adalah:",
       ms,
       -11,
       false,
       clWindowText},
      {"EdHrgEmas", "GroupBox1", {240, 24, 112, 21}, nullptr, ms, -11, true, clWindowText},
      {"EdNishab", "GroupBox1", {240, 76, 112, 21}, nullptr, ms, -11, true, kBlue},
      {"BtHitungNsb", "GroupBox1", {144, 74, 83, 25}, "&NISHAB", ms, -11, true, clWindowText},
      {"GroupBox2",
       "frTabira",
       {8, 40, 361, 185},
       "Total harta tersimpan selama 1 Haul (1 tahun hijriyah)",
       ms,
       -11,
       true,
       clBlack},
      {"lbUangTunai", "GroupBox2", {17, 26, 52, 13}, "Uang tunai", ms, -11, false, clBlack},
      {"lbEmasPerak",
       "GroupBox2",
       {16, 99, 212, 13},
       "Perhiasan atau perabot dari emas atau perak",
       ms,
       -11,
       false,
       clBlack},
      {"lbTabungan", "GroupBox2", {16, 50, 49, 13}, "Tabungan", ms, -11, false, clBlack},
      {"lbPiutang",
       "GroupBox2",
       {16, 75, 209, 13},
       "Piutang (yg masih  bisa diharapkan terlunasi)",
       ms,
       -11,
       false,
       clBlack},
      {"lbLain2", "GroupBox2", {16, 124, 39, 13}, "Lain-lain", ms, -11, false, clBlack},
      {"edUangTunai", "GroupBox2", {240, 24, 113, 21}, nullptr, ms, -11, true, clBlack},
      {"edTabungan", "GroupBox2", {240, 48, 113, 21}, nullptr, ms, -11, true, clBlack},
      {"edPiutang", "GroupBox2", {240, 72, 113, 21}, nullptr, ms, -11, true, clBlack},
      {"edEmasPerak", "GroupBox2", {240, 96, 113, 21}, nullptr, ms, -11, true, clBlack},
      {"edLain2", "GroupBox2", {240, 120, 113, 21}, nullptr, ms, -11, true, clBlack},
      {"edTotalHarta", "GroupBox2", {240, 155, 113, 21}, nullptr, ms, -11, true, kBlue},
      {"btJumlah", "GroupBox2", {144, 153, 83, 25}, "&JUMLAH", ms, -11, true, 0xFFFFFFFF},
      {"GroupBox3",
       "frTabira",
       {8, 357, 361, 57},
       "HASIL PENGHITUNGAN ZAKAT ANDA",
       ms,
       -11,
       true,
       clWindowText},
      {"lbNilaiZakat",
       "GroupBox3",
       {8, 27, 203, 16},
       "ZAKAT (2,5% x Jumlah Harta) =  ",
       "Arial",
       -13,
       true,
       clRed},
      {"edNilaiZakat", "GroupBox3", {240, 25, 112, 21}, nullptr, ms, -11, true, clRed},
      {"btHitung", "frTabira", {48, 424, 75, 25}, "&HITUNG", ms, -11, true, clWindowText},
      {"btReset", "frTabira", {256, 424, 75, 25}, "&RESET", ms, -11, true, clWindowText},
  };
  // Every control of the window is in the table; the two other components are the theme engine
  // and the skinned frame.
  EXPECT_EQ(Window->ComponentCount(), std::size(expected) + 2);
  EXPECT_NE(dynamic_cast<TSkForm*>(Window->FindComponent("SkForm1")), nullptr);
  for (const TExpectedControl& e : expected) {
    SCOPED_TRACE(e.Name);
    TWinControl* c = Window->Control(e.Name);
    ASSERT_NE(c, nullptr);
    RECT r{};
    char text[128] = {};
    HFONT font = nullptr;
    if (c->HasWindow()) {
      ASSERT_TRUE(c->HandleAllocated());
      HWND parent = GetParent(c->Handle());
      EXPECT_EQ(TWinControl::FromHandle(parent)->Name(), e.Parent);
      GetWindowRect(c->Handle(), &r);
      MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
      GetWindowTextA(c->Handle(), text, sizeof text);
      font = reinterpret_cast<HFONT>(SendMessageA(c->Handle(), WM_GETFONT, 0, 0));
    } else {
      // A label: painted by its parent's window with the font it holds.
      ASSERT_TRUE(c->Placed());
      ASSERT_TRUE(c->Parent()->HandleAllocated());
      EXPECT_EQ(c->Parent()->Name(), e.Parent);
      r = RECT{c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()};
      lstrcpynA(text, c->Caption().c_str(), sizeof text);
      font = c->FontHandle();
    }
    EXPECT_EQ(r.left, e.Bounds.left);
    EXPECT_EQ(r.top, e.Bounds.top);
    EXPECT_EQ(r.right - r.left, e.Bounds.right);
    EXPECT_EQ(r.bottom - r.top, e.Bounds.bottom);
    if (e.Caption) {
      EXPECT_STREQ(text, e.Caption);
    } else {
      // An amount field answers with the text it shows: its zero text after loading.
      auto* field = dynamic_cast<TMxMaskEdit*>(c);
      ASSERT_NE(field, nullptr);
      EXPECT_EQ(text, field->Text());
      EXPECT_EQ(field->Text().back(), '0');
      EXPECT_EQ(field->Text().rfind(e.Name == std::string("edNilaiZakat") ? "Rp 0" : " 0", 0), 0u);
    }
    ASSERT_NE(font, nullptr);
    LOGFONTA lf{};
    ASSERT_NE(GetObjectA(font, sizeof lf, &lf), 0);
    EXPECT_STREQ(lf.lfFaceName, e.Face);
    EXPECT_EQ(lf.lfHeight, e.Height);
    EXPECT_EQ(lf.lfWeight, e.Bold ? FW_BOLD : FW_NORMAL);
    EXPECT_EQ(c->Font().Color, e.FontColor);
  }
  EXPECT_EQ(Window->Control("lbNilaiZakat")->Font().Charset, ANSI_CHARSET);
  EXPECT_EQ(Window->Color(), clBtnFace);
  for (const char* box : {"GroupBox1", "GroupBox2", "GroupBox3"}) {
    EXPECT_EQ(Window->Control(box)->Color(), kCream) << box;
  }
}

TEST_F(FrTabira, TitleShowsWholeInTheFaceTheMachineGives) {
  // The label has no window of its own: measure in the face the window's DC gives its font.
  TWinControl* title = Window->Control("Label1");
  ASSERT_NE(title, nullptr);
  const HDC dc = GetDC(Window->Handle());
  const HGDIOBJ previous = SelectObject(dc, title->FontHandle());
  const std::string caption = "PENGHITUNG ZAKAT MAAL";
  SIZE extent{};
  GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
  char face[LF_FACESIZE] = {};
  GetTextFaceA(dc, LF_FACESIZE, face);
  SelectObject(dc, previous);
  ReleaseDC(Window->Handle(), dc);
  EXPECT_LE(extent.cx, title->Width()) << "drawn in " << face;
  RECT window{};
  GetClientRect(Window->Handle(), &window);
  EXPECT_LE(title->Left() + title->Width(), window.right); // still inside the window

  // The window with the README's worked example, for review (TABIRA_SHOT_DIR).
  for (const auto& [name, text] : {std::pair{"edUangTunai", "25000000"},
                                   {"edTabungan", "30000000"},
                                   {"edPiutang", "1234567"},
                                   {"EdHrgEmas", "250000"}}) {
    SendMessageA(Window->Control(name)->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }
  for (const WORD key : {'J', 'N', 'H'}) {
    FocusOn("EdHrgEmas");
    Press(key, VK_MENU);
  }
  Pump(kSettleMs);
  SaveShot("tabira-window.bmp", GrabWindow(Window->Handle()));
}

TEST_F(FrTabira, WindowHasItsCaptionPositionSizeAndFrame) {
  char caption[64] = {};
  GetWindowTextA(Window->Handle(), caption, sizeof caption);
  EXPECT_STREQ(caption, " Tabira 1.0");
  RECT client{};
  GetClientRect(Window->Handle(), &client);
  EXPECT_EQ(client.right, 377);
  EXPECT_EQ(client.bottom, 476);
  RECT outer{};
  GetWindowRect(Window->Handle(), &outer);
  EXPECT_EQ(outer.left, 549);
  EXPECT_EQ(outer.top, 161);
  LONG style = GetWindowLongA(Window->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & (WS_VSCROLL | WS_HSCROLL));
  // The program's icon, at both sizes, as the window's class icons.
  HICON big = reinterpret_cast<HICON>(GetClassLongPtrA(Window->Handle(), GCLP_HICON));
  HICON small = reinterpret_cast<HICON>(GetClassLongPtrA(Window->Handle(), GCLP_HICONSM));
  ICONINFO info{};
  ASSERT_TRUE(big && small && GetIconInfo(big, &info));
  const TBitmapHandle mask(info.hbmMask), colour(info.hbmColor); // the copies GetIconInfo made
  BITMAP bm{};
  GetObjectA(colour ? colour.Get() : mask.Get(), sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, GetSystemMetrics(SM_CXICON));
  // The creation handler ran once, after loading.
  EXPECT_EQ(Window->Journal, std::vector<std::string>{"FormCreate"});
}

TEST_F(FrTabira, GroupBoxesPaintCreamBehindTheirChildren) {
  UpdateWindow(Window->Handle());
  Pump(kSettleMs);
  for (const char* box : {"GroupBox1", "GroupBox2", "GroupBox3"}) {
    const TWindowDC dc(Window->Control(box)->Handle());
    const COLORREF pixel = GetPixel(dc.Get(), 4, 40);
    EXPECT_EQ(pixel, RGB(255, 251, 240)) << box;
    // The frame's left edge: the classic etched pair (shadow, then highlight), or the visual
    // style's group box frame when a style is active.
    const COLORREF outer = GetPixel(dc.Get(), 0, 40), inner = GetPixel(dc.Get(), 1, 40);
    const bool etched = outer == GetSysColor(COLOR_BTNSHADOW) && inner == GetSysColor(COLOR_BTNHIGHLIGHT);
    if (ExpectedLook() != TTestLook::Either) {
      EXPECT_EQ(etched, ExpectedLook() == TTestLook::Classic) << box;
    }
  }
}

TEST_F(FrTabira, TabWalksTheKeyboardOrderStartingAtTheCashField) {
  EXPECT_EQ(FocusedName(), "edUangTunai");
  const std::vector<std::string> expected = {
      "edTabungan",  "edPiutang", "edEmasPerak", "edLain2",      "btJumlah", "edTotalHarta", "EdHrgEmas",
      "BtHitungNsb", "EdNishab",  "btHitung",    "edNilaiZakat", "btReset",  "edUangTunai"};
  std::vector<std::string> visited;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    Press(VK_TAB);
    visited.push_back(FocusedName());
  }
  EXPECT_EQ(visited, expected);
  Press(VK_TAB, VK_SHIFT);
  EXPECT_EQ(FocusedName(), "btReset");
  // Leaving the gold price by Tab fired its exit event exactly once.
  EXPECT_EQ(std::count(Window->Journal.begin(), Window->Journal.end(), "EdHrgEmasExit"), 1);
}

TEST_F(FrTabira, AltLetterRunsTheButtonWithoutMovingTheFocus) {
  struct {
    WORD Key;
    const char* Handler;
  } cases[] = {
      {'N', "BtHitungNsbClick"}, {'J', "btJumlahClick"}, {'H', "btHitungClick"}, {'R', "btResetClick"}};
  for (const auto& c : cases) {
    FocusOn("EdHrgEmas");
    Press(c.Key, VK_MENU);
    EXPECT_EQ(Window->Journal, std::vector<std::string>{c.Handler}) << c.Handler;
    EXPECT_EQ(FocusedName(), "EdHrgEmas") << c.Handler;
  }
  FocusOn("EdHrgEmas");
  Press('Q', VK_MENU); // no control has Q
  EXPECT_TRUE(Window->Journal.empty());
}

TEST_F(FrTabira, MouseClickRunsTheFocusedControlsExitEventFirst) {
  FocusOn("EdHrgEmas");
  ClickAt(Window->Control("btHitung")->Handle());
  EXPECT_EQ(Window->Journal, (std::vector<std::string>{"EdHrgEmasExit", "btHitungClick"}));
  EXPECT_EQ(FocusedName(), "btHitung");
  // A click inside the same group box is routed through it as well.
  FocusOn("EdHrgEmas");
  ClickAt(Window->Control("BtHitungNsb")->Handle());
  EXPECT_EQ(Window->Journal, (std::vector<std::string>{"EdHrgEmasExit", "BtHitungNsbClick"}));
}

TEST_F(FrTabira, MessageBoxShowsTitleAndTextAndFiresNoExitEvent) {
  FocusOn("EdHrgEmas");
  TBoxCloser closer;
  int result = TApplication::Instance().ShowMessage("Hitung terlebih dahulu total harta anda!");
  auto seen = closer.Seen();
  EXPECT_EQ(result, IDOK);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Text, "Hitung terlebih dahulu total harta anda!");
  EXPECT_TRUE(seen[0].Centred);
  EXPECT_TRUE(seen[0].OnlyOk);
  Pump(kSettleMs);
  EXPECT_TRUE(Window->Journal.empty()); // the focus left for the box: no exit event
  EXPECT_EQ(FocusedName(), "EdHrgEmas");
}

TEST_F(FrTabira, SilentAbortEndsTheHandlerAfterOneMessage) {
  Window->RefuseReset = true;
  for (bool byMouse : {true, false}) {
    FocusOn("edUangTunai");
    TBoxCloser closer;
    if (byMouse) {
      ClickAt(Window->Control("btReset")->Handle());
    } else {
      // The keys are released after the box has gone, as a user's would be.
      SendKey(VK_MENU, false);
      SendKey('R', false);
      Pump(300);
      SendKey('R', true);
      SendKey(VK_MENU, true);
    }
    Pump(300);
    auto seen = closer.Seen();
    ASSERT_EQ(seen.size(), 1u) << (byMouse ? "mouse" : "keyboard") << ", journal size "
                               << Window->Journal.size() << ", focus " << FocusedName();
    EXPECT_EQ(seen[0].Text, "Masukkan terlebih dahulu data harta anda!");
    EXPECT_EQ(Window->Journal, std::vector<std::string>{"btResetClick"}) << (byMouse ? "mouse" : "keyboard");
  }
}

TEST_F(FrTabira, TooltipsShowTheShortHintWhereShowHintApplies) {
  HWND tip = Window->TooltipHandle();
  ASSERT_NE(tip, nullptr);
  auto textOf = [&](const char* name) {
    char buffer[512] = {};
    TTTOOLINFOA info{};
    info.cbSize = sizeof info;
    info.hwnd = Window->Handle();
    info.uId = reinterpret_cast<UINT_PTR>(Window->Control(name)->Handle());
    info.lpszText = buffer;
    SendMessageA(tip, TTM_GETTEXTA, sizeof buffer, reinterpret_cast<LPARAM>(&info));
    // The platform hands out at most the first 79 characters here; the whole text is what
    // HintTextFor gives, which is what the tool was given.
    std::string full = TForm::HintTextFor(*Window->Control(name));
    EXPECT_EQ(full.substr(0, std::string(buffer).size()), buffer) << name;
    EXPECT_EQ(full.empty(), buffer[0] == '\0') << name << ": a tool exists exactly where there is a hint";
    return full;
  };
  const std::string nishab =
      "Nishab adalah batas minimal harta yang menyebabkan harta tersebut wajib dizakati";
  const std::string haul = "Diantara syarat zakat emas dan perak adalah harta tersebut harus telah dimiliki "
                           "selama 1 tahun hijriyah";
  EXPECT_EQ(textOf("GroupBox1"), nishab);
  EXPECT_EQ(textOf("BtHitungNsb"), nishab);
  EXPECT_EQ(textOf("EdHrgEmas"), nishab); // inherits ShowHint and the hint of its group box
  EXPECT_EQ(textOf("GroupBox2"), haul);
  EXPECT_EQ(textOf("edLain2"), haul);
  EXPECT_EQ(textOf("btHitung"), ""); // ShowHint is off outside the two group boxes
  EXPECT_EQ(textOf("GroupBox3"), "");
  EXPECT_EQ(textOf("btJumlah"), haul);
  // 2 group boxes and their 17 children.
  EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 19);
}

TEST(FrTabiraStartup, ADamagedLayoutStopsStartUpWithAMessage) {
  TBoxCloser closer;
  EXPECT_EQ(RunTabira("TfrTabira frTabira {\n  Caption = 12\n}"), 1);
  auto seen = closer.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Text, "Tabira tidak dapat dijalankan: tata letak jendelanya rusak.");
  EXPECT_EQ(FindWindowA("TfrTabira", nullptr), nullptr);
}

TEST(FrTabiraResources, RepeatedOpenAndCloseLeavesNoObjectsBehind) {
  RegisterTabiraClasses();
  auto cycle = [] {
    auto window = std::make_unique<TRecordingWindow>();
    ASSERT_EQ(window->Load(), "");
    window->Show();
    window->Control("EdHrgEmas")->SetFocus();
    Pump(60); // paints, focus changes, tooltips
    window->Close();
    Pump(20);
    EXPECT_FALSE(window->HandleAllocated());
  };
  cycle(); // the first round fills the platform's caches (classes, stock fonts)
  Pump(50);
  TObjectCounts before = CountGuiObjects();
  // The count sees a single leaked object.
  TBrushHandle probe(CreateSolidBrush(RGB(1, 2, 3)));
  EXPECT_EQ(CountGuiObjects().Gdi, before.Gdi + 1);
  probe.Reset();
  for (int i = 0; i < 5; ++i) {
    cycle();
  }
  Pump(50);
  TObjectCounts after = CountGuiObjects();
  EXPECT_EQ(after.Gdi, before.Gdi);
  EXPECT_EQ(after.User, before.User);
}

} // namespace
