// Skin objects: the class registry and the stored records (binary and text object records,
// the children blob).
#include "skins/SfSkinObject.h"

#include "skins/SfPropertyVisitors.h"

#include <algorithm>

using namespace sf_visitors;

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
