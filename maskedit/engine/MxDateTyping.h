#pragma once
// TMxDateTyping: the keys typed into the parts of a date field so far, and the rules by
// which a typed digit enters a part (day and month digits, month names, years). The field
// (TMxCustomMaskEdit) finds the part under the caret and writes what these rules give.
#include <string>
#include <string_view>

class TMxDateTyping {
public:
  // Keys typed into the current part since the caret last moved to a part.
  int KeysInPart() const { return FKeysInPart; }
  // The caret moved to a part, or the field was entered: the next key starts afresh.
  void Restart() { FKeysInPart = 0; }
  // A key goes into the part numbered index; the first key into another part than the
  // last one starts that part afresh.
  void EnterPart(int index);
  // A digit c typed into a day (day true) or month-number part that holds the digits
  // part (blanks removed): the text that replaces the part.
  std::string DigitKey(std::string_view part, char c, bool day);
  // A digit c typed into a month-name part: the number of the month the keys typed so far
  // give (1..12), or 0 while they give none yet (a first 0, or 1 then 3..9).
  int MonthNameKey(char c);
  // A digit typed into a year part that holds the digits part (blanks removed): true when
  // the part held four digits already and starts again with this key.
  bool YearKey(std::string_view part);

private:
  int FKeysInPart = 0;
  int FKeysPart = 0;   // the number of the part the keys went into
  int FTypedMonth = 0; // the month number typed so far into a month-name part
};
