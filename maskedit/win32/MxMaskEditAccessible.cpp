// The masked edit as assistive tools see it: editable text, named by the label left of it,
// whose value is its text. Setting the value types it into the field (so the mask decides
// what it becomes); focus, value and selection changes are told as they happen.
#include "maskedit/win32/MxMaskEdit.h"

#include "framework/AccessibleNames.h"

#include <oleacc.h>

bool TMxMaskEdit::AccessibleFacts(TAccessibleFacts& facts) const {
  facts.Role = ROLE_SYSTEM_TEXT;
  facts.Name = AccessibleWide(AccessibleLabelName());
  facts.Value = AccessibleWide(FEdit->RawText());
  facts.ReadOnly = FEdit->GetReadOnly();
  HWND window = Handle();
  facts.SetValue = [window](const std::wstring& value) {
    auto* self = dynamic_cast<TMxMaskEdit*>(TWinControl::FromHandle(window));
    if (!self || self->FEdit->GetReadOnly() || !self->Enabled()) {
      return false;
    }
    // The whole text replaced by what is typed, character by character, as a user would.
    self->FEdit->SelectAll();
    SendMessageA(window, WM_CHAR, VK_BACK, 0);
    for (char c : AccessibleNarrow(value)) {
      SendMessageA(window, WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 0);
    }
    return true;
  };
  // The buttons drawn in the field: push buttons named by their hints (else their captions),
  // pressed by their default action as a click would press them.
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  const TMxSpecialButtons& buttons = FEdit->CustomButtons();
  for (int i = 0; i < buttons.Count(); ++i) {
    const TMxSpecialButton& item = buttons.Item(i);
    const TMxSpeedButton& b = item.Control();
    TAccessibleElement button;
    button.Role = ROLE_SYSTEM_PUSHBUTTON;
    button.Name = AccessibleWide(AccessibleText(item.GetHint().empty() ? item.GetCaption() : item.GetHint()));
    button.Screen = {origin.x + b.Left, origin.y + b.Top, origin.x + b.Left + b.Width,
                     origin.y + b.Top + b.Height};
    if (b.Width <= 0 || b.Height <= 0) {
      button.State = STATE_SYSTEM_INVISIBLE;
    } else if (!item.GetEnabled() || !Enabled()) {
      button.State = STATE_SYSTEM_UNAVAILABLE;
    } else {
      button.DefaultAction = L"Press";
    }
    facts.Children.push_back(std::move(button));
  }
  facts.DoChild = [window](std::size_t index) {
    auto* self = dynamic_cast<TMxMaskEdit*>(TWinControl::FromHandle(window));
    if (!self || int(index) >= self->FEdit->CustomButtons().Count() || !self->Enabled()) {
      return false;
    }
    TMxSpecialButton& item = self->FEdit->CustomButtons().Item(int(index));
    if (!item.GetEnabled()) {
      return false;
    }
    self->FEdit->CustomButtons().ButtonClicked(item);
    return true;
  };
  return true;
}

void TMxMaskEdit::AccessibleChanged() {
  FAccessiblePending = true;
  if (FPaintBatch == 0) {
    TellAccessibleChanges();
  }
}

void TMxMaskEdit::TellAccessibleChanges() {
  FAccessiblePending = false;
  if (!HandleAllocated()) {
    return;
  }
  const std::string& text = FEdit->RawText();
  if (text != FToldText) {
    FToldText = text;
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, Handle(), OBJID_CLIENT, CHILDID_SELF);
  }
  const int start = FEdit->GetSelStart(), length = FEdit->GetSelLength();
  if (start != FToldSelStart || length != FToldSelLength) {
    FToldSelStart = start;
    FToldSelLength = length;
    NotifyWinEvent(EVENT_OBJECT_TEXTSELECTIONCHANGED, Handle(), OBJID_CLIENT, CHILDID_SELF);
  }
}
