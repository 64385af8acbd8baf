// The custom buttons of an edit: layout arithmetic, click routing, grouping, the repeat
// schedule (driven by an explicit clock), hover and drop-down states.
#include "maskedit/engine/MxCustomEdit.h"
#include "maskedit/look/MxGlyph.h"
#include "maskedit/tests/EditTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(CustomButtons, LayoutTable) {
  struct Row {
    int left, top, right, bottom, count, width;
    bool outside;
    int editRight;
    std::vector<int> xs;
    int y, height;
  };
  const Row rows[] = {
      {0, 0, 113, 20, 2, 16, false, 81, {81, 97}, 0, 20},
      {2, 3, 113, 23, 2, 16, false, 81, {81, 97}, 3, 20},
      {2, 3, 113, 23, 2, 16, true, 81, {81, 97}, 0, 20}, // frame outside the client area
      {0, 0, 113, 20, 0, 16, false, 113, {}, 0, 0},
      {0, 0, 100, 20, 3, 0, false, 100, {100, 100, 100}, 0, 20},
      // A strip wider than the area starts at the area's left edge.
      {10, 0, 40, 20, 3, 16, false, 10, {10, 26, 42}, 0, 20},
      // Hostile sizes are taken as nothing.
      {0, 0, 100, 20, -4, 16, false, 100, {}, 0, 0},
      {0, 0, 100, 20, 1, -16, false, 100, {100}, 0, 20},
      {0, 30, 100, 20, 1, 16, false, 84, {84}, 30, 0},
  };
  for (const Row& r : rows) {
    const TMxButtonStrip s =
        MxLayoutCustomButtons(r.left, r.top, r.right, r.bottom, r.count, r.width, r.outside);
    EXPECT_EQ(s.EditRight, r.editRight) << r.count << "x" << r.width << " in " << r.left << ".." << r.right;
    ASSERT_EQ(s.Buttons.size(), r.xs.size());
    for (size_t i = 0; i < r.xs.size(); ++i) {
      EXPECT_EQ(s.Buttons[i].Left, r.xs[i]) << i;
      EXPECT_EQ(s.Buttons[i].Top, r.y) << i;
      EXPECT_EQ(s.Buttons[i].Height, r.height) << i;
      EXPECT_EQ(s.Buttons[i].Width, std::max(r.width, 0)) << i;
    }
  }
  EXPECT_EQ(MxMinimumButtonEditWidth(2, 16), 62);
  EXPECT_EQ(MxMinimumButtonEditWidth(0, 16), 30);
  EXPECT_EQ(MxMinimumButtonEditWidth(1 << 30, 1 << 30), INT32_MAX);
}

TEST(CustomButtons, GlyphAndCaptionArrangement) {
  struct Row {
    int left, top, right, bottom, gw, gh, tw, th;
    TMxButtonLayout layout;
    int gx, gy, tl, tt, tr, tb;
  };
  const Row rows[] = {
      {0, 0, 40, 20, 8, 8, 10, 6, blGlyphLeft, 10, 6, 20, 7, 30, 13},
      {0, 0, 40, 20, 8, 8, 10, 6, blGlyphRight, 22, 6, 10, 7, 20, 13},
      {0, 0, 40, 20, 8, 8, 10, 6, blGlyphTop, 16, 2, 15, 12, 25, 18},
      {0, 0, 40, 20, 8, 8, 10, 6, blGlyphBottom, 16, 10, 15, 2, 25, 8},
      {5, 3, 45, 23, 8, 8, 10, 6, blGlyphLeft, 15, 9, 25, 10, 35, 16},
      // One of the two alone is centred; no spacing is kept for the missing one.
      {0, 0, 40, 20, 0, 0, 10, 6, blGlyphLeft, 15, 10, 15, 7, 25, 13},
      {0, 0, 40, 20, 8, 8, 0, 0, blGlyphTop, 16, 6, 0, 0, 0, 0},
      // Too wide or too tall: from the left or top edge, the caption cut.
      {0, 0, 12, 20, 8, 8, 10, 6, blGlyphLeft, 0, 6, 10, 7, 12, 13},
      {0, 0, 40, 10, 8, 8, 10, 6, blGlyphTop, 16, 0, 15, 10, 25, 10},
      // An empty content rectangle gives an empty caption box (the button clips the glyph).
      {10, 10, 5, 5, 8, 8, 10, 6, blGlyphRight, 22, 10, 10, 10, 10, 10},
  };
  for (const Row& r : rows) {
    const TMxButtonContent c =
        MxArrangeButtonContent(r.left, r.top, r.right, r.bottom, r.gw, r.gh, r.tw, r.th, r.layout);
    const std::vector<int> got{c.GlyphX, c.GlyphY, c.TextLeft, c.TextTop, c.TextRight, c.TextBottom};
    EXPECT_EQ(got, (std::vector<int>{r.gx, r.gy, r.tl, r.tt, r.tr, r.tb}))
        << "layout " << r.layout << " in " << r.left << "," << r.top << "-" << r.right << "," << r.bottom
        << " glyph " << r.gw << " text " << r.tw;
  }
}

struct EditWithButtons {
  EditWithButtons() {
    Edit.SetView(&View);
    Edit.OnRelayoutRequest = [this](TMxRelayout when) { Log += when == rlNow ? "N" : "P"; };
    Edit.OnBtnClick = [this](TMxCustomEdit* sender, TMxSpeedButton* button, int index) {
      EXPECT_EQ(sender, &Edit);
      Note('E', index, button ? button->Caption : "?");
    };
  }
  TMxSpecialButton& Add(const char* caption) {
    TMxSpecialButton& b = Edit.CustomButtons().Add();
    b.SetCaption(caption);
    b.OnClick = [this](TMxSpecialButton* sender, int index) { Note('I', index, sender->GetCaption()); };
    return b;
  }
  // Appends one journal entry piece by piece (a chain of operator+ trips a false
  // -Wrestrict of GCC 12).
  void Note(char who, int index, const std::string& caption) {
    Log += who;
    Log += std::to_string(index);
    Log += caption;
    Log += ';';
  }
  void Click(TMxSpecialButton& b, std::int64_t t = 0) {
    TMxSpeedButton& c = b.Control();
    c.MouseDown(c.Left + 1, c.Top + 1, t);
    c.MouseUp(c.Left + 1, c.Top + 1, t + 50);
  }
  TMxApplication App;
  TRecordingView View;
  TMxCustomEdit Edit{App};
  std::string Log;
};

TEST(CustomButtons, EditLayoutAndRelayoutRequests) {
  EditWithButtons e;
  e.Add("a");
  e.Add("b");
  EXPECT_EQ(e.Log, "PPPP"); // each add and each caption change asks for a posted relayout
  EXPECT_EQ(e.Edit.AdjustEditRect(0, 0, 113, 20, false), 81);
  EXPECT_EQ(e.Edit.CustomButtons().Item(0).Control().Left, 81);
  EXPECT_EQ(e.Edit.CustomButtons().Item(1).Control().Left, 97);
  EXPECT_EQ(e.Edit.CustomButtons().Item(1).Control().Width, 16);
  e.Log.clear();
  e.Edit.SetCustomButtonWidth(20);
  e.Edit.SetCustomButtonWidth(20);
  e.Edit.SetCustomButtonsStyle(ubsFlat);
  e.Edit.BeginUpdate();
  e.Edit.SetCustomButtonsStyle(ubsOffice); // no relayout while updating
  e.Edit.EndUpdate(false);
  EXPECT_EQ(e.Log, "NN");
  EXPECT_EQ(e.Edit.AdjustEditRect(0, 0, 113, 20, false), 73);
  EXPECT_EQ(e.Edit.CustomButtons().Item(1).Control().Style, ubsOffice);

  // Before the window has a parent nothing is laid out until the next layout.
  EditWithButtons bare;
  bare.Edit.OnRelayoutRequest = nullptr;
  bare.Add("x");
  bare.Edit.SetCustomButtonWidth(30);
  EXPECT_EQ(bare.Log, "");
  EXPECT_EQ(bare.Edit.AdjustEditRect(0, 0, 100, 20, false), 70);
}

TEST(CustomButtons, ClickRoutingUsesTheIndexAtClickTime) {
  EditWithButtons e;
  e.Add("a");
  TMxSpecialButton& b = e.Add("b");
  e.Add("c");
  e.Edit.AdjustEditRect(0, 0, 200, 20, false);
  e.Log.clear();
  e.Click(b);
  EXPECT_EQ(e.Log, "I1b;E1b;"); // the item first, then the edit
  EXPECT_EQ(b.Index(), 1);
  e.Edit.CustomButtons().Delete(0);
  EXPECT_EQ(b.Index(), 0);
  e.Edit.AdjustEditRect(0, 0, 200, 20, false);
  e.Log.clear();
  e.Click(b);
  EXPECT_EQ(e.Log, "I0b;E0b;");
}

TEST(CustomButtons, AClickThatRemovesItsOwnItemIsSafe) {
  EditWithButtons e;
  TMxSpecialButton& a = e.Add("a");
  e.Add("b");
  e.Edit.AdjustEditRect(0, 0, 200, 20, false);
  a.OnClick = [&](TMxSpecialButton*, int index) { e.Edit.CustomButtons().Delete(index); };
  e.Log.clear();
  e.Click(a);
  EXPECT_EQ(e.Edit.CustomButtons().Count(), 1);
  EXPECT_EQ(e.Edit.CustomButtons().Item(0).GetCaption(), "b");
  EXPECT_EQ(e.Log, "P"); // the relayout of the removal; no edit click for a removed item
}

TEST(CustomButtons, GroupedButtonsLatchOneAtATime) {
  EditWithButtons e;
  TMxSpecialButton& a = e.Add("a");
  TMxSpecialButton& b = e.Add("b");
  TMxSpecialButton& c = e.Add("c");
  a.SetGroupIndex(1);
  b.SetGroupIndex(1);
  c.SetGroupIndex(2);
  c.Control().SetDown(true);
  e.Edit.AdjustEditRect(0, 0, 200, 20, false);
  const auto downs = [&] {
    return std::string(a.Control().GetDown() ? "A" : "-") + (b.Control().GetDown() ? "B" : "-") +
           (c.Control().GetDown() ? "C" : "-");
  };
  e.Click(a);
  EXPECT_EQ(downs(), "A-C");
  e.Click(b);
  EXPECT_EQ(downs(), "-BC"); // another group is left alone
  e.Click(b);
  EXPECT_EQ(downs(), "-BC"); // no all-up without AllowAllUp
  b.SetAllowAllUp(true);
  e.Click(b);
  EXPECT_EQ(downs(), "--C");
  EXPECT_EQ(b.Control().Look(), sblHot);
  a.Control().SetDown(true);
  EXPECT_EQ(a.Control().Look(), sblLatched);
}

TEST(CustomButtons, RepeatSchedule) {
  TMxSpeedButton b;
  b.Left = 0;
  b.Top = 0;
  b.Width = 16;
  b.Height = 16;
  b.RepeatedClick = true;
  std::vector<std::int64_t> clicks;
  std::int64_t now = 1000;
  b.OnClick = [&](TMxSpeedButton*) { clicks.push_back(now); };
  ASSERT_TRUE(b.MouseDown(5, 5, now));
  EXPECT_EQ(b.Look(), sblPressed);
  EXPECT_EQ(b.NextRepeatDue(), 1500);
  // The window ticks every 10 ms; clicks come at press, +500, then every 100.
  for (now = 1010; now <= 1820; now += 10) {
    b.Tick(now);
  }
  EXPECT_EQ(clicks, (std::vector<std::int64_t>{1000, 1500, 1600, 1700, 1800}));
  // Dragged off the button: no clicks, drawn up; back on: the schedule goes on.
  b.MouseMove(40, 5);
  EXPECT_EQ(b.Look(), sblNormal);
  for (; now <= 2000; now += 10) {
    b.Tick(now);
  }
  EXPECT_EQ(clicks.size(), 5u);
  b.MouseMove(5, 5);
  EXPECT_EQ(b.NextRepeatDue(), 2100);
  b.Tick(2090);
  EXPECT_EQ(clicks.size(), 5u);
  now = 2100;
  b.Tick(now);
  EXPECT_EQ(clicks.size(), 6u);
  // A late timer fires once, not a burst.
  now += 1000;
  b.Tick(now);
  b.Tick(now);
  EXPECT_EQ(clicks.size(), 7u);
  EXPECT_EQ(b.NextRepeatDue(), now + 100);
  // Releasing fires nothing more, and the schedule stops.
  b.MouseUp(5, 5, now + 10);
  b.Tick(now + 500);
  EXPECT_EQ(clicks.size(), 7u);
  EXPECT_EQ(b.NextRepeatDue(), -1);
  EXPECT_EQ(b.Look(), sblHot);
}

TEST(CustomButtons, PlainClickOnReleaseOverTheButton) {
  TMxSpeedButton b;
  b.Width = 16;
  b.Height = 16;
  int clicks = 0;
  b.OnClick = [&](TMxSpeedButton*) { ++clicks; };
  EXPECT_FALSE(b.MouseDown(20, 5, 0)); // outside
  b.MouseDown(5, 5, 0);
  b.Tick(10000); // no repeat without RepeatedClick
  EXPECT_EQ(clicks, 0);
  b.MouseUp(30, 5, 100); // released elsewhere: no click
  EXPECT_EQ(clicks, 0);
  b.MouseDown(5, 5, 200);
  b.MouseUp(5, 5, 300);
  EXPECT_EQ(clicks, 1);
  b.MouseDown(5, 5, 400);
  b.CancelMode();
  b.MouseUp(5, 5, 500);
  EXPECT_EQ(clicks, 1);
}

TEST(CustomButtons, HoverAndDisabledStates) {
  TMxSpeedButton b;
  b.Width = 16;
  b.Height = 16;
  std::string log;
  b.OnMouseEnter = [&](TMxSpeedButton*) { log += "+"; };
  b.OnMouseExit = [&](TMxSpeedButton*) { log += "-"; };
  b.MouseMove(3, 3);
  b.MouseMove(4, 4);
  EXPECT_EQ(b.Look(), sblHot);
  b.HoverCheck(4, 4);
  EXPECT_TRUE(b.Hot());
  b.HoverCheck(50, 4); // the 100 ms check finds the pointer gone
  EXPECT_EQ(b.Look(), sblNormal);
  b.MouseMove(3, 3);
  b.SetEnabled(false);
  EXPECT_EQ(b.Look(), sblDisabled);
  b.MouseMove(30, 3);
  b.MouseMove(3, 3);
  int clicks = 0;
  b.OnClick = [&](TMxSpeedButton*) { ++clicks; };
  EXPECT_FALSE(b.MouseDown(3, 3, 0));
  b.MouseUp(3, 3, 0);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(log, "+-+"); // no enter or exit while disabled
}

TEST(CustomButtons, DropDownOpensTheMenuAtItsCorner) {
  TMxSpeedButton b;
  b.Left = 80;
  b.Top = 2;
  b.Width = 30;
  b.Height = 16;
  b.HasDropDownMenu = true;
  b.DropDownIndent = 3;
  std::string log;
  int clicks = 0;
  b.OnClick = [&](TMxSpeedButton*) { ++clicks; };
  b.OnDropDown = [&](TMxSpeedButton*) { log += "D"; };
  b.OnPopup = [&](TMxSpeedButton* s, int x, int y) {
    EXPECT_FALSE(s->Tracking()); // the menu replaces the press
    log += '(';
    log += std::to_string(x);
    log += ',';
    log += std::to_string(y);
    log += ')';
  };
  b.MouseDown(85, 5, 0);
  b.DropDownRight = true;
  b.MouseDown(85, 5, 0);
  EXPECT_EQ(log, "D(83,18)D(110,5)");
  EXPECT_EQ(b.Look(), sblHot);
  // Combo: only the arrow part (the right 12 pixels) opens the menu.
  b.DropDownCombo = true;
  log.clear();
  b.MouseDown(85, 5, 0);
  b.MouseUp(85, 5, 0);
  b.MouseDown(100, 5, 0);
  EXPECT_EQ(log, "D(110,5)");
  EXPECT_EQ(clicks, 1);
}

TEST(CustomButtons, LegacyStyleNames) {
  EditWithButtons e;
  e.Add("a");
  struct Row {
    const char* name;
    bool known, themed;
    TMxUserButtonStyle style;
  } rows[] = {
      {"ubsWinXP", true, true, ubsWin40},        {"ubsWinXPCombo", true, true, ubsCombo},
      {"ubsWinXPTool", true, true, ubsExplorer}, {"ubsOfficeTransp", true, false, ubsOfficeTransp},
      {"ubsNope", false, false, ubsIntegrated},
  };
  for (const Row& r : rows) {
    TMxUserButtonStyle style = ubsIntegrated;
    bool themed = !r.themed;
    EXPECT_EQ(MxUserButtonStyleFromName(r.name, style, themed), r.known) << r.name;
    if (r.known) {
      EXPECT_EQ(style, r.style) << r.name;
      EXPECT_EQ(themed, r.themed) << r.name;
    }
  }
  EXPECT_TRUE(e.Edit.ReadLegacyCustomButtonStyle("ubsWinXPCombo"));
  EXPECT_EQ(e.Edit.GetCustomButtonsStyle(), ubsCombo);
  EXPECT_EQ(e.Edit.CustomButtons().Item(0).ThemeMode, TMxThemeMode::ttmPlatform);
}

TEST(CustomButtons, AssignCopiesTheItems) {
  EditWithButtons e;
  TMxSpecialButton& a = e.Add("a");
  a.SetHint("hint");
  a.SetGroupIndex(3);
  a.SetEnabled(false);
  a.SetAllowAllUp(true);
  a.ThemeMode = TMxThemeMode::ttmPlatform;
  EditWithButtons other;
  other.Edit.CustomButtons().Assign(e.Edit.CustomButtons());
  ASSERT_EQ(other.Edit.CustomButtons().Count(), 1);
  const TMxSpecialButton& copy = other.Edit.CustomButtons().Item(0);
  EXPECT_EQ(copy.GetCaption(), "a");
  EXPECT_EQ(copy.GetHint(), "hint");
  EXPECT_EQ(copy.GetGroupIndex(), 3);
  EXPECT_FALSE(copy.GetEnabled());
  EXPECT_TRUE(copy.GetAllowAllUp());
  EXPECT_EQ(copy.ThemeMode, TMxThemeMode::ttmPlatform);
  EXPECT_TRUE(static_cast<bool>(copy.OnClick));
}

} // namespace

TEST(CustomButtons, GlyphsScaleByPixelEdgesAndBack) {
  // 3 x 2: a b c / d e f.
  const TMxGlyph glyph{3, 2, {0xA, 0xB, 0xC, 0xD, 0xE, 0xF}};
  const TMxGlyph at144 = MxScaleGlyph(glyph, 96, 144);
  ASSERT_EQ(at144.Width, 5);                                                   // edges 0 2 3 5
  ASSERT_EQ(at144.Height, 3);                                                  // edges 0 2 3
  EXPECT_EQ(at144.Pixels, (std::vector<std::uint32_t>{0xA, 0xA, 0xB, 0xC, 0xC, //
                                                      0xA, 0xA, 0xB, 0xC, 0xC, //
                                                      0xD, 0xD, 0xE, 0xF, 0xF}));
  const TMxGlyph at192 = MxScaleGlyph(glyph, 96, 192);
  EXPECT_EQ(at192.Width, 6);
  EXPECT_EQ(at192.At(5, 3), 0xFu);
  for (const int dpi : {120, 144, 168, 192}) {
    EXPECT_EQ(MxScaleGlyph(MxScaleGlyph(glyph, 96, dpi), dpi, 96), glyph) << dpi;
  }
  EXPECT_EQ(MxScaleGlyph(glyph, 96, 96), glyph);
  EXPECT_TRUE(MxScaleGlyph(TMxGlyph{}, 96, 144).Empty());
}
