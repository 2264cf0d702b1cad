// Exceptions of the platform layer. `EAbort` is the silent abort: it ends
// the running handler chain and no message is shown for it. Every other
// exception carries a message for the user, unchanged from where it was raised.
#pragma once

#include <stdexcept>
#include <string>

namespace zor::plat {

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message), message_(message) {}
  std::string Message() const { return message_; }
  // Error handlers (a dataset's post-error event) may reword the message
  // before the same exception travels on.
  void SetMessage(const std::string& message) { message_ = message; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

class EAbort : public Exception {
 public:
  EAbort() : Exception("Operation aborted") {}
};

class EConvertError : public Exception {
  using Exception::Exception;
};

class EVariantError : public Exception {
  using Exception::Exception;
};

class EDatabaseError : public Exception {
  using Exception::Exception;
};

// A query run read-only tried to change the database and was stopped
// before anything changed.
class EWriteRefused : public EDatabaseError {
  using EDatabaseError::EDatabaseError;
};

class EComponentError : public Exception {
  using Exception::Exception;
};

// Raises the silent abort.
[[noreturn]] void Abort();

}  // namespace zor::plat
