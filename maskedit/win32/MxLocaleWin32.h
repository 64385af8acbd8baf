#pragma once
// Locale values of the calling thread's locale, read with GetLocaleInfoA.
#include "maskedit/MxLocale.h"

class TMxThreadLocaleSource final : public TMxLocaleSource {
public:
  TMxLocaleValues Read() const override;
};
