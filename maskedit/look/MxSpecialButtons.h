#pragma once
// TMxSpecialButtons: the row of custom buttons an edit carries inside its frame, right of
// the text. Each TMxSpecialButton item owns the TMxSpeedButton drawn for it.
//
// Any change of the collection (an item added, removed or changed) runs the change
// handler and asks the owner to lay itself out again. A click on a button first fires
// the item's OnClick and then the owner's DoBtnClick, both with the index the item has
// at the moment of the click.
#include "maskedit/look/MxSpeedButton.h"
#include "maskedit/look/MxThemeInUse.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TMxSpecialButton;

// The edit that carries the buttons.
class IMxSpecialButtonsOwner {
public:
  virtual ~IMxSpecialButtonsOwner() = default;
  // The collection changed: lay out again (the owner decides when).
  virtual void CustomButtonsChanged() = 0;
  virtual void DoBtnClick(TMxSpeedButton& button, int index) = 0;
};

class TMxSpecialButtons {
public:
  using TChange = std::function<void(TMxSpecialButtons* sender)>;

  explicit TMxSpecialButtons(IMxSpecialButtonsOwner* owner = nullptr) : Owner(owner) {}
  TMxSpecialButtons(const TMxSpecialButtons&) = delete;
  TMxSpecialButtons& operator=(const TMxSpecialButtons&) = delete;

  int Count() const { return static_cast<int>(Items.size()); }
  TMxSpecialButton& Item(int index) { return *Items.at(static_cast<size_t>(index)); }
  const TMxSpecialButton& Item(int index) const { return *Items.at(static_cast<size_t>(index)); }
  // The item's current index; -1 when it is not in this collection.
  int IndexOf(const TMxSpecialButton* item) const;
  TMxSpecialButton& Add();
  // No effect for an index out of range.
  void Delete(int index);
  void Clear();
  // Copies every item's settings (Assign) into as many items.
  void Assign(const TMxSpecialButtons& source);

  TChange OnChange;
  // Whether a change asks the owner to lay out again (the edit sets it).
  bool RelayoutOwner = true;

  // --- called by the items ------------------------------------------------------------
  void Update();
  void ButtonClicked(TMxSpecialButton& item);
  // A grouped button latched: the other latched button of its group is released.
  void ButtonLatched(TMxSpecialButton& item);

private:
  IMxSpecialButtonsOwner* Owner;
  std::vector<std::unique_ptr<TMxSpecialButton>> Items;
};

class TMxSpecialButton {
public:
  using TMxOnCustomBtnClick = std::function<void(TMxSpecialButton* sender, int index)>;

  explicit TMxSpecialButton(TMxSpecialButtons& collection);
  TMxSpecialButton(const TMxSpecialButton&) = delete;
  TMxSpecialButton& operator=(const TMxSpecialButton&) = delete;

  // The position in the collection now (not when the item was made).
  int Index() const { return Collection.IndexOf(this); }
  std::string DisplayName() const { return Button.Caption.empty() ? "TMxSpecialButton" : Button.Caption; }
  TMxSpeedButton& Control() { return Button; }
  const TMxSpeedButton& Control() const { return Button; }

  // Settings passed on to the button; each setter tells the collection of the change.
  const std::string& GetCaption() const { return Button.Caption; }
  void SetCaption(const std::string& value);
  const std::string& GetHint() const { return Button.Hint; }
  void SetHint(const std::string& value);
  bool GetEnabled() const { return Button.GetEnabled(); }
  void SetEnabled(bool value);
  TMxButtonLayout GetLayout() const { return Button.Layout; }
  void SetLayout(TMxButtonLayout value);
  const TMxGlyph& GetGlyph() const { return Button.Glyph; }
  void SetGlyph(const TMxGlyph& value);
  // Setting the font clears ParentFont.
  const TFontData& GetFont() const { return Button.Font; }
  void SetFont(const TFontData& value);
  bool GetParentFont() const { return Button.ParentFont; }
  void SetParentFont(bool value);
  // The caption's 3D look; its changes reach the collection as the item's.
  TMx3DCaption& FontFX() { return Button.FontFX; }
  const TMx3DCaption& FontFX() const { return Button.FontFX; }
  TCursor GetCursor() const { return Button.Cursor; }
  void SetCursor(TCursor value);
  int GetGroupIndex() const { return Button.GroupIndex; }
  void SetGroupIndex(int value);
  bool GetAllowAllUp() const { return Button.AllowAllUp; }
  void SetAllowAllUp(bool value);
  // Stored on the item only.
  TMxThemeMode ThemeMode = TMxThemeMode::ttmNone;
  TMxOnCustomBtnClick OnClick;
  // The name OnClick was bound by in a layout (written back when the layout is stored).
  std::string OnClickName;

  // Caption, Hint, Glyph, Enabled, Cursor, GroupIndex, AllowAllUp, Layout, Font, FontFX,
  // ParentFont, the theme mode and the OnClick handler (with its name); one change.
  void Assign(const TMxSpecialButton& source);

private:
  void Changed() { Collection.Update(); }

  TMxSpecialButtons& Collection;
  TMxSpeedButton Button;
};

// Pixel layout of the buttons in an edit. The text area [left, right) loses count ×
// width pixels at its right; the buttons fill that strip from left to right, each as high
// as the text area (from 0 instead of top when the frame is drawn outside the client
// area). A strip wider than the area is cut at the area's left edge.
struct TMxButtonBounds {
  int Left = 0, Top = 0, Width = 0, Height = 0;
};
struct TMxButtonStrip {
  int EditRight = 0;
  std::vector<TMxButtonBounds> Buttons;
};
TMxButtonStrip MxLayoutCustomButtons(int left, int top, int right, int bottom, int count, int width,
                                     bool frameOutsideClient);
// The narrowest an auto-sized edit with these buttons may become.
int MxMinimumButtonEditWidth(int count, int width);

// Reads a stored style name: the enumerator names, and the older "ubsWinXP" (ubsWin40),
// "ubsWinXPCombo" (ubsCombo) and "ubsWinXPTool" (ubsExplorer), which also ask for the
// platform look (themed). False for an unknown name.
bool MxUserButtonStyleFromName(const std::string& name, TMxUserButtonStyle& style, bool& themed);
