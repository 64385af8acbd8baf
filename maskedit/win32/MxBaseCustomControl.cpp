#include "maskedit/win32/MxBaseCustomControl.h"

#include "framework/Hint.h"
#include "framework/PropertyTable.h"

#include <algorithm>
#include <climits>

TMxBaseCustomControl::TMxBaseCustomControl(TWinControl* parent) : TWinControl(parent) {}

void TMxBaseCustomControl::EndUpdate(bool repaint) {
  if (FUpdates.End(repaint)) {
    BevelChanged(nullptr);
  }
}

void TMxBaseCustomControl::BevelChanged(TMxObject*) {
  if (RepaintOnChange) {
    Invalidate();
  }
}

std::wstring TMxBaseCustomControl::WideHint() const {
  if (const std::optional<TUnpackedHint> packed = UnpackWideHint(Hint())) {
    return std::wstring(packed->Wide.begin(), packed->Wide.end());
  }
  // A plain 8-bit hint (from a layout, say): its code-page form.
  const std::string& narrow = Hint();
  if (narrow.empty() || narrow.size() > INT_MAX) {
    return {};
  }
  const int n = MultiByteToWideChar(CP_ACP, 0, narrow.data(), static_cast<int>(narrow.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(std::max(n, 0)), L'\0');
  if (n > 0) {
    MultiByteToWideChar(CP_ACP, 0, narrow.data(), static_cast<int>(narrow.size()), wide.data(), n);
  }
  return wide;
}

void TMxBaseCustomControl::SetWideHint(std::wstring_view hint) {
  hint = hint.substr(0, std::min(hint.find(L'\0'), static_cast<std::size_t>(INT_MAX / 4)));
  std::string narrow;
  if (!hint.empty()) {
    const int length = static_cast<int>(hint.size());
    const int n = WideCharToMultiByte(CP_ACP, 0, hint.data(), length, nullptr, 0, nullptr, nullptr);
    narrow.resize(static_cast<std::size_t>(std::max(n, 0)));
    if (n > 0) {
      WideCharToMultiByte(CP_ACP, 0, hint.data(), length, narrow.data(), n, nullptr, nullptr);
    }
  }
  SetHint(PackWideHint(narrow, std::u16string(hint.begin(), hint.end())));
}

void TMxBaseCustomControl::DoMouseEnter() {
  if (OnMouseEnter) {
    OnMouseEnter(this);
  }
}

void TMxBaseCustomControl::DoMouseExit() {
  if (OnMouseExit) {
    OnMouseExit(this);
  }
}

TPropertyResult TMxBaseCustomControl::ReadProperty(const std::string& name, const TLayoutValue& value) {
  using P = TPropertyTable<TMxBaseCustomControl>;
  static const P kTable{
      {"OnMouseEnter", P::Event([](TMxBaseCustomControl& c) -> TNotifyEvent& { return c.OnMouseEnter; })},
      {"OnMouseExit", P::Event([](TMxBaseCustomControl& c) -> TNotifyEvent& { return c.OnMouseExit; })},
  };
  if (const std::optional<TPropertyResult> r = kTable.Read(*this, name, value)) {
    return *r;
  }
  return TWinControl::ReadProperty(name, value);
}
