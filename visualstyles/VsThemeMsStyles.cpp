#include "visualstyles/VsThemeMsStyles.h"

#include "fileread/SfDib.h"
#include "theme/SkFilePath.h"
#include "theme/SkText.h"
#include "visualstyles/VsModuleFile.h"
#include "visualstyles/VsStoredForm.h"
#include "visualstyles/VsSysColorRefs.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <iterator>

// Sections: module and stored-form storage; building; records. The painting of every control
// family is in VsThemeMsStylesPaint.cpp.

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
