#pragma once
// TMxDateFormat: the date texts of a meDate field, and the time texts of meTime.
//
// A date has two text forms, both built from a token format (runs of D, M and Y, matched
// without regard to case):
// - the display form, shown while the field does not have the focus;
// - the editing form, in which every day, month and year part has a fixed width (values
//   padded with spaces after them), so that the caret can move from part to part and the
//   parts can be typed into and stepped.
// The reader is lenient: it walks the format, skips one text character per literal and
// takes up to 2 or 4 digits or a name per token. Two-digit years get a century from a
// window. Dates are day counts from 30 December 1899; times are day fractions.
//
// Text positions are 1-based character indexes into the 8-bit text.
#include "maskedit/MxEditPorts.h"
#include "maskedit/MxObject.h"
#include "maskedit/values/MxLocale.h"

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

enum TMxDateFormats { dfShortSystem = 0, dfLongSystem = 1, dfCustom = 2 };

// Raised by ReadDate when a text holds no valid date ("Invalid date format!").
class EMxDateError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

struct [[nodiscard]] TMxDateParts {
  int Year = 1900;
  int Month = 1;
  int Day = 1;
  bool operator==(const TMxDateParts&) const = default;
};

// One part of a text in the editing form. Kind: 1..4 day (digits 1, 2; names 3, 4),
// 11..14 month (likewise), 21..24 year (20 plus the letters of the token; a run of five
// or more letters counts as the widest digit token of its letter).
struct TMxDatePart {
  int Start = 1;  // first position
  int Length = 0; // characters
  int Kind = 0;
};

class TMxDateFormat : public TMxObject {
public:
  using TMxDateFormatEvent = std::function<void(TMxDateFormat* sender)>;

  // Takes the locale values from MxLocaleSource().
  explicit TMxDateFormat(std::int32_t owner = 0);
  // Re-reads the locale values from MxLocaleSource().
  void LoadSystemDefaults();
  void SetLocale(const TMxLocaleValues& values) { Locale = values; }
  const TMxLocaleValues& GetLocale() const { return Locale; }
  // The source of the current year for two-digit years; the system clock when null.
  void SetClock(const IMxClock* clock) { Clock = clock; }
  // Copies Format, YearDelta and FormatStr; fires no event.
  void Assign(const TMxDateFormat& source);

  // --- settings ---------------------------------------------------------------------------
  const std::string& GetFormatStr() const { return FFormatStr; }
  // When changed: FormatStrChanging, the new value, then FormatChanged if Format is dfCustom.
  void SetFormatStr(const std::string& value);
  TMxDateFormats GetFormat() const { return FFormat; }
  // When changed: the new value, then FormatChanged.
  void SetFormat(TMxDateFormats value);
  // The two-digit-year window: a year up to it is in the current century, above it in
  // the previous one. -1 takes the default window (50).
  std::int8_t GetYearDelta() const { return FYearDelta; }
  void SetYearDelta(std::int8_t value) { FYearDelta = value; }
  TMxDateFormatEvent FormatChanged;
  TMxDateFormatEvent FormatStrChanging;

  // The first character of the locale date separator ('/' when the locale gives none).
  char DateSeparator() const;
  // The locale short or long date format, or FormatStr with "/" replaced by the date
  // separator.
  std::string DateFormatString() const;

  // --- texts ------------------------------------------------------------------------------
  std::string FormatDateDisplay(double date) const;
  std::string FormatDateEdit(double date) const;
  // Month and day are written as given (a month outside 1..12 has no name).
  std::string FormatDateEdit(int year, int month, int day) const;
  // Year, month and day as read from text; a part that holds no digits reads as 0.
  TMxDateParts ParseDateParts(std::string_view text) const;
  // The date of text (February days clamped to the month); EMxDateError when none.
  double ReadDate(std::string_view text) const;
  // ReadDate without the exception.
  bool TryReadDate(std::string_view text, double& date) const;

  // --- part geometry on a text in the editing form ------------------------------------------
  // At most 24 parts, in order.
  std::vector<TMxDatePart> Parts(std::string_view text) const;
  // 1-based index of the first part whose range from its start to one past its end holds
  // pos; 0 when pos is more than one past the end of the text; -1 when no part does.
  int PartIndexAt(std::string_view text, int pos) const;
  int PartKindAt(std::string_view text, int pos) const;   // 0 when no part
  int PartStartAt(std::string_view text, int pos) const;  // pos when no part
  int PartLengthAt(std::string_view text, int pos) const; // 0 when no part
  // The start of the following part, or of the same part when it is the last one.
  int NextPartStart(std::string_view text, int pos) const;
  // The start of the preceding part, or 1 for the first part.
  int PrevPartStart(std::string_view text, int pos) const;

private:
  int CurrentYear() const;

  std::string FFormatStr;
  TMxDateFormats FFormat = dfShortSystem;
  std::int8_t FYearDelta = -1;
  TMxLocaleValues Locale;
  const IMxClock* Clock = nullptr;
};

// The local system time as a day count.
const IMxClock& MxSystemClock();

// Days from 30 December 1899 to the given date (proleptic Gregorian calendar).
double MxEncodeDate(int year, int month, int day);
void MxDecodeDate(double date, int& year, int& month, int& day);
bool MxIsValidDate(int year, int month, int day);
// Days of the month (February by the leap rule); 0 for a month outside 1..12.
int MxDaysInMonth(int year, int month);
// 0 = Sunday .. 6 = Saturday.
int MxDayOfWeek(double date);

// The time of day of value (its fraction) in a long time format (h, hh, H, HH, m, mm, s,
// ss, t, tt; ":" stands for the time separator).
std::string MxTimeToText(double value, const TMxLocaleValues& locale);
// Reads hours[sep minutes[sep seconds]] with an optional AM/PM marker; false when the text
// is not a valid time.
bool MxTextToTime(std::string_view text, const TMxLocaleValues& locale, double& value);
