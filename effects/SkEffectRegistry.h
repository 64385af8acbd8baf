#pragma once
// The process-wide registry of transition effects (TskProcList of TskProcItem) with its lookup
// and the vocabulary offered to designers (EffectNames).
#include "effects/SkEffects.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// Raised by a refused registration.
class EProcItemError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// One registered effect: its category, its procedure and its display name (the category
// prefix followed by the effect name).
class TskProcItem {
public:
  TskProcItem(TskEffectCategory category, const TskEffectDef& def, std::string displayName)
      : FCategory(category), FDef(def), FDisplayName(std::move(displayName)) {}
  TskEffectCategory Category() const { return FCategory; }
  const TskEffectDef& Def() const { return FDef; }
  const std::string& DisplayName() const { return FDisplayName; }
  // The display name without everything up to and including "- ".
  std::string EffectName() const;
  bool HasProcedure() const { return FDef.Mask || FDef.Map || FDef.Manual; }

private:
  TskEffectCategory FCategory;
  TskEffectDef FDef;
  std::string FDisplayName;
};

// "[ FADE ] - ", "[ SLIDE ] - " or "[ MANUAL ] - ".
const char* SkCategoryPrefix(TskEffectCategory category);

class TskProcList {
public:
  // Appends an effect. A name already registered (without regard to case) or a procedure
  // already registered raises EProcItemError("Effect procedute <name> already exists in list").
  void RegisterEffect(const std::string& name, TskEffectCategory category, const TskEffectDef& def);
  // The first item whose display name, else whose effect name, equals `name` without regard
  // to case; nullptr when none does.
  const TskProcItem* FindEffect(const std::string& name) const;
  std::size_t Count() const { return FItems.size(); }
  const TskProcItem& Item(std::size_t i) const { return *FItems[i]; }
  void Clear() { FItems.clear(); }

private:
  std::vector<std::unique_ptr<TskProcItem>> FItems;
};

// The registry with the 58 effects, filled on first use.
TskProcList& SkProcList();
// Adds an effect to the process-wide registry (raises EProcItemError as TskProcList does).
void RegisterEffect(const std::string& name, TskEffectCategory category, const TskEffectDef& def);
const TskProcItem* FindEffect(const std::string& name);
// "[ RANDOM ] - Random selection", "[ BITMAP ] - Bitmap Animation", then every display name
// in registration order.
const std::vector<std::string>& EffectNames();

bool SkSameText(const std::string& a, const std::string& b);
