// Transition effect timings, printed as compact tables:
//   1. every effect procedure on an 801 x 601 grid over a whole transition (frames at 5, 10,
//      ..., 100 %, one effect state, as a slot plays them): mean and worst frame, in ms; then
//      the worst frame of each family of procedures, and of all of them;
//   2. one frame at 800 x 600 and 1920 x 1080: the whole frame, the effect procedure alone, and
//      their difference, the composition (old image copied, mask or map applied, new image
//      blended), against the pixel layer's blend kernel over the same pixels in the same run
//      (ratio = composition / blend).
// Usage: bench_effects [rounds]   (default 3; each figure is the best round)
#include "effects/SkEffectPlayer.h"
#include "effects/SkEffectRegistry.h"
#include "theme/SkKernels.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

double Ms(TClock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The family of a procedure, from the shape its name says it draws.
std::string Family(const char* name) {
  for (const char* shape : {"Diagonal", "Cross", "Rect", "Pixel", "Circle", "Diamond", "Rotate"}) {
    if (std::strstr(name, shape)) {
      return shape;
    }
  }
  for (const char* style : {"Smooth", "Slide", "Fade"}) {
    if (std::strncmp(name, style, std::strlen(style)) == 0) {
      return "Row";
    }
  }
  return name;
}

struct TFamilyWorst {
  std::string Name;
  int Count = 0;
  double Worst = 0;
  const char* Effect = "";
  int Percent = 0;
};

void Procedures(int rounds) {
  const int w = 801, h = 601;
  std::vector<std::uint8_t> mask(std::size_t(w) * h);
  std::vector<TskMapCell> map(std::size_t(w) * h);
  std::printf("effect procedures, %dx%d grid, frames 5..100 %% (ms per frame)\n", w, h);
  std::printf("%-3s %-18s %7s %7s   %-3s %-18s %7s %7s\n", "#", "effect", "mean", "worst", "#", "effect",
              "mean", "worst");
  const TskProcList& list = SkProcList();
  std::vector<TFamilyWorst> families;
  int column = 0;
  for (std::size_t e = 0; e < list.Count(); ++e) {
    const TskEffectDef& d = list.Item(e).Def();
    if (!d.Mask && !d.Map) {
      continue;
    }
    std::vector<double> best(20, 1e30);
    for (int r = 0; r < rounds; ++r) {
      TskEffectState state;
      for (int f = 0; f < 20; ++f) {
        const int p = 5 * (f + 1);
        const auto t0 = TClock::now();
        if (d.Mask) {
          std::fill(mask.begin(), mask.end(), 0);
          TskMaskGrid g(mask.data(), w, h);
          d.Mask(g, p, state);
        } else {
          std::fill(map.begin(), map.end(), TskMapCell{});
          d.Map(map.data(), w, h, p);
        }
        best[std::size_t(f)] = std::min(best[std::size_t(f)], Ms(TClock::now() - t0));
      }
    }
    double sum = 0, worst = 0;
    int worstPercent = 0;
    for (int f = 0; f < 20; ++f) {
      sum += best[std::size_t(f)];
      if (best[std::size_t(f)] > worst) {
        worst = best[std::size_t(f)];
        worstPercent = 5 * (f + 1);
      }
    }
    const std::string family = Family(d.Name);
    auto it = std::find_if(families.begin(), families.end(),
                           [&](const TFamilyWorst& x) { return x.Name == family; });
    if (it == families.end()) {
      it = families.insert(families.end(), TFamilyWorst{family});
    }
    ++it->Count;
    if (worst > it->Worst) {
      it->Worst = worst;
      it->Effect = d.Name;
      it->Percent = worstPercent;
    }
    std::printf("%-3zu %-18s %7.3f %7.3f%s", e + 1, d.Name, sum / 20, worst, ++column % 2 ? "   " : "\n");
  }
  std::printf("%s\nworst frame per family (ms)\n%-10s %3s %8s  %-18s %4s\n", column % 2 ? "\n" : "", "family",
              "n", "worst", "at effect", "%");
  const TFamilyWorst* overall = nullptr;
  for (const TFamilyWorst& f : families) {
    std::printf("%-10s %3d %8.3f  %-18s %4d\n", f.Name.c_str(), f.Count, f.Worst, f.Effect, f.Percent);
    if (!overall || f.Worst > overall->Worst) {
      overall = &f;
    }
  }
  if (overall) {
    std::printf("worst frame of any procedure: %.3f ms (%s at %d %%; limit 5 ms)\n\n", overall->Worst,
                overall->Effect, overall->Percent);
  }
}

TskPixels Filled(int w, int h, TskColor c) {
  TskPixels p;
  p.SetSize(w, h);
  p.Fill(c);
  return p;
}

double BestFrame(TskEffectPlayer& player, int rounds, int percent) {
  double best = 1e30;
  for (int r = 0; r < rounds * 5; ++r) {
    const auto t0 = TClock::now();
    player.Frame(percent);
    best = std::min(best, Ms(TClock::now() - t0));
  }
  return best;
}

void Composition(int rounds) {
  std::printf("composition of one frame (ms), blend = the blend kernel over the same pixels (%s)\n",
              SkKernelPathName(SkActiveKernels().Path));
  std::printf("%-10s %-14s %8s %8s %8s %8s %7s\n", "size", "case", "frame", "proc", "compose", "blend",
              "ratio");
  for (auto [w, h] : {std::pair{800, 600}, {1920, 1080}}) {
    TskPixels next = Filled(w, h, 0xFF3070B0), old = Filled(w, h, 0xFF102030);
    next.FillRect({0, 0, w / 8, h / 8}, 0xFF7F007F);
    // The peer: one blend of a whole image of the same size.
    TskPixels src = Filled(w, h, 0x80FFFFFF), dst = Filled(w, h, 0xFF000000);
    double blend = 1e30;
    for (int r = 0; r < rounds * 5; ++r) {
      const auto t0 = TClock::now();
      for (int y = 0; y < h; ++y) {
        SkActiveKernels().BlendRow(src.ScanLine(y), dst.ScanLine(y), std::size_t(w));
      }
      blend = std::min(blend, Ms(TClock::now() - t0));
    }
    struct Case {
      const char* label;
      const char* effect;
      int resolution, tiles, percent;
      TskEffectKind kind;
    } cases[] = {{"mask Fade", "Fade", 1, 1, 50, TskEffectKind::ekMask},
                 {"mask res4 t3", "Fade", 4, 3, 50, TskEffectKind::ekMask},
                 {"bitmap", skBitmapEffectName, 1, 1, 50, TskEffectKind::ekBitmap},
                 {"map Interlace", "Interlace", 1, 1, 50, TskEffectKind::ekMap},
                 {"manual Push", "Push", 1, 1, 50, TskEffectKind::ekManual}};
    for (const Case& c : cases) {
      TskAnimationRec rec;
      rec.SetEffect(c.effect);
      rec.SetResolution(c.resolution);
      rec.SetTileCount(c.tiles);
      rec.SetBitmap(Filled(64, 64, 0xFF000080));
      const TskProcItem* item = FindEffect(c.effect);
      TskEffectPlayer player;
      if (!player.Start(rec, next, old, c.kind, item ? item->Def() : TskEffectDef{})) {
        continue;
      }
      const double frame = BestFrame(player, rounds, c.percent);
      // The effect procedure alone on the same grid (its own budget is the table above).
      double proc = 0;
      if (item && (c.kind == TskEffectKind::ekMask || c.kind == TskEffectKind::ekMap)) {
        const TskGridGeometry g = player.Geometry();
        std::vector<std::uint8_t> mask(std::size_t(g.Width) * std::size_t(g.Height));
        std::vector<TskMapCell> map(c.kind == TskEffectKind::ekMap ? mask.size() : 0);
        proc = 1e30;
        for (int r = 0; r < rounds * 5; ++r) {
          TskEffectState state;
          const auto t0 = TClock::now();
          if (c.kind == TskEffectKind::ekMask) {
            std::fill(mask.begin(), mask.end(), 0);
            TskMaskGrid grid(mask.data(), g.Width, g.Height);
            item->Def().Mask(grid, c.percent, state);
          } else {
            std::fill(map.begin(), map.end(), TskMapCell{});
            item->Def().Map(map.data(), g.Width, g.Height, c.percent);
          }
          proc = std::min(proc, Ms(TClock::now() - t0));
        }
      }
      const double compose = frame - proc;
      std::printf("%4dx%-5d %-14s %8.3f %8.3f %8.3f %8.3f %7.2f\n", w, h, c.label, frame, proc, compose,
                  blend, compose / blend);
    }
  }
}

} // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  Procedures(rounds);
  Composition(rounds);
  return 0;
}
