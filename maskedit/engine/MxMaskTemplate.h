#pragma once
// TMxMaskTemplate: the character mask of the meMask type, parsed once per change.
//
// A mask describes one text position at a time: an optional "!" (required), then either
// "\" and a literal character, or one rule character:
//   a lower-case letter   A upper-case letter   b any letter     0 digit 0-9
//   9 digit 1-9           c letter or digit     r the user rule  v "+" or "-"
//   1 "0" or "1"          8 space or digit      # "+", "-" or digit
//   * "+", "-" or digit 1-9
// Any other character takes the rule of the position before it (nothing at the first).
// A "!" in front of a literal is cancelled by the "\". Positions are 1-based.
#include "maskedit/MxEditPorts.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TMxMaskTemplate {
public:
  // Decides the "r" rule: (ok, c, at); ok is false on entry.
  using TUserRule = std::function<void(bool& ok, char c, int at)>;

  TMxMaskTemplate() = default;
  explicit TMxMaskTemplate(std::string_view mask) { Parse(mask); }
  void Parse(std::string_view mask);

  int Length() const { return static_cast<int>(Positions.size()); }
  // One character per position: the literal of a "\" position, blank for the others.
  std::string EmptyMaskText(char blank) const;
  // The rule character of position p ('\0' beyond the template or for a position with no
  // rule); a literal position answers '\\'.
  char MaskRuleAt(int p) const;
  // The character describing position p once "!" and "\" are passed (its literal for a
  // literal position); a space beyond the template.
  char MaskLiteralAt(int p) const;
  bool IsLiteralAt(int p) const;
  bool IsRequiredAt(int p) const;
  // What position p shows when empty: its literal, or blank.
  char TemplateCharAt(int p, char blank) const;

  bool CharMatchesMask(int p, char c, const IMxCharClass& chars, const TUserRule& userRule) const;
  bool CharAllowedAt(int p, char c, char blank, const IMxCharClass& chars, const TUserRule& userRule) const;
  // False when t is longer than the template; else every character is allowed where it is.
  bool TextMatchesMask(std::string_view t, char blank, const IMxCharClass& chars,
                       const TUserRule& userRule) const;
  // First position of t that is required and not matched (blank does not count); 0 if none.
  int FirstMissingRequired(std::string_view t, const IMxCharClass& chars, const TUserRule& userRule) const;

private:
  struct TPosition {
    bool Required = false;
    bool Literal = false; // a "\" position
    char Shown = ' ';     // the character describing the position
    char Rule = '\0';     // effective rule: a rule character, '\\' for "exactly Match", or '\0'
    char Match = '\0';    // the literal a '\\' rule needs
  };
  std::vector<TPosition> Positions;
};
