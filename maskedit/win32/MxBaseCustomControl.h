#pragma once
// TMxBaseCustomControl: the windowed base of the edit family. It nests BeginUpdate /
// EndUpdate, is the change handler of the settings objects it owns (BevelChanged), and
// reports the mouse entering and leaving.
#include "framework/win32/WinControl.h"
#include "maskedit/MxObject.h"
#include "maskedit/MxUpdateCounter.h"

#include <string>
#include <string_view>

class TMxBaseCustomControl : public TWinControl {
public:
  explicit TMxBaseCustomControl(TWinControl* parent);

  void BeginUpdate() { FUpdates.Begin(); }
  // Lowers the update count; when it reaches 0 and repaint is set, BevelChanged(nullptr).
  virtual void EndUpdate(bool repaint);
  bool IsUpdating() const { return FUpdates.IsUpdating(); }

  // Change handler of every settings object of the control; sender is null for a general
  // repaint. Invalidates when RepaintOnChange is set.
  virtual void BevelChanged(TMxObject* sender);
  bool RepaintOnChange = true;

  // The hint as a wide text. It is kept in the 8-bit Hint() packed (framework/Hint.h): the
  // code page's form first, for readers of 8-bit hints, then the wide text.
  std::wstring WideHint() const;
  void SetWideHint(std::wstring_view hint);

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseExit;

  TPropertyResult ReadProperty(const std::string& name, const TLayoutValue& value) override;

protected:
  virtual void DoMouseEnter();
  virtual void DoMouseExit();
  void MouseEnter() override { DoMouseEnter(); }
  void MouseLeave() override { DoMouseExit(); }

private:
  TMxUpdateCounter FUpdates;
};
