// Repainting a window's frame as the pointer moves over its caption (1,000 moves, each followed
// by a frame repaint), and a live drag by the caption (1,000 steps), on a form with the flat
// skinned frame beside the same form with the platform's own frame. Prints the medians per
// step and their ratios. Run under Wine
// by scripts/bench.sh; "--rounds N" changes the number of timed rounds.
#include "form/win32/SkForm.h"
#include "framework/win32/Form.h"
#include "theme/SkThemeManager.h"
#include "theme/flat/SkFlatTheme.h"
#include "theme/win32/SkThemeServices.h"

#include <windows.h>

#include "framework/win32/bench/BenchClock.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int kMoves = 1000;

// One move over the caption (alternating with the close button where there is one) and the
// frame repaint it causes.
void MoveAndRepaint(HWND w, int i) {
  RECT r{};
  GetWindowRect(w, &r);
  const POINT p{i % 2 ? r.right - 12 : r.left + 120, r.top + 10};
  SendMessageA(w, WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(p.x, p.y));
  RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

double MedianPerMove(HWND w, int rounds) {
  std::vector<double> times;
  for (int round = 0; round < rounds; ++round) {
    const double start = BenchSeconds();
    for (int i = 0; i < kMoves; ++i) {
      MoveAndRepaint(w, i);
    }
    GdiFlush();
    times.push_back((BenchSeconds() - start) / kMoves);
  }
  return BenchMedian(times);
}

// One round of a live caption drag of kMoves steps of one pixel, per step: on the skinned form
// through its own drag (press, pointer moves, release), on the plain one through the same
// window moves the platform's drag makes.
double DragStep(HWND w, bool skinned) {
  RECT r{};
  GetWindowRect(w, &r);
  const POINT start{r.left + 120, r.top + 10};
  const double begin = BenchSeconds();
  if (skinned) {
    SendMessageA(w, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(start.x, start.y));
  }
  for (int i = 1; i <= kMoves; ++i) {
    const int dx = (i % 200) < 100 ? i % 100 : 100 - i % 100; // back and forth
    if (skinned) {
      POINT p{start.x + dx, start.y};
      ScreenToClient(w, &p);
      SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    } else {
      SetWindowPos(w, nullptr, r.left + dx, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      UpdateWindow(w);
    }
  }
  if (skinned) {
    POINT p = start;
    ScreenToClient(w, &p);
    SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  }
  GdiFlush();
  const double step = (BenchSeconds() - begin) / kMoves;
  SetWindowPos(w, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return step;
}

std::unique_ptr<TForm> MakeForm(bool skinned, int left) {
  auto form = std::make_unique<TForm>("TBenchForm");
  std::string layout =
      "TBenchForm F {\n  Caption = \"Frame bench\"\n  Left = " + std::to_string(left) +
      "\n  Top = 40\n  ClientWidth = 377\n  ClientHeight = 476\n  BorderIcons = [biMinimize]\n";
  if (skinned) {
    layout += "  TSkForm SkForm1 {\n    BorderIcons = [kbiClose, kbiSystemMenu, kbiMinimize]\n  }\n";
  }
  layout += "}\n";
  if (!form->LoadFromText(layout).empty()) {
    return nullptr;
  }
  form->Show();
  return form;
}

} // namespace

int main(int argc, char** argv) {
  const int rounds = BenchRounds(argc, argv, 9);
  SkStartThemeServices();
  SkRegisterFormComponents();
  TskThemeManager& manager = TskThemeManager::Instance();
  manager.SetCurrentTheme(SkMakeTheme<TSkFlatTheme>());
  auto plain = MakeForm(false, 20);
  auto skinned = MakeForm(true, 440);
  if (!plain || !skinned) {
    std::fprintf(stderr, "bench_form_frame: the forms could not be made\n");
    return 1;
  }
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    DispatchMessageA(&msg);
  }
  const double platform = MedianPerMove(plain->Handle(), rounds);
  const double flat = MedianPerMove(skinned->Handle(), rounds);
  std::printf("frame repaint per caption move (median of %d x %d): platform %.1f us, flat skinned %.1f us, "
              "ratio %.2fx\n",
              rounds, kMoves, platform * 1e6, flat * 1e6, flat / platform);
  // Rounds taken in pairs, one of each, so that both meet the same state of a shared machine;
  // the ratio is the median of the pairs' ratios.
  std::vector<double> platformDrag, flatDrag, ratios;
  DragStep(plain->Handle(), false); // warm-up
  DragStep(skinned->Handle(), true);
  for (int round = 0; round < rounds; ++round) {
    const bool platformFirst = round % 2 == 0;
    const double a = DragStep(platformFirst ? plain->Handle() : skinned->Handle(), !platformFirst);
    const double b = DragStep(platformFirst ? skinned->Handle() : plain->Handle(), platformFirst);
    platformDrag.push_back(platformFirst ? a : b);
    flatDrag.push_back(platformFirst ? b : a);
    ratios.push_back(flatDrag.back() / platformDrag.back());
  }
  std::printf("live caption drag per step (median of %d paired rounds x %d): platform %.1f us, flat skinned "
              "%.1f us, ratio %.2fx (pairs from %.2fx to %.2fx)\n",
              rounds, kMoves, BenchMedian(platformDrag) * 1e6, BenchMedian(flatDrag) * 1e6,
              BenchMedian(ratios), *std::min_element(ratios.begin(), ratios.end()),
              *std::max_element(ratios.begin(), ratios.end()));
  return 0;
}
