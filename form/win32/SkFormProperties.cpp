// The stored layout properties of TSkDefaultForm and TSkForm, read through their property tables.
#include "form/win32/SkForm.h"

#include "framework/PropertyTable.h"

#include <windows.h>

#include <string>
#include <string_view>

TPropertyResult TSkDefaultForm::ReadProperty(const std::string& name, const TLayoutValue& value) {
  using P = TPropertyTable<TSkDefaultForm>;
  static const P kTable{
      {"BorderStyle",
       P::Enum<TSkBorderStyle>({{"kbsNone", kbsNone},
                                {"kbsBorder", kbsBorder},
                                {"kbsStandard", kbsStandard},
                                {"kbsDialog", kbsDialog},
                                {"kbsToolWindow", kbsToolWindow}},
                               [](TSkDefaultForm& f, TSkBorderStyle v) { f.FBorderStyle = v; })},
      {"BorderIcons",
       P::Set(
           {{"kbiClose", SkIcons(kbiClose)},
            {"kbiSystemMenu", SkIcons(kbiSystemMenu)},
            {"kbiMinimize", SkIcons(kbiMinimize)},
            {"kbiMaximize", SkIcons(kbiMaximize)},
            {"kbiHelp", SkIcons(kbiHelp)},
            {"kbiRollup", SkIcons(kbiRollup)},
            {"kbiTray", SkIcons(kbiTray)},
            {"kbiTop", SkIcons(kbiTop)},
            {"kbiCustom", SkIcons(kbiCustom)}},
           [](TSkDefaultForm& f, unsigned v) { f.FBorderIcons = TSkBorderIcons(v); }, "a set of border icons",
           [](const std::string& item) { return "'" + item + "' is no border icon"; })},
      {"Performance",
       P::Enum<TSkFormPerformance>({{"kfpNoBuffer", kfpNoBuffer},
                                    {"kfpSharedBuffer", kfpSharedBuffer},
                                    {"kfpPersistentBuffer", kfpPersistentBuffer},
                                    {"kfpDoubleBuffer", kfpDoubleBuffer}},
                                   [](TSkDefaultForm& f, TSkFormPerformance v) { f.FPerformance = v; })},
      {"WindowState",
       P::Enum<TSkWindowState>({{"kwsNormal", kwsNormal},
                                {"kwsMaximized", kwsMaximized},
                                {"kwsMinimized", kwsMinimized},
                                {"kwsRollup", kwsRollup},
                                {"kwsTray", kwsTray}},
                               [](TSkDefaultForm& f, TSkWindowState v) { f.FStates.Data.Pending = v; })},
      {"StayOnTop", P::Bool([](TSkDefaultForm& f, bool v) { f.FStayOnTop = v; })},
      {"StretchBackground", P::Bool([](TSkDefaultForm& f, bool v) { f.FStretchBackground = v; })},
      {"MinimizeApplication", P::Bool([](TSkDefaultForm& f, bool v) { f.FStates.MinimizeApplication = v; })},
      {"SystemMenuLinkMerge", P::Bool([](TSkDefaultForm& f, bool v) { f.FSystemMenuLinkMerge = v; })},
      {"SystemMenuLinkMergeAtFirst",
       P::Bool([](TSkDefaultForm& f, bool v) { f.FSystemMenuLinkMergeAtFirst = v; })},
      {"Dragging.Sizeable", P::Bool([](TSkDefaultForm& f, bool v) { f.FDragging.SetSizeable(v); })},
      {"Dragging.Moveable", P::Bool([](TSkDefaultForm& f, bool v) { f.FDragging.SetMoveable(v); })},
      {"Dragging.DragMode",
       P::Enum<TSkFormDragMode>({{"kfdmBorder", kfdmBorder},
                                 {"kfdmFullDrag", kfdmFullDrag},
                                 {"kfdmSystemSettings", kfdmSystemSettings}},
                                [](TSkDefaultForm& f, TSkFormDragMode v) { f.FDragging.SetDragMode(v); })},
      {"Gravitation.Enabled", P::Bool([](TSkDefaultForm& f, bool v) { f.FGravitation.SetEnabled(v); })},
      {"Gravitation.Size",
       P::Int(INT32_MIN, INT32_MAX, [](TSkDefaultForm& f, int v) { f.FGravitation.SetSize(v); })},
      {"Constraints.MinWidth",
       P::Int(0, INT32_MAX, [](TSkDefaultForm& f, int v) { f.FConstraints.MinWidth = v; })},
      {"Constraints.MinHeight",
       P::Int(0, INT32_MAX, [](TSkDefaultForm& f, int v) { f.FConstraints.MinHeight = v; })},
      {"Constraints.MaxWidth",
       P::Int(0, INT32_MAX, [](TSkDefaultForm& f, int v) { f.FConstraints.MaxWidth = v; })},
      {"Constraints.MaxHeight",
       P::Int(0, INT32_MAX, [](TSkDefaultForm& f, int v) { f.FConstraints.MaxHeight = v; })},
      {"Blending.Enabled", P::Bool([](TSkDefaultForm& f, bool v) { f.FBlending.SetEnabled(v); })},
      {"Blending.Value",
       P::Int(INT32_MIN, INT32_MAX, [](TSkDefaultForm& f, int v) { f.FBlending.SetValue(v); })},
      {"Shadow.Size", P::Int(INT32_MIN, INT32_MAX, [](TSkDefaultForm& f, int v) { f.FShadow.SetSize(v); })},
      {"Shadow.Enabled", P::Bool([](TSkDefaultForm& f, bool v) { f.FShadow.SetEnabled(v); })},
      {"OnPaint", P::Event([](TSkDefaultForm& f) -> TNotifyEvent& { return f.OnPaint; })},
      {"SystemMenuOptions.Animation.EffectKind", P::String([](TSkDefaultForm& f, const std::string& v) {
         f.FSystemMenuOptions.Animation.SetEffect(v);
       })},
      {"SystemMenuOptions.Animation.Enabled",
       P::Bool([](TSkDefaultForm& f, bool v) { f.FSystemMenuOptions.Animation.SetEnabled(v); })},
      {"SystemMenuOptions.Animation.Time",
       P::Int(INT32_MIN, INT32_MAX,
              [](TSkDefaultForm& f, int v) { f.FSystemMenuOptions.Animation.SetTime(v); })},
      {"SystemMenuOptions.Blending.Enabled",
       P::Bool([](TSkDefaultForm& f, bool v) { f.FSystemMenuOptions.Blending.SetEnabled(v); })},
      {"SystemMenuOptions.Blending.Value",
       P::Int(INT32_MIN, INT32_MAX,
              [](TSkDefaultForm& f, int v) { f.FSystemMenuOptions.Blending.SetValue(v); })},
      {"TrayMenuOptions.Animation.EffectKind",
       P::String([](TSkDefaultForm& f, const std::string& v) { f.FTrayMenuOptions.Animation.SetEffect(v); })},
      {"TrayMenuOptions.Animation.Enabled",
       P::Bool([](TSkDefaultForm& f, bool v) { f.FTrayMenuOptions.Animation.SetEnabled(v); })},
      {"TrayMenuOptions.Animation.Time",
       P::Int(INT32_MIN, INT32_MAX,
              [](TSkDefaultForm& f, int v) { f.FTrayMenuOptions.Animation.SetTime(v); })},
      {"TrayMenuOptions.Blending.Enabled",
       P::Bool([](TSkDefaultForm& f, bool v) { f.FTrayMenuOptions.Blending.SetEnabled(v); })},
      {"TrayMenuOptions.Blending.Value",
       P::Int(INT32_MIN, INT32_MAX,
              [](TSkDefaultForm& f, int v) { f.FTrayMenuOptions.Blending.SetValue(v); })},
  };
  if (auto r = kTable.Read(*this, name, value)) {
    return *r;
  }
  if (constexpr std::string_view kAnimation = "Animation."; name.starts_with(kAnimation)) {
    return FAnimation.ReadProperty(name.substr(kAnimation.size()), value);
  }
  return TSkHook::ReadProperty(name, value);
}

TPropertyResult TSkForm::ReadProperty(const std::string& name, const TLayoutValue& value) {
  using P = TPropertyTable<TSkForm>;
  static const P kTable{
      {"ThemeObject", P::String([](TSkForm& f, const std::string& v) { f.FThemeObject = v; })},
      {"ThemeLink",
       [](TSkForm& f, const TLayoutValue& v) {
         if (v.Kind != TLayoutValue::TKind::Identifier) {
           return TPropertyResult::Bad("a component name");
         }
         f.FThemeLinkName = v.Text;
         return TPropertyResult::Ok();
       }},
  };
  if (auto r = kTable.Read(*this, name, value)) {
    return *r;
  }
  return TSkDefaultForm::ReadProperty(name, value);
}
