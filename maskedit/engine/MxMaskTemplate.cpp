#include "maskedit/engine/MxMaskTemplate.h"

#include "maskedit/MxStr.h"

namespace {
bool IsRuleChar(char c) {
  switch (c) {
  case 'a':
  case 'A':
  case 'b':
  case '0':
  case '9':
  case 'c':
  case 'r':
  case 'v':
  case '1':
  case '8':
  case '#':
  case '*': return true;
  default: return false;
  }
}
} // namespace

void TMxMaskTemplate::Parse(std::string_view mask) {
  Positions.clear();
  size_t i = 0;
  while (i < mask.size()) {
    TPosition pos;
    if (mask[i] == '!') {
      pos.Required = true;
      if (++i >= mask.size()) {
        break;
      }
    }
    if (mask[i] == '\\' && i + 1 < mask.size()) {
      pos.Required = false;
      pos.Literal = true;
      pos.Shown = mask[i + 1];
      pos.Rule = '\\';
      pos.Match = mask[i + 1];
      i += 2;
    } else {
      pos.Shown = mask[i];
      if (IsRuleChar(mask[i])) {
        pos.Rule = mask[i];
      } else if (!Positions.empty()) {
        pos.Rule = Positions.back().Rule;
        pos.Match = Positions.back().Match;
      }
      ++i;
    }
    Positions.push_back(pos);
  }
}

std::string TMxMaskTemplate::EmptyMaskText(char blank) const {
  std::string s;
  s.reserve(Positions.size());
  for (const TPosition& p : Positions) {
    s += p.Literal ? p.Shown : blank;
  }
  return s;
}

char TMxMaskTemplate::MaskRuleAt(int p) const {
  return p >= 1 && p <= Length() ? Positions[static_cast<size_t>(p - 1)].Rule : '\0';
}
char TMxMaskTemplate::MaskLiteralAt(int p) const {
  return p >= 1 && p <= Length() ? Positions[static_cast<size_t>(p - 1)].Shown : ' ';
}
bool TMxMaskTemplate::IsLiteralAt(int p) const {
  return p >= 1 && p <= Length() && Positions[static_cast<size_t>(p - 1)].Literal;
}
bool TMxMaskTemplate::IsRequiredAt(int p) const {
  return p >= 1 && p <= Length() && Positions[static_cast<size_t>(p - 1)].Required;
}
char TMxMaskTemplate::TemplateCharAt(int p, char blank) const {
  return IsLiteralAt(p) ? MaskLiteralAt(p) : blank;
}

bool TMxMaskTemplate::CharMatchesMask(int p, char c, const IMxCharClass& chars,
                                      const TUserRule& userRule) const {
  if (p < 1 || p > Length()) {
    return false;
  }
  const TPosition& pos = Positions[static_cast<size_t>(p - 1)];
  switch (pos.Rule) {
  case '\\': return c == pos.Match;
  case 'a': return chars.IsAlpha(c) && chars.IsLower(c);
  case 'A': return chars.IsAlpha(c) && chars.IsUpper(c);
  case 'b': return chars.IsAlpha(c);
  case '0': return MxIsDigit(c);
  case '9': return c >= '1' && c <= '9';
  case 'c': return chars.IsAlphaNumeric(c);
  case 'r': {
    bool ok = false;
    if (userRule) {
      userRule(ok, c, p);
    }
    return ok;
  }
  case 'v': return c == '+' || c == '-';
  case '1': return c == '0' || c == '1';
  case '8': return c == ' ' || MxIsDigit(c);
  case '#': return c == '+' || c == '-' || MxIsDigit(c);
  case '*': return c == '+' || c == '-' || (c >= '1' && c <= '9');
  default: return false;
  }
}

bool TMxMaskTemplate::CharAllowedAt(int p, char c, char blank, const IMxCharClass& chars,
                                    const TUserRule& userRule) const {
  return c == blank || CharMatchesMask(p, c, chars, userRule);
}

bool TMxMaskTemplate::TextMatchesMask(std::string_view t, char blank, const IMxCharClass& chars,
                                      const TUserRule& userRule) const {
  if (t.size() > Positions.size()) {
    return false;
  }
  for (size_t i = 0; i < t.size(); ++i) {
    if (!CharAllowedAt(static_cast<int>(i) + 1, t[i], blank, chars, userRule)) {
      return false;
    }
  }
  return true;
}

int TMxMaskTemplate::FirstMissingRequired(std::string_view t, const IMxCharClass& chars,
                                          const TUserRule& userRule) const {
  for (size_t i = 0; i < t.size() && i < Positions.size(); ++i) {
    const int p = static_cast<int>(i) + 1;
    if (Positions[i].Required && !CharMatchesMask(p, t[i], chars, userRule)) {
      return p;
    }
  }
  return 0;
}
