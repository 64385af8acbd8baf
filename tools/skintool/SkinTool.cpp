// The skin tool. The unpacked form of a skin is a folder with
//   skin.txt     the header, the bitmap list (name, PNG file, flags) and the theme tables,
//                as one object block
//   objects.txt  the top-level objects as nested object blocks
//   bitmaps/     one PNG file per bitmap
// Packing reads only files inside the folder.
#include "tools/skintool/SkinTool.h"

#include "skins/SfPng.h"
#include "skins/SfSkinObjectRecords.h"
#include "skins/SfSkinSource.h"
#include "theme/SkFilePath.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <ostream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const char* const kHelp =
    "usage: skintool COMMAND ARGUMENTS\n"
    "\n"
    "commands:\n"
    "  info FILE                     name, author, filter kind, bitmaps and objects of a skin\n"
    "  check FILE                    loads the skin under the safety limits; prints \"ok\" or what\n"
    "                                is wrong (exit code 1)\n"
    "  convert IN OUT                writes IN again with the filter of OUT's extension\n"
    "                                (.uskn, .cskn, .xskn or .mskn)\n"
    "  unpack FILE DIR               writes the skin as readable files: DIR/skin.txt,\n"
    "                                DIR/objects.txt and DIR/bitmaps/*.png\n"
    "  pack DIR FILE                 the reverse of unpack\n"
    "  render FILE OBJECT W H OUT.png [--state N] [--inactive] [--text TEXT] [--set NODE=TEXT]...\n"
    "                                draws the top-level object OBJECT at W x H pixels into a\n"
    "                                PNG image; --state sets the node state (5 hot, 6 pressed,\n"
    "                                7 focused, 8 disabled), --text the caption and item texts,\n"
    "                                --set the text of one node\n"
    "  help                          this text\n"
    "\n"
    "Exit codes: 0 done, 1 the file or the operation failed, 2 wrong usage.\n";

// File names are UTF-8 (on Windows the arguments are read wide and converted); a name that is
// not valid UTF-8 gives an empty path, which no file has.
fs::path PathOf(const std::string& name) { return SkFilePath(name).value_or(fs::path()); }

int Usage(std::ostream& err, const std::string& why) {
  err << "skintool: " << why << "\n\n" << kHelp;
  return 2;
}

bool ReadFile(const fs::path& p, std::vector<std::uint8_t>& out, std::string& why) {
  std::error_code ec;
  const auto size = fs::file_size(p, ec);
  if (ec) {
    why = "cannot open '" + SkFileNameText(p) + "': " + ec.message();
    return false;
  }
  if (size > TSfLimits{}.MaxInflatedBytes) {
    why = "'" + SkFileNameText(p) + "' is too large";
    return false;
  }
  out.resize(size);
  std::ifstream f(p, std::ios::binary);
  if (!f || !f.read(reinterpret_cast<char*>(out.data()), std::streamsize(size))) {
    why = "cannot read '" + SkFileNameText(p) + "'";
    return false;
  }
  return true;
}

// Writes beside the target and renames over it when complete.
bool WriteFile(const fs::path& p, std::span<const std::uint8_t> bytes, std::string& why) {
  fs::path temp = p;
  temp += ".part";
  {
    std::ofstream f(temp, std::ios::binary | std::ios::trunc);
    if (!f || !f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size())) ||
        !f.flush()) {
      std::error_code ignored;
      f.close();
      fs::remove(temp, ignored);
      why = "cannot write '" + SkFileNameText(p) + "'";
      return false;
    }
  }
  std::error_code ec;
  fs::rename(temp, p, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    why = "cannot replace '" + SkFileNameText(p) + "': " + ec.message();
    return false;
  }
  return true;
}

bool WriteText(const fs::path& p, const std::string& text, std::string& why) {
  return WriteFile(p, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), why);
}

bool Load(const std::string& file, TSfSkinSource& skin, std::ostream& err) {
  if (!skin.LoadFromFile(file)) {
    err << file << ": " << skin.LastError() << "\n";
    return false;
  }
  return true;
}

void CollectUnresolved(TSfSkinObject& n, const std::string& path, std::vector<std::string>& out) {
  n.ForEachBitmap([&](TSfBitmapRef& r) {
    if (!r.Name.empty() && !r.Bitmap) {
      out.push_back(path + ": bitmap '" + r.Name + "' is not in the skin");
    } else if (!r.Name.empty() && !r.Valid()) {
      out.push_back(path + ": the rectangle of bitmap '" + r.Name + "' lies outside it");
    }
  });
  for (std::size_t i = 0; i < n.ChildCount(); ++i) {
    CollectUnresolved(*n.Child(i), path + "." + n.Child(i)->FName, out);
  }
}

int Info(const std::string& file, std::ostream& out, std::ostream& err) {
  TSfSkinSource skin;
  if (!Load(file, skin, err)) {
    return 1;
  }
  const TSfSkinFilter& f = SfSkinFilter(skin.LoadedKind());
  out << "file:     " << file << "\n"
      << "filter:   " << f.Description() << " (." << f.Extension() << ")\n"
      << "name:     " << skin.FSkinName << "\n"
      << "version:  " << skin.FSkinVersion << "\n"
      << "author:   " << skin.FAuthor;
  if (!skin.FAuthorEMail.empty()) {
    out << " <" << skin.FAuthorEMail << ">";
  }
  if (!skin.FAuthorURL.empty()) {
    out << " " << skin.FAuthorURL;
  }
  out << "\n";
  std::int64_t pixels = 0;
  for (const auto& b : skin.FBitmaps) {
    pixels += std::int64_t(b->Pixels.Width()) * b->Pixels.Height();
  }
  out << "bitmaps:  " << skin.FBitmaps.size() << " (" << pixels << " pixels)\n";
  for (const auto& b : skin.FBitmaps) {
    out << "  " << std::left << std::setw(24) << b->Name << " " << b->Pixels.Width() << " x "
        << b->Pixels.Height() << (b->Transparent ? "  transparent" : "") << (b->AlphaBlend ? "  alpha" : "")
        << "\n";
  }
  std::size_t nodes = 0;
  for (std::size_t i = 0; i < skin.ObjectCount(); ++i) {
    nodes += skin.Object(i)->NodeCount();
  }
  out << "objects:  " << skin.ObjectCount() << " (" << nodes << " nodes)\n";
  for (std::size_t i = 0; i < skin.ObjectCount(); ++i) {
    TSfSkinObject& o = *skin.Object(i);
    out << "  " << std::left << std::setw(24) << o.FName << " " << std::setw(26) << o.ClassName() << " "
        << o.FWidth << " x " << o.FHeight << ", " << o.NodeCount() << " nodes\n";
  }
  return 0;
}

int Check(const std::string& file, std::ostream& out, std::ostream& err) {
  TSfSkinSource skin;
  if (!Load(file, skin, err)) {
    return 1;
  }
  std::vector<std::string> problems;
  for (std::size_t i = 0; i < skin.ObjectCount(); ++i) {
    CollectUnresolved(*skin.Object(i), skin.Object(i)->FName, problems);
  }
  for (const std::string& p : problems) {
    out << "warning: " << p << "\n";
  }
  out << "ok\n";
  return 0;
}

int Convert(const std::string& in, const std::string& outFile, std::ostream& out, std::ostream& err) {
  if (!FilterByExtension(outFile)) {
    err << outFile << ": the extension must be .uskn, .cskn, .xskn or .mskn\n";
    return 1;
  }
  TSfSkinSource skin;
  if (!Load(in, skin, err)) {
    return 1;
  }
  if (!skin.SaveToFile(outFile)) {
    err << outFile << ": " << skin.LastError() << "\n";
    return 1;
  }
  out << "wrote " << outFile << "\n";
  return 0;
}

// A file name for a bitmap: its name with unsafe characters replaced, numbered when taken.
std::string SafeFileName(const std::string& name, std::vector<std::string>& used) {
  std::string base;
  for (char c : name.substr(0, 40)) {
    const bool ok =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
    base += ok ? char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) : '_';
  }
  if (base.empty()) {
    base = "bitmap";
  }
  std::string candidate = base;
  for (int n = 2; std::find(used.begin(), used.end(), candidate) != used.end(); ++n) {
    candidate = base + "-" + std::to_string(n);
  }
  used.push_back(candidate);
  return candidate + ".png";
}

TSfProperty Prop(const std::string& name, TSfValueKind kind, const std::string& str, bool b = false) {
  TSfProperty p;
  p.Name = name;
  p.Value.Kind = kind;
  p.Value.Str = str;
  p.Value.Bool = b;
  return p;
}

int Unpack(const std::string& file, const std::string& dir, std::ostream& out, std::ostream& err) {
  TSfSkinSource skin;
  if (!Load(file, skin, err)) {
    return 1;
  }
  std::error_code ec;
  fs::create_directories(PathOf(dir) / "bitmaps", ec);
  if (ec) {
    err << dir << ": cannot create the folder: " << ec.message() << "\n";
    return 1;
  }
  TSfObjectData head;
  head.ClassName = "TSfSkinSource";
  head.Name = "Skin";
  head.Props = {Prop("SkinName", TSfValueKind::vkString, skin.FSkinName),
                Prop("SkinVersion", TSfValueKind::vkString, skin.FSkinVersion),
                Prop("Author", TSfValueKind::vkString, skin.FAuthor),
                Prop("AuthorEMail", TSfValueKind::vkString, skin.FAuthorEMail),
                Prop("AuthorURL", TSfValueKind::vkString, skin.FAuthorURL)};
  std::string why;
  std::vector<std::string> used;
  for (std::size_t i = 0; i < skin.FBitmaps.size(); ++i) {
    const TSfBitmap& b = *skin.FBitmaps[i];
    const std::string rel = "bitmaps/" + SafeFileName(b.Name, used);
    TSfObjectData entry;
    entry.ClassName = "TSfBitmapFile";
    entry.Props = {Prop("Name", TSfValueKind::vkString, b.Name), Prop("File", TSfValueKind::vkString, rel),
                   Prop("Transparent", TSfValueKind::vkBool, "", b.Transparent),
                   Prop("AlphaBlend", TSfValueKind::vkBool, "", b.AlphaBlend)};
    head.Children.push_back(std::move(entry));
    if (b.Pixels.Empty()) {
      continue; // an empty bitmap has no image file
    }
    if (!WriteFile(PathOf(dir) / PathOf(rel), SfWritePng(b.Pixels), why)) {
      err << why << "\n";
      return 1;
    }
  }
  auto table = [&](const char* cls, auto name, std::size_t n, auto text) {
    TSfObjectData t;
    t.ClassName = cls;
    for (std::size_t i = 0; i < n; ++i) {
      t.Props.push_back(Prop(std::string(name(i)), TSfValueKind::vkString, text(i)));
    }
    head.Children.push_back(std::move(t));
  };
  table(
      "TSfColors", [](std::size_t i) { return kSfColorNames[i]; }, 22,
      [&](std::size_t i) { return SfColorToText(skin.FTables.Colors[i]); });
  table(
      "TSfSysColors", [](std::size_t i) { return SfSysColorName(i); }, 26,
      [&](std::size_t i) { return SfColorToText(skin.FTables.SysColors[i]); });
  table(
      "TSfFonts", [](std::size_t i) { return kSfFontNames[i]; }, 66,
      [&](std::size_t i) { return SfFontToText(skin.FTables.Fonts[i]); });
  std::string objects;
  for (std::size_t i = 0; i < skin.ObjectCount(); ++i) {
    TSfObjectData d;
    if (!SfObjectToData(*skin.Object(i), true, d, why)) {
      err << file << ": " << why << "\n";
      return 1;
    }
    objects += SfObjectToText(d, true);
  }
  if (!WriteText(PathOf(dir) / "skin.txt", SfObjectToText(head, true), why) ||
      !WriteText(PathOf(dir) / "objects.txt", objects, why)) {
    err << why << "\n";
    return 1;
  }
  out << "unpacked " << skin.FBitmaps.size() << " bitmaps and " << skin.ObjectCount() << " objects into "
      << dir << "\n";
  return 0;
}

std::string StrProp(const TSfObjectData& d, const char* name) {
  const TSfValue* v = d.Find(name);
  return v && v->Kind == TSfValueKind::vkString ? v->Str : std::string();
}

bool BoolProp(const TSfObjectData& d, const char* name) {
  const TSfValue* v = d.Find(name);
  return v && v->Kind == TSfValueKind::vkBool && v->Bool;
}

// A path named in skin.txt must stay inside the folder.
bool InsideFolder(const std::string& rel) {
  const fs::path p = PathOf(rel);
  if (rel.empty() || p.is_absolute() || p.has_root_name() || p.has_root_directory()) {
    return false;
  }
  for (const auto& part : p) {
    if (part == "..") {
      return false;
    }
  }
  return true;
}

int Pack(const std::string& dir, const std::string& file, std::ostream& out, std::ostream& err) {
  if (!FilterByExtension(file)) {
    err << file << ": the extension must be .uskn, .cskn, .xskn or .mskn\n";
    return 1;
  }
  std::vector<std::uint8_t> headBytes, objectBytes;
  std::string why;
  if (!ReadFile(PathOf(dir) / "skin.txt", headBytes, why) ||
      !ReadFile(PathOf(dir) / "objects.txt", objectBytes, why)) {
    err << why << "\n";
    return 1;
  }
  TSfReader errors(std::span<const std::uint8_t>{});
  TSfObjectData head;
  if (!SfTextToObject(std::string_view(reinterpret_cast<const char*>(headBytes.data()), headBytes.size()),
                      errors, head) ||
      head.ClassName != "TSfSkinSource") {
    err << dir << "/skin.txt: " << (errors.Failed() ? errors.Error() : "not a skin header (TSfSkinSource)")
        << "\n";
    return 1;
  }
  TSfSkinSource skin;
  bool tables = false;
  skin.FSkinName = StrProp(head, "SkinName");
  skin.FSkinVersion = StrProp(head, "SkinVersion");
  skin.FAuthor = StrProp(head, "Author");
  skin.FAuthorEMail = StrProp(head, "AuthorEMail");
  skin.FAuthorURL = StrProp(head, "AuthorURL");
  for (const TSfObjectData& part : head.Children) {
    if (part.ClassName == "TSfBitmapFile") {
      const std::string rel = StrProp(part, "File");
      TskPixels pixels;
      if (!rel.empty()) {
        if (!InsideFolder(rel)) {
          err << dir << "/skin.txt: bitmap file '" << rel << "' is not inside the folder\n";
          return 1;
        }
        std::vector<std::uint8_t> png;
        std::string pngError;
        if (!ReadFile(PathOf(dir) / PathOf(rel), png, why)) {
          if (fs::exists(PathOf(dir) / PathOf(rel))) {
            err << why << "\n";
            return 1;
          }
          // An empty bitmap has no image file.
        } else if (!SfReadPng(png, pixels, pngError)) {
          err << dir << "/" << rel << ": " << pngError << "\n";
          return 1;
        }
      }
      // Magenta and the key colour become see-through, as when a skin is read; flags given
      // in skin.txt win over the ones the pixels suggest.
      bool transparent = pixels.SetTransparentColor(0xFFFF00FF);
      transparent = pixels.SetTransparentColor(skKeyColor) || transparent;
      bool alphaBlend = pixels.CheckAlpha();
      if (part.Find("Transparent")) {
        transparent = BoolProp(part, "Transparent");
      }
      if (part.Find("AlphaBlend")) {
        alphaBlend = BoolProp(part, "AlphaBlend");
      }
      skin.AddBitmap(StrProp(part, "Name"), std::move(pixels), transparent, alphaBlend);
    } else if (part.ClassName == "TSfColors" || part.ClassName == "TSfSysColors" ||
               part.ClassName == "TSfFonts") {
      tables = true;
      for (const TSfProperty& p : part.Props) {
        auto index = [&](const auto& names, std::size_t n) -> int {
          for (std::size_t i = 0; i < n; ++i) {
            if (p.Name == names[i]) {
              return int(i);
            }
          }
          return -1;
        };
        TColor c;
        if (part.ClassName == "TSfColors") {
          const int i = index(kSfColorNames, 22);
          if (i >= 0 && SfColorFromText(p.Value.Str, c)) {
            skin.FTables.Colors[std::size_t(i)] = c;
          }
        } else if (part.ClassName == "TSfSysColors") {
          // Row 10 repeats the name of row 1: names are taken in row order.
          for (int i = 0; i < 26; ++i) {
            if (p.Name == SfSysColorName(std::size_t(i)) && SfColorFromText(p.Value.Str, c)) {
              skin.FTables.SysColors[std::size_t(i)] = c;
              if (i == 1) {
                skin.FTables.SysColors[10] = c;
              }
              break;
            }
          }
        } else {
          const int i = index(kSfFontNames, 66);
          if (i >= 0) {
            skin.FTables.Fonts[std::size_t(i)] = SfFontFromText(p.Value.Str);
          }
        }
      }
    } else {
      err << dir << "/skin.txt: unknown block '" << part.ClassName << "'\n";
      return 1;
    }
  }
  std::vector<TSfObjectData> objects;
  TSfReader objectErrors(std::span<const std::uint8_t>{});
  if (!SfTextToObjects(
          std::string_view(reinterpret_cast<const char*>(objectBytes.data()), objectBytes.size()),
          objectErrors, objects)) {
    err << dir << "/objects.txt: " << objectErrors.Error() << "\n";
    return 1;
  }
  for (const TSfObjectData& d : objects) {
    std::unique_ptr<TSfSkinObject> obj;
    if (!SfDataToObject(d, objectErrors, obj)) {
      err << dir << "/objects.txt: " << objectErrors.Error() << "\n";
      return 1;
    }
    if (!obj) {
      err << dir << "/objects.txt: object '" << d.Name << "' has the unknown class '" << d.ClassName << "'\n";
      return 1;
    }
    skin.AddObject(std::move(obj));
  }
  if (!tables) {
    // Without tables in skin.txt they are taken from the objects, as for a skin file
    // without stored tables.
    skin.DeriveThemeTables();
  }
  if (!skin.SaveToFile(file)) {
    err << file << ": " << skin.LastError() << "\n";
    return 1;
  }
  out << "packed " << skin.FBitmaps.size() << " bitmaps and " << skin.ObjectCount() << " objects into "
      << file << "\n";
  return 0;
}

bool ParseSize(const std::string& s, std::int32_t& out) {
  if (s.empty() || s.size() > 6) {
    return false;
  }
  std::int32_t v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') {
      return false;
    }
    v = v * 10 + (c - '0');
  }
  out = v;
  return v > 0;
}

void SetTexts(TSfSkinObject& n, const std::wstring& text) {
  const bool textual = n.FKind == skTitle || n.FKind == skItemText || n.FKind == skMenuBarItemText ||
                       n.FKind == skPopupMenuItemText || n.FKind == skPopupMenuItem ||
                       n.FKind == skMenuBarItem || n.FAlign == saText || SfSameText(n.FName, "text") ||
                       SfSameText(n.FName, "title");
  if (textual) {
    n.FNodeText = text;
  }
  for (std::size_t i = 0; i < n.ChildCount(); ++i) {
    SetTexts(*n.Child(i), text);
  }
}

int Render(const std::vector<std::string>& a, std::ostream& out, std::ostream& err) {
  std::int32_t w, h;
  if (!ParseSize(a[3], w) || !ParseSize(a[4], h)) {
    return Usage(err, "render: W and H must be whole numbers from 1");
  }
  if (!TskPixels::ValidSize(w, h) || std::int64_t(w) * h > TSfLimits{}.MaxBitmapPixels) {
    err << "render: " << w << " x " << h << " is larger than a bitmap may be (16384 per side, 64 M pixels)\n";
    return 1;
  }
  int state = 0;
  bool active = true;
  std::string text = a[2];
  std::vector<std::pair<std::string, std::string>> nodeTexts;
  for (std::size_t i = 6; i < a.size(); ++i) {
    if (a[i] == "--state" && i + 1 < a.size()) {
      std::int32_t s;
      if (!ParseSize(a[++i], s) && a[i] != "0") {
        return Usage(err, "render: --state takes a number from 0 to 255");
      }
      state = a[i] == "0" ? 0 : s;
      if (state > 255) {
        return Usage(err, "render: --state takes a number from 0 to 255");
      }
    } else if (a[i] == "--inactive") {
      active = false;
    } else if (a[i] == "--text" && i + 1 < a.size()) {
      text = a[++i];
    } else if (a[i] == "--set" && i + 1 < a.size() && a[i + 1].find('=') != std::string::npos) {
      const std::string& v = a[++i];
      nodeTexts.emplace_back(v.substr(0, v.find('=')), v.substr(v.find('=') + 1));
    } else {
      return Usage(err, "render: unknown option '" + a[i] + "'");
    }
  }
  TSfSkinSource skin;
  if (!Load(a[1], skin, err)) {
    return 1;
  }
  TSfSkinObject* obj = skin.ObjectByName(a[2]);
  if (!obj) {
    err << a[1] << ": no top-level object '" << a[2] << "'; the skin has:";
    for (std::size_t i = 0; i < skin.ObjectCount(); ++i) {
      err << " " << skin.Object(i)->FName;
    }
    err << "\n";
    return 1;
  }
  TskPixels image;
  if (!image.SetSize(w, h)) {
    err << "render: cannot make a " << w << " x " << h << " image\n";
    return 1;
  }
  TSfPixelTextEngine engine;
  SetTexts(*obj, std::wstring(text.begin(), text.end()));
  for (const auto& [node, value] : nodeTexts) {
    TSfSkinObject* target = obj->FindByName(node);
    if (!target) {
      err << a[1] << ": object '" << a[2] << "' has no node '" << node << "'\n";
      return 1;
    }
    target->FNodeText.assign(value.begin(), value.end());
  }
  obj->SetNodeActive(active);
  obj->SetNodeState(std::uint8_t(state));
  obj->SetNodeButtons(0x02AA); // close, minimize, maximize, roll up, tray
  obj->SetNodeBounds({0, 0, w, h}, &engine);
  obj->LayoutChildren(&engine);
  TSfCanvas canvas{image, engine};
  obj->DrawNode(canvas, {});
  std::string why;
  if (!WriteFile(PathOf(a[5]), SfWritePng(image), why)) {
    err << why << "\n";
    return 1;
  }
  out << "rendered " << a[2] << " at " << w << " x " << h << " into " << a[5] << "\n";
  return 0;
}

} // namespace

int SkinToolRun(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    return Usage(err, "no command");
  }
  const std::string& cmd = args[0];
  const std::size_t n = args.size() - 1;
  try {
    if (cmd == "help" || cmd == "--help" || cmd == "-h") {
      out << kHelp;
      return 0;
    }
    if (cmd == "info" && n == 1) {
      return Info(args[1], out, err);
    }
    if (cmd == "check" && n == 1) {
      return Check(args[1], out, err);
    }
    if (cmd == "convert" && n == 2) {
      return Convert(args[1], args[2], out, err);
    }
    if (cmd == "unpack" && n == 2) {
      return Unpack(args[1], args[2], out, err);
    }
    if (cmd == "pack" && n == 2) {
      return Pack(args[1], args[2], out, err);
    }
    if (cmd == "render" && n >= 5) {
      return Render(args, out, err);
    }
  } catch (const std::bad_alloc&) {
    err << "skintool: out of memory\n";
    return 1;
  } catch (const std::exception& e) {
    err << "skintool: " << e.what() << "\n";
    return 1;
  }
  for (const char* known : {"info", "check", "convert", "unpack", "pack", "render"}) {
    if (cmd == known) {
      return Usage(err, cmd + ": wrong number of arguments");
    }
  }
  return Usage(err, "unknown command '" + cmd + "'");
}
