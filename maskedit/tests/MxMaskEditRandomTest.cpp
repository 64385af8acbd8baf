// Long seeded random sequences of keys, pastes, selections, undos and assignments on every
// mask type. After every step: the caret is inside the text, a number type's text is a
// fixed point of its own re-formatting, a mask text fits its mask, and nothing crashes
// (the native build runs this under the address and undefined-behaviour sanitizers).
#include "maskedit/tests/MaskEditTestSupport.h"

#include <gtest/gtest.h>
#include <random>

namespace {

struct TypeSetup {
  const char* name;
  std::function<void(TMxCustomMaskEdit&)> setup;
};

std::string RandomText(std::mt19937& rng, size_t maxLength) {
  static const std::string alphabet = "0123456789,.-+ ()abzAFZ\r\n_\xA4kg";
  std::uniform_int_distribution<size_t> length(0, maxLength);
  std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
  std::string s(length(rng), ' ');
  for (char& c : s) {
    c = alphabet[pick(rng)];
  }
  return s;
}

void CheckInvariants(TMxCustomMaskEdit& e, const std::string& context) {
  const int len = static_cast<int>(e.RawText().size());
  ASSERT_GE(e.GetCursorPos(), 1) << context;
  ASSERT_LE(e.GetCursorPos(), len + 1) << context;
  const TMxMaskType t = e.GetMaskType();
  // A parenthesised negative currency text carries no "-": it is shown once and reads
  // back as positive, so it is no fixed point by design.
  // A "-" typed into a zero amount (NegativeZero) is shown at the next re-format.
  // A negative zero is shown once as well.
  const bool parenthesised =
      t == meCurrency &&
      (e.RawText().find('(') != std::string::npos || e.NegativeZero ||
       (e.RawText().find('-') != std::string::npos && e.CurrencySettings().ParseCurrency(e.RawText()) == 0));
  if ((t == meInteger || t == meFloatFixed || t == meFloatNumber || t == meCurrency) && !parenthesised) {
    const std::string before = e.RawText();
    e.Reformat();
    ASSERT_EQ(e.RawText(), before) << context << ": not a fixed point";
  }
  if (t == meMask) {
    ASSERT_TRUE(e.TextMatchesMask(e.RawText())) << context << ": '" << e.RawText() << "'";
  }
}

TEST(MaskEditRandom, InvariantsHoldOnEveryMaskType) {
  const TypeSetup types[] = {
      {"integer", [](TMxCustomMaskEdit& e) { e.SetMaskType(meInteger); }},
      {"integer16kg",
       [](TMxCustomMaskEdit& e) {
         e.SetMaskType(meInteger);
         e.SetNumberBase(16);
         e.SetSuffix(" kg");
       }},
      {"word", [](TMxCustomMaskEdit& e) { e.SetMaskType(meWord); }},
      {"float",
       [](TMxCustomMaskEdit& e) {
         e.SetMaskType(meFloat);
         e.SetDecimals(3);
       }},
      {"floatfixed",
       [](TMxCustomMaskEdit& e) {
         e.SetMaskType(meFloatFixed);
         e.SetDecimals(2);
       }},
      {"floatnumber",
       [](TMxCustomMaskEdit& e) {
         e.SetMaskType(meFloatNumber);
         e.SetDecimals(2);
       }},
      {"currency0", [](TMxCustomMaskEdit& e) { MakeAmountField(e, 0); }},
      {"currency2", [](TMxCustomMaskEdit& e) { MakeAmountField(e, 2); }},
      {"currencyMinus",
       [](TMxCustomMaskEdit& e) {
         e.CurrencySettings().SetSystemDefaults(cmUser);
         e.CurrencySettings().SetNegativeFormatStr("-\xA4"
                                                   "1,1");
         e.CurrencySettings().SetSymbol("Rp ");
         e.SetMaskType(meCurrency);
       }},
      {"date", [](TMxCustomMaskEdit& e) { e.SetMaskType(meDate); }},
      {"time", [](TMxCustomMaskEdit& e) { e.SetMaskType(meTime); }},
      {"mask", [](TMxCustomMaskEdit& e) { e.SetMask("!9!9\\-99aA"); }},
      {"none",
       [](TMxCustomMaskEdit& e) {
         e.SetMaskType(meNone);
         e.SetMaxLength(40);
       }},
  };
  const TMxKey keys[] = {TMxKey::Back, TMxKey::Delete, TMxKey::Left, TMxKey::Right, TMxKey::Home,
                         TMxKey::End,  TMxKey::Up,     TMxKey::Down, TMxKey::Insert};
  const std::string typed = "0123456789,,,---.abAZ _\r";
  for (const TypeSetup& type : types) {
    for (unsigned seed = 1; seed <= 4; ++seed) {
      TMaskEditHarness h;
      type.setup(*h.Edit);
      std::mt19937 rng(seed * 7919u);
      std::uniform_int_distribution<int> op(0, 99);
      for (int step = 0; step < 1500; ++step) {
        const int o = op(rng);
        std::string what;
        if (o < 45) {
          const char c = typed[static_cast<size_t>(rng() % typed.size())];
          what = std::string("type '") + c + "'";
          h.Edit->KeyPress(c);
        } else if (o < 70) {
          const std::uint8_t mods = (rng() % 4 == 0) ? emShift : (rng() % 8 == 0 ? emCtrl : 0);
          what = "key " + std::to_string(static_cast<int>(keys[rng() % std::size(keys)]));
          h.Edit->KeyDown(keys[rng() % std::size(keys)], mods);
        } else if (o < 77) {
          h.Clipboard.SetText(RandomText(rng, 12));
          what = "paste";
          h.Edit->PasteFromClipboard();
        } else if (o < 82) {
          what = "cut";
          h.Edit->CutToClipboard();
        } else if (o < 88) {
          const int len = static_cast<int>(h.Edit->RawText().size());
          h.Edit->SetCursorPos(static_cast<int>(rng() % static_cast<unsigned>(len + 3)) - 1);
          h.Edit->SetSelStart(static_cast<int>(rng() % static_cast<unsigned>(len + 4)) - 2);
          h.Edit->SetSelLength(static_cast<int>(rng() % static_cast<unsigned>(len + 4)) - 2);
          what = "select";
        } else if (o < 93) {
          what = "undo";
          h.Edit->Undo();
        } else if (o < 96) {
          what = "assign";
          h.Edit->SetText(RandomText(rng, 20));
        } else if (o < 98) {
          what = "exit/enter";
          h.Edit->DoExit();
          h.Edit->DoEnter();
        } else {
          what = "clear all";
          h.Edit->ClearAll();
        }
        // A selection may be left anywhere by "select"; positions are what must hold.
        CheckInvariants(*h.Edit, std::string(type.name) + " seed " + std::to_string(seed) + " step " +
                                     std::to_string(step) + " " + what);
        if (::testing::Test::HasFatalFailure()) {
          return;
        }
      }
    }
  }
}

} // namespace
