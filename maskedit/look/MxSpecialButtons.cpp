#include "maskedit/look/MxSpecialButtons.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

// --- collection ---------------------------------------------------------------------------

int TMxSpecialButtons::IndexOf(const TMxSpecialButton* item) const {
  for (size_t i = 0; i < Items.size(); ++i) {
    if (Items[i].get() == item) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

TMxSpecialButton& TMxSpecialButtons::Add() {
  Items.push_back(std::make_unique<TMxSpecialButton>(*this));
  TMxSpecialButton& item = *Items.back();
  Update();
  return item;
}

void TMxSpecialButtons::Delete(int index) {
  if (index < 0 || index >= Count()) {
    return;
  }
  Items.erase(Items.begin() + index);
  Update();
}

void TMxSpecialButtons::Clear() {
  if (Items.empty()) {
    return;
  }
  Items.clear();
  Update();
}

void TMxSpecialButtons::Assign(const TMxSpecialButtons& source) {
  if (&source == this) {
    return;
  }
  Items.clear();
  for (const auto& item : source.Items) {
    Items.push_back(std::make_unique<TMxSpecialButton>(*this));
    Items.back()->Assign(*item);
  }
  Update();
}

void TMxSpecialButtons::Update() {
  if (OnChange) {
    OnChange(this);
  }
  if (Owner && RelayoutOwner) {
    Owner->CustomButtonsChanged();
  }
}

void TMxSpecialButtons::ButtonClicked(TMxSpecialButton& item) {
  const int index = IndexOf(&item);
  if (index < 0) {
    return;
  }
  // The item's handler runs from a copy and may remove the item; the owner then hears of
  // the click only while the item still exists.
  if (const TMxSpecialButton::TMxOnCustomBtnClick handler = item.OnClick) {
    handler(&item, index);
  }
  if (Owner && IndexOf(&item) >= 0) {
    Owner->DoBtnClick(item.Control(), index);
  }
}

void TMxSpecialButtons::ButtonLatched(TMxSpecialButton& item) {
  const int group = item.GetGroupIndex();
  for (const auto& other : Items) {
    if (other.get() != &item && other->GetGroupIndex() == group && other->Control().GetDown()) {
      other->Control().SetDown(false);
    }
  }
}

// --- item --------------------------------------------------------------------------------

TMxSpecialButton::TMxSpecialButton(TMxSpecialButtons& collection) : Collection(collection) {
  Button.OnClick = [this](TMxSpeedButton*) { Collection.ButtonClicked(*this); };
  Button.OnLatched = [this](TMxSpeedButton*) { Collection.ButtonLatched(*this); };
  Button.FontFX.SetOnChange([this](TMxObject*) { Changed(); });
}

void TMxSpecialButton::SetGlyph(const TMxGlyph& value) {
  Button.Glyph = value;
  Changed();
}

void TMxSpecialButton::SetFont(const TFontData& value) {
  Button.Font = value;
  Button.ParentFont = false;
  Changed();
}

void TMxSpecialButton::SetParentFont(bool value) {
  Button.ParentFont = value;
  Changed();
}

void TMxSpecialButton::SetCursor(TCursor value) {
  Button.Cursor = value;
  Changed();
}

void TMxSpecialButton::SetCaption(const std::string& value) {
  Button.Caption = value;
  Changed();
}

void TMxSpecialButton::SetHint(const std::string& value) {
  Button.Hint = value;
  Changed();
}

void TMxSpecialButton::SetEnabled(bool value) {
  Button.SetEnabled(value);
  Changed();
}

void TMxSpecialButton::SetLayout(TMxButtonLayout value) {
  Button.Layout = value;
  Changed();
}

void TMxSpecialButton::SetGroupIndex(int value) {
  Button.GroupIndex = value;
  Changed();
}

void TMxSpecialButton::SetAllowAllUp(bool value) {
  Button.AllowAllUp = value;
  Changed();
}

void TMxSpecialButton::Assign(const TMxSpecialButton& source) {
  Button.Caption = source.Button.Caption;
  Button.Hint = source.Button.Hint;
  Button.SetEnabled(source.Button.GetEnabled());
  Button.GroupIndex = source.Button.GroupIndex;
  Button.AllowAllUp = source.Button.AllowAllUp;
  Button.Layout = source.Button.Layout;
  Button.Glyph = source.Button.Glyph;
  Button.Cursor = source.Button.Cursor;
  Button.Font = source.Button.Font;
  Button.ParentFont = source.Button.ParentFont;
  {
    // One change for the whole copy: the 3D look's own notice is held back.
    TMxObject::TChangeHandler notify = Button.FontFX.GetOnChange();
    Button.FontFX.SetOnChange(nullptr);
    Button.FontFX.Assign(source.Button.FontFX);
    Button.FontFX.SetOnChange(std::move(notify));
  }
  ThemeMode = source.ThemeMode;
  OnClick = source.OnClick;
  OnClickName = source.OnClickName;
  Changed();
}

// --- layout --------------------------------------------------------------------------------

TMxButtonStrip MxLayoutCustomButtons(int left, int top, int right, int bottom, int count, int width,
                                     bool frameOutsideClient) {
  TMxButtonStrip strip;
  count = std::max(count, 0);
  width = std::max(width, 0);
  // 64-bit: a hostile count times a hostile width must not wrap.
  const std::int64_t strip64 = static_cast<std::int64_t>(count) * width;
  const std::int64_t editRight = std::max<std::int64_t>(left, static_cast<std::int64_t>(right) - strip64);
  strip.EditRight = static_cast<int>(std::min<std::int64_t>(editRight, right));
  const int height = std::max(0, bottom - top);
  strip.Buttons.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    const std::int64_t x = static_cast<std::int64_t>(strip.EditRight) + static_cast<std::int64_t>(i) * width;
    strip.Buttons.push_back({static_cast<int>(std::min<std::int64_t>(x, INT32_MAX)),
                             frameOutsideClient ? 0 : top, width, height});
  }
  return strip;
}

int MxMinimumButtonEditWidth(int count, int width) {
  const std::int64_t w = static_cast<std::int64_t>(std::max(count, 0)) * std::max(width, 0) + 30;
  return static_cast<int>(std::min<std::int64_t>(w, INT32_MAX));
}

bool MxUserButtonStyleFromName(const std::string& name, TMxUserButtonStyle& style, bool& themed) {
  static const std::array<std::pair<const char*, TMxUserButtonStyle>, 14> names{{
      {"ubsWin31", ubsWin31},
      {"ubsWin40", ubsWin40},
      {"ubsCorvel", ubsCorvel},
      {"ubsCorvelFlat", ubsCorvelFlat},
      {"ubsFlat", ubsFlat},
      {"ubsFlatUnColored", ubsFlatUnColored},
      {"ubsNavigator", ubsNavigator},
      {"ubsExplorer", ubsExplorer},
      {"ubsExplorerColored", ubsExplorerColored},
      {"ubsIntegrated", ubsIntegrated},
      {"ubsCombo", ubsCombo},
      {"ubsOffice", ubsOffice},
      {"ubsOfficeTransp", ubsOfficeTransp},
      {"ubsWin40Ext", ubsWin40Ext},
  }};
  themed = true;
  if (name == "ubsWinXP") {
    style = ubsWin40;
    return true;
  }
  if (name == "ubsWinXPCombo") {
    style = ubsCombo;
    return true;
  }
  if (name == "ubsWinXPTool") {
    style = ubsExplorer;
    return true;
  }
  themed = false;
  for (const auto& [text, value] : names) {
    if (name == text) {
      style = value;
      return true;
    }
  }
  return false;
}
