#include "maskedit/win32/MxMaskEdit.h"

#include "maskedit/look/MxGlyph.h"
#include "maskedit/look/MxSpecialButtonsStore.h"

#include "framework/Font.h"
#include "framework/Hint.h"

#include "framework/PropertyTable.h"
#include "framework/win32/Canvas.h"
#include "framework/win32/ControlRegistry.h"
#include "framework/win32/Form.h"
#include "framework/win32/Graphics.h"
#include "maskedit/win32/MxBevelPanel.h"
#include "maskedit/win32/MxEditMouse.h"
#include "maskedit/win32/MxEditPainter.h"
#include "maskedit/win32/MxGdiBevelCanvas.h"
#include "maskedit/win32/MxThemeServices.h"
#include "maskedit/win32/MxWin32CharClass.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>

// --- the engine's view -----------------------------------------------------------------------

class TMxMaskEdit::TView final : public IMxEditView {
public:
  explicit TView(TMxMaskEdit& owner) : Owner(owner) {}
  void PaintText() override { Owner.PaintText(); }
  void UpdateCaret() override { Owner.UpdateCaret(); }
  void Invalidate() override { Owner.TWinControl::Invalidate(); }
  bool Focused() const override { return Owner.TWinControl::Focused(); }
  bool WindowExists() const override { return Owner.HandleAllocated(); }
  void RequestFocus() override { Owner.RequestFocusBack(); }
  void FocusNextControl() override {
    if (TForm* form = TForm::Of(Owner)) {
      form->SelectNext(true);
    }
  }

private:
  TMxMaskEdit& Owner;
};

// The engine, told that a general repaint after an update means its text area: the frame
// does not change with the text, so no full invalidation (and no WM_PAINT) per keystroke.
class TMxMaskEdit::TEngine final : public TMxCustomMaskEdit {
public:
  TEngine(TMxMaskEdit& owner, TMxApplication& application) : TMxCustomMaskEdit(application), Owner(owner) {}
  void BevelChanged(TMxObject* sender) override {
    if (sender == nullptr && !IsLoading()) {
      Owner.PaintText();
    } else {
      TMxCustomMaskEdit::BevelChanged(sender);
    }
  }

private:
  TMxMaskEdit& Owner;
};

// What the painter and the mouse handling ask of the window.
class TMxMaskEdit::THost final : public IMxEditPaintHost, public IMxEditMouseHost {
public:
  explicit THost(TMxMaskEdit& owner) : Owner(owner) {}
  HWND Window() const override { return Owner.Handle(); }
  RECT ClientRect() const override { return Owner.ClientRect(); }
  HFONT Font() const override { return Owner.FontHandle(); }
  TColor TextColor() const override { return Owner.Font().Color; }
  TColor BackColor() const override { return Owner.Color(); }
  bool Enabled() const override { return Owner.Enabled(); }
  const TMxEditRects& Rects() const override { return Owner.FRects; }
  TColor HighlightBack() const override { return Owner.HighlightBack; }
  TColor HighlightText() const override { return Owner.HighlightText; }
  bool FillTransparent(HDC dc, const RECT& rect) override {
    if (Owner.Opaque()) {
      return false;
    }
    Owner.DrawBackground(dc, rect);
    return true;
  }
  void PaintBeforeText(HDC dc, const RECT& editRect) override { Owner.PaintBeforeText(dc, editRect); }
  bool Focused() const override { return Owner.TWinControl::Focused(); }
  void TakeFocus() override { Owner.SetFocus(); }
  int CharIndexFromX(int x) override { return Owner.CharIndexFromX(x); }
  bool UseGlobalTimer() const override { return Owner.UseGlobalTimer; }

private:
  TMxMaskEdit& Owner;
};

// --- construction and settings ----------------------------------------------------------------

TMxMaskEdit::TMxMaskEdit(TWinControl* parent, TMxApplication& application)
    : TMxCustomBevelPanel(parent), FEdit(std::make_unique<TEngine>(*this, application)),
      FButtons(std::make_unique<TMxCustomButtonsHost>(*FEdit)), FView(std::make_unique<TView>(*this)),
      FCaret(std::make_unique<TMxCaret>()), FFont3D(std::make_unique<TMx3DCaption>()),
      FHost(std::make_unique<THost>(*this)),
      FPainter(std::make_unique<TMxEditPainter>(*FHost, *FEdit, *FFont3D, *FCaret)),
      FMouse(std::make_unique<TMxEditMouse>(*FHost, *FEdit)) {
  BeginUpdate();
  SetColor(clWindow);
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  // An edit's frame is the platform's sunken edit border (or the visual style's) unless a
  // layout asks for a bevel of its own.
  Bevel().SetMode(TMxBevelMode::bmWindows);
  EndUpdate(false);
  FEdit->SetView(FView.get());
  FEdit->SetClipboard(&FClipboard);
  FEdit->SetCharClass(&TMxWin32CharClass::Instance());
  FCaret->SetOnChange([this](TMxObject*) {
    if (TWinControl::Focused()) {
      ResizeCaret();
    }
  });
  FFont3D->SetOnChange([this](TMxObject*) {
    FPainter->Font3DChanged();
    TWinControl::Invalidate();
  });
}

TMxMaskEdit::~TMxMaskEdit() {
  // Marks the control as going before its window goes: a focused field then loses the
  // focus without its exit duties, so no handler runs on a half-freed control (or on a
  // caller's state that is already gone).
  FreeComponents();
  FEdit->SetView(nullptr);
  FEdit->SetClipboard(nullptr);
  FCaret->SetOnChange(nullptr);
  FFont3D->SetOnChange(nullptr);
  FPainter->ReleaseSelections();
  DestroyHandle();
}

void TMxMaskEdit::SetAutoSize(bool value) {
  if (value == FAutoSize) {
    return;
  }
  FAutoSize = value;
  AdjustSize();
}

void TMxMaskEdit::CreateParams(TCreateParams& params) {
  TMxCustomBevelPanel::CreateParams(params);
  params.ClassName = "Tabira.MaskEdit";
  // The edit paints every pixel of its children-free client area itself.
  params.Style &= ~WS_CLIPCHILDREN;
}

void TMxMaskEdit::HandleCreated() {
  TMxCustomBevelPanel::HandleCreated();
  FClipboard.SetOwner(Handle());
  FCaret->SetOwnerWindow(Handle());
  FButtons->Attach(Handle(), [this] { Relayout(); });
  UpdateEditRects();
}

void TMxMaskEdit::Relayout() {
  // The size comes from the window itself, never from a message.
  if (TWinControl::Focused()) {
    PrepareBuffer();
  } else {
    UpdateEditRects();
  }
  AdjustSize();
  TWinControl::Invalidate();
  UpdateCaret();
}

void TMxMaskEdit::BeginLoading() {
  TMxCustomBevelPanel::BeginLoading();
  FEdit->BeginLoading();
}

void TMxMaskEdit::Loaded() {
  TMxCustomBevelPanel::Loaded();
  FEdit->Loaded();
  UpdateEditRects();
  AdjustSize();
  TWinControl::Invalidate();
}

TPropertyResult TMxMaskEdit::ReadProperty(const std::string& name, const TLayoutValue& value) {
  using P = TPropertyTable<TMxMaskEdit>;
  const auto colour = [](void (*apply)(TMxMaskEdit&, TColor)) -> P::TReader {
    return [apply](TMxMaskEdit& c, const TLayoutValue& v) {
      const std::optional<TColor> value = LayoutColor(v);
      if (!value) {
        return TPropertyResult::Bad("a colour");
      }
      apply(c, *value);
      return TPropertyResult::Ok();
    };
  };
  // CustomButtonStyle is the name older layouts stored, with three more (themed) names.
  const auto buttonStyle = [](bool legacy) -> P::TReader {
    return [legacy](TMxMaskEdit& c, const TLayoutValue& v) {
      if (v.Kind != TLayoutValue::TKind::Identifier) {
        return TPropertyResult::Bad("a button style");
      }
      TMxUserButtonStyle style = c.Edit().GetCustomButtonsStyle();
      bool themed = false;
      if (!MxUserButtonStyleFromName(v.Text, style, themed) || (themed && !legacy)) {
        return TPropertyResult::Bad("a button style (ubsWin31 .. ubsWin40Ext)");
      }
      if (legacy) {
        c.Edit().ReadLegacyCustomButtonStyle(v.Text);
      } else {
        c.Edit().SetCustomButtonsStyle(style);
      }
      return TPropertyResult::Ok();
    };
  };
  static const P kTable{
      // the engine
      {"MaskType", P::Enum<TMxMaskType>({{"meInteger", meInteger},
                                         {"meWord", meWord},
                                         {"meFloat", meFloat},
                                         {"meFloatFixed", meFloatFixed},
                                         {"meFloatNumber", meFloatNumber},
                                         {"meCurrency", meCurrency},
                                         {"meDate", meDate},
                                         {"meTime", meTime},
                                         {"meMask", meMask},
                                         {"meNone", meNone}},
                                        [](TMxMaskEdit& c, TMxMaskType t) { c.Edit().SetMaskType(t); })},
      {"Alignment",
       P::Enum<TMxAlignment>(
           {{"taLeftJustify", taLeftJustify}, {"taRightJustify", taRightJustify}, {"taCenter", taCenter}},
           [](TMxMaskEdit& c, TMxAlignment a) { c.Edit().SetAlignment(a); })},
      {"CurrencySettings.SystemDefaults",
       P::Enum<TMxCurrencyMode>(
           {{"cmSystem", cmSystem}, {"cmUser", cmUser}},
           [](TMxMaskEdit& c, TMxCurrencyMode m) { c.Edit().CurrencySettings().SetSystemDefaults(m); })},
      {"CurrencySettings.PositiveFormatStr", P::String([](TMxMaskEdit& c, const std::string& s) {
         c.Edit().CurrencySettings().SetPositiveFormatStr(s);
       })},
      {"CurrencySettings.NegativeFormatStr", P::String([](TMxMaskEdit& c, const std::string& s) {
         c.Edit().CurrencySettings().SetNegativeFormatStr(s);
       })},
      {"CurrencySettings.Symbol",
       P::String([](TMxMaskEdit& c, const std::string& s) { c.Edit().CurrencySettings().SetSymbol(s); })},
      {"DateSettings.Format",
       P::Enum<TMxDateFormats>(
           {{"dfShortSystem", dfShortSystem}, {"dfLongSystem", dfLongSystem}, {"dfCustom", dfCustom}},
           [](TMxMaskEdit& c, TMxDateFormats f) { c.Edit().DateSettings().SetFormat(f); })},
      {"DateSettings.FormatStr",
       P::String([](TMxMaskEdit& c, const std::string& s) { c.Edit().DateSettings().SetFormatStr(s); })},
      {"DateSettings.YearDelta", P::Int(-128, 127,
                                        [](TMxMaskEdit& c, int v) {
                                          c.Edit().DateSettings().SetYearDelta(static_cast<std::int8_t>(v));
                                        })},
      {"CustomButtonWidth",
       P::Int(0, 0xFFFF, [](TMxMaskEdit& c, int v) { c.Edit().SetCustomButtonWidth(v); })},
      {"CustomButtonParentCtlXP", P::Bool([](TMxMaskEdit& c, bool v) { c.SetCustomButtonParentCtlXP(v); })},
      {"CustomButtonsStyle", buttonStyle(false)},
      {"CustomButtons",
       [](TMxMaskEdit& c, const TLayoutValue& v) {
         // An item's OnClick is a handler of the layout's root, called with the edit.
         return MxReadSpecialButtons(c.Edit().CustomButtons(), v,
                                     [&c](const std::string& name) -> TMxSpecialButton::TMxOnCustomBtnClick {
                                       TNotifyEvent handler = c.Root()->FindMethod(name);
                                       if (!handler) {
                                         return nullptr;
                                       }
                                       return [handler, &c](TMxSpecialButton*, int) { handler(&c); };
                                     });
       }},
      {"CustomButtonStyle", buttonStyle(true)},
      {"Decimals", P::Int(0, 255, [](TMxMaskEdit& c, int v) { c.Edit().SetDecimals(v); })},
      // A whole number (any 64-bit one, for the word type) or a decimal one for the float types.
      {"Value",
       [](TMxMaskEdit& c, const TLayoutValue& v) {
         if (v.Kind == TLayoutValue::TKind::Integer) {
           c.Edit().ReadStoredValue(static_cast<long double>(v.Integer));
         } else if (v.Kind == TLayoutValue::TKind::Float) {
           c.Edit().ReadStoredValue(v.Float);
         } else {
           return TPropertyResult::Bad("a number");
         }
         return TPropertyResult::Ok();
       }},
      // A date or time as a day count with the time of day as its fraction; only the
      // date and time types take it.
      {"DateTime",
       [](TMxMaskEdit& c, const TLayoutValue& v) {
         if (v.Kind == TLayoutValue::TKind::Integer) {
           c.Edit().ReadStoredDateTime(static_cast<long double>(v.Integer));
         } else if (v.Kind == TLayoutValue::TKind::Float) {
           c.Edit().ReadStoredDateTime(v.Float);
         } else {
           return TPropertyResult::Bad("a number");
         }
         return TPropertyResult::Ok();
       }},
      {"Text", P::String([](TMxMaskEdit& c, const std::string& s) { c.Edit().SetText(s); })},
      {"Mask", P::String([](TMxMaskEdit& c, const std::string& s) { c.Edit().SetMask(s); })},
      {"Suffix", P::String([](TMxMaskEdit& c, const std::string& s) { c.Edit().SetSuffix(s); })},
      {"MaxLength", P::Int(0, INT_MAX, [](TMxMaskEdit& c, int v) { c.Edit().SetMaxLength(v); })},
      {"ReadOnly", P::Bool([](TMxMaskEdit& c, bool v) { c.Edit().SetReadOnly(v); })},
      {"AutoSelect", P::Bool([](TMxMaskEdit& c, bool v) { c.Edit().AutoSelect = v; })},
      {"HideSelection", P::Bool([](TMxMaskEdit& c, bool v) { c.Edit().HideSelection = v; })},
      {"KeepSelectionOnFocus", P::Bool([](TMxMaskEdit& c, bool v) { c.KeepSelectionOnFocus = v; })},
      {"RepaintOnSetFocus", P::Bool([](TMxMaskEdit& c, bool v) { c.RepaintOnSetFocus = v; })},
      {"RepaintOnKillFocus", P::Bool([](TMxMaskEdit& c, bool v) { c.RepaintOnKillFocus = v; })},
      {"ProcessBlankChar", P::Bool([](TMxMaskEdit& c, bool v) { c.Edit().ProcessBlankChar = v; })},
      {"ForceMaskCheck", P::Bool([](TMxMaskEdit& c, bool v) { c.Edit().ForceMaskCheck = v; })},
      {"NumberBase", P::Int(
                         2, 36, [](TMxMaskEdit& c, int v) { c.Edit().SetNumberBase(v); }, "2 to 36")},
      {"BlankChar",
       [](TMxMaskEdit& c, const TLayoutValue& v) {
         if (v.Kind != TLayoutValue::TKind::String || v.Text.size() != 1) {
           return TPropertyResult::Bad("one character");
         }
         c.Edit().SetBlankChar(v.Text[0]);
         return TPropertyResult::Ok();
       }},
      {"HighlightBack", colour([](TMxMaskEdit& c, TColor v) { c.HighlightBack = v; })},
      {"HighlightText", colour([](TMxMaskEdit& c, TColor v) { c.HighlightText = v; })},
      {"TabOnEnter", P::Bool([](TMxMaskEdit& c, bool v) { c.Edit().TabOnEnter = v; })},
      // the window
      {"AutoSize", P::Bool([](TMxMaskEdit& c, bool v) { c.FAutoSize = v; })},
      {"FocusOnMouseAbove", P::Bool([](TMxMaskEdit& c, bool v) { c.FocusOnMouseAbove = v; })},
      {"UseGlobalTimer", P::Bool([](TMxMaskEdit& c, bool v) { c.UseGlobalTimer = v; })},
      {"Options",
       P::Set(
           {{"eoNarrowHeight", eoNarrowHeight}, {"eoSuppressDefaultMenu", eoSuppressDefaultMenu}},
           [](TMxMaskEdit& c, unsigned bits) { c.Options = bits; }, "a set of options",
           [](const std::string&) { return std::string("eoNarrowHeight or eoSuppressDefaultMenu"); })},
      // the caret and the 3D text
      {"Caret.BlinkRate",
       P::Int(0, 0xFFFF, [](TMxMaskEdit& c, int v) { c.Caret().SetBlinkRate(static_cast<unsigned>(v)); })},
      {"Caret.Width", P::Int(1, 0xFFFF, [](TMxMaskEdit& c, int v) { c.Caret().SetWidth(v); })},
      {"Caret.Height", P::Int(1, 0xFFFF, [](TMxMaskEdit& c, int v) { c.Caret().SetHeight(v); })},
      // The picture of a bitmap caret, in the glyph's stored form; empty takes it away.
      {"Caret.Bitmap",
       [](TMxMaskEdit& c, const TLayoutValue& v) {
         if (v.Kind != TLayoutValue::TKind::String) {
           return TPropertyResult::Bad("a picture \"<width>x<height>:<AARRGGBB per pixel>\"");
         }
         TMxGlyph picture;
         std::string error;
         if (!MxGlyphFromText(v.Text, picture, error)) {
           return TPropertyResult::Bad(error);
         }
         c.Caret().SetBitmap(picture.Empty() ? TBitmapHandle()
                                             : TBitmapHandle(CreateBitmap(picture.Width, picture.Height, 1, 32,
                                                                          picture.Pixels.data())));
         return TPropertyResult::Ok();
       }},
      {"Caret.CaretBmpMode",
       P::Enum<TMxCaretBitmap>({{"cbBmpSize", cbBmpSize}, {"cbTile", cbTile}, {"cbStretch", cbStretch}},
                               [](TMxMaskEdit& c, TMxCaretBitmap m) { c.Caret().SetCaretBmpMode(m); })},
      // Kept for the image-list companion; no image list is linked to a caret here.
      {"Caret.ImageIndex", P::Int(0, 0xFFFF, [](TMxMaskEdit& c, int v) { c.Caret().ImageIndex = v; })},
      {"Caret.ListIndex", P::Int(0, 0xFFFF, [](TMxMaskEdit& c, int v) { c.Caret().ListIndex = v; })},
      {"Caret.Style",
       P::Enum<TMxCaretStyles>({{"csDefault", csDefault},
                                {"csBlock", csBlock},
                                {"csUnder", csUnder},
                                {"csOver", csOver},
                                {"csBitmap", csBitmap},
                                {"csUnderBlock", csUnderBlock}},
                               [](TMxMaskEdit& c, TMxCaretStyles s) { c.Caret().SetStyle(s); })},
  };
  if (const std::optional<TPropertyResult> r = kTable.Read(*this, name, value)) {
    return *r;
  }
  if (name.starts_with("Font3D.")) {
    if (TPropertyResult r = MxRead3DCaptionProperty(*FFont3D, name.substr(7), value);
        r.Code != TPropertyResult::TCode::Unknown) {
      return r;
    }
  }
  return TMxCustomBevelPanel::ReadProperty(name, value);
}

// --- layout -------------------------------------------------------------------------------------

void TMxMaskEdit::UpdateEditRects() {
  if (!HandleAllocated() || IsDestroying()) {
    return;
  }
  const RECT client = ClientRect();
  TMxRect frameClient{client.left, client.top, client.right, client.bottom};
  const bool themed = ThemeInUse() != 0;
  if (themed && Bevel().Mode() == TMxBevelMode::bmWindows) {
    const TMxThemedFrameState state = ThemedFrameState(Enabled(), GetReadOnly(), MouseInside(), Focused());
    // The content rectangle follows the drawn state, except that hot is measured as focused.
    static constexpr int kState[] = {4, 6, 5, 5, 1};
    RECT content{};
    if (TMxThemeServices::Instance().ContentRect(Handle(), L"EDIT", 1, kState[static_cast<int>(state)],
                                                 nullptr, client, content)) {
      frameClient = {content.left, content.top, content.right, content.bottom};
    }
  } else {
    frameClient = BevelClientRect();
  }
  FRects = TMxEditLayout::Rects(frameClient, ButtonsWidth(), (Options & eoNarrowHeight) != 0, themed);
  // The buttons fill the strip right of the edit area, from the client top when the
  // window border is the frame.
  const bool borderOutside = Bevel().Mode() == TMxBevelMode::bmWindows && !themed;
  FEdit->AdjustEditRect(FRects.Edit.Left, FRects.Edit.Top, frameClient.Right, FRects.Edit.Bottom,
                        borderOutside);
  if (IControlHost* host = Host()) {
    SyncButtonTooltips(host->TooltipWindow());
  }
}

void TMxMaskEdit::AddPartTooltips(HWND tooltip) {
  FButtonTools.clear(); // a new tooltip window holds none of them
  SyncButtonTooltips(tooltip);
}

void TMxMaskEdit::SyncButtonTooltips(HWND tooltip) {
  if (!tooltip || !HandleAllocated()) {
    return;
  }
  for (const void* id : FButtonTools) {
    TTTOOLINFOA gone{};
    gone.cbSize = sizeof gone;
    gone.hwnd = Handle();
    gone.uId = reinterpret_cast<UINT_PTR>(id);
    SendMessageA(tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&gone));
  }
  FButtonTools.clear();
  if (!ShowHint()) {
    return;
  }
  TMxSpecialButtons& buttons = FEdit->CustomButtons();
  for (int i = 0; i < buttons.Count(); ++i) {
    const TMxSpecialButton& item = buttons.Item(i);
    const TMxSpeedButton& b = item.Control();
    std::string text = ShortHint(item.GetHint());
    if (text.empty() || b.Width <= 0 || b.Height <= 0) {
      continue;
    }
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(&item);
    tool.rect = RECT{b.Left, b.Top, b.Left + b.Width, b.Top + b.Height};
    tool.lpszText = text.data();
    if (SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool))) {
      FButtonTools.push_back(&item);
    }
  }
}

void TMxMaskEdit::SetCustomButtonParentCtlXP(bool value) {
  FEdit->CustomButtonParentCtlXP = value;
  if (value) {
    ThemeModeChanged();
  }
}

void TMxMaskEdit::ThemeModeChanged() {
  TMxCustomBevelPanel::ThemeModeChanged();
  if (!FEdit->CustomButtonParentCtlXP) {
    return;
  }
  TMxSpecialButtons& buttons = FEdit->CustomButtons();
  for (int i = 0; i < buttons.Count(); ++i) {
    buttons.Item(i).ThemeMode = ThemeMode();
  }
  TWinControl::Invalidate();
}

int TMxMaskEdit::ButtonsWidth() const {
  const long long w = static_cast<long long>(FEdit->CustomButtons().Count()) * FEdit->GetCustomButtonWidth();
  return static_cast<int>(std::min<long long>(w, INT_MAX / 2));
}

void TMxMaskEdit::PaintButtons(HDC dc) {
  if (FEdit->CustomButtons().Count() == 0) {
    return;
  }
  TMxButtonPaintContext ctx;
  ctx.Window = Handle();
  // The buttons draw with the visual styles when they follow the edit's theme mode.
  ctx.Themed = FEdit->CustomButtonParentCtlXP && ThemeInUse() != 0;
  ctx.Font = FontHandle();
  FButtons->Paint(dc, ctx);
}

void TMxMaskEdit::PrepareBuffer() {
  if (!HandleAllocated()) {
    return;
  }
  if (!FPainter->PrepareBuffer()) {
    return; // paints go straight to the screen
  }
  const bool loading = IsLoading();
  if (!loading) {
    UpdateEditRects();
  }
}

void TMxMaskEdit::AdjustSize() {
  if (!FAutoSize || IsLoading() || !HandleAllocated()) {
    return;
  }
  const int frame = Bevel().Mode() == TMxBevelMode::bmWindows ? 0 : Bevel().Ext();
  const int height =
      TMxEditLayout::AutoHeight(TextHeightOf("Qp"), Bevel().Mode() == TMxBevelMode::bmWindows, frame);
  SetBounds(Left(), Top(), std::max(Width(), ButtonsWidth() + 30), height);
}

bool TMxMaskEdit::OffscreenActive() const { return FPainter->BufferActive(); }

int TMxMaskEdit::TextHeightOf(std::string_view) { return FPainter->TextHeight(); }

int TMxMaskEdit::CharIndexFromX(int x) {
  return TMxEditLayout::CharIndexFromX(FEdit->GetAlignment(), FRects.Text, FPainter->Widths(),
                                       static_cast<short>(x), FEdit->ScrollOffset);
}

POINT TMxMaskEdit::PosFromChar(long long index) {
  const TMxPrefixWidths& widths = FPainter->Widths();
  const int left = TMxEditLayout::DrawOrigin(FEdit->GetAlignment(), FRects.Text, widths.Width(widths.Count()),
                                             FEdit->ScrollOffset);
  return {left + widths.Width(index), FRects.Text.Top};
}

void TMxMaskEdit::FontChanged() {
  TMxCustomBevelPanel::FontChanged();
  FPainter->FontChanged();
  if (HandleAllocated()) {
    ResizeCaret();
  }
  AdjustSize();
}

void TMxMaskEdit::ScaleMetrics(const TScale& scale) {
  TMxCustomBevelPanel::ScaleMetrics(scale);
  if (FStored.PixelsPerInch == 0) {
    FStored.PixelsPerInch = scale.From();
    FStored.ButtonWidth = FEdit->GetCustomButtonWidth();
    FStored.CaretWidth = FCaret->Width();
    FStored.CaretHeight = FCaret->Height();
    FStored.CaretLineWidth = FCaret->LineWidth();
  }
  const TScale fromStored(FStored.PixelsPerInch, scale.To());
  FCaret->SetWidth(std::max(1, fromStored.Apply(FStored.CaretWidth)));
  FCaret->SetHeight(std::max(1, fromStored.Apply(FStored.CaretHeight)));
  FCaret->SetLineWidth(std::max(1, fromStored.Apply(FStored.CaretLineWidth)));
  // A glyph set since the last scale is taken as drawn for the density the edit had then.
  TMxSpecialButtons& buttons = FEdit->CustomButtons();
  std::vector<TStoredGlyph> glyphs;
  for (int i = 0; i < buttons.Count(); ++i) {
    TMxSpecialButton& item = buttons.Item(i);
    const auto known = std::find_if(FStored.Glyphs.begin(), FStored.Glyphs.end(),
                                    [&](const TStoredGlyph& g) { return g.Item == &item; });
    TStoredGlyph g = (known != FStored.Glyphs.end() && known->Shown == item.GetGlyph())
                         ? *known
                         : TStoredGlyph{&item, scale.From(), item.GetGlyph(), item.GetGlyph()};
    g.Shown = MxScaleGlyph(g.Stored, g.PixelsPerInch, scale.To());
    if (!(g.Shown == item.GetGlyph())) {
      item.SetGlyph(g.Shown);
    }
    glyphs.push_back(std::move(g));
  }
  FStored.Glyphs = std::move(glyphs);
  // Last: the width relays the buttons out with their new glyphs.
  FEdit->SetCustomButtonWidth(fromStored.Apply(FStored.ButtonWidth));
  if (HandleAllocated()) {
    ResizeCaret();
  }
}

void TMxMaskEdit::ResizeCaret() {
  FCaret->SetFontHeight(TextHeightOf("Qp"));
  if (TWinControl::Focused() && FCaret->Visible()) {
    FCaret->Create();
    UpdateCaret();
  }
}

// --- painting -------------------------------------------------------------------------------------

void TMxMaskEdit::Paint(TCanvas& canvas) {
  if (IsLoading() || FEdit->IsLoading() || FEdit->IsUpdating() || IsDestroying()) {
    return;
  }
  if (!FPainter->BufferActive()) {
    TMxCustomBevelPanel::Paint(canvas);
    FPainter->DrawTextArea(canvas.Handle());
    PaintButtons(canvas.Handle());
    UpdateCaret();
    return;
  }
  // Focused: frame, background, text and buttons are composed off screen and shown in one copy.
  const HDC buffer = FPainter->BufferDC();
  {
    TCanvas bufferCanvas(buffer);
    TMxCustomBevelPanel::Paint(bufferCanvas);
  }
  FPainter->DrawTextArea(canvas.Handle());
  PaintButtons(buffer);
  const RECT client = ClientRect();
  BitBlt(canvas.Handle(), 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
  // Whatever moved the text since the caret was last placed, the caret follows what was drawn.
  UpdateCaret();
}

void TMxMaskEdit::PaintText() {
  AccessibleChanged();
  if (!HandleAllocated() || IsLoading() || FEdit->IsLoading() || FEdit->IsUpdating() || IsDestroying()) {
    return;
  }
  if (FPaintBatch > 0) {
    FPaintPending = true;
    return;
  }
  FPaintPending = false;
  // A hidden field (its form still being built) is painted whole when it is shown.
  if (!IsWindowVisible(Handle())) {
    return;
  }
  TWindowDC dc(Handle());
  FPainter->DrawTextArea(dc.Get());
}

void TMxMaskEdit::UpdateCaret() {
  AccessibleChanged();
  if (!HandleAllocated() || !TWinControl::Focused() || !FCaret->Visible()) {
    return;
  }
  const TMxCaretPlacement p =
      TMxEditLayout::PlaceCaret(FEdit->GetAlignment(), FRects.Text, FPainter->Widths(), FEdit->GetCursorPos(),
                                FEdit->ScrollOffset, *FFont3D);
  if (p.Scrolled) {
    FEdit->ScrollOffset = p.ScrollOffset;
    PaintText();
  }
  FCaret->Place(p.X + 1, FRects.Text.Top);
}

// --- registration ------------------------------------------------------------------------------------

void RegisterMxControls() {
  RegisterControlClass("TMxBevelPanel",
                       [](TWinControl& parent) { return std::make_unique<TMxBevelPanel>(&parent); });
  RegisterControlClass("TMxMaskEdit",
                       [](TWinControl& parent) { return std::make_unique<TMxMaskEdit>(&parent); });
}
