#pragma once
// TMxCustomBevelPanel: a panel that owns one bevel and reserves its frame around the client
// area. In bmWindows mode the frame is the window's own border (a sunken client edge, or a
// plain border without Ctl3D), or, with a platform theme, the visual style's frame drawn by
// the control. Any change of the bevel recreates the window so that the styles follow.
#include "maskedit/look/MxBevel.h"
#include "maskedit/win32/MxCustomPanel.h"

#include <memory>

class TMxCustomBevelPanel : public TMxCustomPanel {
public:
  explicit TMxCustomBevelPanel(TWinControl* parent);
  ~TMxCustomBevelPanel() override;

  TMxBevel& Bevel() { return *FBevel; }
  const TMxBevel& Bevel() const { return *FBevel; }
  // Copies source into the own bevel (one change).
  void SetBevel(const TMxBevel& source) { FBevel->Assign(source); }

  void BevelChanged(TMxObject* sender) override;
  TPropertyResult ReadProperty(const std::string& name, const TLayoutValue& value) override;

  // The area inside the frame, for laying out children and content.
  TMxRect BevelClientRect() const;

protected:
  // Drawn bevels take widths scaled from their stored ones; in bmWindows mode the frame is the
  // platform's border or visual style, which follows the density itself.
  void ScaleMetrics(const TScale& scale) override;
  void CreateParams(TCreateParams& params) override;
  void ThemeModeChanged() override;
  void Paint(TCanvas& canvas) override;
  // Flat looks for every bevel mode: bmWindows keeps the window-border looks; the other
  // modes draw the bevel (active) or fill its strips with the background (normal). With a
  // platform theme the paint draws the frame, so a change of look only repaints.
  void DrawActiveLook() override;
  void DrawNormalLook() override;
  void DoMouseEnter() override;

private:
  std::unique_ptr<TMxBevel> FBevel;
  // The drawn bevel's widths as stored (inner, outer, border, inner border) and their density.
  int FStoredPixelsPerInch = 0;
  int FStoredWidths[4] = {};
};
