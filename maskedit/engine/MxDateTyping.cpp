#include "maskedit/engine/MxDateTyping.h"

void TMxDateTyping::EnterPart(int index) {
  if (index != FKeysPart) {
    FKeysPart = index;
    FKeysInPart = 0;
  }
}

std::string TMxDateTyping::DigitKey(std::string_view part, char c, bool day) {
  ++FKeysInPart;
  // A day's tens digit takes a ones digit when the two can still make a day (up to 31).
  const auto onesDigit = [c](char tens) {
    return (tens >= '0' && tens <= '2') || (tens == '3' && (c == '0' || c == '1'));
  };
  const bool keyLow = c >= '0' && c <= '2';
  if (part.size() == 1 && (day ? onesDigit(part[0]) : (part[0] == '0' || (part[0] == '1' && keyLow)))) {
    return std::string(part) + c;
  }
  if (part.size() == 2 &&
      (day ? onesDigit(part[1]) : (part[0] == '0' && (part[1] == '0' || part[1] == '1') && keyLow))) {
    return std::string{part[1], c};
  }
  return std::string{c, ' '};
}

int TMxDateTyping::MonthNameKey(char c) {
  FKeysInPart = FKeysInPart >= 2 ? 1 : FKeysInPart + 1;
  const int digit = c - '0';
  FTypedMonth = FKeysInPart == 1 ? digit : (FTypedMonth == 1 ? 10 + digit : digit);
  return FTypedMonth >= 1 && FTypedMonth <= 12 ? FTypedMonth : 0;
}

bool TMxDateTyping::YearKey(std::string_view part) {
  if (part.size() > 3) {
    FKeysInPart = 1;
    return true;
  }
  ++FKeysInPart;
  return false;
}
