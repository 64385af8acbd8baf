#pragma once
// IControlPainter: a look the program lays over the framework's own drawing of containers'
// backgrounds, group boxes, push buttons and edits' borders (a theme's control families, say). Each member
// answers whether it drew; false leaves the framework's own drawing. One painter serves the
// whole program; none is set at first.
#include "framework/Colors.h"

#include <windows.h>

class TWinControl;

class IControlPainter {
public:
  virtual ~IControlPainter() = default;
  // The background of a container (a form, a group box) within rect, client coordinates.
  virtual bool PaintContainer(const TWinControl& container, HDC dc, const RECT& rect) = 0;
  // A group box's frame (its rect) and caption (text in label), background included.
  virtual bool PaintGroupBox(const TWinControl& box, HDC dc, const RECT& frame, const RECT& label) = 0;
  // The text colour of a label drawn in its container's colour; color holds the label's own.
  virtual bool LabelColor(const TWinControl& label, TColor& color) = 0;
  // Whether push buttons are drawn by PaintButton now (they are made owner-drawn for it).
  virtual bool PaintsButtons() const = 0;
  virtual void PaintButton(const TWinControl& button, const DRAWITEMSTRUCT& item) = 0;
  // An edit's border in its window DC: window is its whole rectangle, client its client area
  // (both window coordinates), which stays as the edit drew it.
  virtual bool PaintEditFrame(const TWinControl& edit, HDC dc, const RECT& window, const RECT& client,
                              bool enabled, bool readOnly) = 0;
};

IControlPainter* ControlPainter();
// Not owned; null puts the framework's own drawing back. Windows drawn already keep their
// pixels until they are painted again.
void SetControlPainter(IControlPainter* painter);
