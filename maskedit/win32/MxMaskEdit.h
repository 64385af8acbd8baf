#pragma once
// TMxMaskEdit: the masked edit as a window. It owns the platform-free engine
// (TMxCustomMaskEdit), forwards keyboard, mouse, focus and the standard edit-control
// messages to it, and draws what the engine holds: background, frame (bevel or visual
// style), text with its 3D look, selection and caret, scrolled so that the caret stays
// visible.
//
// Sections: settings, stored properties, layout (MxMaskEdit.cpp); messages, keyboard,
// context menu and focus (MxMaskEditMessages.cpp). Parts of their own: drawing, the
// off-screen buffer and text measuring (TMxEditPainter, MxEditPainter.h); mouse selection,
// auto-scroll and drag (TMxEditMouse, MxEditMouse.h).
//
// Geometry: FrameClientRect (client less frame) > EditRect (less the strip that embedded
// buttons take, ButtonsWidth) > TextRect (text layout and clipping). While the edit has the
// focus it paints through an off-screen bitmap of its own size and copies EditRect to the
// screen in one step.
#include "framework/win32/PopupMenu.h"
#include "maskedit/engine/MxCustomMaskEdit.h"
#include "maskedit/look/Mx3DCaption.h"
#include "maskedit/look/MxEditLayout.h"
#include "maskedit/win32/MxCaret.h"
#include "maskedit/win32/MxCustomBevelPanel.h"
#include "maskedit/win32/MxCustomButtonsHost.h"
#include "maskedit/win32/MxWin32Clipboard.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class TMxEditMouse;
class TMxEditPainter;

enum TMxEditOption : unsigned { eoNarrowHeight = 1, eoSuppressDefaultMenu = 2 };

class TMxMaskEdit : public TMxCustomBevelPanel {
public:
  using TContextPopupEvent = std::function<void(TMxMaskEdit* sender, POINT position, bool& handled)>;
  // key: the virtual key; shift: the emShift, emCtrl and emAlt bits held. A handler that sets
  // key to 0 stops the key's handling (the modifier state is still taken).
  using TKeyEvent = std::function<void(TMxMaskEdit* sender, WORD& key, std::uint8_t shift)>;

  explicit TMxMaskEdit(TWinControl* parent, TMxApplication& application = MxApplication());
  ~TMxMaskEdit() override;

  // --- the engine and its common settings ---------------------------------------------
  TMxCustomMaskEdit& Edit() { return *FEdit; }
  const TMxCustomMaskEdit& Edit() const { return *FEdit; }
  std::string Text() const { return FEdit->RawText(); }
  void SetText(std::string_view text) { FEdit->SetText(text); }
  bool GetReadOnly() const override { return FEdit->GetReadOnly(); }

  TMxCaret& Caret() { return *FCaret; }
  // Copies blink rate, size and style.
  void SetCaret(const TMxCaret& source) { FCaret->Assign(source); }
  TMx3DCaption& Font3D() { return *FFont3D; }

  unsigned Options = 0;              // TMxEditOption bits
  TColor HighlightBack = 0xFF00000D; // clHighlight
  TColor HighlightText = 0xFF00000E; // clHighlightText
  bool KeepSelectionOnFocus = false;
  bool RepaintOnSetFocus = false;
  bool RepaintOnKillFocus = false;
  bool FocusOnMouseAbove = false;
  // True: the mouse timer (auto-scroll while the button is held) ticks on the process-wide
  // timer (TMxGlobalTimer) instead of a timer of the edit's own window.
  bool UseGlobalTimer = false;
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  TContextPopupEvent OnContextPopup;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  // Shown on a right click instead of the built-in menu (not owned: clear it before the menu
  // goes). eoSuppressDefaultMenu does not hide it.
  IPopupMenu* PopupMenu = nullptr;

  // --- layout -----------------------------------------------------------------------------
  const TMxEditRects& Rects() const { return FRects; }
  void UpdateEditRects();
  void PrepareBuffer();
  void AdjustSize();
  // Height of s in the edit's font, plus the shadow of the shadowed 3D styles.
  int TextHeightOf(std::string_view s);
  // 1-based caret position nearest to the client x.
  int CharIndexFromX(int x);
  // Client coordinates of the caret position before character index (0-based).
  POINT PosFromChar(long long index);
  // Draws the text area (through the off-screen bitmap while focused): now, or, while a
  // message is being handled, once when its handling ends.
  void PaintText();
  void UpdateCaret();
  bool OffscreenActive() const;

  // --- hooks for controls embedded in the frame (buttons) --------------------------------
  // Pixels the embedded controls take from the right of the edit area (the custom
  // buttons' strip).
  virtual int ButtonsWidth() const;
  // The window side of the custom buttons (drop-down menus, menu commands).
  TMxCustomButtonsHost& ButtonsHost() { return *FButtons; }
  // True: every button takes the edit's theme mode, now and whenever it changes.
  void SetCustomButtonParentCtlXP(bool value);
  // Draws into the edit area before the text (dc may be the off-screen bitmap's).
  virtual void PaintBeforeText(HDC dc, const RECT& editRect) {}

  TPropertyResult ReadProperty(const std::string& name, const TLayoutValue& value) override;
  void BeginLoading() override;
  // Editable text named by its label; its value is the text, and setting it types it.
  bool AccessibleFacts(TAccessibleFacts& facts) const override;
  void Loaded() override;

protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  LRESULT WndProc(UINT msg, WPARAM wparam, LPARAM lparam) override;
  void Paint(TCanvas& canvas) override;
  void FocusGained() override;
  void FocusLost(HWND to) override;
  void FontChanged() override;
  // The custom buttons' width and glyphs and the caret's sizes, from their stored values.
  void ScaleMetrics(const TScale& scale) override;
  void AddPartTooltips(HWND tooltip) override;
  void ThemeModeChanged() override;
  void DoMouseEnter() override;
  void DoMouseExit() override;

private:
  class TView;
  class TEngine;
  class THost;
  friend class TView;
  friend class TEngine;
  friend class THost;

  void ResizeCaret();

  // input
  bool HandleEditMessage(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result);
  void KeyDown(WPARAM vk);
  void KeyUp(WPARAM vk);
  void ContextMenu(POINT client);
  void RequestFocusBack();
  void Refocus();
  void Relayout();
  void PaintButtons(HDC dc);
  // The custom buttons' hints as rectangle tools of the tooltip window, where the buttons are.
  void SyncButtonTooltips(HWND tooltip);
  bool OverButton(LPARAM pos);

  std::unique_ptr<TMxCustomMaskEdit> FEdit;
  std::unique_ptr<TMxCustomButtonsHost> FButtons;
  // While a message is being handled, text repaints are collected and done once at its end.
  int FPaintBatch = 0;
  bool FPaintPending = false;
  // What assistive tools were last told (text, selection), to tell them of changes.
  std::string FToldText;
  int FToldSelStart = -1, FToldSelLength = -1;
  // The button tools this edit has given the tooltip window (by item).
  std::vector<const void*> FButtonTools;
  bool FAccessiblePending = false;
  // The text or the selection may have changed: assistive tools hear of it now, or when the
  // message being handled ends.
  void AccessibleChanged();
  void TellAccessibleChanges();
  std::unique_ptr<TView> FView;
  TMxWin32Clipboard FClipboard;
  std::unique_ptr<TMxCaret> FCaret;
  std::unique_ptr<TMx3DCaption> FFont3D;
  bool FAutoSize = false;
  // What ScaleMetrics scales from: the values at the density they were set at.
  struct TStoredGlyph {
    const TMxSpecialButton* Item = nullptr;
    int PixelsPerInch = 0;
    TMxGlyph Stored; // as set
    TMxGlyph Shown;  // as scaled last
  };
  struct TStoredMetrics {
    int PixelsPerInch = 0;
    int ButtonWidth = 0, CaretWidth = 0, CaretHeight = 0, CaretLineWidth = 0;
    std::vector<TStoredGlyph> Glyphs;
  } FStored;

  TMxEditRects FRects;
  std::unique_ptr<THost> FHost; // what the painter and the mouse handling ask of the window
  std::unique_ptr<TMxEditPainter> FPainter;
  std::unique_ptr<TMxEditMouse> FMouse;

  HWND FFocusGoingTo = nullptr;
  bool FRefocusPosted = false; // this edit posted the pending focus return
};

// Makes the edit family's controls (TMxBevelPanel, TMxMaskEdit) known to layouts.
void RegisterMxControls();
