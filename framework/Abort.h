#pragma once
// The silent abort: an operation that has refused (after telling the user) ends by throwing
// EAbort. Every event dispatch of the framework catches it and does nothing else: no
// message, no further step of the handler.
#include <exception>

class EAbort : public std::exception {
public:
  const char* what() const noexcept override { return "Operation aborted"; }
};

[[noreturn]] inline void Abort() { throw EAbort(); }
