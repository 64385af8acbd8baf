#include "maskedit/MxDateFormat.h"

#include <cmath>
#include <cstdio>
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
  return static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - DaysFrom1970To1899);
}

void MxDecodeDate(double date, int& year, int& month, int& day) {
  const double whole = std::isfinite(date) ? std::floor(date) : 0;
  const double bounded = whole < -693593 ? -693593 : (whole > 2958465 ? 2958465 : whole); // 1 Jan 1 .. 31 Dec 9999
  CivilFromDays(static_cast<long long>(bounded) + DaysFrom1970To1899, year, month, day);
}

TMxDateFormat::TMxDateFormat(std::int32_t owner) : TMxObject(owner) { LoadSystemDefaults(); }

void TMxDateFormat::LoadSystemDefaults() {
  const TMxLocaleValues v = MxLocaleSource().Read();
  if (!v.ShortDateFormat.empty()) {
    ShortDateFormat = v.ShortDateFormat;
  }
  if (!v.DateSeparator.empty()) {
    DateSeparator = v.DateSeparator[0];
  }
}

void TMxDateFormat::Assign(const TMxDateFormat& source) {
  ShortDateFormat = source.ShortDateFormat;
  DateSeparator = source.DateSeparator;
}

void TMxDateFormat::SetShortDateFormat(const std::string& value) {
  if (value != ShortDateFormat) {
    ShortDateFormat = value;
    Change();
  }
}

void TMxDateFormat::SetDateSeparator(char value) {
  if (value != DateSeparator) {
    DateSeparator = value;
    Change();
  }
}

std::string TMxDateFormat::DateToText(double date) const {
  int y = 0, m = 0, d = 0;
  MxDecodeDate(date, y, m, d);
  std::string out;
  const std::string& f = ShortDateFormat;
  for (size_t i = 0; i < f.size();) {
    const char c = f[i];
    size_t run = 1;
    while (i + run < f.size() && f[i + run] == c) {
      ++run;
    }
    if (c == 'd') {
      out += Pad(d, run >= 2 ? 2 : 1);
    } else if (c == 'M') {
      out += Pad(m, run >= 2 ? 2 : 1);
    } else if (c == 'y') {
      out += run <= 2 ? Pad(y % 100, 2) : Pad(y, 4);
    } else if (c == '/') {
      out.append(run, DateSeparator);
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
  return out;
}

bool TMxDateFormat::TextToDate(std::string_view text, double& date) const {
  // The order of day, month and year in the form.
  std::string order;
  for (char c : ShortDateFormat) {
    if ((c == 'd' || c == 'M' || c == 'y') && order.find(c) == std::string::npos) {
      order += c;
    }
  }
  const std::vector<int> n = Numbers(text);
  if (order.size() != 3 || n.size() != 3) {
    return false;
  }
  int y = 0, m = 0, d = 0;
  for (size_t i = 0; i < 3; ++i) {
    (order[i] == 'd' ? d : order[i] == 'M' ? m : y) = n[i];
  }
  if (y < 100) {
    y += y < 50 ? 2000 : 1900;
  }
  if (!MxIsValidDate(y, m, d)) {
    return false;
  }
  date = MxEncodeDate(y, m, d);
  return true;
}

std::string MxTimeToText(double value, const TMxLocaleValues& locale) {
  double fraction = std::isfinite(value) ? value - std::floor(value) : 0;
  long long seconds = std::llround(fraction * 86400.0) % 86400;
  const int h = static_cast<int>(seconds / 3600), mi = static_cast<int>(seconds / 60 % 60), s = static_cast<int>(seconds % 60);
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
  auto has = [&](const std::string& marker) { return !marker.empty() && text.find(marker) != std::string_view::npos; };
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
