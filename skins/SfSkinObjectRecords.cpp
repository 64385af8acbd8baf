// Skin objects: the property visitors that write and read the stored properties, copying an
// object through them, the class registry and the stored records (binary and text object
// records, the children blob).
#include "skins/SfSkinObjectRecords.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

// ---- property visitors ----

namespace {

constexpr const char* kStyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

std::int32_t ClampCoordinate(std::int64_t v) {
  return std::int32_t(std::clamp<std::int64_t>(v, -kSfMaxCoordinate, kSfMaxCoordinate));
}

// Collects the stored properties as name/value pairs (dotted names for fonts and references).
class TWriteVisitor : public ISfPropertyVisitor {
public:
  std::vector<TSfProperty> Props;

  void Add(std::string name, TSfValue v) { Props.push_back({std::move(name), std::move(v)}); }
  static TSfValue IntValue(std::int64_t i) {
    TSfValue v;
    v.Int = i;
    return v;
  }
  static TSfValue IdentValue(std::string s) {
    TSfValue v;
    v.Kind = TSfValueKind::vkIdent;
    v.Str = std::move(s);
    return v;
  }
  void Enum(const char* name, std::uint8_t& value, std::span<const char* const> names) override {
    Add(name, value < names.size() ? IdentValue(names[value]) : IntValue(value));
  }
  void Int(const char* name, std::int32_t& value) override { Add(name, IntValue(value)); }
  void Bool(const char* name, bool& value) override {
    TSfValue v;
    v.Kind = TSfValueKind::vkBool;
    v.Bool = value;
    Add(name, v);
  }
  void Color(const char* name, TColor& value) override {
    const std::string id = SfColorToIdent(value);
    Add(name, id.empty() ? IntValue(std::int32_t(value)) : IdentValue(id));
  }
  void Str(const char* name, std::string& value) override {
    TSfValue v;
    v.Kind = TSfValueKind::vkString;
    v.Str = value;
    Add(name, v);
  }
  void Font(const char* name, TSfFont& f) override {
    const std::string n = name;
    Add(n + ".Charset", f.Charset == 1 ? IdentValue("DEFAULT_CHARSET") : IntValue(f.Charset));
    Color((n + ".Color").c_str(), f.Color);
    Add(n + ".Height", IntValue(f.Height));
    Str((n + ".Name").c_str(), f.Name);
    TSfValue set;
    set.Kind = TSfValueKind::vkSet;
    for (int i = 0; i < 4; ++i) {
      if (f.Style & (1 << i)) {
        set.Items.push_back(kStyleNames[i]);
      }
    }
    Add(n + ".Style", set);
  }
  void Bitmap(const char* name, TSfBitmapRef& b) override {
    const std::string n = name;
    Str((n + ".Name").c_str(), b.Name);
    Add(n + ".Left", IntValue(b.Rect.Left));
    Add(n + ".Top", IntValue(b.Rect.Top));
    Add(n + ".Right", IntValue(b.Rect.Right));
    Add(n + ".Bottom", IntValue(b.Rect.Bottom));
  }
};

// Sets fields from stored data. A value of the wrong type or an unknown enumerator leaves the
// field as it is; geometry is clamped so that layout sums cannot overflow.
class TReadVisitor : public ISfPropertyVisitor {
public:
  explicit TReadVisitor(const TSfObjectData& d) : D(d) {}

  bool GetInt(const std::string& name, std::int32_t& out) {
    const TSfValue* v = D.Find(name);
    if (!v || v->Kind != TSfValueKind::vkInt) {
      return false;
    }
    out = ClampCoordinate(v->Int);
    return true;
  }
  void Enum(const char* name, std::uint8_t& value, std::span<const char* const> names) override {
    const TSfValue* v = D.Find(name);
    if (!v || v->Kind != TSfValueKind::vkIdent) {
      return;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (SfSameText(names[i], v->Str)) {
        value = std::uint8_t(i);
        return;
      }
    }
  }
  void Int(const char* name, std::int32_t& value) override { GetInt(name, value); }
  void Bool(const char* name, bool& value) override {
    const TSfValue* v = D.Find(name);
    if (v && v->Kind == TSfValueKind::vkBool) {
      value = v->Bool;
    }
  }
  void Color(const char* name, TColor& value) override {
    const TSfValue* v = D.Find(name);
    if (!v) {
      return;
    }
    if (v->Kind == TSfValueKind::vkInt) {
      value = TColor(std::uint32_t(v->Int));
    } else if (v->Kind == TSfValueKind::vkIdent) {
      SfColorFromIdent(v->Str, value);
    }
  }
  void Str(const char* name, std::string& value) override {
    const TSfValue* v = D.Find(name);
    if (v && v->Kind == TSfValueKind::vkString) {
      value = v->Str;
    }
  }
  void Font(const char* name, TSfFont& f) override {
    const std::string n = name;
    if (const TSfValue* v = D.Find(n + ".Charset")) {
      if (v->Kind == TSfValueKind::vkInt) {
        f.Charset = std::uint8_t(v->Int);
      } else if (v->Kind == TSfValueKind::vkIdent) {
        f.Charset = SfSameText(v->Str, "ANSI_CHARSET") ? 0 : 1;
      }
    }
    Color((n + ".Color").c_str(), f.Color);
    std::int32_t h;
    if (GetInt(n + ".Height", h)) {
      f.Height = std::clamp(h, -1000, 1000);
    }
    Str((n + ".Name").c_str(), f.Name);
    if (const TSfValue* v = D.Find(n + ".Style"); v && v->Kind == TSfValueKind::vkSet) {
      f.Style = 0;
      for (const std::string& item : v->Items) {
        for (int i = 0; i < 4; ++i) {
          if (SfSameText(item, kStyleNames[i])) {
            f.Style |= std::uint8_t(1 << i);
          }
        }
      }
    }
  }
  void Bitmap(const char* name, TSfBitmapRef& b) override {
    const std::string n = name;
    Str((n + ".Name").c_str(), b.Name);
    GetInt(n + ".Left", b.Rect.Left);
    GetInt(n + ".Top", b.Rect.Top);
    GetInt(n + ".Right", b.Rect.Right);
    GetInt(n + ".Bottom", b.Rect.Bottom);
    b.Bitmap = nullptr;
  }

private:
  const TSfObjectData& D;
};

} // namespace

std::unique_ptr<TSfSkinObject> TSfSkinObject::Clone(const TSfBitmapList& bitmaps) const {
  std::unique_ptr<TSfSkinObject> copy = NewInstance();
  TWriteVisitor w;
  const_cast<TSfSkinObject*>(this)->VisitProperties(w);
  TSfObjectData d;
  d.Props = std::move(w.Props);
  TReadVisitor r(d);
  copy->VisitProperties(r);
  copy->FName = FName;
  for (const auto& c : FChildren) {
    copy->AddChild(c->Clone(bitmaps));
  }
  copy->AfterLoad(bitmaps);
  return copy;
}

// ---- registry ----

namespace {

struct TClassEntry {
  const char* Name;
  TSfSkinObjectFactory Make;
};

template <typename T>
std::unique_ptr<TSfSkinObject> Make() {
  return std::make_unique<T>();
}

constexpr TClassEntry kClasses[] = {
    {"TSfSkinObject", Make<TSfSkinObject>},
    {"TSfActiveObject", Make<TSfActiveObject>},
    {"TSfBitmapObject", Make<TSfBitmapObject>},
    {"TSfActiveBitmap", Make<TSfActiveBitmap>},
    {"TSfSystemButton", Make<TSfSystemButton>},
    {"TSfButtonObject", Make<TSfButtonObject>},
    {"TSfTextObject", Make<TSfTextObject>},
    {"TSfLinkSkinObject", Make<TSfLinkSkinObject>},
    {"TSfBitmapSkinObject", Make<TSfBitmapSkinObject>},
    {"TSfFormBitmapSkinObject", Make<TSfFormBitmapSkinObject>},
    {"TSfSysButtonSkinObject", Make<TSfSysButtonSkinObject>},
    {"TSfActiveSkinObject", Make<TSfActiveSkinObject>},
    {"TSfColorButtonObject", Make<TSfColorButtonObject>},
    {"TSfBitmapBoxObject", Make<TSfBitmapBoxObject>},
    {"TSfActiveBitmapBoxObject", Make<TSfActiveBitmapBoxObject>},
    {"TSfButtonBitmapBoxObject", Make<TSfButtonBitmapBoxObject>},
    {"TSfRollPanelObject", Make<TSfRollPanelObject>},
};

constexpr auto kClassNames = [] {
  std::array<const char*, std::size(kClasses)> names{};
  for (std::size_t i = 0; i < names.size(); ++i) {
    names[i] = kClasses[i].Name;
  }
  return names;
}();

} // namespace

std::span<const char* const> SfSkinObjectClassNames() { return kClassNames; }

std::unique_ptr<TSfSkinObject> FindSkinObjectClass(std::string_view name) {
  for (const TClassEntry& c : kClasses) {
    if (name == c.Name) {
      return c.Make();
    }
  }
  return nullptr;
}

std::unique_ptr<TSfSkinObject> SfCreateSkinObject(std::string_view name) {
  if (auto obj = FindSkinObjectClass(name)) {
    return obj;
  }
  // Older files spell the class prefix differently in its second and third characters.
  if (name.size() > 3) {
    std::string retry(name);
    retry[1] = 'S';
    retry[2] = 'f';
    return FindSkinObjectClass(retry);
  }
  return nullptr;
}

// ---- stored records ----

namespace {

// The stored "Objects" value: a count word with bits 16-19 set and the children as binary
// records.
bool ChildrenToBinary(const TSfSkinObject& obj, std::vector<std::uint8_t>& out, std::string& why) {
  if (obj.ChildCount() > kSfMaxObjectCount) {
    why = "object '" + obj.FName + "' has more than " + std::to_string(kSfMaxObjectCount) + " children";
    return false;
  }
  TSfWriter w;
  w.U32(std::uint32_t(obj.ChildCount()) | 0x000F0000u);
  for (std::size_t i = 0; i < obj.ChildCount(); ++i) {
    if (!SfWriteObjectRecord(w, *obj.Child(i), true, why)) {
      return false;
    }
  }
  out = std::move(w.Data());
  return true;
}

bool ReadChildren(std::span<const std::uint8_t> blob, TSfReader& parent, TSfSkinObject& owner) {
  TSfReader in = parent.Derived(blob);
  std::uint32_t c;
  if (!in.U32(c)) {
    return in.Fail("'Objects' of '" + owner.FName + "' is too short");
  }
  const bool binary = (c & 0x000F0000u) == 0x000F0000u;
  const std::uint32_t count = binary ? (c & 0xFFF0FFFFu) : c;
  // Counts are not trusted: records are read until the count or the end of the data.
  for (std::uint32_t i = 0; i < count; ++i) {
    if (in.AtEnd()) {
      return in.Fail("'Objects' of '" + owner.FName + "' holds fewer children than its count");
    }
    std::unique_ptr<TSfSkinObject> child;
    if (!SfReadObjectRecord(in, binary, child)) {
      return false;
    }
    if (child) {
      owner.AddChild(std::move(child));
    }
  }
  if (!in.AtEnd()) {
    return in.Fail("'Objects' of '" + owner.FName + "' has data after its children");
  }
  return true;
}

} // namespace

bool SfObjectToData(const TSfSkinObject& obj, bool nested, TSfObjectData& out, std::string& why) {
  if (!SfIsObjectName(obj.FName)) {
    why =
        "object name '" + obj.FName + "' is not a name of at most 255 letters, digits, underscores and dots";
    return false;
  }
  if (obj.TreeDepth() > TSfLimits{}.MaxTreeDepth) {
    why = "object '" + obj.FName + "' is nested deeper than " + std::to_string(TSfLimits{}.MaxTreeDepth) +
          " levels";
    return false;
  }
  TWriteVisitor mine, fresh;
  const_cast<TSfSkinObject&>(obj).VisitProperties(mine);
  obj.NewInstance()->VisitProperties(fresh);
  TSfObjectData d;
  d.ClassName = obj.ClassName();
  d.Name = obj.FName;
  for (std::size_t i = 0; i < mine.Props.size(); ++i) {
    if (i >= fresh.Props.size() || !(mine.Props[i] == fresh.Props[i])) {
      if (mine.Props[i].Value.Kind == TSfValueKind::vkString &&
          mine.Props[i].Value.Str.size() > TSfLimits{}.MaxRecordBytes) {
        why = "a text of object '" + obj.FName + "' is over the size limit";
        return false;
      }
      d.Props.push_back(mine.Props[i]);
    }
  }
  if (nested) {
    if (obj.ChildCount() > kSfMaxObjectCount) {
      why = "object '" + obj.FName + "' has too many children";
      return false;
    }
    for (std::size_t i = 0; i < obj.ChildCount(); ++i) {
      TSfObjectData c;
      if (!SfObjectToData(*obj.Child(i), true, c, why)) {
        return false;
      }
      d.Children.push_back(std::move(c));
    }
  } else {
    TSfProperty objects;
    objects.Name = "Objects";
    objects.Value.Kind = TSfValueKind::vkBinary;
    if (!ChildrenToBinary(obj, objects.Value.Bin, why)) {
      return false;
    }
    d.Props.push_back(std::move(objects));
  }
  out = std::move(d);
  return true;
}

bool SfDataToObject(const TSfObjectData& data, TSfReader& in, std::unique_ptr<TSfSkinObject>& out) {
  std::unique_ptr<TSfSkinObject> obj = SfCreateSkinObject(data.ClassName);
  if (!obj) {
    out.reset();
    return true;
  }
  obj->FName = data.Name;
  TReadVisitor r(data);
  obj->VisitProperties(r);
  if (const TSfValue* children = data.Find("Objects")) {
    if (children->Kind != TSfValueKind::vkBinary) {
      return in.Fail("'Objects' of '" + data.Name + "' is not binary data");
    }
    if (!ReadChildren(children->Binary(), in, *obj)) {
      return false;
    }
  }
  for (const TSfObjectData& c : data.Children) {
    if (!in.EnterNode()) {
      return false;
    }
    std::unique_ptr<TSfSkinObject> child;
    const bool ok = SfDataToObject(c, in, child);
    in.LeaveNode();
    if (!ok) {
      return false;
    }
    if (child) {
      obj->AddChild(std::move(child));
    }
  }
  obj->SetFontCharset(1);
  out = std::move(obj);
  return true;
}

bool SfReadObjectRecord(TSfReader& in, bool binary, std::unique_ptr<TSfSkinObject>& out) {
  out.reset();
  std::string className;
  if (!in.String(className, "class name")) {
    return false;
  }
  if (!in.EnterNode()) {
    return false;
  }
  TSfObjectData data;
  bool ok;
  if (binary) {
    std::uint32_t size;
    TSfReader record = in.Derived({});
    ok = in.U32(size) && in.Sub(size, record, "object record");
    if (ok && FindSkinObjectClass(className) == nullptr && SfCreateSkinObject(className) == nullptr) {
      in.LeaveNode();
      return true; // an unregistered class: the record is skipped whole
    }
    ok = ok && SfReadBinaryObject(record, data);
    if (ok && !record.AtEnd()) {
      ok = in.Fail("object record of '" + data.Name + "' has data after its end");
    }
  } else {
    std::string text;
    ok = in.String(text, "object text");
    if (ok && SfCreateSkinObject(className) == nullptr) {
      in.LeaveNode();
      return true;
    }
    ok = ok && SfTextToObject(text, in, data);
  }
  data.ClassName = className;
  ok = ok && SfDataToObject(data, in, out);
  in.LeaveNode();
  return ok;
}

bool SfWriteObjectRecord(TSfWriter& out, const TSfSkinObject& obj, bool binary, std::string& why) {
  TSfObjectData d;
  if (!SfObjectToData(obj, false, d, why)) {
    return false;
  }
  out.String(d.ClassName);
  if (binary) {
    TSfWriter body;
    if (!SfWriteBinaryObject(body, d)) {
      why = "object '" + obj.FName + "' cannot be written in the binary form";
      return false;
    }
    if (body.Size() > TSfLimits{}.MaxRecordBytes) {
      why = "object '" + obj.FName + "' is over the record size limit";
      return false;
    }
    out.U32(std::uint32_t(body.Size()));
    out.Bytes(body.Data());
  } else {
    const std::string text = SfObjectToText(d, false);
    if (text.size() > TSfLimits{}.MaxRecordBytes) {
      why = "object '" + obj.FName + "' is over the record size limit";
      return false;
    }
    out.String(text);
  }
  return true;
}
