// The flat theme's window operations painting real windows through the device-context canvas
// (Wine in the test runs). The frame-control glyphs the theme recolours are the classic ones
// whatever the visual style, so this exercises the classic path; the frame itself never uses
// the visual style. Writes flat-theme.bmp (TABIRA_SHOT_DIR, else the working folder): an active
// window, an inactive one, and one with a hot close button, a pressed minimize button and a
// popup menu.
#include "framework/win32/tests/TestInput.h"
#include "framework/win32/tests/TestShots.h"
#include "theme/flat/SkFlatTheme.h"
#include "theme/win32/SkBitmap.h"
#include "theme/win32/SkCanvas.h"
#include "theme/win32/SkGdiCanvas.h"
#include "theme/win32/SkImageListGlyph.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr int kWidth = 300, kHeight = 200;
constexpr std::uint16_t kButtons = (1 << kwbIcon) | (1 << kwbClose) | (1 << kwbMinimize);

struct TFrameLook {
  bool Active = true;
  std::uint8_t CloseState = bsNormal;
  std::uint8_t MinimizeState = bsNormal;
  bool Menu = false;
};

TskPixels& IconPixels() {
  static TskPixels icon = [] {
    TskPixels p;
    p.SetSize(16, 16);
    p.Fill(0xFF2060C0);
    p.FillRect({4, 4, 12, 12}, 0xFFFFD040);
    return p;
  }();
  return icon;
}

// Paints the whole window as a skinned frame would: frame, caption, buttons, client.
void PaintFrame(TskTheme& theme, HDC dc, const TFrameLook& look) {
  TskGdiCanvas canvas(dc);
  const TskWindowInfo info =
      SkWindowInfo({0, 0, kWidth, kHeight}, L"Flat & frame", kButtons, look.Active ? wsActive : 0);
  theme.PaintWindow(0, canvas, "default", info);
  theme.PaintWindowCaption(0, canvas, "default", theme.WindowCaptionRect(0, info, "default"), info);
  const std::pair<std::uint8_t, std::uint8_t> buttons[] = {
      {kwbIcon, bsNormal}, {kwbClose, look.CloseState}, {kwbMinimize, look.MinimizeState}};
  for (const auto& [button, state] : buttons) {
    TskWindowButtonInfo b =
        SkWindowButtonInfo(theme.WindowButtonRect(0, info, "default", button), button, state);
    b.Icon = {&IconPixels(), TskDrawMode::dmCopy};
    theme.PaintWindowButton(0, canvas, "default", b);
  }
  const TskRect client = theme.WindowClientRect(0, info, "default");
  theme.PaintWindowClient(0, canvas, "default", client);
  theme.PaintWindowGripper(0, canvas, "default",
                           {{client.Right - 16, client.Bottom - 16, client.Right, client.Bottom}, 1});
  if (look.Menu) {
    const TskRect menu{20, 40, 160, 112};
    theme.PaintMenu(1, canvas, "default", menu);
    const TskRect items[] = {{22, 42, 158, 62}, {22, 62, 158, 77}, {22, 77, 158, 97}};
    const wchar_t* texts[] = {L"&Minimize", L"", L"&Close"};
    for (int i = 0; i < 3; ++i) {
      const TskPartInfo part = SkPartInfo(items[i], i == 1 ? 1 : 0, i == 2 ? 1 : 0);
      theme.PaintMenuItem(1, canvas, "default", part);
      if (i == 1) {
        continue;
      }
      canvas.SetFont(theme.Fonts().Font(kfMenuItemTextNormal));
      TskRect text = items[i];
      text.Left += 20;
      theme.PaintMenuItemText(1, canvas, "default", part,
                              SkTextInfoFromDrawTextBits(text, texts[i], dtVCenter | dtSingleLine));
    }
    theme.PaintMenuItemGlyph(1, canvas, "default", SkPartInfo(items[0], 0, 0),
                             SkGlyphInfo({24, 44, 40, 60}, {}, 0, gkCheck));
  }
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  auto* look = reinterpret_cast<TFrameLook*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_PAINT && look) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    static std::unique_ptr<TSkFlatTheme> theme = SkMakeTheme<TSkFlatTheme>();
    PaintFrame(*theme, dc, *look);
    EndPaint(hwnd, &ps);
    return 0;
  }
  if (msg == WM_ERASEBKGND) {
    return 1;
  }
  return DefWindowProcW(hwnd, msg, wparam, lparam);
}

HWND MakeFrameWindow(TFrameLook* look, int x, int y) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SkFlatFrameTest";
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    registered = RegisterClassW(&wc) != 0;
  }
  HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, L"SkFlatFrameTest", L"flat", WS_POPUP, x, y, kWidth, kHeight,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(look));
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd);
  return hwnd;
}

COLORREF Rgb(TColor c) { return TskCanvas::ToColorRef(c); }

} // namespace

TEST(TSkFlatThemeWin32, PaintsTheFrameAtFixedPixelsActiveAndInactive) {
  TskTheme::SetSysColorSource(&TskCanvas::SysColor);
  TFrameLook active, inactive{false}, pressed{true, bsHot, bsPressed, true};
  HWND windows[] = {MakeFrameWindow(&active, 10, 10), MakeFrameWindow(&inactive, 320, 10),
                    MakeFrameWindow(&pressed, 630, 10)};
  for (HWND w : windows) {
    ASSERT_NE(w, nullptr);
  }
  Pump(200);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF border = RGB(160, 150, 131), gold = RGB(247, 222, 156), black = RGB(0, 0, 0);
  const TScreenShot shots[] = {GrabWindow(windows[0]), GrabWindow(windows[1]), GrabWindow(windows[2])};
  for (int i = 0; i < 3; ++i) {
    const TScreenShot& s = shots[i];
    ASSERT_EQ(s.Width, kWidth);
    ASSERT_EQ(s.Height, kHeight);
    EXPECT_EQ(s.At(0, 100), border) << i;
    EXPECT_EQ(s.At(1, 100), face) << i;
    EXPECT_EQ(s.At(2, 100), face) << i;
    EXPECT_EQ(s.At(250, 150), face) << i; // the client background (Window = clBtnFace)
    EXPECT_EQ(s.At(200, 3), border) << i; // caption outline
    EXPECT_EQ(s.At(200, 12), i == 1 ? face : gold) << i;
    EXPECT_EQ(s.At(kWidth - 25, 3), border) << i; // close button outline
    EXPECT_EQ(s.At(kWidth - 49, 3), border) << i; // minimize button outline
  }
  // Normal buttons: face fill, no bevel, a black glyph inside and nothing black on the edge.
  const TScreenShot& normal = shots[0];
  int ink = 0, edgeInk = 0;
  for (int y = 4; y < 22; ++y) {
    for (int x = kWidth - 24; x < kWidth - 4; ++x) {
      const bool edge = y < 6 || y >= 20 || x < kWidth - 22 || x >= kWidth - 6;
      if (normal.At(x, y) == black) {
        ++(edge ? edgeInk : ink);
      }
    }
  }
  EXPECT_GT(ink, 10) << "the close glyph is missing (are the platform's fonts installed?)";
  EXPECT_EQ(edgeInk, 0);
  EXPECT_EQ(normal.At(kWidth - 24, 4), face);
  // Hot close: raised bevel; pressed minimize: sunken bevel.
  const TScreenShot& states = shots[2];
  EXPECT_EQ(states.At(kWidth - 23, 5), Rgb(0xE1EAEB));
  EXPECT_EQ(states.At(kWidth - 24, 4), Rgb(ShiftBrightness(0xE1EAEB, 100)));
  EXPECT_EQ(states.At(kWidth - 5, 21), Rgb(ShiftBrightness(0xE1EAEB, -100)));
  EXPECT_EQ(states.At(kWidth - 48, 4), Rgb(ShiftBrightness(face, -100)));
  EXPECT_EQ(states.At(kWidth - 29, 21), Rgb(ShiftBrightness(face, 100)));
  // The popup menu: grey outline, face gutter, white body, hot item in ButtonHot.
  EXPECT_EQ(states.At(20, 50), RGB(128, 128, 128));
  EXPECT_EQ(states.At(21, 50), face);
  EXPECT_EQ(states.At(150, 50), RGB(255, 255, 255));
  EXPECT_EQ(states.At(150, 90), Rgb(0xE1EAEB));

  // One picture of the three for a person to look at.
  RECT all{10, 10, 630 + kWidth, 10 + kHeight};
  EXPECT_TRUE(SaveShot("flat-theme.bmp", GrabScreen(all)));
  for (HWND w : windows) {
    DestroyWindow(w);
  }
}

TEST(SkImageListGlyph, RendersTheImageIntoTheSharedScratchBitmap) {
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
  ASSERT_NE(list, nullptr);
  std::vector<std::uint32_t> red(16 * 16, 0x00FF0000);
  HBITMAP bitmap = CreateBitmap(16, 16, 1, 32, red.data());
  ASSERT_GE(ImageList_Add(list, bitmap, nullptr), 0);
  const TskGlyphInfo info = SkGlyphInfoFromImageList({0, 0, 20, 20}, list, 0, 1, gkImageList);
  ASSERT_FALSE(info.Glyph.Empty());
  EXPECT_EQ(info.Glyph.Pixels->Width(), 16);
  EXPECT_EQ(info.Glyph.Pixels->GetPixel(5, 5), 0xFFFF0000u);
  EXPECT_EQ(info.Glyph.Mode, TskDrawMode::dmTransparent);
  EXPECT_EQ(info.State, 1);
  EXPECT_TRUE(SkGlyphInfoFromImageList({0, 0, 20, 20}, list, 1, 0, gkImageList).Glyph.Empty());
  EXPECT_TRUE(SkGlyphInfoFromImageList({0, 0, 20, 20}, nullptr, 0, 0, gkImageList).Glyph.Empty());
  ImageList_Destroy(list);
  DeleteObject(bitmap);
}
