// The "Tampilan" sub-menu of the calculator's system menu, in-process with real windows and
// input: what it lists from the Tema folders and the platform's themes folder, switching the
// look through it, and the choice stored for the user.
//
// Look: run in both looks. The flat look, the skins and the visual style are drawn by the
// skinned frame itself whatever the platform's look; the Office XP look draws no frame, so
// while it is current the platform draws it in the run's look, and the test asserts that the
// platform's look is the one the run asks for. Writes theme-submenu.bmp (TABIRA_SHOT_DIR,
// else the working folder).
#include "app/ThemeMenu.h"
#include "app/win32/Startup.h"
#include "app/win32/ThemeMenu.h"
#include "app/win32/u_tabira.h"
#include "form/win32/SkForm.h"
#include "framework/win32/WinControl.h"
#include "framework/win32/tests/TestInput.h"
#include "framework/win32/tests/TestLook.h"
#include "framework/win32/tests/TestShots.h"
#include "maskedit/win32/MxMaskEdit.h"
#include "menus/win32/tests/PopupWindows.h"
#include "theme/SkThemeManager.h"

#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <utility>

bool WriteTestThemeSkin(const std::filesystem::path& file);

namespace {

namespace fs = std::filesystem;

constexpr DWORD kSettleMs = 120;
// The longest a menu may stay open in a test: far beyond a menu's few key presses.
constexpr DWORD kMenuLimitMs = 8000;

fs::path WindowsThemes() {
  wchar_t windows[MAX_PATH]{};
  GetWindowsDirectoryW(windows, MAX_PATH);
  return fs::path(windows) / L"Resources" / L"Themes";
}

// The folders the menu reads, filled for the tests and emptied afterwards.
struct TThemeFolders {
  fs::path Program = TabiraProgramThemeFolder();
  fs::path User = TabiraUserThemeFolder();
  fs::path BadStyle = WindowsThemes() / L"TabiraUji";

  void Fill() {
    fs::create_directories(Program);
    fs::create_directories(User);
    fs::create_directories(BadStyle);
    ASSERT_TRUE(WriteTestThemeSkin(Program / L"Uji & Coba.mskn"));
    // Neither a file of a theme kind nor a style the reader knows is listed.
    std::ofstream(Program / L"catatan.txt") << "bukan tema";
    std::ofstream(BadStyle / L"palsu.msstyles") << "MZ bukan modul";
    const char* demo = std::getenv("TABIRA_DEMO_SKIN");
    ASSERT_TRUE(demo && CopyFileA(demo, (User / L"demo.mskn").string().c_str(), FALSE)) << (demo ? demo : "");
  }
  void Empty() {
    std::error_code ignored;
    fs::remove_all(Program, ignored);
    fs::remove_all(User.parent_path(), ignored);
    fs::remove_all(BadStyle, ignored);
  }
};

// The menu's entries as the tests expect them, by shown caption.
constexpr const wchar_t* kCaptions[] = {L"Flat", L"Office XP", L"Uji && Coba", L"demo", L"light"};
constexpr const wchar_t* kNames[] = {L"Flat", L"Office XP", L"Uji & Coba", L"demo", L"light"};
constexpr int kEntries = 5;

bool PlatformThemeActive() {
  HMODULE ux = LoadLibraryW(L"uxtheme.dll");
  auto active =
      ux ? reinterpret_cast<BOOL(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(ux, "IsThemeActive")))
         : nullptr;
  const bool on = active && active();
  if (ux) {
    FreeLibrary(ux);
  }
  return on;
}

// The sub-menu's popup window read through its accessible object: the items' names and
// whether each is checked.
std::wstring AccessibleItems(HWND popup) {
  IAccessible* acc = nullptr;
  const HRESULT hr = AccessibleObjectFromWindow(popup, DWORD(OBJID_CLIENT), __uuidof(IAccessible),
                                                reinterpret_cast<void**>(&acc));
  if (FAILED(hr) || !acc) {
    return L"(no accessible object: " + std::to_wstring(hr) + L")";
  }
  long count = 0;
  acc->get_accChildCount(&count);
  std::wstring out;
  for (long i = 1; i <= count; ++i) {
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = i;
    BSTR name = nullptr;
    VARIANT state;
    VariantInit(&state);
    acc->get_accName(child, &name);
    acc->get_accState(child, &state);
    out += (i > 1 ? L"|" : L"") + std::wstring(name ? name : L"") +
           ((state.vt == VT_I4 && (state.lVal & STATE_SYSTEM_CHECKED)) ? L"*" : L"");
    SysFreeString(name);
  }
  acc->Release();
  return out;
}

// Closes every message box of this thread while it lives and keeps their texts: a step that
// reports a failure in a box then fails the test instead of waiting for a click.
class TMessageBoxWatch {
public:
  TMessageBoxWatch() {
    Self = this;
    FTimer = SetTimer(nullptr, 0, 50, Tick);
  }
  ~TMessageBoxWatch() {
    KillTimer(nullptr, FTimer);
    Self = nullptr;
  }
  TMessageBoxWatch(const TMessageBoxWatch&) = delete;
  TMessageBoxWatch& operator=(const TMessageBoxWatch&) = delete;
  // The texts of the boxes closed so far, which are then forgotten.
  std::vector<std::wstring> Take() { return std::exchange(FTexts, {}); }

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM) -> BOOL {
          wchar_t cls[16]{};
          GetClassNameW(w, cls, 16);
          if (Self && std::wstring(cls) == L"#32770" && IsWindowVisible(w) &&
              std::find(Self->FClosed.begin(), Self->FClosed.end(), w) == Self->FClosed.end()) {
            wchar_t text[1024]{};
            GetDlgItemTextW(w, 0xFFFF, text, 1024); // the box's message
            Self->FTexts.push_back(text);
            Self->FClosed.push_back(w);
            PostMessageW(w, WM_COMMAND, IDOK, 0);
          }
          return TRUE;
        },
        0);
  }
  static inline TMessageBoxWatch* Self = nullptr;
  UINT_PTR FTimer = 0;
  std::vector<std::wstring> FTexts;
  std::vector<HWND> FClosed;
};

// A window's own accessible object: its role and name, as "role:name".
std::wstring AccessibleRoleAndName(HWND window) {
  IAccessible* acc = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, DWORD(OBJID_CLIENT), __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&acc))) ||
      !acc) {
    return L"(no accessible object)";
  }
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  VARIANT role;
  VariantInit(&role);
  BSTR name = nullptr;
  acc->get_accRole(self, &role);
  acc->get_accName(self, &name);
  std::wstring out = std::to_wstring(role.vt == VT_I4 ? role.lVal : -1) + L":" + (name ? name : L"");
  SysFreeString(name);
  acc->Release();
  return out;
}

class TabiraThemeMenu : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    CoInitialize(nullptr);
    Folders.Empty();
    Folders.Fill();
  }
  static void TearDownTestSuite() {
    Folders.Empty();
    CoUninitialize();
  }
  void SetUp() override {
    ASSERT_TRUE(fs::exists(WindowsThemes() / L"light" / L"light.msstyles"))
        << "the prefix has no light style";
    Boxes = std::make_unique<TMessageBoxWatch>();
    Stored = ReadStoredTabiraTheme();
    ForgetStoredTabiraTheme();
    RegisterTabiraClasses();
    Window = std::make_unique<TfrTabira>();
    ASSERT_EQ(Window->Load(), "");
    InstallTabiraThemeMenu(*Window);
    Window->Show();
    SetForegroundWindow(Window->Handle());
    Pump(kSettleMs);
    Frame = dynamic_cast<TSkForm*>(Window->FindComponent("SkForm1"));
    ASSERT_NE(Frame, nullptr);
    ASSERT_EQ(TabiraThemeValue(TskThemeManager::Instance().CurrentTheme()), "Flat");
    // Values typed into two fields, the focus left in the second.
    for (const auto& [name, keys] : {std::pair{"edUangTunai", "1500"}, std::pair{"edTabungan", "275"}}) {
      Control(name)->SetFocus();
      Pump(20);
      for (char c : std::string(keys)) {
        SendChar(c);
      }
      Pump(kSettleMs);
    }
    Typed = {Field("edUangTunai"), Field("edTabungan")};
    Focus = GetFocus();
    ASSERT_EQ(Focus, Control("edTabungan")->Handle());
  }
  void TearDown() override {
    Window.reset();
    Pump(20);
    EXPECT_EQ(Boxes->Take(), std::vector<std::wstring>{}) << "a message box came up";
    Boxes.reset();
    if (Stored) {
      StoreTabiraTheme(*Stored);
    } else {
      ForgetStoredTabiraTheme();
    }
  }
  TWinControl* Control(const char* name) const {
    return dynamic_cast<TWinControl*>(Window->FindComponent(name));
  }
  std::string Field(const char* name) const { return WindowText(Control(name)->Handle()); }
  // Client pixels at fixed points of what the theme's control families draw: the window's
  // background, a group box's frame and inside, a button's edge and face, an amount field's
  // border. Each point is relative to its control's window.
  std::vector<COLORREF> ClientPixels() const {
    static constexpr struct {
      const char* Control;
      int X, Y;
    } kPoints[] = {{nullptr, 3, 236},    {"GroupBox1", 0, 60},   {"GroupBox1", 1, 60},
                   {"GroupBox1", 4, 60}, {"btHitung", 0, 12},    {"btHitung", 1, 12},
                   {"btHitung", 4, 4},   {"edUangTunai", 0, 10}, {"edUangTunai", 1, 10}};
    const TScreenShot shot = GrabWindow(Window->Handle());
    RECT window{};
    GetWindowRect(Window->Handle(), &window);
    std::vector<COLORREF> pixels;
    for (const auto& p : kPoints) {
      POINT at{p.X, p.Y};
      if (p.Control) {
        RECT r{};
        GetWindowRect(Control(p.Control)->Handle(), &r);
        at = {r.left + p.X, r.top + p.Y};
      } else {
        ClientToScreen(Window->Handle(), &at);
      }
      pixels.push_back(shot.At(at.x - window.left, at.y - window.top));
    }
    return pixels;
  }
  COLORREF FramePixel() const {
    const TScreenShot shot = GrabWindow(Window->Handle());
    return shot.At(shot.Width / 2 + 40, 3);
  }

  // Opens the system menu by Alt+Space and the sub-menu by its accelerator, then runs `inside`
  // once the sub-menu shows (with its popup window), and presses `keys` there. Driven from a
  // timer that ends the menu itself once kMenuLimitMs have passed (input that never arrived, a
  // menu that did not open or did not close), so the call always returns and such a step fails.
  void WithSubMenu(std::function<void(HWND popup)> inside, std::vector<WORD> keys) {
    static TabiraThemeMenu* self = nullptr;
    static int step = 0;
    static bool cutShort = false;
    static DWORD started = 0;
    static std::function<void(HWND)> run;
    static std::vector<WORD> press;
    self = this;
    step = 0;
    cutShort = false;
    started = GetTickCount();
    run = std::move(inside);
    press = std::move(keys);
    const UINT_PTR t = SetTimer(nullptr, 0, 40, [](HWND, UINT, UINT_PTR, DWORD) {
      TSkPopupMenu* menu = self->Frame->SystemMenu();
      const bool shown = menu && menu->Shown();
      if (GetTickCount() - started > kMenuLimitMs) {
        if (shown || !cutShort) {
          cutShort = true;
          // Either menu loop ends: the form's own when it loses the mouse, the platform's by
          // EndMenu.
          ReleaseCapture();
          EndMenu();
        }
        return;
      }
      if (!shown) {
        return;
      }
      if (step == 0) {
        step = 1;
        SendKeyPress('T');
        return;
      }
      const std::vector<HWND> shownPopups = ShownPopupWindows();
      HWND popup = shownPopups.size() >= 2 ? shownPopups.back() : nullptr;
      // One tick after the sub-menu showed, so that its window has been painted.
      if (step == 1 && self->SubMenuItems() && self->SubMenuItems()->Count() > 0 && popup) {
        step = 2;
        return;
      }
      if (step == 2 && popup) {
        step = 3;
        run(popup);
        for (WORD k : press) {
          SendKeyPress(k);
        }
      }
    });
    SendMessageW(Window->Handle(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
    KillTimer(nullptr, t);
    Pump(kSettleMs);
    EXPECT_EQ(step, 3) << "the sub-menu did not show";
    EXPECT_FALSE(cutShort) << "the menu was still open after " << kMenuLimitMs << " ms (step " << step << ")";
  }
  TSkItem* SubMenuItems() const {
    TSkItem& root = Frame->SystemMenu()->Items();
    for (int i = 0; i < root.Count(); ++i) {
      if (root.Items(i)->Caption == L"&Tampilan") {
        return root.Items(i);
      }
    }
    return nullptr;
  }
  std::wstring Captions() const {
    std::wstring out;
    if (TSkItem* sub = SubMenuItems()) {
      for (int i = 0; i < sub->Count(); ++i) {
        out += (i ? L"|" : L"") + sub->Items(i)->Caption + (sub->Items(i)->Checked ? L"*" : L"");
      }
    }
    return out;
  }
  static std::wstring Expected(const wchar_t* const (&texts)[kEntries], int checked) {
    std::wstring out;
    for (int i = 0; i < kEntries; ++i) {
      out += (i ? L"|" : L"") + std::wstring(texts[i]) + (i == checked ? L"*" : L"");
    }
    return out;
  }

  static inline TThemeFolders Folders;
  std::unique_ptr<TMessageBoxWatch> Boxes;
  std::optional<std::string> Stored;
  std::unique_ptr<TfrTabira> Window;
  TSkForm* Frame = nullptr;
  std::vector<std::string> Typed;
  HWND Focus = nullptr;
};

TEST_F(TabiraThemeMenu, ListsTheFoldersAndTheStylesAndChecksTheCurrentLook) {
  std::wstring root, captions, accessible;
  WithSubMenu(
      [&](HWND popup) {
        TSkItem& items = Frame->SystemMenu()->Items();
        for (int i = 0; i < items.Count(); ++i) {
          root += (i ? L"|" : L"") + items.Items(i)->Caption;
        }
        captions = Captions();
        accessible = AccessibleItems(popup);
        SaveShot("theme-submenu.bmp", GrabScreen([&] {
                   RECT w{}, p{};
                   GetWindowRect(Window->Handle(), &w);
                   GetWindowRect(popup, &p);
                   UnionRect(&w, &w, &p);
                   return w;
                 }()));
      },
      {VK_ESCAPE, VK_ESCAPE});
  EXPECT_EQ(root, L"Mi&nimize|&Tampilan|-|&Close");
  EXPECT_EQ(captions, Expected(kCaptions, 0));
  // Screen readers hear the names as shown, the ampersand as itself, and which one is checked.
  EXPECT_EQ(accessible, Expected(kNames, 0));
  EXPECT_EQ(Field("edUangTunai"), Typed[0]);
  EXPECT_EQ(GetFocus(), Focus);
}

TEST_F(TabiraThemeMenu, EachEntryChangesTheFrameAndClientAndKeepsValuesAndFocus) {
  const std::vector<TTabiraThemeEntry> entries = TabiraThemeEntries(FindTabiraThemes());
  ASSERT_EQ(int(entries.size()), kEntries);
  COLORREF before = FramePixel();
  const std::vector<COLORREF> flatClient = ClientPixels();
  std::vector<COLORREF> clientBefore = flatClient;
  const std::wstring flatButton = AccessibleRoleAndName(Control("btHitung")->Handle());
  ASSERT_NE(flatButton.find(L":HITUNG"), std::wstring::npos)
      << std::string(flatButton.begin(), flatButton.end());
  // Every entry in turn, chosen by keys in the sub-menu, ending on the flat look again.
  for (int i : {1, 2, 3, 4, 0}) {
    std::vector<WORD> keys(std::size_t(i), VK_DOWN);
    keys.push_back(VK_RETURN);
    WithSubMenu([](HWND) {}, keys);
    Pump(kSettleMs);
    const std::string& value = entries[std::size_t(i)].Value;
    EXPECT_EQ(TabiraThemeValue(TskThemeManager::Instance().CurrentTheme()), value);
    EXPECT_EQ(ReadStoredTabiraTheme().value_or("(none)"), value);
    const COLORREF now = FramePixel();
    EXPECT_NE(now, before) << "no change of the frame for " << value;
    before = now;
    // The client area follows the theme's control families, and is as it was in the flat look.
    const std::vector<COLORREF> client = ClientPixels();
    EXPECT_NE(client, clientBefore) << "no change of the client area for " << value;
    clientBefore = client;
    if (i == 0) {
      EXPECT_EQ(client, flatClient);
    }
    EXPECT_EQ(Field("edUangTunai"), Typed[0]) << value;
    EXPECT_EQ(Field("edTabungan"), Typed[1]) << value;
    EXPECT_EQ(GetFocus(), Focus) << value;
    // A button the theme draws tells screen readers what it told them in the flat look.
    EXPECT_EQ(AccessibleRoleAndName(Control("btHitung")->Handle()), flatButton) << value;
    if (i == 1) {
      // The platform draws the frame now, in the run's look.
      ExpectLookTaken(PlatformThemeActive());
    }
    // The menu checks what is current.
    WithSubMenu([&](HWND) { EXPECT_EQ(Captions(), Expected(kCaptions, i)); }, {VK_ESCAPE, VK_ESCAPE});
  }
}

// A skin removed after the menu listed it: choosing it is reported once, and the look, the
// stored choice, the values and the focus stay.
TEST_F(TabiraThemeMenu, ASkinRemovedAfterTheListingIsReportedAndTheLookStays) {
  const std::vector<TTabiraThemeEntry> entries = TabiraThemeEntries(FindTabiraThemes());
  ASSERT_EQ(int(entries.size()), kEntries);
  const fs::path skin = Folders.Program / L"Uji & Coba.mskn";
  WithSubMenu([&](HWND) { ASSERT_TRUE(fs::remove(skin)); }, {VK_DOWN, VK_DOWN, VK_RETURN});
  std::vector<std::wstring> boxes;
  EXPECT_TRUE(WaitUntil([&] {
    for (std::wstring& text : Boxes->Take()) {
      boxes.push_back(std::move(text));
    }
    return !boxes.empty();
  }));
  Pump(kSettleMs);
  const std::string failure = TabiraThemeFailureText(entries[2].Value);
  EXPECT_EQ(boxes, std::vector<std::wstring>{std::wstring(failure.begin(), failure.end())});
  EXPECT_EQ(TabiraThemeValue(TskThemeManager::Instance().CurrentTheme()), "Flat");
  EXPECT_EQ(ReadStoredTabiraTheme(), std::nullopt);
  EXPECT_EQ(Field("edUangTunai"), Typed[0]);
  EXPECT_EQ(GetFocus(), Focus);
  ASSERT_TRUE(WriteTestThemeSkin(skin));
}

TEST_F(TabiraThemeMenu, AThousandSwitchesLeaveNoObjectsBehind) {
  const std::vector<TTabiraThemeEntry> entries = TabiraThemeEntries(FindTabiraThemes());
  ASSERT_EQ(int(entries.size()), kEntries);
  auto round = [&](int switches) {
    for (int i = 1; i <= switches; ++i) {
      UseTabiraTheme(entries[std::size_t(i % kEntries)].Value);
      Pump(i % kEntries == 0 ? 30 : 0);
    }
    Pump(50);
  };
  round(kEntries); // the first round fills the platform's caches
  const TObjectCounts start = CountGuiObjects();
  round(1000);
  const TObjectCounts end = CountGuiObjects();
  EXPECT_EQ(TabiraThemeValue(TskThemeManager::Instance().CurrentTheme()), "Flat");
  EXPECT_EQ(end.Gdi, start.Gdi);
  EXPECT_EQ(end.User, start.User);
  EXPECT_EQ(Field("edUangTunai"), Typed[0]);
  EXPECT_EQ(GetFocus(), Focus);
}

} // namespace
