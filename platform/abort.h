// EAbort: the exception that ends an action silently. The default exception
// handler shows nothing for it, so an action cancelled on purpose (a fetch
// stopped because the window closes) leaves no error box behind.
#pragma once

#include <exception>

namespace qv {

class EAbort : public std::exception {
 public:
  const char* what() const noexcept override { return "operation aborted"; }
};

}  // namespace qv
