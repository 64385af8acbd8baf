#pragma once
// TMxDateFormat: the date form of a meDate field, and the time texts of meTime.
//
// This form reads and writes the locale's short date (tokens d, dd, M, MM, yy, yyyy; other
// characters are copied, "/" stands for the date separator, text in single quotes is
// copied as it is). Dates are day counts from 30 December 1899; times are day fractions.
#include "maskedit/MxLocale.h"
#include "maskedit/MxObject.h"

#include <string>
#include <string_view>

class TMxDateFormat : public TMxObject {
public:
  // Takes the short date format and separator from MxLocaleSource().
  explicit TMxDateFormat(std::int32_t owner = 0);
  void LoadSystemDefaults();
  void Assign(const TMxDateFormat& source);

  // The date (integral part of date) in the short date form.
  std::string DateToText(double date) const;
  // Reads day, month and year in the order of the form; false when the text holds no
  // valid date.
  bool TextToDate(std::string_view text, double& date) const;

  const std::string& GetShortDateFormat() const { return ShortDateFormat; }
  void SetShortDateFormat(const std::string& value);
  char GetDateSeparator() const { return DateSeparator; }
  void SetDateSeparator(char value);

private:
  std::string ShortDateFormat = "M/d/yyyy";
  char DateSeparator = '/';
};

// Days from 30 December 1899 to the given date (proleptic Gregorian calendar).
double MxEncodeDate(int year, int month, int day);
void MxDecodeDate(double date, int& year, int& month, int& day);
bool MxIsValidDate(int year, int month, int day);

// The time of day of value (its fraction) in a long time format (h, hh, H, HH, m, mm, s,
// ss, t, tt; ":" stands for the time separator).
std::string MxTimeToText(double value, const TMxLocaleValues& locale);
// Reads hours[sep minutes[sep seconds]] with an optional AM/PM marker; false when the text
// is not a valid time.
bool MxTextToTime(std::string_view text, const TMxLocaleValues& locale, double& value);
