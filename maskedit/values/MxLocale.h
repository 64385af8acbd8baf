#pragma once
// The locale values that number, currency and date texts follow.
//
// TMxLocaleValues holds the raw strings as the platform reports them; interpreting them
// (defaults, ranges, "up to the first ';'") is the job of the settings objects, so that
// those rules are platform-free and testable. A TMxLocaleSource produces the values:
// on Windows the thread-locale reader (maskedit/win32/MxLocaleWin32.h), in tests a fixed
// set of values.
#include <array>
#include <string>

struct TMxLocaleValues {
  std::string CurrencySymbol;            // LOCALE_SCURRENCY, e.g. "Rp"
  std::string NegativeCurrencyCode;      // LOCALE_INEGCURR, e.g. "1"
  std::string PositiveCurrencyCode;      // LOCALE_ICURRENCY, e.g. "0"
  std::string MonetaryGrouping;          // LOCALE_SMONGROUPING, e.g. "3;0"
  std::string CurrencyDigits;            // LOCALE_ICURRDIGITS, e.g. "2"
  std::string DecimalSeparator;          // LOCALE_SDECIMAL, e.g. ","
  std::string ThousandSeparator;         // LOCALE_STHOUSAND, e.g. "."
  std::string MonetaryThousandSeparator; // LOCALE_SMONTHOUSANDSEP, e.g. "."
  std::string ShortDateFormat{};         // LOCALE_SSHORTDATE, e.g. "d/M/yyyy"
  std::string DateSeparator{};           // LOCALE_SDATE, e.g. "/"
  std::string LongTimeFormat{};          // LOCALE_STIMEFORMAT, e.g. "HH.mm.ss"
  std::string TimeSeparator{};           // LOCALE_STIME, e.g. "."
  std::string TimeAM{};                  // LOCALE_S1159, e.g. "AM"
  std::string TimePM{};                  // LOCALE_S2359, e.g. "PM"
  std::string LongDateFormat{};          // LOCALE_SLONGDATE, e.g. "dddd, dd MMMM yyyy"
  // Month names, January first (LOCALE_SABBREVMONTHNAME1.., LOCALE_SMONTHNAME1..).
  std::array<std::string, 12> ShortMonthNames{};
  std::array<std::string, 12> LongMonthNames{};
  // Day names, Sunday first (the platform numbers Monday 1 and Sunday 7).
  std::array<std::string, 7> ShortDayNames{};
  std::array<std::string, 7> LongDayNames{};

  bool operator==(const TMxLocaleValues&) const = default;

  // The values of the en-US locale, the platform's default.
  static TMxLocaleValues EnglishUS();
  // The values of the Indonesian locale (id-ID).
  static TMxLocaleValues Indonesian();
};

// Where locale values come from.
class TMxLocaleSource {
public:
  virtual ~TMxLocaleSource() = default;
  virtual TMxLocaleValues Read() const = 0;
};

// A source that always answers the same values.
class TMxFixedLocaleSource final : public TMxLocaleSource {
public:
  explicit TMxFixedLocaleSource(TMxLocaleValues values) : Values(std::move(values)) {}
  TMxLocaleValues Read() const override { return Values; }
  TMxLocaleValues Values;
};

// The process-wide source used by objects that load "system defaults". Until one is
// installed it answers the en-US values. The caller keeps ownership of an installed
// source and must keep it alive while installed; passing nullptr restores the default.
const TMxLocaleSource& MxLocaleSource();
void MxSetLocaleSource(const TMxLocaleSource* source);

// Installs a source for the lifetime of the guard (tests).
class TMxScopedLocaleSource {
public:
  explicit TMxScopedLocaleSource(const TMxLocaleSource& source) : Previous(&MxLocaleSource()) {
    MxSetLocaleSource(&source);
  }
  ~TMxScopedLocaleSource() { MxSetLocaleSource(Previous); }
  TMxScopedLocaleSource(const TMxScopedLocaleSource&) = delete;
  TMxScopedLocaleSource& operator=(const TMxScopedLocaleSource&) = delete;

private:
  const TMxLocaleSource* Previous;
};
