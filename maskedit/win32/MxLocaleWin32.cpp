#include "maskedit/win32/MxLocaleWin32.h"

#include <windows.h>

namespace {
std::string LocaleString(LCID lcid, LCTYPE type) {
  char buffer[128];
  int n = GetLocaleInfoA(lcid, type, buffer, sizeof buffer);
  if (n <= 0) {
    return {};
  }
  return std::string(buffer, static_cast<size_t>(n - 1)); // n counts the terminating zero
}

TMxLocaleValues ReadLocale(LCID lcid) {
  TMxLocaleValues v;
  v.CurrencySymbol = LocaleString(lcid, LOCALE_SCURRENCY);
  v.NegativeCurrencyCode = LocaleString(lcid, LOCALE_INEGCURR);
  v.PositiveCurrencyCode = LocaleString(lcid, LOCALE_ICURRENCY);
  v.MonetaryGrouping = LocaleString(lcid, LOCALE_SMONGROUPING);
  v.CurrencyDigits = LocaleString(lcid, LOCALE_ICURRDIGITS);
  v.DecimalSeparator = LocaleString(lcid, LOCALE_SDECIMAL);
  v.ThousandSeparator = LocaleString(lcid, LOCALE_STHOUSAND);
  v.MonetaryThousandSeparator = LocaleString(lcid, LOCALE_SMONTHOUSANDSEP);
  v.ShortDateFormat = LocaleString(lcid, LOCALE_SSHORTDATE);
  v.DateSeparator = LocaleString(lcid, LOCALE_SDATE);
  v.LongTimeFormat = LocaleString(lcid, LOCALE_STIMEFORMAT);
  v.TimeSeparator = LocaleString(lcid, LOCALE_STIME);
  v.TimeAM = LocaleString(lcid, LOCALE_S1159);
  v.TimePM = LocaleString(lcid, LOCALE_S2359);
  v.LongDateFormat = LocaleString(lcid, LOCALE_SLONGDATE);
  for (int i = 0; i < 12; ++i) {
    v.ShortMonthNames[static_cast<size_t>(i)] =
        LocaleString(lcid, static_cast<LCTYPE>(LOCALE_SABBREVMONTHNAME1 + i));
    v.LongMonthNames[static_cast<size_t>(i)] =
        LocaleString(lcid, static_cast<LCTYPE>(LOCALE_SMONTHNAME1 + i));
  }
  // The platform numbers the days from Monday (1) to Sunday (7); the tables start with
  // Sunday.
  for (int i = 0; i < 7; ++i) {
    const int platformDay = (i + 6) % 7; // Sunday -> 6 (LOCALE_SDAYNAME7), Monday -> 0
    v.ShortDayNames[static_cast<size_t>(i)] =
        LocaleString(lcid, static_cast<LCTYPE>(LOCALE_SABBREVDAYNAME1 + platformDay));
    v.LongDayNames[static_cast<size_t>(i)] =
        LocaleString(lcid, static_cast<LCTYPE>(LOCALE_SDAYNAME1 + platformDay));
  }
  return v;
}
} // namespace

TMxLocaleValues TMxThreadLocaleSource::Read() const {
  const LCID lcid = GetThreadLocale();
  std::lock_guard<std::mutex> lock(FLock);
  if (!FValues || FLocale != lcid) {
    FValues = ReadLocale(lcid);
    FLocale = lcid;
  }
  return *FValues;
}
