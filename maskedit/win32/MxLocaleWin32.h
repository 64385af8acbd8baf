#pragma once
// Locale values of the calling thread's locale, read with GetLocaleInfoA.
//
// The values are read once per locale and kept: every amount field asks for them as it is
// made and as its settings change, and each reading is some fifty platform calls. A
// program that switches its thread locale gets the other locale's values; changes the user
// makes to the locale's settings while the program runs are seen by the next program.
#include "maskedit/values/MxLocale.h"

#include <windows.h>

#include <mutex>
#include <optional>

class TMxThreadLocaleSource final : public TMxLocaleSource {
public:
  TMxLocaleValues Read() const override;

private:
  mutable std::mutex FLock;
  mutable LCID FLocale = 0;
  mutable std::optional<TMxLocaleValues> FValues;
};
