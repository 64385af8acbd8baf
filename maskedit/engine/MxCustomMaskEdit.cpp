#include "maskedit/engine/MxCustomMaskEdit.h"

#include "maskedit/MxStr.h"
#include "maskedit/values/MxNumberText.h"
#include "maskedit/values/MxValueText.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

namespace {
// Re-formatting assigns Text, which re-formats again until the text is a fixed point of
// its own reading; a form that does not settle stops quietly after this many levels.
constexpr int MaxReformatDepth = 8;

char FirstOr(const std::string& s, char fallback) { return s.empty() ? fallback : s[0]; }

} // namespace

TMxCustomMaskEdit::TMxCustomMaskEdit(TMxApplication& application)
    : TMxCustomEdit(application), FCurrencySettings(std::make_unique<TMxCurrencySettings>()),
      FDateSettings(std::make_unique<TMxDateFormat>()) {
  const TMxLocaleValues locale = Locale();
  ThousandSeparatorChar = FirstOr(locale.ThousandSeparator, '\0');
  DecimalSeparatorChar = FirstOr(locale.DecimalSeparator, '.');
  FCurrencySettings->SetOnChange([this](TMxObject* sender) { BevelChanged(sender); });
  FDateSettings->SetOnChange([this](TMxObject* sender) { BevelChanged(sender); });
}

TMxCustomMaskEdit::~TMxCustomMaskEdit() {
  FCurrencySettings->SetOnChange(nullptr);
  FDateSettings->SetOnChange(nullptr);
}

TMxLocaleValues TMxCustomMaskEdit::Locale() const { return MxLocaleSource().Read(); }

TMxNumberSeparators TMxCustomMaskEdit::Separators() const {
  return {ThousandSeparatorChar, DecimalSeparatorChar};
}

double TMxCustomMaskEdit::Today() const { return std::floor(NowTime()); }

double TMxCustomMaskEdit::NowTime() const { return (Clock ? *Clock : MxSystemClock()).Now(); }

void TMxCustomMaskEdit::DoValidationError() {
  if (OnValidationError) {
    OnValidationError(this);
  }
}

// --- suffix ------------------------------------------------------------------------------

const std::string& TMxCustomMaskEdit::EffectiveSuffix() const {
  static const std::string none;
  switch (FMaskType) {
  case meCurrency:
  case meDate:
  case meTime:
  case meMask: return none;
  default: return FSuffix;
  }
}

std::string TMxCustomMaskEdit::TextWithoutSuffix() {
  std::string t = GetText();
  const std::string& suffix = EffectiveSuffix();
  const int p = MxPos(suffix, t);
  if (p > 0) {
    MxDelete(t, p, MxLen(suffix));
  }
  return t;
}

void TMxCustomMaskEdit::SetTextWithSuffix(std::string_view s) { SetText(std::string(s) + EffectiveSuffix()); }

// --- readers -----------------------------------------------------------------------------

std::int64_t TMxCustomMaskEdit::IntegerTextValue() {
  const std::string t = TextWithoutSuffix();
  if (t.empty()) {
    return 0;
  }
  const TMxIntegerReading r = MxIntegerTextToValue(t, FNumberBase);
  if (!r.Ok) {
    DoValidationError();
    return 0;
  }
  return r.Value;
}

std::int32_t TMxCustomMaskEdit::IntegerValue() {
  if (FMaskType != meInteger) {
    throw EMxWrongDataType("No integer entered");
  }
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(IntegerTextValue())); // the low 32 bits
}

std::uint32_t TMxCustomMaskEdit::WordValue() {
  if (FMaskType != meWord) {
    throw EMxWrongDataType("No word entered");
  }
  return static_cast<std::uint32_t>(IntegerTextValue());
}

double TMxCustomMaskEdit::FloatValue() {
  if (!MxIsFloatType(FMaskType) && FMaskType != meCurrency) {
    throw EMxWrongDataType("No float entered");
  }
  const TMxFloatReading r =
      MxFloatValueOfText(TextWithoutSuffix(), FDecimals, FMaskType != meFloat, FNumberBase, Separators());
  if (!r.Ok) {
    DoValidationError();
    return 0;
  }
  return r.Value;
}

double TMxCustomMaskEdit::CurrencyValue() {
  const std::string t = TextWithoutSuffix();
  if (t.empty()) {
    return 0;
  }
  const TMxCurrencyParse r = FCurrencySettings->ParseCurrencyChecked(t);
  if (r.Status != cpsOk) {
    DoValidationError();
    return 0;
  }
  return MxCurrencyToDouble(r.Value);
}

double TMxCustomMaskEdit::DateValue() {
  if (FMaskType != meDate) {
    throw EMxWrongDataType("No date entered");
  }
  double date = 0;
  if (!FDateSettings->TryReadDate(TextWithoutSuffix(), date)) {
    DoValidationError();
    return 0;
  }
  return date;
}

double TMxCustomMaskEdit::TimeValue() {
  if (FMaskType != meTime) {
    throw EMxWrongDataType("No time entered");
  }
  double time = 0;
  if (!MxTextToTime(TextWithoutSuffix(), Locale(), time)) {
    DoValidationError();
    return 0;
  }
  return time;
}

// --- writer ------------------------------------------------------------------------------

void TMxCustomMaskEdit::SetValue(double x) {
  switch (FMaskType) {
  case meInteger:
  case meWord: {
    double whole = std::trunc(x);
    if (FMaskType == meWord) {
      whole = std::fabs(whole);
    }
    const double low = FMaskType == meWord ? 0.0 : -2147483648.0;
    const double high = FMaskType == meWord ? 4294967295.0 : 2147483647.0;
    if (!std::isfinite(whole) || whole < low || whole > high) {
      DoValidationError();
      return;
    }
    SetTextWithSuffix(MxIntegerToText(static_cast<std::int64_t>(whole), FNumberBase));
    break;
  }
  case meFloat:
  case meFloatFixed:
  case meFloatNumber: {
    const std::string raw = MxFloatToText(x, FDecimals, FNumberBase, DecimalSeparatorChar);
    if (raw.empty()) {
      DoValidationError();
      return;
    }
    SetTextWithSuffix(
        MxFloatTextOfKind(raw, FMaskType, FDecimals, DecimalSeparatorChar, ThousandSeparatorChar));
    break;
  }
  case meCurrency: {
    std::int64_t c = 0;
    if (!MxDoubleToCurrency(x, c)) {
      DoValidationError();
      return;
    }
    SetTextWithSuffix(FCurrencySettings->FormatCurrency(c, false));
    break;
  }
  case meDate:
    if (!std::isfinite(x) || x < MxEncodeDate(1, 1, 1) || x >= MxEncodeDate(9999, 12, 31) + 1) {
      DoValidationError();
      return;
    }
    SetTextWithSuffix(FDateSettings->FormatDateEdit(x));
    break;
  case meTime: SetTextWithSuffix(MxTimeToText(x, Locale())); break;
  case meMask:
  case meNone: break;
  }
}

// --- re-formatting --------------------------------------------------------------------------

void TMxCustomMaskEdit::TextChangedAt(int pos) {
  if (FMaskType != meNone) {
    Reformat();
  }
  TMxCustomEdit::TextChangedAt(pos);
}

void TMxCustomMaskEdit::Reformat() {
  // Free text has no form of its own.
  if (FMaskType == meNone || ReformatDepth >= MaxReformatDepth) {
    return;
  }
  ++ReformatDepth;
  TEditScope scope(*this);
  try {
    switch (FMaskType) {
    case meInteger: {
      if (TextWithoutSuffix().empty()) {
        SetTextWithSuffix("0");
        break;
      }
      const char first = FirstOr(RawText(), ' ');
      std::string s = MxIntegerToText(IntegerValue(), FNumberBase);
      if (first == '-' && FirstOr(s, ' ') != '-') {
        s.insert(s.begin(), '-');
      }
      SetTextWithSuffix(s);
      break;
    }
    case meFloatFixed:
    case meFloatNumber: {
      const double value = FloatValue();
      std::string s = MxFloatToText(value, FDecimals, FNumberBase, DecimalSeparatorChar);
      if (s.empty()) {
        DoValidationError();
        break;
      }
      s = MxFloatTextOfKind(s, FMaskType, FDecimals, DecimalSeparatorChar, ThousandSeparatorChar);
      if (GetMaxLength() != 0) {
        s = MxCopy(s, 1, GetMaxLength());
      }
      if (s != RawText()) {
        if (MxLen(s) > 1 && FirstOr(RawText(), ' ') == '-' && FirstOr(s, ' ') != '-') {
          s.insert(s.begin(), '-');
        }
        SetTextWithSuffix(s);
      }
      break;
    }
    case meCurrency: ReformatCurrency(); break;
    case meDate: ReformatDate(); break;
    case meMask:
      if (!TextMatchesMask(RawText())) {
        AssignTextDirect(SavedText);
      }
      break;
    default: break;
    }
  } catch (const std::exception&) {
    DoValidationError();
  }
  --ReformatDepth;
}

void TMxCustomMaskEdit::ReformatCurrency() {
  const TMxCurrencyReformat r = MxReformatCurrencyText(*FCurrencySettings, TextWithoutSuffix(), NegativeZero);
  if (r.Status == cpsOverflow) {
    // An amount beyond what the field can hold keeps the text from before the change;
    // wiping it to zero would lose what was typed.
    DoValidationError();
    const TMxCurrencyReformat previous =
        MxReformatCurrencyText(*FCurrencySettings, TextBeforeChange(), false);
    AssignTextDirect(previous.Status == cpsOverflow ? FCurrencySettings->FormatCurrency(0, false)
                                                    : previous.Text);
    NegativeZero = false;
    return;
  }
  if (r.Status != cpsOk) {
    DoValidationError();
  }
  std::string shown = r.Text;
  if (GetMaxLength() != 0) {
    shown = MxCopy(shown, 1, GetMaxLength());
  }
  if (shown != RawText()) {
    AssignTextDirect(r.Text);
    NegativeZero = false;
  }
}

// --- settings ------------------------------------------------------------------------------

void TMxCustomMaskEdit::SetMaskType(TMxMaskType value) {
  if (value == FMaskType || value > meNone) {
    return;
  }
  double x = 0;
  switch (FMaskType) {
  case meInteger: x = IntegerValue(); break;
  case meWord: x = WordValue(); break;
  case meFloat:
  case meFloatFixed:
  case meFloatNumber: x = FloatValue(); break;
  case meCurrency: x = CurrencyValue(); break;
  default: break;
  }
  FMaskType = value;
  KeepTextBeforeChange = value == meCurrency; // an overflow restores the text before the change
  if (MxIsNumberType(value)) {
    try {
      SetValue(x);
    } catch (const std::exception&) {
      DoValidationError();
    }
    return;
  }
  switch (value) {
  case meDate: {
    AllowSelecting = false;
    double date = Today();
    if (!RawText().empty() && !FDateSettings->TryReadDate(RawText(), date)) {
      DoValidationError();
      date = Today();
    }
    SetText(FDateSettings->FormatDateDisplay(date));
    break;
  }
  case meTime: {
    double time = 0;
    if (RawText().empty()) {
      SetText(MxTimeToText(NowTime(), Locale()));
    } else if (!MxTextToTime(RawText(), Locale(), time)) {
      DoValidationError();
      SetText(MxTimeToText(NowTime(), Locale()));
    }
    break;
  }
  case meMask: SetText(EmptyMaskText()); break;
  default: break;
  }
}

void TMxCustomMaskEdit::SetNumberBase(int value) {
  value = std::clamp(value, 2, 36);
  if (value == FNumberBase || FMaskType == meCurrency) {
    return;
  }
  double x = 0;
  if (FMaskType == meInteger) {
    x = IntegerValue();
  } else if (FMaskType == meWord) {
    x = WordValue();
  } else {
    x = FloatValue(); // raises for the types without a float value
  }
  FNumberBase = value;
  SetValue(x);
}

void TMxCustomMaskEdit::SetDecimals(int value) {
  value = std::clamp(value, 0, 255);
  if (value == FDecimals) {
    return;
  }
  FDecimals = value;
  FCurrencySettings->CurrencyDigits = static_cast<std::uint8_t>(value);
  TextChangedAt(1);
}

void TMxCustomMaskEdit::SetSuffix(const std::string& value) {
  const std::string t = TextWithoutSuffix();
  FSuffix = value;
  SetTextWithSuffix(t);
}

void TMxCustomMaskEdit::SetBlankChar(char value) {
  if (value == FBlankChar) {
    return;
  }
  FBlankChar = value;
  TextChangedAt(1);
}

void TMxCustomMaskEdit::SetMask(const std::string& value) {
  if (value == FMask) {
    return;
  }
  FMask = value;
  FTemplate.Parse(FMask);
  if (FMaskType == meMask) {
    SetText(EmptyMaskText());
  }
}

// --- stored value and loading ------------------------------------------------------------------

std::optional<TMxStoredValue> TMxCustomMaskEdit::StoredValue() {
  TMxStoredValue v;
  switch (FMaskType) {
  case meInteger:
    v.IsInteger = true;
    v.Integer = IntegerValue();
    break;
  case meWord:
    v.IsInteger = true;
    v.Integer = WordValue();
    break;
  case meFloat:
  case meFloatFixed:
  case meFloatNumber: v.Float = FloatValue(); break;
  case meCurrency: v.Float = CurrencyValue(); break;
  case meDate: v.Float = DateValue(); break;
  case meTime: v.Float = TimeValue(); break;
  default: return std::nullopt;
  }
  return v;
}

void TMxCustomMaskEdit::ReadStoredValue(long double value) { SetValue(static_cast<double>(value)); }

void TMxCustomMaskEdit::ReadStoredDateTime(long double value) {
  if (FMaskType == meDate || FMaskType == meTime) {
    SetValue(static_cast<double>(value));
  }
}

void TMxCustomMaskEdit::Loaded() {
  TMxCustomEdit::Loaded();
  if (MxIsFloatType(FMaskType) && !RawText().empty()) {
    // A text stored on a machine with another decimal separator: the first character
    // from the end that is not a digit of the base becomes this machine's separator.
    std::string t = RawText();
    int i = MxLen(t);
    while (i >= 1 && IsBaseDigit(t[static_cast<size_t>(i - 1)])) {
      --i;
    }
    if (i > 1) {
      t[static_cast<size_t>(i - 1)] = DecimalSeparatorChar;
      SetText(t);
    }
  }
  if (FMaskType == meMask) {
    SetText(EmptyMaskText());
  }
  if (FMaskType == meDate) {
    AllowSelecting = false;
  }
  if (FCurrencySettings->GetSystemDefaults() == cmSystem) {
    try {
      std::int64_t c = 0;
      if (FMaskType == meCurrency) {
        c = FCurrencySettings->ParseCurrency(RawText());
      }
      FCurrencySettings->LoadSystemDefaults();
      if (FMaskType == meCurrency) {
        SetText(FCurrencySettings->FormatCurrency(c, false));
      }
    } catch (const std::exception&) {
    }
  }
}

// --- mask -------------------------------------------------------------------------------

bool TMxCustomMaskEdit::CharMatchesMask(int p, char c) {
  const auto rule = [this](bool& ok, char ch, int at) {
    if (OnUserRule) {
      OnUserRule(this, ok, ch, at);
    }
  };
  return FTemplate.CharMatchesMask(p, c, CharClass(), rule);
}

bool TMxCustomMaskEdit::CharAllowedAt(int p, char c) { return c == FBlankChar || CharMatchesMask(p, c); }

bool TMxCustomMaskEdit::TextMatchesMask(std::string_view t) {
  if (MxLen(t) > FTemplate.Length()) {
    return false;
  }
  for (int i = 1; i <= MxLen(t); ++i) {
    if (!CharAllowedAt(i, t[static_cast<size_t>(i - 1)])) {
      return false;
    }
  }
  return true;
}

int TMxCustomMaskEdit::FirstMissingRequired(std::string_view t) {
  for (int i = 1; i <= MxLen(t) && i <= FTemplate.Length(); ++i) {
    if (FTemplate.IsRequiredAt(i) && !CharMatchesMask(i, t[static_cast<size_t>(i - 1)])) {
      return i;
    }
  }
  return 0;
}

std::string TMxCustomMaskEdit::TemplateRange(int start, int length) const {
  std::string s;
  for (int p = start; p < start + length && p <= FTemplate.Length(); ++p) {
    if (p >= 1) {
      s += FTemplate.TemplateCharAt(p, FBlankChar);
    }
  }
  return s;
}

bool TMxCustomMaskEdit::IsBaseDigit(char c) const {
  const std::string_view digits =
      std::string_view("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ").substr(0, static_cast<size_t>(FNumberBase));
  return digits.find(c) != std::string_view::npos;
}
