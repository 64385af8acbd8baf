#include "maskedit/values/MxDateFormat.h"

#include "maskedit/MxStr.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {
constexpr long long DaysFrom1970To1899 = -25569; // 30 Dec 1899 relative to 1 Jan 1970

long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (m <= 2));
}

std::string Pad(int v, int width) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%0*d", width, v);
  return buffer;
}

// The numbers of a text, in order (runs of digits, at most 9 digits each).
std::vector<int> Numbers(std::string_view text) {
  std::vector<int> out;
  int value = 0, digits = 0;
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      if (digits < 9) {
        value = value * 10 + (c - '0');
      }
      ++digits;
    } else if (digits) {
      out.push_back(value);
      value = digits = 0;
    }
  }
  if (digits) {
    out.push_back(value);
  }
  return out;
}
} // namespace

bool MxIsValidDate(int year, int month, int day) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) {
    return false;
  }
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= days[month - 1] + (month == 2 && leap ? 1 : 0);
}

double MxEncodeDate(int year, int month, int day) {
  return static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
                             DaysFrom1970To1899);
}

void MxDecodeDate(double date, int& year, int& month, int& day) {
  const double whole = std::isfinite(date) ? std::floor(date) : 0;
  const double bounded =
      whole < -693593 ? -693593 : (whole > 2958465 ? 2958465 : whole); // 1 Jan 1 .. 31 Dec 9999
  CivilFromDays(static_cast<long long>(bounded) + DaysFrom1970To1899, year, month, day);
}

namespace {
constexpr int DefaultYearWindow = 50;
constexpr size_t MaxParts = 24;

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool IsTokenLetter(char c) {
  const char u = Upper(c);
  return u == 'D' || u == 'M' || u == 'Y';
}
// Letters of names: ASCII letters and every character of the upper code-page half.
bool IsNameChar(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return (Upper(c) >= 'A' && Upper(c) <= 'Z') || u >= 0x80;
}
bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (size_t i = 0; i < a.size(); ++i) {
    if (Upper(a[i]) != Upper(b[i])) {
      return false;
    }
  }
  return true;
}
// Length of the run of the same token letter (any case) starting at i.
size_t RunAt(std::string_view f, size_t i) {
  size_t n = 1;
  while (i + n < f.size() && Upper(f[i + n]) == Upper(f[i])) {
    ++n;
  }
  return n;
}

// Walks a date format: literal(c) for each character that is no token letter, and
// token(letter, n) for each run of n equal token letters (letter in upper case).
template <class TLiteral, class TToken>
void WalkFormat(std::string_view f, TLiteral literal, TToken token) {
  for (size_t i = 0; i < f.size();) {
    if (!IsTokenLetter(f[i])) {
      literal(f[i++]);
      continue;
    }
    const size_t n = RunAt(f, i);
    token(Upper(f[i]), n);
    i += n;
  }
}
std::string PadRight(std::string s, size_t width) {
  if (s.size() < width) {
    s.append(width - s.size(), ' ');
  }
  return s;
}
template <size_t N>
size_t Longest(const std::array<std::string, N>& names) {
  size_t n = 0;
  for (const std::string& s : names) {
    n = std::max(n, s.size());
  }
  return n;
}
template <size_t N>
std::string NameOf(const std::array<std::string, N>& names, int oneBased) {
  return oneBased >= 1 && oneBased <= static_cast<int>(N) ? names[static_cast<size_t>(oneBased - 1)]
                                                          : std::string();
}
// The first name (in table order) that text starts with when exactly the name's length is
// taken; the reader takes characters one by one and stops at the first length that
// equals a name. Returns the name's 1-based number and its length, or 0.
template <size_t N>
int MatchName(const std::array<std::string, N>& names, std::string_view text, size_t& length) {
  const size_t longest = Longest(names);
  for (size_t k = 1; k <= text.size() && k <= longest; ++k) {
    for (size_t i = 0; i < N; ++i) {
      if (names[i].size() == k && SameText(text.substr(0, k), names[i])) {
        length = k;
        return static_cast<int>(i) + 1;
      }
    }
  }
  length = 0;
  return 0;
}
// The longest name the text starts with (part geometry: a name that is a prefix of
// another, "Jun" of "Juni", must not cut the longer one).
template <size_t N>
size_t LongestNameAt(const std::array<std::string, N>& names, std::string_view text) {
  size_t best = 0;
  for (const std::string& name : names) {
    if (!name.empty() && name.size() > best && name.size() <= text.size() &&
        SameText(text.substr(0, name.size()), name)) {
      best = name.size();
    }
  }
  return best;
}
void RemoveLeadingSpaces(std::string_view& t) {
  while (!t.empty() && t.front() == ' ') {
    t.remove_prefix(1);
  }
}
int KindOf(char letter, size_t run) {
  const int n = static_cast<int>(run);
  switch (Upper(letter)) {
  case 'D': return n >= 5 ? 1 : n;
  case 'M': return 10 + (n >= 5 ? 1 : n);
  default: return 20 + (n >= 5 ? 4 : n);
  }
}
} // namespace

int MxDaysInMonth(int year, int month) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) {
    return 0;
  }
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return days[month - 1] + (month == 2 && leap ? 1 : 0);
}

int MxDayOfWeek(double date) {
  const double whole = std::isfinite(date) ? std::floor(date) : 0;
  const double bounded = std::clamp(whole, -693593.0, 2958465.0);
  const long long serial = static_cast<long long>(bounded);
  return static_cast<int>(((serial + 6) % 7 + 7) % 7); // day 0 (30 Dec 1899) was a Saturday
}

const IMxClock& MxSystemClock() {
  class TMxSystemClock final : public IMxClock {
  public:
    double Now() const override {
      const std::time_t t = std::time(nullptr);
      std::tm local{};
#if defined(_WIN32)
      localtime_s(&local, &t);
#else
      localtime_r(&t, &local);
#endif
      return MxEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
             (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) / 86400.0;
    }
  };
  static const TMxSystemClock clock;
  return clock;
}

TMxDateFormat::TMxDateFormat(std::int32_t owner) : TMxObject(owner) { LoadSystemDefaults(); }

void TMxDateFormat::LoadSystemDefaults() { Locale = MxLocaleSource().Read(); }

void TMxDateFormat::Assign(const TMxDateFormat& source) {
  FFormat = source.FFormat;
  FYearDelta = source.FYearDelta;
  FFormatStr = source.FFormatStr;
}

void TMxDateFormat::SetFormatStr(const std::string& value) {
  if (value == FFormatStr) {
    return;
  }
  if (FormatStrChanging) {
    FormatStrChanging(this);
  }
  FFormatStr = value;
  if (FFormat == dfCustom && FormatChanged) {
    FormatChanged(this);
  }
}

void TMxDateFormat::SetFormat(TMxDateFormats value) {
  if (value == FFormat) {
    return;
  }
  FFormat = value;
  if (FormatChanged) {
    FormatChanged(this);
  }
}

char TMxDateFormat::DateSeparator() const {
  return Locale.DateSeparator.empty() ? '/' : Locale.DateSeparator[0];
}

std::string TMxDateFormat::DateFormatString() const {
  switch (FFormat) {
  case dfShortSystem: return Locale.ShortDateFormat;
  case dfLongSystem: return Locale.LongDateFormat;
  case dfCustom: break;
  }
  std::string s = FFormatStr;
  std::replace(s.begin(), s.end(), '/', DateSeparator());
  return s;
}

int TMxDateFormat::CurrentYear() const {
  int y = 0, m = 0, d = 0;
  MxDecodeDate((Clock ? *Clock : MxSystemClock()).Now(), y, m, d);
  return y;
}

std::string TMxDateFormat::FormatDateDisplay(double date) const {
  int y = 0, m = 0, d = 0;
  MxDecodeDate(date, y, m, d);
  const int weekday = MxDayOfWeek(date);
  std::string f = DateFormatString();
  std::transform(f.begin(), f.end(), f.begin(), Upper);
  // The display form shows the literals in upper case too (the format is upper-cased first).
  std::string out;
  WalkFormat(
      f, [&](char c) { out += c; },
      [&](char letter, size_t n) {
        if (letter == 'Y') {
          if (n == 2) {
            out += Pad(y % 100, 2);
          } else if (n == 1 || n == 4) {
            out += Pad(y, 4);
          }
          return;
        }
        const bool day = letter == 'D';
        const int value = day ? d : m;
        if (n == 1) {
          out += std::to_string(value);
        } else if (n == 2) {
          out += Pad(value, 2);
        } else if (n == 3) {
          out += day ? Locale.ShortDayNames[static_cast<size_t>(weekday)] : NameOf(Locale.ShortMonthNames, m);
        } else if (n == 4) {
          out += day ? Locale.LongDayNames[static_cast<size_t>(weekday)] : NameOf(Locale.LongMonthNames, m);
        }
      });
  return out;
}

std::string TMxDateFormat::FormatDateEdit(double date) const {
  int y = 0, m = 0, d = 0;
  MxDecodeDate(date, y, m, d);
  return FormatDateEdit(y, m, d);
}

std::string TMxDateFormat::FormatDateEdit(int year, int month, int day) const {
  // The day of the week of a combination that is no date (31 April) is that of the day
  // it would run into; only names use it.
  const int weekday =
      MxDayOfWeek(MxEncodeDate(std::clamp(year, 1, 9999), std::clamp(month, 1, 12), std::clamp(day, 1, 31)));
  const std::string f = DateFormatString();
  std::string out;
  WalkFormat(
      f, [&](char c) { out += c; },
      [&](char letter, size_t n) {
        if (letter == 'Y') {
          out += n == 2 ? Pad(((year % 100) + 100) % 100, 2) : Pad(year, 4);
          return;
        }
        const bool isDay = letter == 'D';
        const int value = isDay ? day : month;
        if (n == 2) {
          out += Pad(value, 2);
        } else if (n == 3) {
          out += isDay ? PadRight(Locale.ShortDayNames[static_cast<size_t>(weekday)],
                                  Longest(Locale.ShortDayNames))
                       : PadRight(NameOf(Locale.ShortMonthNames, month), Longest(Locale.ShortMonthNames));
        } else if (n == 4) {
          out += isDay ? PadRight(Locale.LongDayNames[static_cast<size_t>(weekday)],
                                  Longest(Locale.LongDayNames))
                       : PadRight(NameOf(Locale.LongMonthNames, month), Longest(Locale.LongMonthNames));
        } else {
          out += PadRight(std::to_string(value), 2);
        }
      });
  return out;
}

TMxDateParts TMxDateFormat::ParseDateParts(std::string_view text) const {
  TMxDateParts r;
  std::string f = DateFormatString();
  std::transform(f.begin(), f.end(), f.begin(), Upper);
  std::string_view t = text;
  size_t i = 0;
  while (i < f.size()) {
    while (i < f.size() && !IsTokenLetter(f[i])) {
      if (!t.empty()) {
        t.remove_prefix(1);
      }
      ++i;
      if (t.empty()) {
        return r;
      }
    }
    if (i >= f.size()) {
      break;
    }
    RemoveLeadingSpaces(t);
    const char letter = f[i];
    const size_t n = RunAt(f, i);
    const size_t j = i + n;
    if (letter != 'Y' && (n == 3 || n == 4)) {
      size_t taken = 0;
      int number = 0;
      if (letter == 'D') {
        number = MatchName(n == 3 ? Locale.ShortDayNames : Locale.LongDayNames, t, taken);
      } else {
        number = MatchName(n == 3 ? Locale.ShortMonthNames : Locale.LongMonthNames, t, taken);
        r.Month = number; // 0 when the text ran out first
      }
      t.remove_prefix(number != 0 ? taken : t.size());
    } else {
      // Every year token but YY writes the full year in the editing form, so it reads up
      // to four digits back; reading two would turn 2024 into 2020.
      const size_t maxDigits = letter == 'Y' && n != 2 ? 4 : 2;
      int value = 0;
      size_t digits = 0;
      while (digits < maxDigits && digits < t.size() && MxIsDigit(t[digits])) {
        value = value * 10 + (t[digits] - '0');
        ++digits;
      }
      t.remove_prefix(digits);
      if (letter == 'D') {
        r.Day = value;
      } else if (letter == 'M') {
        r.Month = value;
      } else {
        // A part without digits stays 0 (no date) rather than becoming a year of the window.
        if (digits > 0 && value < 100) {
          const int window = FYearDelta == -1 ? DefaultYearWindow : FYearDelta;
          const int century = CurrentYear() / 100;
          value += 100 * (value <= window ? century : century - 1);
        }
        r.Year = value;
      }
    }
    if (j < f.size() && f[j] != ' ') {
      RemoveLeadingSpaces(t);
    }
    i = j;
  }
  return r;
}

bool TMxDateFormat::TryReadDate(std::string_view text, double& date) const {
  TMxDateParts p = ParseDateParts(text);
  if (p.Month == 2 && p.Year >= 1 && p.Year <= 9999) {
    p.Day = std::min(p.Day, MxDaysInMonth(p.Year, 2));
  }
  if (!MxIsValidDate(p.Year, p.Month, p.Day)) {
    return false;
  }
  date = MxEncodeDate(p.Year, p.Month, p.Day);
  return true;
}

double TMxDateFormat::ReadDate(std::string_view text) const {
  double date = 0;
  if (!TryReadDate(text, date)) {
    throw EMxDateError("Invalid date format!");
  }
  return date;
}

std::vector<TMxDatePart> TMxDateFormat::Parts(std::string_view text) const {
  std::vector<TMxDatePart> parts;
  const std::string f = DateFormatString();
  const size_t len = text.size();
  size_t p = 0; // 0-based here
  size_t i = 0;
  while (i < f.size() && parts.size() < MaxParts) {
    if (f[i] != ' ') {
      while (p < len && text[p] == ' ') {
        ++p;
      }
    }
    if (!IsTokenLetter(f[i])) {
      if (p < len) {
        ++p;
      }
      ++i;
      continue;
    }
    const char letter = Upper(f[i]);
    const size_t n = RunAt(f, i);
    i += n;
    const size_t start = p;
    if (letter != 'Y' && (n == 3 || n == 4)) {
      const std::string_view rest = text.substr(p);
      size_t taken = 0;
      if (letter == 'D') {
        taken = LongestNameAt(n == 3 ? Locale.ShortDayNames : Locale.LongDayNames, rest);
      } else {
        taken = LongestNameAt(n == 3 ? Locale.ShortMonthNames : Locale.LongMonthNames, rest);
      }
      if (taken == 0) {
        while (taken < rest.size() && IsNameChar(rest[taken])) {
          ++taken;
        }
      }
      p += taken;
    } else {
      while (p < len && !MxIsDigit(text[p])) {
        ++p;
      }
      while (p < len && MxIsDigit(text[p])) {
        ++p;
      }
    }
    parts.push_back({static_cast<int>(start) + 1, static_cast<int>(p - start), KindOf(letter, n)});
  }
  return parts;
}

int TMxDateFormat::PartIndexAt(std::string_view text, int pos) const {
  if (pos > static_cast<int>(text.size()) + 1) {
    return 0;
  }
  const std::vector<TMxDatePart> parts = Parts(text);
  for (size_t k = 0; k < parts.size(); ++k) {
    if (pos >= parts[k].Start && pos <= parts[k].Start + parts[k].Length) {
      return static_cast<int>(k) + 1;
    }
  }
  return -1;
}

int TMxDateFormat::PartKindAt(std::string_view text, int pos) const {
  const int k = PartIndexAt(text, pos);
  return k > 0 ? Parts(text)[static_cast<size_t>(k - 1)].Kind : 0;
}

int TMxDateFormat::PartStartAt(std::string_view text, int pos) const {
  const int k = PartIndexAt(text, pos);
  return k > 0 ? Parts(text)[static_cast<size_t>(k - 1)].Start : pos;
}

int TMxDateFormat::PartLengthAt(std::string_view text, int pos) const {
  const int k = PartIndexAt(text, pos);
  return k > 0 ? Parts(text)[static_cast<size_t>(k - 1)].Length : 0;
}

int TMxDateFormat::NextPartStart(std::string_view text, int pos) const {
  const int k = PartIndexAt(text, pos);
  if (k <= 0) {
    return pos;
  }
  const std::vector<TMxDatePart> parts = Parts(text);
  return parts[std::min(static_cast<size_t>(k), parts.size() - 1)].Start;
}

int TMxDateFormat::PrevPartStart(std::string_view text, int pos) const {
  const int k = PartIndexAt(text, pos);
  if (k <= 1) {
    return k == 1 ? 1 : pos;
  }
  return Parts(text)[static_cast<size_t>(k - 2)].Start;
}

std::string MxTimeToText(double value, const TMxLocaleValues& locale) {
  double fraction = std::isfinite(value) ? value - std::floor(value) : 0;
  long long seconds = std::llround(fraction * 86400.0) % 86400;
  const int h = static_cast<int>(seconds / 3600), mi = static_cast<int>(seconds / 60 % 60),
            s = static_cast<int>(seconds % 60);
  const std::string& f = locale.LongTimeFormat.empty() ? std::string("HH:mm:ss") : locale.LongTimeFormat;
  const bool twelve = f.find('t') != std::string::npos;
  const char sep = locale.TimeSeparator.empty() ? ':' : locale.TimeSeparator[0];
  std::string out;
  for (size_t i = 0; i < f.size();) {
    const char c = f[i];
    size_t run = 1;
    while (i + run < f.size() && f[i + run] == c) {
      ++run;
    }
    if (c == 'h' || c == 'H') {
      int hour = h;
      if (c == 'h' && twelve) {
        hour = h % 12 == 0 ? 12 : h % 12;
      }
      out += Pad(hour, run >= 2 ? 2 : 1);
    } else if (c == 'm') {
      out += Pad(mi, run >= 2 ? 2 : 1);
    } else if (c == 's') {
      out += Pad(s, run >= 2 ? 2 : 1);
    } else if (c == 't') {
      const std::string& marker = h < 12 ? locale.TimeAM : locale.TimePM;
      out += run >= 2 ? marker : marker.substr(0, 1);
    } else if (c == ':') {
      out.append(run, sep);
    } else if (c == '\'') {
      const size_t end = f.find('\'', i + 1);
      out += f.substr(i + 1, (end == std::string::npos ? f.size() : end) - i - 1);
      i = end == std::string::npos ? f.size() : end + 1;
      continue;
    } else {
      out.append(run, c);
    }
    i += run;
  }
  // An empty marker leaves a trailing blank ("13:00:00 "): drop it.
  while (!out.empty() && out.back() == ' ') {
    out.pop_back();
  }
  return out;
}

bool MxTextToTime(std::string_view text, const TMxLocaleValues& locale, double& value) {
  const std::vector<int> n = Numbers(text);
  if (n.empty() || n.size() > 3) {
    return false;
  }
  int h = n[0];
  const int m = n.size() > 1 ? n[1] : 0, s = n.size() > 2 ? n[2] : 0;
  auto has = [&](const std::string& marker) {
    return !marker.empty() && text.find(marker) != std::string_view::npos;
  };
  if (has(locale.TimePM) || has(locale.TimeAM)) {
    if (h < 1 || h > 12) {
      return false;
    }
    h = h % 12 + (has(locale.TimePM) ? 12 : 0);
  }
  // Anything but digits, blanks, separators and the markers makes the text no time.
  std::string rest(text);
  for (const std::string& marker : {locale.TimeAM, locale.TimePM}) {
    if (!marker.empty()) {
      const size_t p = rest.find(marker);
      if (p != std::string::npos) {
        rest.erase(p, marker.size());
      }
    }
  }
  const char sep = locale.TimeSeparator.empty() ? ':' : locale.TimeSeparator[0];
  for (char c : rest) {
    if (!(c >= '0' && c <= '9') && c != ' ' && c != sep) {
      return false;
    }
  }
  if (h > 23 || m > 59 || s > 59) {
    return false;
  }
  value = (h * 3600 + m * 60 + s) / 86400.0;
  return true;
}
