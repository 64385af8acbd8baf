#include "effects/SkEffectRegistry.h"

#include <cctype>

bool SkSameText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

const char* SkCategoryPrefix(TskEffectCategory category) {
  switch (category) {
  case TskEffectCategory::ecMap: return "[ SLIDE ] - ";
  case TskEffectCategory::ecManual: return "[ MANUAL ] - ";
  default: return "[ FADE ] - ";
  }
}

std::string TskProcItem::EffectName() const {
  const std::size_t at = FDisplayName.find("- ");
  return at == std::string::npos ? FDisplayName : FDisplayName.substr(at + 2);
}

void TskProcList::RegisterEffect(const std::string& name, TskEffectCategory category,
                                 const TskEffectDef& def) {
  for (const auto& item : FItems) {
    const TskEffectDef& d = item->Def();
    const bool sameProc = (def.Mask && def.Mask == d.Mask) || (def.Map && def.Map == d.Map) ||
                          (def.Manual && def.Manual == d.Manual);
    if (sameProc || SkSameText(item->EffectName(), name)) {
      throw EProcItemError("Effect procedute " + name + " already exists in list");
    }
  }
  FItems.push_back(std::make_unique<TskProcItem>(category, def, SkCategoryPrefix(category) + name));
}

const TskProcItem* TskProcList::FindEffect(const std::string& name) const {
  for (const auto& item : FItems) {
    if (SkSameText(item->DisplayName(), name)) {
      return item.get();
    }
  }
  for (const auto& item : FItems) {
    if (SkSameText(item->EffectName(), name)) {
      return item.get();
    }
  }
  return nullptr;
}

TskProcList& SkProcList() {
  static TskProcList list = [] {
    TskProcList l;
    for (const TskEffectDef& def : SkEffectTable()) {
      l.RegisterEffect(def.Name, def.Category, def);
    }
    return l;
  }();
  return list;
}

void RegisterEffect(const std::string& name, TskEffectCategory category, const TskEffectDef& def) {
  SkProcList().RegisterEffect(name, category, def);
}

const TskProcItem* FindEffect(const std::string& name) { return SkProcList().FindEffect(name); }

const std::vector<std::string>& EffectNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> n{skRandomEffectName, skBitmapEffectName};
    const TskProcList& list = SkProcList();
    for (std::size_t i = 0; i < list.Count(); ++i) {
      n.push_back(list.Item(i).DisplayName());
    }
    return n;
  }();
  return names;
}
