#pragma once
// TMxFlagScope: sets a flag for the lifetime of a scope and puts back the value it had, on
// every way out (also when the scope ends by an exception).
class TMxFlagScope {
public:
  explicit TMxFlagScope(bool& flag) : FFlag(flag), FWas(flag) { FFlag = true; }
  ~TMxFlagScope() { FFlag = FWas; }
  TMxFlagScope(const TMxFlagScope&) = delete;
  TMxFlagScope& operator=(const TMxFlagScope&) = delete;

private:
  bool& FFlag;
  bool FWas;
};
