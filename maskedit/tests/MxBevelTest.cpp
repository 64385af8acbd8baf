#include "maskedit/look/MxBevel.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace {

using S = TMxBevelStyle;

// Records drawing calls as text and adjusts rectangles as the platform's edge drawing does:
// one pixel per edge layer on each side it draws.
class TRecordingCanvas : public IMxBevelCanvas {
public:
  std::vector<std::string> Calls;

  static std::string R(const TMxRect& r) {
    std::ostringstream s;
    s << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom;
    return s.str();
  }
  void FrameRect(const TMxRect& r, TColor c) override { Calls.push_back("frame " + R(r) + " " + Hex(c)); }
  void Polyline(const std::vector<TMxPoint>& p, TColor c) override {
    Calls.push_back("line " + std::to_string(p.size()) + " " + Hex(c));
  }
  void Polygon(const std::vector<TMxPoint>& p, TColor c) override {
    Calls.push_back("poly " + std::to_string(p.size()) + " " + Hex(c));
  }
  void FillRect(const TMxRect& r, TColor c) override { Calls.push_back("fill " + R(r) + " " + Hex(c)); }
  void FillRectBackground(const TMxRect& r) override { Calls.push_back("back " + R(r)); }
  void DrawEdge(TMxRect& r, unsigned edge, unsigned sides) override {
    Calls.push_back("edge " + std::to_string(edge) + " " + std::to_string(sides & 0xF) +
                    ((sides & MxSide::Adjust) ? " adjust" : ""));
    if (!(sides & MxSide::Adjust)) {
      return;
    }
    int n = ((edge & 0x3) ? 1 : 0) + ((edge & 0xC) ? 1 : 0);
    if (sides & MxSide::Left) {
      r.Left += n;
    }
    if (sides & MxSide::Top) {
      r.Top += n;
    }
    if (sides & MxSide::Right) {
      r.Right -= n;
    }
    if (sides & MxSide::Bottom) {
      r.Bottom -= n;
    }
  }

private:
  static std::string Hex(TColor c) {
    std::ostringstream s;
    s << std::hex << c;
    return s.str();
  }
};

struct TExtCase {
  const char* What;
  std::function<void(TMxBevel&)> Setup;
  int Ext, Extr;
  TMxRect Client; // of (0, 0, 100, 40)
};

TEST(MxBevel, ExtAndClientRectangleByMode) {
  const TExtCase cases[] = {
      {"default custom, no styles", [](TMxBevel&) {}, 0, 0, {0, 0, 100, 40}},
      {"raised 2 + ring 1 + lowered 1",
       [](TMxBevel& b) {
         b.SetStyleOuter(S::bvRaised);
         b.SetWidthOuter(2);
         b.SetBorderWidth(1);
         b.SetStyleInner(S::bvLowered);
       },
       4,
       4,
       {4, 4, 96, 36}},
      {"frame lowered 1", [](TMxBevel& b) { b.SetStyleInner(S::bvFrameLowered); }, 2, 2, {2, 2, 98, 38}},
      {"ring without styles",
       [](TMxBevel& b) {
         b.SetBorderWidth(3);
         b.SetBorderInnerWidth(1);
       },
       4,
       4,
       {4, 4, 96, 36}},
      {"shadow",
       [](TMxBevel& b) {
         b.SetStyleOuter(S::bvShadow);
         b.SetWidthOuter(3);
         b.SetWidthInner(2);
         b.SetBorderInnerWidth(1);
       },
       3,
       6,
       {3, 3, 94, 34}},
      {"standard single",
       [](TMxBevel& b) {
         b.SetMode(TMxBevelMode::bmStandard);
         b.SetStandardStyle(TMxBorderStyle::lsSingle);
       },
       1,
       1,
       {1, 1, 99, 39}},
      {"standard lowered + inner 2",
       [](TMxBevel& b) {
         b.SetMode(TMxBevelMode::bmStandard);
         b.SetStandardStyle(TMxBorderStyle::lsLowered);
         b.SetBorderInnerWidth(2);
       },
       4,
       4,
       {4, 4, 96, 36}},
      {"standard none",
       [](TMxBevel& b) {
         b.SetMode(TMxBevelMode::bmStandard);
         b.SetStandardStyle(TMxBorderStyle::lsNone);
       },
       0,
       0,
       {0, 0, 100, 40}},
      {"edge bottom only",
       [](TMxBevel& b) {
         b.SetMode(TMxBevelMode::bmEdge);
         b.SetBorderSides(MxBorderSide::fsBottom);
       },
       2,
       2,
       {2, 2, 98, 38}},
      {"edge no sides",
       [](TMxBevel& b) {
         b.SetMode(TMxBevelMode::bmEdge);
         b.SetBorderSides(0);
       },
       0,
       0,
       {0, 0, 100, 40}},
      {"windows supported",
       [](TMxBevel& b) {
         b.SetMode(TMxBevelMode::bmWindows);
         b.SetSupport(true);
         b.SetBorderInnerWidth(3);
       },
       0,
       0,
       {0, 0, 100, 40}},
      {"windows unsupported",
       [](TMxBevel& b) {
         b.SetMode(TMxBevelMode::bmWindows);
         b.SetBorderInnerWidth(1);
       },
       3,
       3,
       {3, 3, 97, 37}},
  };
  for (const TExtCase& c : cases) {
    TMxBevel bevel;
    c.Setup(bevel);
    EXPECT_EQ(bevel.Ext(), c.Ext) << c.What;
    EXPECT_EQ(bevel.Extr(), c.Extr) << c.What;
    EXPECT_EQ(bevel.Ext(), bevel.CalcExt()) << c.What;
    EXPECT_EQ(bevel.BevelClientRect({0, 0, 100, 40}), c.Client) << c.What;
  }
}

TEST(MxBevel, ShadowStylesAreCoupled) {
  TMxBevel bevel;
  bevel.SetStyleInner(S::bvRaised);
  bevel.SetStyleOuter(S::bvShadow);
  EXPECT_EQ(bevel.StyleInner(), S::bvShadow);
  bevel.SetStyleInner(S::bvLowered);
  EXPECT_EQ(bevel.StyleOuter(), S::bvNone);
  bevel.SetStyleOuter(S::bvRaised); // neither was a shadow: no coupling
  EXPECT_EQ(bevel.StyleInner(), S::bvLowered);
}

TEST(MxBevel, SignalsOnlyRealChangesWithExtAlreadyUpdated) {
  TMxBevel bevel;
  int changes = 0;
  int extSeen = -1;
  bevel.SetOnChange([&](TMxObject*) {
    ++changes;
    extSeen = static_cast<TMxBevel&>(bevel).Ext();
  });
  bevel.SetWidthInner(1); // same value
  EXPECT_EQ(changes, 0);
  bevel.SetStyleInner(S::bvLowered);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(extSeen, 1);
  bevel.SetStandardStyle(TMxBorderStyle::lsDoubleRaised); // not in bmStandard: silent
  EXPECT_EQ(changes, 1);
  bevel.SetMode(TMxBevelMode::bmStandard);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(extSeen, 2); // the silently stored style counts now
  bevel.SetStandardStyle(TMxBorderStyle::lsSingle);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(extSeen, 1);
  EXPECT_EQ(bevel.DisplayText(), "{Standard}");

  TMxBevel copy;
  int copyChanges = 0;
  copy.SetOnChange([&](TMxObject*) { ++copyChanges; });
  bevel.SetSupport(true);
  copy.Assign(bevel);
  EXPECT_EQ(copyChanges, 1);
  EXPECT_EQ(copy.Mode(), TMxBevelMode::bmStandard);
  EXPECT_EQ(copy.StandardStyle(), TMxBorderStyle::lsSingle);
  EXPECT_EQ(copy.StyleInner(), S::bvLowered);
  EXPECT_TRUE(copy.Support());
  EXPECT_EQ(copy.Ext(), 1);
}

struct TPaintCase {
  const char* What;
  std::function<void(TMxBevel&)> Setup;
  bool Transparent;
  std::vector<std::string> Calls;
  TMxRect Inner; // of (0, 0, 50, 20)
};

TEST(MxBevel, PaintPlansByMode) {
  const TPaintCase cases[] = {
      {"nothing when Ext is 0",
       [](TMxBevel& b) {
         b.SetMode(TMxBevelMode::bmWindows);
         b.SetSupport(true);
       },
       false,
       {},
       {0, 0, 50, 20}},
      {"lowered width 1 draws two polylines, bottom-right first",
       [](TMxBevel& b) { b.SetStyleInner(S::bvLowered); },
       false,
       {"line 3 ff000014", "line 3 ff000010"},
       {1, 1, 49, 19}},
      {"raised width 2 draws two polygons, then the ring",
       [](TMxBevel& b) {
         b.SetStyleOuter(S::bvRaised);
         b.SetWidthOuter(2);
         b.SetBorderWidth(1);
       },
       false,
       {"poly 6 ff000010", "poly 6 ff000014", "frame 2,2,48,18 ff00000f"},
       {3, 3, 47, 17}},
      {"a transparent ring only insets", [](TMxBevel& b) { b.SetBorderWidth(2); }, true, {}, {2, 2, 48, 18}},
      {"frame lowered",
       [](TMxBevel& b) { b.SetStyleInner(S::bvFrameLowered); },
       false,
       {"frame 1,1,50,20 ff000014", "frame 0,0,49,19 ff000010"},
       {2, 2, 48, 18}},
      {"shadow",
       [](TMxBevel& b) {
         b.SetStyleInner(S::bvShadow);
         b.SetWidthOuter(2);
       },
       false,
       {"fill 48,2,50,20 ff000010", "fill 2,18,50,20 ff000010", "fill 48,0,50,2 ff00000f",
        "fill 0,18,2,20 ff00000f", "frame 0,0,48,18 ff000014"},
       {1, 1, 47, 17}},
      {"standard lowered-ext",
       [](TMxBevel& b) {
         b.SetMode(TMxBevelMode::bmStandard);
         b.SetStandardStyle(TMxBorderStyle::lsLoweredExt);
       },
       false,
       {"edge 2 15 adjust", "edge 8 3 adjust"},
       {2, 2, 48, 18}},
      {"windows without support is lowered-ext",
       [](TMxBevel& b) { b.SetMode(TMxBevelMode::bmWindows); },
       false,
       {"edge 2 15 adjust", "edge 8 3 adjust"},
       {2, 2, 48, 18}},
      {"edge on the bottom fills the other strips",
       [](TMxBevel& b) {
         b.SetMode(TMxBevelMode::bmEdge);
         b.SetBorderSides(MxBorderSide::fsBottom);
       },
       false,
       {"edge 6 8", "back 0,0,2,20", "back 0,0,50,2", "back 48,0,50,20"},
       {0, 0, 50, 18}},
      {"inner ring follows every mode",
       [](TMxBevel& b) {
         b.SetMode(TMxBevelMode::bmStandard);
         b.SetStandardStyle(TMxBorderStyle::lsSingleLowered);
         b.SetBorderInnerWidth(1);
       },
       false,
       {"edge 2 15 adjust", "frame 1,1,49,19 ff00000f"},
       {2, 2, 48, 18}},
  };
  for (const TPaintCase& c : cases) {
    TMxBevel bevel;
    c.Setup(bevel);
    TRecordingCanvas canvas;
    TMxRect inner = bevel.PaintBevel(canvas, {0, 0, 50, 20}, c.Transparent);
    EXPECT_EQ(canvas.Calls, c.Calls) << c.What;
    EXPECT_EQ(inner, c.Inner) << c.What << " -> " << TRecordingCanvas::R(inner);
  }
}

} // namespace
