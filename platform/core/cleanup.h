// Work that must happen however a block ends, normally or by an exception.
#pragma once

#include <utility>

namespace zor::plat {

// Sets a value for the length of a scope and puts the previous one back
// when the scope ends.
template <typename T>
class Restore {
 public:
  Restore(T& ref, T value) : ref_(ref), saved_(ref) { ref_ = std::move(value); }
  ~Restore() { ref_ = std::move(saved_); }
  Restore(const Restore&) = delete;
  Restore& operator=(const Restore&) = delete;

 private:
  T& ref_;
  T saved_;
};

// Runs `body`, then `after` whether body ended normally or by an exception,
// which goes on once `after` has run. Unlike a guard's destructor, `after`
// may raise: its exception then replaces body's, as one raised in a catch
// block would.
template <typename Body, typename After>
void Finally(Body&& body, After&& after) {
  try {
    std::forward<Body>(body)();
  } catch (...) {
    std::forward<After>(after)();
    throw;
  }
  std::forward<After>(after)();
}

}  // namespace zor::plat
