#pragma once
// TMxCustomMaskEdit: the text engine kept in the form of one of ten mask types.
//
// The text is the only state: every value is read from it when asked for, and after every
// InsertText and every assignment of Text it is re-formatted into the type's own form
// (Reformat, run from TextChangedAt). Input is filtered per type through the engine's
// hooks and through the character, key-down and focus entry points the window calls.
//
// Sections: settings and conversions (MxCustomMaskEdit.cpp); typed characters, one function
// per mask type (MxMaskEditKeys.cpp); key-down, editing hooks, clipboard and focus checks
// (MxMaskEditInput.cpp); the meDate parts (MxMaskEditDate.cpp, typing rules in
// TMxDateTyping).
#include "maskedit/MxMaskType.h"
#include "maskedit/engine/MxCustomEdit.h"
#include "maskedit/engine/MxDateTyping.h"
#include "maskedit/engine/MxMaskTemplate.h"
#include "maskedit/values/MxCurrencySettings.h"
#include "maskedit/values/MxDateFormat.h"
#include "maskedit/values/MxValueText.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

// Raised when a value of the wrong kind is asked for.
class EMxWrongDataType : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The value a number, date or time field stores with its window instead of its text.
struct TMxStoredValue {
  bool IsInteger = false;
  std::int64_t Integer = 0;
  long double Float = 0;
};

class TMxCustomMaskEdit : public TMxCustomEdit {
public:
  using TMxNotifyEvent = std::function<void(TMxCustomMaskEdit* sender)>;
  using TMxUserRuleEvent = std::function<void(TMxCustomMaskEdit* sender, bool& ok, char c, int at)>;

  explicit TMxCustomMaskEdit(TMxApplication& application = MxApplication());
  ~TMxCustomMaskEdit() override;

  // --- settings -----------------------------------------------------------------------
  TMxMaskType GetMaskType() const { return FMaskType; }
  // Converts the current value into the new type.
  void SetMaskType(TMxMaskType value);
  int GetNumberBase() const { return FNumberBase; }
  // Re-writes the value in the new base (clamped to 2..36); nothing for meCurrency.
  void SetNumberBase(int value);
  int GetDecimals() const { return FDecimals; }
  // Clamped to 0..255; also the currency digits.
  void SetDecimals(int value);
  const std::string& GetSuffix() const { return FSuffix; }
  void SetSuffix(const std::string& value);
  char GetBlankChar() const { return FBlankChar; }
  void SetBlankChar(char value);
  const std::string& GetMask() const { return FMask; }
  void SetMask(const std::string& value);
  TMxCurrencySettings& CurrencySettings() { return *FCurrencySettings; }
  void SetCurrencySettings(const TMxCurrencySettings& value) { FCurrencySettings->Assign(value); }
  TMxDateFormat& DateSettings() { return *FDateSettings; }
  void SetDateSettings(const TMxDateFormat& value) { FDateSettings->Assign(value); }
  // Today and now for meDate and meTime; the system clock when none is set.
  void SetClock(const IMxClock* clock) {
    Clock = clock;
    FDateSettings->SetClock(clock);
  }

  bool ProcessBlankChar = false;
  bool ForceMaskCheck = false;
  char ThousandSeparatorChar;
  char DecimalSeparatorChar;
  bool NegativeZero = false;
  TMxUserRuleEvent OnUserRule;
  // Told that a text could not be read (hides the engine's error-level event).
  TMxNotifyEvent OnValidationError;

  // --- suffix ---------------------------------------------------------------------------
  // The suffix this type shows (empty for the types that never show one); valid until the
  // suffix or the mask type changes.
  const std::string& EffectiveSuffix() const;
  std::string TextWithoutSuffix();
  void SetTextWithSuffix(std::string_view s);

  // --- values ---------------------------------------------------------------------------
  // Each raises EMxWrongDataType for another mask type; unreadable text gives 0 and one
  // DoValidationError.
  std::int32_t IntegerValue();
  std::uint32_t WordValue();
  double FloatValue();
  double CurrencyValue(); // any type; never raises
  double DateValue();
  double TimeValue();
  // Shows x in the form of the mask type (nothing for meMask and meNone). A value the
  // type cannot hold is reported through DoValidationError and the text is kept.
  void SetValue(double x);
  // Brings the text into the type's form (runs after every change).
  void Reformat();

  // The stored "Value" (empty for meMask and meNone) and the readers of stored values.
  std::optional<TMxStoredValue> StoredValue();
  void ReadStoredValue(long double value);
  void ReadStoredDateTime(long double value);
  void Loaded() override;

  // --- mask -----------------------------------------------------------------------------
  const TMxMaskTemplate& MaskTemplate() const { return FTemplate; }
  std::string EmptyMaskText() const { return FTemplate.EmptyMaskText(FBlankChar); }
  bool CharMatchesMask(int p, char c);
  bool CharAllowedAt(int p, char c);
  bool TextMatchesMask(std::string_view t);
  int FirstMissingRequired(std::string_view t);

  // --- input ------------------------------------------------------------------------------
  void KeyPress(char c) override;
  void KeyDown(TMxKey key, std::uint8_t modifiers) override;
  // Focus checks the window calls after its own focus handling.
  void DoExit();
  void DoEnter();
  TMxKey LastKey() const { return FLastKey; }
  // A mouse-wheel turn (positive away from the user); true when the field used it.
  bool MouseWheel(int delta);
  // A click at character position pos (the window's CharIndexFromX): a meDate field puts
  // the caret at the start of the part there, other types at pos.
  void ClickAt(int pos);

  // --- meDate parts -------------------------------------------------------------------
  // Steps the part under the caret by d (days, months within the year, or years) and
  // shows the result in the editing form; a combination that is no date is reported
  // through DoValidationError and leaves the text.
  void StepDatePart(int d);
  // Keys typed into the current part since the caret last moved to a part.
  int KeysInPart() const { return FDateTyping.KeysInPart(); }

  // --- hooks --------------------------------------------------------------------------
  virtual void DoValidationError();
  void TextChangedAt(int pos) override;
  void TextAssigned() override;
  void CursorPosChanged() override;
  void BeforeEdit() override;
  void AfterEdit() override;
  void BeforeInsert(int pos, std::string& text) override;
  void BeforeDelete(int pos, std::string_view text) override;
  bool CanEdit(const std::string& text) override;
  void CutToClipboard() override;
  void PasteFromClipboard() override;

private:
  // The value of an integer or word text in the number base: 0 for an empty text, and 0
  // with one DoValidationError for a text that cannot be read.
  std::int64_t IntegerTextValue();
  double Today() const;
  double NowTime() const;
  TMxLocaleValues Locale() const;
  TMxNumberSeparators Separators() const;
  std::int64_t CurrentCurrency();
  void ReformatCurrency();
  // Typed characters (MxMaskEditKeys.cpp): KeyPress hands each character to the function
  // of the mask type; TDirectChanges undoes a direct change made for a refused character.
  class TDirectChanges;
  void IntegerKeyPress(char c, TDirectChanges& direct);
  void WordKeyPress(char c, TDirectChanges& direct);
  void FloatKeyPress(char c, TDirectChanges& direct);
  void CurrencyKeyPress(char c, TDirectChanges& direct);
  void TimeKeyPress(char c);
  void MaskKeyPress(char c);
  bool ZeroStep(char c, double value);
  void ToggleSign();
  bool IsBaseDigit(char c) const;
  bool IsNumberChar(char c) const;
  void StepCaret();
  void InheritedKeyPress(char c) { DefaultKeyPress(c); }
  void DateKeyPress(char c);
  bool DateKeyDown(TMxKey key);
  void ReformatDate();
  void SelectDatePart();
  void MoveToDatePart(int start);
  std::string TemplateRange(int start, int length) const;
  bool SuffixBlocksClipboard() const;
  // The type-specific halves of the hooks above.
  bool NumberCanEdit(const std::string& text);
  void CurrencyBeforeDelete(int pos, std::string_view removed);
  void SaveTextForMask();
  void FilterInsert(int pos, std::string& text);
  void GroupedAfterEdit();

  TMxMaskType FMaskType = meMask;
  int FNumberBase = 10;
  int FDecimals = 1;
  std::string FSuffix;
  std::string FMask;
  TMxMaskTemplate FTemplate;
  char FBlankChar = '_';
  std::unique_ptr<TMxCurrencySettings> FCurrencySettings;
  std::unique_ptr<TMxDateFormat> FDateSettings;
  const IMxClock* Clock = nullptr;

  std::uint8_t SavedEditMode = emInsert;
  std::string SavedText;      // the text at the last edit step (meMask restores it)
  std::string TextBeforeEdit; // the text before the current change (currency overflow)
  int SeparatorsBeforeCaret = 0;
  TMxKey FLastKey = TMxKey::Other;
  int ReformatDepth = 0;
  TMxDateTyping FDateTyping;   // meDate: the keys typed into the parts
  bool FAssigningText = false; // a Text assignment is running (not an edit)
  bool FSelectingPart = false;
};
