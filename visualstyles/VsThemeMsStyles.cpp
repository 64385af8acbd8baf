#include "visualstyles/VsThemeMsStyles.h"

#include "fileread/SfDib.h"
#include "theme/SkFilePath.h"
#include "theme/SkMasks.h"
#include "theme/SkText.h"
#include "visualstyles/VsModuleFile.h"
#include "visualstyles/VsStoredForm.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <iterator>

// Sections: module and stored-form storage; building; records; Window family; the other
// families.

namespace {

// The sections the theme knows and draws from.
constexpr std::array kKnownSections = {
    "Window",
    "Window.Caption",
    "Window.FrameLeft",
    "Window.FrameRight",
    "Window.FrameBottom",
    "Window.CloseButton",
    "Window.HelpButton",
    "Window.MaxButton",
    "Window.MinButton",
    "Window.RestoreButton",
    "Window.SmallCaption",
    "Window.SmallFrameLeft",
    "Window.SmallFrameRight",
    "Window.SmallFrameBottom",
    "Window.SmallCloseButton",
    "Window.SysButton",
    "Window.Caption(Active)",
    "Window.Caption(Inactive)",
    "Window.MDIMinButton",
    "Window.MDICloseButton",
    "Window.MDIRestoreButton",
    "Button.Pushbutton",
    "Button.Pushbutton(Disabled)",
    "Button.Pushbutton(Defaulted)",
    "Spin",
    "Spin.Up",
    "Spin.Down",
    "Spin.Uphorz",
    "Spin.Downhorz",
    "button.checkbox",
    "Button.checkbox(checkeddisabled)",
    "Button.checkbox(unchecked disabled)",
    "Button.checkbox(mixeddisabled)",
    "button.radiobutton",
    "Button.radiobutton(checkeddisabled)",
    "Button.radiobutton(unchecked disabled)",
    "ScrollBar.ArrowBtn",
    "ScrollBar.ThumbBtnHorz",
    "ScrollBar.ThumbBtnVert",
    "ScrollBar.LowerTrackHorz",
    "ScrollBar.UpperTrackHorz",
    "ScrollBar.LowerTrackVert",
    "ScrollBar.UpperTrackVert",
    "ScrollBar.GripperHorz",
    "ScrollBar.GripperVert",
    "Progress",
    "Progress.Bar",
    "Progress.BarVert",
    "Progress.Chunk",
    "Progress.ChunkVert",
    "TrackBar",
    "TrackBar.Thumb",
    "TrackBar.ThumbTop",
    "TrackBar.ThumbBottom",
    "TrackBar.ThumbVert",
    "TrackBar.ThumbLeft",
    "TrackBar.ThumbRight",
    "TrackBar.Track",
    "TrackBar.TrackVert",
    "TrackBar.Tics",
    "button.groupbox",
    "edit",
    "edit.edittext(disabled)",
    "edit.edittext(readonly)",
    "combobox",
    "combobox(disabled)",
    "combobox(hot)",
    "Combobox.DropDownButton",
    "header",
    "header.headeritem",
    "status",
    "status.pane",
    "status.gripperpane",
    "status.gripper",
    "rebar",
    "rebar.band",
    "rebar.gripper",
    "rebar.grippervert",
    "rebar.chevron",
    "rebar.chevronvert",
    "toolbar",
    "toolbar.button",
    "toolbar.separator",
    "toolbar.dropdownbutton",
    "toolbar.splitbutton",
    "toolbar.splitbuttondropdown",
    "tab",
    "tab.pane",
    "tab.toptabitem",
    "tab.body",
    "tab.toptabitemleftedge",
    "tab.toptabitemrightedge",
    "explorerbar",
    "explorerbar.SpecialGroupBackground",
    "explorerbar.NormalGroupCollapse",
    "explorerbar.NormalGroupExpand",
    "explorerbar.NormalGroupHead",
    "explorerbar.headerclose",
    "listview",
};

// System colour references.
constexpr TColor kClBtnFace = 0xFF00000F, kClWindow = 0xFF000005, kClHighlight = 0xFF00000D,
                 kClBtnShadow = 0xFF000010, kClHighlightText = 0xFF00000E;
// The largest caption height or border width taken from a description.
constexpr std::int32_t kVsMaxMetric = 1024;
// Largest stored-form file read whole.
constexpr std::size_t kVsMaxThemeFileBytes = std::size_t(512) << 20;

std::string Extension(const std::string& fileName) {
  const std::size_t dot = fileName.find_last_of('.');
  const std::size_t slash = fileName.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
    return {};
  }
  return VsLowerCase(fileName.substr(dot + 1));
}

std::string BaseName(const std::string& fileName) {
  const std::size_t slash = fileName.find_last_of("/\\");
  std::string base = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
  const std::size_t dot = base.find_last_of('.');
  return dot == std::string::npos ? base : base.substr(0, dot);
}

bool ReadNames(IVsResourceSource& module, const char* type, const TSfLimits& limits,
               std::vector<std::string>& out, std::string& error) {
  TSfReader in(module.Find(type, "#1"), limits);
  if (!VsParseNameList(in, out)) {
    error = std::string(type) + ": " + in.Error();
    return false;
  }
  return true;
}

// The colour-scheme and size names of the platform's current visual style.
std::pair<std::string, std::string>& PlatformScheme() {
  static std::pair<std::string, std::string> scheme;
  return scheme;
}

// The place of `name` in `names` ignoring case; 0 (the first) when it is not there.
std::int32_t NameIndex(const std::vector<std::string>& names, const std::string& name) {
  const std::string wanted = VsLowerCase(name);
  for (std::size_t i = 0; i < names.size() && !wanted.empty(); ++i) {
    if (VsLowerCase(names[i]) == wanted) {
      return std::int32_t(i);
    }
  }
  return 0;
}

// One state-to-frame table lookup; `fallback` for states beyond the table.
template <std::size_t N>
std::int32_t FrameOf(const std::array<std::uint8_t, N>& table, std::uint8_t state,
                     std::int32_t fallback = 1) {
  return state < N ? table[state] : fallback;
}

class TCanvasMeasure : public TskTextMeasure {
public:
  explicit TCanvasMeasure(ISkPaintCanvas& canvas) : FCanvas(canvas) {}
  std::int32_t TextWidth(const std::wstring& text) override {
    return std::int32_t(RectWidth(FCanvas.MeasureText(text, {0, 0, 0, 0}, dtSingleLine | dtNoPrefix)));
  }

private:
  ISkPaintCanvas& FCanvas;
};

} // namespace

TskFontDesc VsParseFont(std::string_view value, std::int32_t defaultSize, bool styles,
                        const TskFontDesc& base) {
  TskFontDesc font = base;
  std::vector<std::string> fields;
  std::string rest(value);
  while (!rest.empty()) {
    fields.push_back(NextField(rest, ","));
  }
  font.Name = fields.empty() || fields[0].empty() ? base.Name : fields[0];
  const std::int32_t size = fields.size() > 1 ? VsParseInt(fields[1], defaultSize) : defaultSize;
  font.Size = size > 0 && size <= 1000 ? size : defaultSize;
  font.Style = 0;
  if (styles) {
    static constexpr std::array<std::pair<const char*, std::uint8_t>, 4> kStyles = {
        {{"bold", fsBold}, {"italic", fsItalic}, {"underline", fsUnderline}, {"strikeout", fsStrikeOut}}};
    for (std::size_t i = 2; i < fields.size() && i < 6; ++i) {
      if (fields[i].empty()) {
        continue;
      }
      const std::string word = VsLowerCase(fields[i]);
      bool named = false;
      for (const auto& [name, bit] : kStyles) {
        if (word == name) {
          font.Style |= bit;
          named = true;
        }
      }
      if (!named) {
        font.Style |= kStyles[i - 2].second;
      }
    }
  }
  return font;
}

// ---- storage ----

void TSkThemeMsStyles::SetPlatformScheme(std::string colorName, std::string sizeName) {
  PlatformScheme() = {std::move(colorName), std::move(sizeName)};
}

void TSkThemeMsStyles::SetScheme(std::string colorName, std::string sizeName) {
  FColorName = std::move(colorName);
  FSizeName = std::move(sizeName);
}

TSkThemeMsStyles::TSkThemeMsStyles() {
  SetName("Visual style");
  FColorName = PlatformScheme().first;
  FSizeName = PlatformScheme().second;
  // Every known section exists from the start (without properties until a load).
  BuildSections();
}

TskThemeConfig TSkThemeMsStyles::GetThemeConfig() {
  TskThemeConfig c;
  c.BuiltIn = false;
  c.CanSave = true;
  c.CanLoadFile = true;
  c.FileFilter =
      GetBuildingName() + " (*.msstyles)|*.msstyles|" + GetBuildingName() + " stored theme (*.theme)|*.theme";
  c.DefaultExt = "msstyles";
  return c;
}

bool TSkThemeMsStyles::IsThemeStream(TskByteReader& in) {
  std::uint8_t magic[sizeof(kVsMagic)];
  return in.ReadBytes(magic, sizeof(magic)) && VsIsStoredForm(magic);
}

void TSkThemeMsStyles::TakeContent(TContent&& content) {
  SetName(std::move(content.Name));
  FFileName = std::move(content.FileName);
  FDescriptionText = std::move(content.DescriptionText);
  FIni = std::move(content.Ini);
  FColorNames = std::move(content.ColorNames);
  FSizeNames = std::move(content.SizeNames);
  FFileResNames = std::move(content.FileResNames);
  FImages = std::move(content.Images);
  FShifted.Clear();
  FColorSchemeIndex = content.ColorSchemeIndex;
  FSizeIndex = content.SizeIndex;
}

bool TSkThemeMsStyles::LoadFromModule(IVsResourceSource& module, const std::string& fileName) {
  FError.clear();
  TContent c;
  c.FileName = fileName;
  c.Name = BaseName(fileName);
  if (!ReadNames(module, "COLORNAMES", FLimits, c.ColorNames, FError) ||
      !ReadNames(module, "SIZENAMES", FLimits, c.SizeNames, FError) ||
      !ReadNames(module, "FILERESNAMES", FLimits, c.FileResNames, FError)) {
    return false;
  }
  if (c.ColorNames.empty() || c.SizeNames.empty() || c.FileResNames.empty()) {
    FError = "the module has no colour-scheme, size or description names";
    return false;
  }
  // The description of the chosen colour scheme in the chosen size.
  c.ColorSchemeIndex = NameIndex(c.ColorNames, FColorName);
  c.SizeIndex = NameIndex(c.SizeNames, FSizeName);
  std::size_t index = c.SizeNames.size() * std::size_t(c.ColorSchemeIndex) + std::size_t(c.SizeIndex);
  if (index >= c.FileResNames.size()) {
    // No description for the chosen pair: the first scheme in the first size.
    c.ColorSchemeIndex = c.SizeIndex = 0;
    index = 0;
  }
  if (index >= c.FileResNames.size()) {
    FError = "the module names no description for its first scheme";
    return false;
  }
  std::string why;
  if (!VsCheckResourceName(c.FileResNames[index], why)) {
    FError = "the module's description name is refused: " + why;
    return false;
  }
  TSfReader text(module.Find("TEXTFILE", c.FileResNames[index]), FLimits);
  if (!VsDescriptionText(text, c.DescriptionText) || c.DescriptionText.empty()) {
    FError =
        "the module has no description " + c.FileResNames[index] + (text.Failed() ? ": " + text.Error() : "");
    return false;
  }
  if (!c.Ini.Parse(c.DescriptionText, FLimits, &FError)) {
    return false;
  }
  // Every image a known section names, loaded once by its resource name.
  for (const char* name : kKnownSections) {
    const TvsIniSection* section = c.Ini.FindSection(name);
    if (!section) {
      continue;
    }
    for (const auto& [key, value] : section->Values) {
      const std::string k = VsLowerCase(key);
      if (k != "imagefile" && k != "imagefile1" && k != "imagefile2" && k != "imagefile3" &&
          k != "glyphimagefile") {
        continue;
      }
      const std::string resource = VsImageResourceName(value);
      if (!VsCheckResourceName(resource, why)) {
        FError = "section " + section->Name + " names an image that is refused: " + why;
        return false;
      }
      if (c.Images.IndexOf(resource) >= 0) {
        continue;
      }
      if (c.Images.Count() >= FLimits.MaxBitmaps) {
        FError = "the description names too many images";
        return false;
      }
      auto image = std::make_unique<TvsImage>();
      image->Name = resource;
      TSfReader dib(module.Find("#2", resource), FLimits);
      bool alpha = false;
      // A missing or unreadable bitmap stays empty, and the sections using it draw nothing.
      if (SfDecodeDib(dib, image->Pixels, alpha)) {
        image->AlphaBlend = alpha;
      }
      c.Images.Add(std::move(image));
    }
  }
  TakeContent(std::move(c));
  ApplyDefaults();
  return true;
}

bool TSkThemeMsStyles::LoadFromBytes(std::span<const std::uint8_t> bytes) {
  return LoadStored(bytes, nullptr);
}

bool TSkThemeMsStyles::LoadStored(std::span<const std::uint8_t> bytes, std::size_t* used) {
  FError.clear();
  TvsStoredTheme stored;
  if (!VsReadStoredForm(bytes, stored, FError, FLimits, used)) {
    return false;
  }
  TContent c;
  if (!c.Ini.Parse(stored.Description, FLimits, &FError)) {
    return false;
  }
  c.Name = std::move(stored.Name);
  c.FileName = FFileName;
  c.DescriptionText = std::move(stored.Description);
  c.Images = std::move(stored.Images);
  TakeContent(std::move(c));
  ApplyDefaults();
  return true;
}

bool TSkThemeMsStyles::LoadFromStream(TskByteReader& in) {
  const std::size_t start = in.Position();
  std::vector<std::uint8_t> bytes(in.Remaining());
  if (!in.ReadBytes(bytes.data(), bytes.size())) {
    return false;
  }
  std::size_t used = 0;
  if (!LoadStored(bytes, &used)) {
    in.Seek(start);
    return false;
  }
  // The reader stays after the stored form, for whatever follows it in the stream.
  in.Seek(start + used);
  return true;
}

bool TSkThemeMsStyles::SaveToStream(TskByteWriter& out) const {
  const std::vector<std::uint8_t> bytes = VsWriteStoredForm(Name(), FDescriptionText, FImages);
  out.WriteBytes(bytes.data(), bytes.size());
  return true;
}

bool TSkThemeMsStyles::LoadFromFile(const std::string& fileName) {
  FError.clear();
  if (Extension(fileName) == "theme") {
    std::vector<std::uint8_t> bytes;
    if (!SkReadWholeFile(fileName, kVsMaxThemeFileBytes, bytes, FError)) {
      return false;
    }
    if (!VsIsStoredForm(bytes)) {
      FError = fileName + " is not a stored visual-style theme";
      return false;
    }
    const std::string previous = FFileName;
    FFileName = fileName;
    if (!LoadFromBytes(bytes)) {
      FFileName = previous;
      return false;
    }
    return true;
  }
  std::unique_ptr<IVsResourceSource> module = VsOpenModuleFile(fileName, FError);
  if (!module) {
    if (FError.empty()) {
      FError = "cannot open " + fileName;
    }
    return false;
  }
  return LoadFromModule(*module, fileName);
}

bool TSkThemeMsStyles::SaveToFile(const std::string& fileName) const {
  if (Extension(fileName) != "theme") {
    return false;
  }
  // A temporary file replaces the target only when it is complete, so a failed write leaves
  // the previous file as it was.
  const std::vector<std::uint8_t> bytes = VsWriteStoredForm(Name(), FDescriptionText, FImages);
  std::string error;
  return SkReplaceFile(fileName, bytes, error);
}

void TSkThemeMsStyles::Assign(const TskTheme& source) {
  TskTheme::Assign(source);
  if (const auto* other = dynamic_cast<const TSkThemeMsStyles*>(&source)) {
    const std::vector<std::uint8_t> bytes =
        VsWriteStoredForm(other->Name(), other->FDescriptionText, other->FImages);
    if (LoadFromBytes(bytes)) {
      FFileName = other->FFileName;
    }
  }
}

TvsLoadResult VsLoadThemeFile(const std::string& fileName) {
  TvsLoadResult result;
  auto theme = std::make_unique<TSkThemeMsStyles>();
  if (!theme->LoadFromFile(fileName)) {
    result.Error = theme->LastError().empty() ? "cannot load " + fileName : theme->LastError();
    return result;
  }
  result.Theme = std::move(theme);
  return result;
}

// ---- building ----

TvsThemeObject* TSkThemeMsStyles::Obj(const std::string& name) {
  const auto it = FSectionIndex.find(VsLowerCase(name));
  return it == FSectionIndex.end() ? nullptr : &FSections[it->second];
}

const TvsThemeObject* TSkThemeMsStyles::Section(const std::string& name) const {
  const auto it = FSectionIndex.find(VsLowerCase(name));
  return it == FSectionIndex.end() ? nullptr : &FSections[it->second];
}

bool TSkThemeMsStyles::HasSection(const std::string& name) const {
  const TvsThemeObject* s = Section(name);
  return s && s->HasProperties();
}

void TSkThemeMsStyles::BuildSections() {
  FSections.clear();
  FSectionIndex.clear();
  FShifted.Clear();
  // Images are found by resource name among those loaded; the keying the sections ask for
  // happens on the originals once (it finds nothing new the second time).
  const TvsImageResolver resolve = [this](const std::string& resource) { return FImages.IndexOf(resource); };
  FSections.reserve(kKnownSections.size());
  for (const char* name : kKnownSections) {
    TvsThemeObject object(name);
    object.LoadSection(FIni.FindSection(name), FImages, resolve);
    FSectionIndex.emplace(VsLowerCase(name), FSections.size());
    FSections.push_back(std::move(object));
  }
  auto metric = [&](const char* key, const char* fallback) {
    const std::string value = FIni.Value("SysMetrics", key, fallback);
    return std::clamp(VsParseInt(value, VsParseInt(fallback, 0)), 0, kVsMaxMetric);
  };
  FCaptionBarHeight = metric("CaptionBarHeight", "25");
  FSmCaptionBarHeight = metric("SMCaptionBarHeight", "17");
  FBorderWidth = metric("BorderWidth", "4");
  FSmBorderWidth = metric("SMBorderWidth", "3");

  // Shifts work on copies, so the originals stay as loaded and a shift is never applied twice.
  if (DeltaHue() != 0 || DeltaBrightness() != 0) {
    for (std::size_t i = 0; i < FImages.Count(); ++i) {
      auto copy = std::make_unique<TvsImage>();
      copy->Name = FImages[i].Name;
      copy->Pixels = FImages[i].Pixels.Clone();
      copy->Transparent = FImages[i].Transparent;
      copy->AlphaBlend = FImages[i].AlphaBlend;
      copy->Pixels.ChangeHue(DeltaHue());
      copy->Pixels.ChangeBrightness(DeltaBrightness());
      FShifted.Add(std::move(copy));
    }
    for (TvsThemeObject& s : FSections) {
      if (!s.HasProperties()) {
        continue;
      }
      for (TColor* c : {&s.FillColor, &s.BorderColor, &s.TextColor}) {
        if (*c != 0x1FFFFFFF) {
          *c = ShiftBrightness(ShiftHue(*c, DeltaHue()), DeltaBrightness());
        }
      }
    }
  }
}

void TSkThemeMsStyles::ApplyDefaults() {
  BuildSections();
  TskTheme::ApplyDefaults();
}

// ---- records ----

TColor TSkThemeMsStyles::SysColor(TColor reference) const { return SysColors().Lookup(reference); }

void TSkThemeMsStyles::SetDefaultColors() {
  TskTheme::SetDefaultColors();
  if (FIni.Empty()) {
    return;
  }
  auto set = [&](TskColorIndex i, TColor c) {
    if (c != 0x1FFFFFFF) {
      Colors().SetColor(i, ShiftBrightness(ShiftHue(c, DeltaHue()), DeltaBrightness()));
    }
  };
  // Fill colours are shifted with the sections already; the hint is not.
  set(kcButtonNormal, Section("Button.Pushbutton")->FillColorHint);
  const TvsThemeObject* list = Section("listview");
  if (list->Prop("fillcolor")) {
    for (TskColorIndex i : {kcList, kcTree, kcGrid, kcBarDock}) {
      Colors().SetColor(i, list->FillColor);
    }
  }
}

void TSkThemeMsStyles::SetDefaultSysColors() {
  // The platform's values, the description's over them, then one shift of everything.
  SysColors().LoadFromSystem(FSysSource());
  auto read = [&](const char* key) { return VsParseColor(FIni.Value("SysMetrics", key, "100 100 100")); };
  SysColors().Store(kClWindow, read("Window"));
  SysColors().Store(kClBtnFace, read("BtnFace"));
  SysColors().Store(kClHighlight, read("Highlight"));
  SysColors().Store(kClBtnShadow, read("BtnShadow"));
  SysColors().Store(kClHighlightText, read("HighlightText"));
  auto shifted = [&](const char* key) {
    return ShiftBrightness(ShiftHue(read(key), DeltaHue()), DeltaBrightness());
  };
  FMenuColor = shifted("Menu");
  FMenuBarColor = shifted("MenuBar");
  FMenuHilightColor = shifted("MenuHilight");
  SysColors().ChangeHue(DeltaHue());
  SysColors().ChangeBrightness(DeltaBrightness());
}

void TSkThemeMsStyles::SetDefaultFonts() {
  TskTheme::SetDefaultFonts();
  auto shift = [&](TColor c) { return ShiftBrightness(ShiftHue(c, DeltaHue()), DeltaBrightness()); };
  auto value = [&](const char* key, const char* fallback) { return FIni.Value("SysMetrics", key, fallback); };
  const TskFontDesc caption = VsParseFont(value("CaptionFont", "Tahoma,10"), 10, false, TskFontDesc{});
  for (auto [index, key] :
       {std::pair{kfCaptionTextNormal, "CaptionText"}, {kfCaptionTextInactive, "InactiveCaptionText"}}) {
    TskFontDesc& f = Fonts().Font(index);
    f.Name = caption.Name;
    f.Size = caption.Size;
    f.Color = shift(VsParseColor(value(key, "255 255 255")));
  }
  FMenuFont = VsParseFont(value("MenuFont", "Tahoma, 8"), 8, true, TskFontDesc{});
  FStatusFont = VsParseFont(value("StatusFont", "Tahoma, 8"), 8, true, TskFontDesc{});
  FMsgBoxFont = VsParseFont(value("MsgBoxFont", "Tahoma, 8"), 8, true, TskFontDesc{});
  const TColor highlightText = shift(VsParseColor(value("HighlightText", "100 100 100")));
  for (TskFontIndex i :
       {kfMenuItemTextSelected, kfMenuItemTextHot, kfPopupMenuItemTextSelected, kfPopupMenuItemTextHot}) {
    Fonts().Font(i).Color = highlightText;
  }
  if (HasSection("Button.Pushbutton")) {
    const TColor text = Section("Button.Pushbutton")->TextColor;
    for (TskFontIndex i : {kfButtonTextNormal, kfButtonTextPressed, kfButtonTextHot, kfButtonTextFocused,
                           kfButtonTextDisabled}) {
      TskFontDesc& f = Fonts().Font(i);
      f.Name = FMsgBoxFont.Name;
      f.Size = FMsgBoxFont.Size;
      f.Style = FMsgBoxFont.Style;
      f.Color = text;
    }
    if (HasSection("Button.Pushbutton(Disabled)")) {
      Fonts().Font(kfButtonTextDisabled).Color = Section("Button.Pushbutton(Disabled)")->TextColor;
    }
  }
}

void TSkThemeMsStyles::DrawSection(ISkPaintCanvas& canvas, const std::string& section, const TskRect& rect,
                                   std::int32_t index, const TskRect& clip) const {
  if (const TvsThemeObject* s = Section(section)) {
    s->DrawSection(canvas, rect, index, clip, Images());
  }
}

// ---- Window family ----

bool TSkThemeMsStyles::WindowAvailable(std::uint8_t kind, TName) {
  return kind == 6 ? HasSection("Window.SmallCaption") : HasSection("Window") && HasSection("Window.Caption");
}

TskRect TSkThemeMsStyles::WindowClientRect(std::uint8_t kind, const TskWindowInfo& info, TName) {
  if (kind != 0 && kind != 1 && kind != 6) {
    return info.Rect;
  }
  const std::int32_t bw = Bw(kind), cbh = Cbh(kind);
  return DeflateRect(info.Rect, bw, cbh + bw, bw, bw);
}

TskRect TSkThemeMsStyles::WindowCaptionRect(std::uint8_t kind, const TskWindowInfo& info, TName objectName) {
  const TskRect client = WindowClientRect(kind, info, objectName);
  const TvsThemeObject* caption = Section("Window.Caption");
  TvsMargins m = caption->CaptionMargins;
  if (!caption->Prop("captionmargins")) {
    m = {0, 0, Bw(kind), 0};
  }
  TskRect r{client.Left + m.Left, info.Rect.Top + m.Top, client.Right - m.Right, client.Top - m.Bottom};
  if (info.Buttons & (1u << kwbIcon)) {
    r.Left += Cbh(kind);
  }
  return r;
}

TskRect TSkThemeMsStyles::WindowButtonRect(std::uint8_t kind, const TskWindowInfo& info, TName objectName,
                                           std::uint8_t button) {
  if (button > kwbTray || !(info.Buttons & (1u << button))) {
    return kSkNoRect;
  }
  const TskRect& w = info.Rect;
  const auto has = [&](TskWindowButton b) { return (info.Buttons & (1u << b)) != 0; };
  if (kind == 6) {
    if (button != kwbClose) {
      return kSkNoRect;
    }
    return {w.Right - FSmBorderWidth - FSmCaptionBarHeight + 1, FSmBorderWidth + 1,
            w.Right - FSmBorderWidth - 1, w.Top + FSmCaptionBarHeight + FSmBorderWidth - 1};
  }
  if (kind != 0 && kind != 1) {
    return kSkNoRect;
  }
  const std::int32_t cbh = FCaptionBarHeight, bw = FBorderWidth, side = cbh - bw;
  if (button == kwbIcon) {
    const TskRect client = WindowClientRect(kind, info, objectName);
    return {client.Left, 5, client.Left + side, side + 5};
  }
  const int close = has(kwbClose) ? 1 : 0;
  const int maxOrRestore = has(kwbMaximize) || has(kwbRestore) ? 1 : 0;
  const int minOrRestore = has(kwbMinimize) || has(kwbRestoreMinimized) ? 1 : 0;
  int slot = 0;
  switch (button) {
  case kwbClose: slot = 0; break;
  case kwbMaximize:
  case kwbRestore: slot = close; break;
  case kwbMinimize:
  case kwbRestoreMinimized:
    // Every button to its right counts, so minimize never lands on close's slot.
    slot = close + maxOrRestore;
    break;
  case kwbHelp: slot = close + maxOrRestore + minOrRestore; break;
  default: return kSkNoRect;
  }
  const std::int32_t dx = slot * (side + 2);
  return {w.Right - cbh - 1 - dx, bw + 1, w.Right - bw - 1 - dx, w.Top + cbh + 1};
}

std::uint8_t TSkThemeMsStyles::WindowHitTest(std::uint8_t kind, const TskWindowInfo& info, TName objectName,
                                             std::int32_t x, std::int32_t y) {
  const std::uint8_t code = TskTheme::WindowHitTest(kind, info, objectName, x, y);
  const TskRect client = WindowClientRect(kind, info, objectName);
  const bool inBand = x >= client.Left && x < client.Right && y >= Bw(kind) && y < client.Top;
  return inBand && (code == khtTop || code == khtNowhere) ? std::uint8_t(khtCaption) : code;
}

void TSkThemeMsStyles::PaintWindow(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                   const TskWindowInfo& info) {
  const bool small = kind == 6;
  const std::int32_t index = (info.State & wsActive) ? 1 : 2;
  const TskRect w = info.Rect;
  const TskRect c = WindowClientRect(kind, info, objectName);
  const TskRect clip = info.ClipRect == kSkNoRect ? TskRect{} : info.ClipRect;
  DrawSection(canvas, small ? "Window.SmallCaption" : "Window.Caption", {w.Left, w.Top, w.Right, c.Top},
              index, clip);
  DrawSection(canvas, small ? "Window.SmallFrameLeft" : "Window.FrameLeft", {w.Left, c.Top, c.Left, c.Bottom},
              index, clip);
  DrawSection(canvas, small ? "Window.SmallFrameRight" : "Window.FrameRight",
              {c.Right, c.Top, w.Right, c.Bottom}, index, clip);
  DrawSection(canvas, small ? "Window.SmallFrameBottom" : "Window.FrameBottom",
              {w.Left, c.Bottom, w.Right, w.Bottom}, index, clip);
}

std::vector<TskRect> TSkThemeMsStyles::WindowRegion(std::uint8_t kind, const TskWindowInfo& info,
                                                    TName objectName) {
  const TskRect w = info.Rect;
  TskPixels picture;
  if (!picture.SetSize(std::int32_t(RectWidth(w)), std::int32_t(RectHeight(w)))) {
    return {};
  }
  picture.Fill(skKeyColor);
  const bool small = kind == 6;
  const TskRect c = OffsetRect(WindowClientRect(kind, info, objectName), -w.Left, -w.Top);
  const TskRect all = picture.Bounds();
  const std::pair<const char*, TskRect> parts[] = {
      {small ? "Window.SmallCaption" : "Window.Caption", {0, 0, all.Right, c.Top}},
      {small ? "Window.SmallFrameLeft" : "Window.FrameLeft", {0, c.Top, c.Left, c.Bottom}},
      {small ? "Window.SmallFrameRight" : "Window.FrameRight", {c.Right, c.Top, all.Right, c.Bottom}},
      {small ? "Window.SmallFrameBottom" : "Window.FrameBottom", {0, c.Bottom, all.Right, all.Bottom}}};
  for (const auto& [name, rect] : parts) {
    const TvsThemeObject* s = Section(name);
    if (!s || IsRectEmpty(rect)) {
      continue;
    }
    if (s->BgType == vbImage) {
      s->RenderImage(picture, rect, (info.State & wsActive) ? 1 : 2, {}, Images(), false);
    } else if (s->BgType == vbBorderFill ? s->BorderSize > 0 || s->FillColor != 0x1FFFFFFF
                                         : s->BgType == vbFill && s->FillColor != 0x1FFFFFFF) {
      // Fills cover their band; a section that draws nothing leaves it outside.
      picture.FillRect(rect, 0xFF000000);
    }
  }
  // The client area is always part of the window.
  picture.FillRect(c, 0xFF000000);
  return SkRegionRuns(picture, w.Left, w.Top);
}

void TSkThemeMsStyles::PaintWindowClient(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskRect& rect) {
  canvas.FillRect(rect, SysColor(kClBtnFace));
}

void TSkThemeMsStyles::PaintWindowCaption(std::uint8_t kind, ISkPaintCanvas& canvas, TName,
                                          const TskRect& rect, const TskWindowInfo& info) {
  const bool active = (info.State & wsActive) != 0;
  TskFontDesc font = Fonts().Font(active ? kfCaptionTextNormal : kfCaptionTextInactive);
  TskRect r = rect;
  if (kind == 0 || kind == 1) {
    const auto has = [&](TskWindowButton b) { return (info.Buttons & (1u << b)) != 0; };
    const int groups = int(has(kwbClose)) + int(has(kwbMaximize) || has(kwbRestore)) +
                       int(has(kwbMinimize) || has(kwbRestoreMinimized)) + int(has(kwbHelp)) +
                       int(has(kwbTray)) + int(has(kwbRollUp) || has(kwbRollDown));
    const std::int64_t limit =
        RectWidth(info.Rect) - 2 * std::int64_t(FBorderWidth) - std::int64_t(groups) * FCaptionBarHeight;
    if (limit < RectWidth(r)) {
      r.Right = std::int32_t(std::max<std::int64_t>(r.Left, r.Left + limit));
    }
  }
  if (IsRectEmpty(r)) {
    return;
  }
  canvas.SetFont(font);
  TCanvasMeasure measure(canvas);
  const std::wstring text = EllipsisText(measure, info.Caption, std::int32_t(RectWidth(r)));
  const TvsThemeObject* caption = Section("Window.Caption");
  const std::uint32_t align = caption->ContentAlignment == 1   ? std::uint32_t(dtCenter)
                              : caption->ContentAlignment == 2 ? std::uint32_t(dtRight)
                                                               : 0u;
  const std::uint32_t bits = dtSingleLine | dtVCenter | dtNoPrefix | align;
  const TvsThemeObject* state = Section(active ? "Window.Caption(Active)" : "Window.Caption(Inactive)");
  if (state->TextShadowType == 1) {
    TskFontDesc shadow = font;
    shadow.Color = caption->TextShadowColor;
    canvas.SetFont(shadow);
    canvas.PaintText(text, OffsetRect(r, state->TextShadowOffset.X, state->TextShadowOffset.Y), bits);
    canvas.SetFont(font);
  }
  canvas.PaintText(text, r, bits);
}

void TSkThemeMsStyles::PaintWindowButton(std::uint8_t kind, ISkPaintCanvas& canvas, TName,
                                         const TskWindowButtonInfo& info) {
  if (info.Button == kwbIcon) {
    canvas.DrawImage(info.Icon, info.Rect);
    return;
  }
  const char* section = nullptr;
  if (kind == 6) {
    section = info.Button == kwbClose ? "Window.SmallCloseButton" : nullptr;
  } else {
    switch (info.Button) {
    case kwbClose: section = "Window.CloseButton"; break;
    case kwbHelp: section = "Window.HelpButton"; break;
    case kwbMinimize: section = "Window.MinButton"; break;
    case kwbMaximize: section = "Window.MaxButton"; break;
    case kwbRestore:
    case kwbRestoreMinimized:
    case kwbRollDown: section = "Window.RestoreButton"; break;
    default: break;
    }
  }
  if (section && info.State <= 3) {
    DrawSection(canvas, section, info.Rect, info.State + 1);
  }
}

// ---- other families ----

void TSkThemeMsStyles::Bevel(ISkPaintCanvas& canvas, const TskRect& rect) const {
  const TColor face = SysColor(kClBtnFace);
  canvas.BevelFrame(rect, ShiftBrightness(face, 30), ShiftBrightness(face, -30));
}

void TSkThemeMsStyles::PaintPanel(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskRect& rect) {
  canvas.FillRect(rect, SysColor(kClBtnFace));
  Bevel(canvas, rect);
}

void TSkThemeMsStyles::PaintSplitter(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskRect& rect) {
  canvas.FillRect(rect, SysColor(kClBtnFace));
}

bool TSkThemeMsStyles::ButtonAvailable(std::uint8_t kind, TName) {
  if (kind >= 4 && kind <= 7) {
    return HasSection("Spin.Up") && HasSection("Spin.Down") && HasSection("Spin.Uphorz") &&
           HasSection("Spin.Downhorz");
  }
  return HasSection("Button.Pushbutton");
}

bool TSkThemeMsStyles::ButtonTransparent(std::uint8_t, TName) {
  return Section("Button.Pushbutton")->Transparent;
}

void TSkThemeMsStyles::PaintButton(std::uint8_t kind, ISkPaintCanvas& canvas, TName,
                                   const TskStateInfo& info) {
  static constexpr std::array<std::uint8_t, 12> kFrames = {1, 2, 3, 4, 5, 2, 5, 2, 3, 4, 3, 3};
  static constexpr const char* kSpin[] = {"Spin.Up", "Spin.Down", "Spin.Uphorz", "Spin.Downhorz"};
  const char* section = kind >= 4 && kind <= 7 ? kSpin[kind - 4] : "Button.Pushbutton";
  DrawSection(canvas, section, info.Rect, FrameOf(kFrames, info.State));
}

bool TSkThemeMsStyles::CheckAvailable(std::uint8_t, TName) { return HasSection("button.checkbox"); }

void TSkThemeMsStyles::PaintCheck(std::uint8_t kind, ISkPaintCanvas& canvas, TName,
                                  const TskStateInfo& info) {
  static constexpr std::array<std::uint8_t, 15> kFrames = {5, 6, 7, 8, 5, 1, 2, 3, 4, 1, 9, 10, 11, 12, 9};
  DrawSection(canvas, kind == 1 ? "button.radiobutton" : "button.checkbox", info.Rect,
              FrameOf(kFrames, info.State));
}

bool TSkThemeMsStyles::ScrollAvailable(std::uint8_t, TName) { return HasSection("ScrollBar.ArrowBtn"); }

void TSkThemeMsStyles::PaintScrollTrack(std::uint8_t, ISkPaintCanvas& canvas, TName,
                                        const TskPartInfo& info) {
  DrawSection(canvas, info.Part == 1 ? "ScrollBar.UpperTrackHorz" : "ScrollBar.UpperTrackVert", info.Rect, 1);
}

void TSkThemeMsStyles::PaintScrollElement(std::uint8_t kind, ISkPaintCanvas& canvas, TName,
                                          const TskPartInfo& info) {
  if (kind != 0) {
    return;
  }
  static constexpr std::array<std::uint8_t, 4> kFrames = {1, 3, 2, 4};
  const std::int32_t frame = FrameOf(kFrames, info.State);
  auto thumb = [&](const char* button, const char* gripper) {
    DrawSection(canvas, button, info.Rect, frame);
    const TvsThemeObject* g = Section(gripper);
    const TskRect f = g->FrameRect(g->Image, frame, Images());
    if (!IsRectEmpty(f) && RectWidth(f) < RectWidth(info.Rect) && RectHeight(f) < RectHeight(info.Rect)) {
      DrawSection(canvas, gripper, info.Rect, frame);
    }
  };
  switch (info.Part) {
  case 0:
  case 1:
  case 4:
  case 5: {
    const std::int32_t add = info.Part == 1 ? 4 : info.Part == 4 ? 8 : info.Part == 5 ? 12 : 0;
    DrawSection(canvas, "ScrollBar.ArrowBtn", info.Rect, frame + add);
    break;
  }
  case 8: thumb("ScrollBar.ThumbBtnHorz", "ScrollBar.GripperHorz"); break;
  case 9: thumb("ScrollBar.ThumbBtnVert", "ScrollBar.GripperVert"); break;
  default: break;
  }
}

bool TSkThemeMsStyles::ProgressAvailable(std::uint8_t, TName) { return HasSection("Progress"); }

void TSkThemeMsStyles::PaintProgress(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  static constexpr const char* kParts[] = {"Progress.BarVert", "Progress.Bar",       "Progress.ChunkVert",
                                           "Progress.Chunk",   "Progress.ChunkVert", "Progress.Chunk"};
  if (info.Part < std::size(kParts)) {
    DrawSection(canvas, kParts[info.Part], info.Rect, 1);
  }
}

bool TSkThemeMsStyles::TrackAvailable(std::uint8_t, TName) { return HasSection("TrackBar"); }

void TSkThemeMsStyles::PaintTrack(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  DrawSection(canvas, info.Part == 0 ? "TrackBar.TrackVert" : "TrackBar.Track", info.Rect, 1);
}

void TSkThemeMsStyles::PaintTrackThumb(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  static constexpr const char* kParts[] = {"TrackBar.ThumbVert", "TrackBar.ThumbRight",  "TrackBar.ThumbLeft",
                                           "TrackBar.Thumb",     "TrackBar.ThumbBottom", "TrackBar.ThumbTop"};
  if (info.Part < std::size(kParts)) {
    DrawSection(canvas, kParts[info.Part], info.Rect, info.State + 1);
  }
}

bool TSkThemeMsStyles::HeaderAvailable(std::uint8_t, TName) { return HasSection("header"); }

void TSkThemeMsStyles::PaintHeader(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  DrawSection(canvas, "header", info.Rect, 1);
}

void TSkThemeMsStyles::PaintHeaderSection(std::uint8_t, ISkPaintCanvas& canvas, TName,
                                          const TskPartInfo& info) {
  static constexpr std::array<std::uint8_t, 6> kFrames = {1, 3, 1, 2, 2, 3};
  DrawSection(canvas, "header.headeritem", info.Rect, FrameOf(kFrames, info.State));
}

bool TSkThemeMsStyles::StatusAvailable(std::uint8_t, TName) { return HasSection("status"); }

void TSkThemeMsStyles::PaintStatus(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  DrawSection(canvas, "status", info.Rect, 1);
}

void TSkThemeMsStyles::PaintStatusPanel(std::uint8_t, ISkPaintCanvas& canvas, TName,
                                        const TskStateInfo& info) {
  static constexpr const char* kParts[] = {"status.pane", "status.pane", "status.gripperpane",
                                           "status.gripper"};
  if (info.State < std::size(kParts)) {
    DrawSection(canvas, kParts[info.State], info.Rect, 1);
  }
}

bool TSkThemeMsStyles::EditAvailable(std::uint8_t, TName) { return HasSection("edit"); }

void TSkThemeMsStyles::PaintEdit(std::uint8_t kind, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  const bool combo = kind >= 4 && kind <= 6;
  DrawSection(canvas, combo ? "combobox" : "edit", info.Rect, 1);
  const char* fillFrom = nullptr;
  if (combo) {
    fillFrom = info.State == 4 ? "combobox(disabled)" : nullptr;
  } else {
    fillFrom = info.State == 4   ? "edit.edittext(disabled)"
               : info.State == 5 ? "edit.edittext(readonly)"
                                 : nullptr;
  }
  const TskRect inner = DeflateRect(info.Rect, 2, 2, 2, 2);
  if (fillFrom && Section(fillFrom)->FillColor != 0x1FFFFFFF) {
    canvas.FillRect(inner, Section(fillFrom)->FillColor);
  } else if (!combo && info.State == 6) {
    canvas.FillRect(inner, SysColor(kClHighlight));
  }
}

void TSkThemeMsStyles::PaintEditButton(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  // The face state is the low byte of the element word (Part), as for every theme.
  const std::uint8_t low = info.Part;
  const std::int32_t frame = low == 1 ? 2 : low == 2 ? 3 : low == 4 ? 4 : 1;
  DrawSection(canvas, "Combobox.DropDownButton", info.Rect, frame);
}

bool TSkThemeMsStyles::GroupBoxAvailable(std::uint8_t, TName) { return HasSection("button.groupbox"); }

bool TSkThemeMsStyles::GroupBoxTransparent(std::uint8_t, TName) {
  return Section("button.groupbox")->Transparent;
}

void TSkThemeMsStyles::PaintGroupBox(std::uint8_t, ISkPaintCanvas& canvas, TName,
                                     const TskGroupBoxInfo& info) {
  const TskRect& r = info.Rect;
  const TskRect& c = info.CaptionRect;
  if (IsRectEmpty(c) || c == kSkNoRect) {
    DrawSection(canvas, "button.groupbox", r, 1);
    return;
  }
  // Everything but the caption's rectangle, as four bands around it.
  for (const TskRect& band : BandsAround(r, c)) {
    if (!IsRectEmpty(band)) {
      DrawSection(canvas, "button.groupbox", r, 1, band);
    }
  }
}

bool TSkThemeMsStyles::EditBoxAvailable(std::uint8_t, TName) { return HasSection("edit"); }

void TSkThemeMsStyles::PaintEditBox(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  DrawSection(canvas, "edit", info.Rect, 1);
  const TskRect inner = DeflateRect(info.Rect, 2, 2, 2, 2);
  const char* fillFrom = info.State == 3   ? "edit.edittext(disabled)"
                         : info.State == 4 ? "edit.edittext(readonly)"
                                           : nullptr;
  if (fillFrom && Section(fillFrom)->FillColor != 0x1FFFFFFF) {
    canvas.FillRect(inner, Section(fillFrom)->FillColor);
  } else if (info.State == 5) {
    canvas.FillRect(inner, SysColor(kClHighlight));
  }
}

void TSkThemeMsStyles::PaintBox(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  canvas.FillRect(info.Rect, SysColor(kClBtnFace));
  canvas.FrameRect(info.Rect, Section("edit")->BorderColor);
}

void TSkThemeMsStyles::PaintMenu(std::uint8_t kind, ISkPaintCanvas& canvas, TName, const TskRect& rect) {
  canvas.FillRect(rect, FMenuColor);
  if (kind == 1 || kind == 2) {
    canvas.FrameRect(rect, FMenuHilightColor);
  }
}

void TSkThemeMsStyles::PaintMenuItem(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  const TskRect& r = info.Rect;
  const bool lit = info.State == 1 || info.State == 2;
  switch (info.Part) {
  case 1: { // separator: a line at mid-height
    canvas.FillRect(r, FMenuColor);
    const std::int32_t half = std::int32_t(RectHeight(r) / 2);
    canvas.FillRect(DeflateRect(r, 5, half, 5, half), FMenuHilightColor);
    break;
  }
  case 3:
  case 4: { // scroll areas of a long popup
    canvas.FillRect(r, FMenuColor);
    if (lit) {
      // A rounded frame: the highlight shape with the menu colour inside it.
      canvas.FillRoundRect(r, 3, FMenuHilightColor);
      canvas.FillRoundRect(DeflateRect(r, 1, 1, 1, 1), 3, FMenuColor);
    }
    canvas.MonoGlyph(info.Part == 3 ? TskMonoGlyph::mgScrollUp : TskMonoGlyph::mgScrollDown, false,
                     CentreRect({0, 0, 14, 14}, r), 0x808080);
    break;
  }
  case 7:
  case 8:
  case 9: { // child-window buttons
    static constexpr const char* kParts[] = {"Window.MDIMinButton", "Window.MDIRestoreButton",
                                             "Window.MDICloseButton"};
    static constexpr std::array<std::uint8_t, 4> kFrames = {1, 2, 2, 3};
    DrawSection(canvas, kParts[info.Part - 7], r, FrameOf(kFrames, info.State));
    break;
  }
  default: canvas.FillRect(r, lit ? FMenuHilightColor : FMenuColor); break;
  }
}

void TSkThemeMsStyles::PaintDock(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskRect& rect) {
  DrawSection(canvas, "rebar", rect, 1);
}

bool TSkThemeMsStyles::ToolAvailable(std::uint8_t, TName) { return HasSection("rebar"); }

void TSkThemeMsStyles::PaintTool(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                 const TskRect& rect) {
  if (kind == 2) {
    PaintMenu(1, canvas, objectName, rect);
    return;
  }
  Bevel(canvas, rect);
}

void TSkThemeMsStyles::PaintToolItem(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  static constexpr std::array<std::uint8_t, 8> kFrames = {1, 2, 3, 4, 5, 5, 6, 3};
  const char* section = nullptr;
  switch (info.Part) {
  case 0:
  case 6:
  case 7:
  case 8: section = "toolbar.button"; break;
  case 1: section = "toolbar.separator"; break;
  case 3: section = "toolbar.splitbutton"; break;
  case 4: section = "toolbar.splitbuttondropdown"; break;
  case 5: section = "toolbar.dropdownbutton"; break;
  case 13: section = "rebar.gripper"; break;
  case 14: section = "rebar.grippervert"; break;
  default: return;
  }
  DrawSection(canvas, section, info.Rect, FrameOf(kFrames, info.State));
}

void TSkThemeMsStyles::PaintScrollBox(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskRect& rect) {
  canvas.FillRect(rect, SysColor(kClBtnFace));
  Bevel(canvas, rect);
}

bool TSkThemeMsStyles::RollPanelAvailable(std::uint8_t, TName) { return HasSection("explorerbar"); }

bool TSkThemeMsStyles::RollPanelTransparent(std::uint8_t, TName) {
  return Section("explorerbar.NormalGroupHead")->Transparent;
}

void TSkThemeMsStyles::PaintRollPanel(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskRect& rect) {
  DrawSection(canvas, "explorerbar.SpecialGroupBackground", rect, 1);
}

void TSkThemeMsStyles::PaintRollPanelCaption(std::uint8_t, ISkPaintCanvas& canvas, TName,
                                             const TskRect& rect) {
  DrawSection(canvas, "explorerbar.NormalGroupHead", InflateRect(rect, 1, 1), 1);
}

void TSkThemeMsStyles::PaintRollPanelButton(std::uint8_t, ISkPaintCanvas& canvas, TName,
                                            const TskPartInfo& info) {
  const std::int32_t frame = info.State == 1 ? 2 : info.State == 2 ? 3 : 1;
  switch (info.Part) {
  case 1: DrawSection(canvas, "explorerbar.NormalGroupCollapse", info.Rect, frame); break;
  case 2: DrawSection(canvas, "explorerbar.NormalGroupExpand", info.Rect, frame); break;
  case 3:
    DrawSection(canvas,
                HasSection("explorerbar.headerclose") ? "explorerbar.headerclose" : "Window.CloseButton",
                info.Rect, frame);
    break;
  default: break;
  }
}

bool TSkThemeMsStyles::TabAvailable(std::uint8_t, TName) { return HasSection("tab"); }

void TSkThemeMsStyles::PaintTabPane(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  DrawSection(canvas, "tab.pane", info.Rect, 1);
}

void TSkThemeMsStyles::PaintTab(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  static constexpr std::array<std::uint8_t, 6> kFrames = {1, 2, 4, 3, 3, 4};
  const char* section =
      info.Part == 1 && HasSection("tab.toptabitemleftedge") ? "tab.toptabitemleftedge" : "tab.toptabitem";
  DrawSection(canvas, section, info.Rect, FrameOf(kFrames, info.State));
}

void TSkThemeMsStyles::PaintTabScrollButton(std::uint8_t, ISkPaintCanvas& canvas, TName,
                                            const TskPartInfo& info) {
  const std::int32_t add = info.Part == 1 ? 8 : info.Part == 2 ? 4 : info.Part == 4 ? 12 : 0;
  DrawSection(canvas, "ScrollBar.ArrowBtn", info.Rect, std::int32_t(info.State) + 1 + add);
}

bool TSkThemeMsStyles::ListAvailable(std::uint8_t, TName) { return HasSection("edit"); }
bool TSkThemeMsStyles::TreeAvailable(std::uint8_t, TName) { return HasSection("edit"); }
bool TSkThemeMsStyles::GridAvailable(std::uint8_t, TName) { return HasSection("edit"); }

void TSkThemeMsStyles::PaintList(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  DrawSection(canvas, "listview", info.Rect, 1);
}

void TSkThemeMsStyles::PaintTree(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  DrawSection(canvas, "listview", info.Rect, 1);
}

void TSkThemeMsStyles::PaintGrid(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  DrawSection(canvas, "listview", info.Rect, 1);
}

void TSkThemeMsStyles::PaintListItem(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo& info) {
  const bool selected = info.State == 2 || info.State == 3;
  canvas.FillRect(info.Rect, SysColor(selected ? kClHighlight : kClWindow));
}

void TSkThemeMsStyles::PaintTreeItem(std::uint8_t kind, ISkPaintCanvas& canvas, TName objectName,
                                     const TskStateInfo& info) {
  PaintListItem(kind, canvas, objectName, info);
}

void TSkThemeMsStyles::PaintListItemCheck(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskStateInfo&,
                                          const TskCheckInfo& check) {
  static constexpr std::int32_t kFrames[] = {5, 1, 9};
  if (check.CheckKind < 3) {
    DrawSection(canvas, "button.checkbox", check.Rect, kFrames[check.CheckKind]);
  } else if (!check.Glyph.Empty()) {
    canvas.DrawImage(check.Glyph, CentreRect(check.Glyph.Pixels->Bounds(), check.Rect));
  }
}

void TSkThemeMsStyles::PaintGridCell(std::uint8_t, ISkPaintCanvas& canvas, TName, const TskPartInfo& info) {
  // State 1 is a fixed cell.
  if (info.State == 1) {
    canvas.FillRect(info.Rect, SysColor(kClBtnFace));
    Bevel(canvas, info.Rect);
    return;
  }
  const std::uint8_t low = info.Part;
  const TColor fill = low == 1               ? SysColor(kClBtnFace)
                      : low == 2 || low == 3 ? SysColor(kClHighlight)
                                             : SysColor(kClWindow);
  canvas.FillRect(info.Rect, fill);
}
