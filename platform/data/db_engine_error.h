// A database error that carries the database engine's own list of error
// entries (native code and text each), for post-error handlers that pick
// one entry's text to show instead of the whole message.
#pragma once

#include <string>
#include <vector>

#include "platform/core/exceptions.h"

namespace zor::plat {

struct TDBError {
  int NativeError = 0;
  std::string Message;
};

class EDBEngineError : public EDatabaseError {
 public:
  EDBEngineError(const std::string& message, std::vector<TDBError> errors)
      : EDatabaseError(message), errors_(std::move(errors)) {}
  int ErrorCount() const { return static_cast<int>(errors_.size()); }
  // Raises std::out_of_range for a bad index.
  const TDBError& Errors(int index) const { return errors_.at(index); }

 private:
  std::vector<TDBError> errors_;
};

}  // namespace zor::plat
