#include "maskedit/values/MxLocale.h"

TMxLocaleValues TMxLocaleValues::EnglishUS() {
  TMxLocaleValues v;
  v.CurrencySymbol = "$";
  v.NegativeCurrencyCode = "0";
  v.PositiveCurrencyCode = "0";
  v.MonetaryGrouping = "3;0";
  v.CurrencyDigits = "2";
  v.DecimalSeparator = ".";
  v.ThousandSeparator = ",";
  v.MonetaryThousandSeparator = ",";
  v.ShortDateFormat = "M/d/yyyy";
  v.DateSeparator = "/";
  v.LongTimeFormat = "h:mm:ss tt";
  v.TimeSeparator = ":";
  v.TimeAM = "AM";
  v.TimePM = "PM";
  v.LongDateFormat = "dddd, MMMM d, yyyy";
  v.ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  v.LongMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                      "July",    "August",   "September", "October", "November", "December"};
  v.ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  v.LongDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  return v;
}

TMxLocaleValues TMxLocaleValues::Indonesian() {
  TMxLocaleValues v;
  v.CurrencySymbol = "Rp";
  v.NegativeCurrencyCode = "1";
  v.PositiveCurrencyCode = "0";
  v.MonetaryGrouping = "3;0";
  v.CurrencyDigits = "2";
  v.DecimalSeparator = ",";
  v.ThousandSeparator = ".";
  v.MonetaryThousandSeparator = ".";
  v.ShortDateFormat = "d/M/yyyy";
  v.DateSeparator = "/";
  v.LongTimeFormat = "HH.mm.ss";
  v.TimeSeparator = ".";
  v.LongDateFormat = "dddd, dd MMMM yyyy";
  v.ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "Mei", "Jun", "Jul", "Agu", "Sep", "Okt", "Nov", "Des"};
  v.LongMonthNames = {"Januari", "Februari", "Maret",     "April",   "Mei",      "Juni",
                      "Juli",    "Agustus",  "September", "Oktober", "November", "Desember"};
  v.ShortDayNames = {"Min", "Sen", "Sel", "Rab", "Kam", "Jum", "Sab"};
  v.LongDayNames = {"Minggu", "Senin", "Selasa", "Rabu", "Kamis", "Jumat", "Sabtu"};
  return v;
}

namespace {
const TMxFixedLocaleSource& DefaultSource() {
  static const TMxFixedLocaleSource source(TMxLocaleValues::EnglishUS());
  return source;
}
const TMxLocaleSource* current = nullptr;
} // namespace

const TMxLocaleSource& MxLocaleSource() { return current ? *current : DefaultSource(); }

void MxSetLocaleSource(const TMxLocaleSource* source) {
  current = (source == &DefaultSource()) ? nullptr : source;
}
