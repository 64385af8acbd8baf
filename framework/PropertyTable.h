#pragma once
// TPropertyTable<T>: how a component of class T reads its stored layout properties. One row
// per property name holds the reader that checks the stored value and applies it; the
// common kinds (integer in a range, boolean, string, enumerator, set, event handler) have
// ready-made readers that give the usual messages. A class keeps its table as a static
// inside its ReadProperty and hands names the table does not know to its base class:
//
//   TPropertyResult TTimer::ReadProperty(const std::string& name, const TLayoutValue& value) {
//     using P = TPropertyTable<TTimer>;
//     static const P kTable{{"Interval", P::Int(0, 0x7FFFFFFF, [](TTimer& t, int v) { ... })}};
//     if (auto r = kTable.Read(*this, name, value)) return *r;
//     return TComponent::ReadProperty(name, value);
//   }
//
// Rows are written inside a member of T, so their readers may set T's own fields.
#include "framework/Component.h"

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

template <class T>
class TPropertyTable {
public:
  using TReader = std::function<TPropertyResult(T& target, const TLayoutValue& value)>;
  struct TRow {
    std::string_view Name;
    TReader Read;
  };

  TPropertyTable(std::initializer_list<TRow> rows) : FRows(rows) {}

  // The result of the row named name, or nullopt when the table has no such row.
  [[nodiscard]] std::optional<TPropertyResult> Read(T& target, std::string_view name,
                                                    const TLayoutValue& value) const {
    for (const TRow& row : FRows) {
      if (row.Name == name) {
        return row.Read(target, value);
      }
    }
    return std::nullopt;
  }

  // An integer from min to max; what is the message for anything else (default: "a
  // number from min to max").
  static TReader Int(int min, int max, std::function<void(T&, int)> apply, std::string what = {}) {
    if (what.empty()) {
      what = "a number from " + std::to_string(min) + " to " + std::to_string(max);
    }
    return [=](T& target, const TLayoutValue& value) {
      const std::optional<int> v = LayoutInt(value, min, max);
      if (!v) {
        return TPropertyResult::Bad(what);
      }
      apply(target, *v);
      return TPropertyResult::Ok();
    };
  }

  // true or false.
  static TReader Bool(std::function<void(T&, bool)> apply) {
    return [=](T& target, const TLayoutValue& value) {
      const std::optional<bool> v = LayoutBool(value);
      if (!v) {
        return TPropertyResult::Bad("true or false");
      }
      apply(target, *v);
      return TPropertyResult::Ok();
    };
  }

  // A string.
  static TReader String(std::function<void(T&, const std::string&)> apply) {
    return [=](T& target, const TLayoutValue& value) {
      const std::optional<std::string> v = LayoutString(value);
      if (!v) {
        return TPropertyResult::Bad("a string");
      }
      apply(target, *v);
      return TPropertyResult::Ok();
    };
  }

  // One of the named enumerators; what is the message for anything else (default: "one
  // of " and the names).
  template <class E>
  static TReader Enum(std::vector<std::pair<std::string, E>> names, std::function<void(T&, E)> apply,
                      std::string what = {}) {
    if (what.empty()) {
      for (const auto& entry : names) {
        what += (what.empty() ? "one of " : ", ") + entry.first;
      }
    }
    return [=](T& target, const TLayoutValue& value) {
      if (value.Kind == TLayoutValue::TKind::Identifier) {
        for (const auto& [text, e] : names) {
          if (value.Text == text) {
            apply(target, e);
            return TPropertyResult::Ok();
          }
        }
      }
      return TPropertyResult::Bad(what);
    };
  }

  // A set of named bits, applied as their union. notASet is the message for a value that
  // is no set, badItem gives the message for an unknown name.
  static TReader Set(std::vector<std::pair<std::string, unsigned>> items,
                     std::function<void(T&, unsigned)> apply, std::string notASet,
                     std::function<std::string(const std::string& item)> badItem) {
    return [=](T& target, const TLayoutValue& value) {
      if (value.Kind != TLayoutValue::TKind::Set) {
        return TPropertyResult::Bad(notASet);
      }
      unsigned bits = 0;
      for (const std::string& item : value.Items) {
        bool known = false;
        for (const auto& [text, bit] : items) {
          if (item == text) {
            bits |= bit;
            known = true;
            break;
          }
        }
        if (!known) {
          return TPropertyResult::Bad(badItem(item));
        }
      }
      apply(target, bits);
      return TPropertyResult::Ok();
    };
  }

  // The name of an event handler of the layout's root (the form); field gives the event
  // the handler is stored in.
  static TReader Event(std::function<TNotifyEvent&(T&)> field) {
    return [=](T& target, const TLayoutValue& value) {
      if (value.Kind != TLayoutValue::TKind::Identifier) {
        return TPropertyResult::Bad("a handler name");
      }
      TNotifyEvent handler = static_cast<const TComponent&>(target).Root()->FindMethod(value.Text);
      if (!handler) {
        return TPropertyResult::Bad("there is no handler named " + value.Text);
      }
      field(target) = std::move(handler);
      return TPropertyResult::Ok();
    };
  }

private:
  std::vector<TRow> FRows;
};
