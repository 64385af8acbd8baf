#include "maskedit/MxLocale.h"

TMxLocaleValues TMxLocaleValues::EnglishUS() {
  return {"$", "0", "0", "3;0", "2", ".", ",", ",", "M/d/yyyy", "/", "h:mm:ss tt", ":", "AM", "PM"};
}

TMxLocaleValues TMxLocaleValues::Indonesian() {
  return {"Rp", "1", "0", "3;0", "2", ",", ".", ".", "d/M/yyyy", "/", "HH.mm.ss", ".", "", ""};
}

namespace {
const TMxFixedLocaleSource& DefaultSource() {
  static const TMxFixedLocaleSource source(TMxLocaleValues::EnglishUS());
  return source;
}
const TMxLocaleSource* current = nullptr;
} // namespace

const TMxLocaleSource& MxLocaleSource() {
  return current ? *current : DefaultSource();
}

void MxSetLocaleSource(const TMxLocaleSource* source) {
  current = (source == &DefaultSource()) ? nullptr : source;
}
