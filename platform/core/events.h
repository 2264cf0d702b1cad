// Event handler types shared by components. An event is a public member
// holding a callable; assigning nullptr detaches the handler, and the owner
// of the event calls it only when attached.
#pragma once

#include <functional>

namespace zor::plat {

class TObject;

using TNotifyEvent = std::function<void(TObject* sender)>;

// Calls the handler when attached.
inline void Fire(const TNotifyEvent& event, TObject* sender) {
  if (event) event(sender);
}

// Detaches the handler of an event for a scope (a change made from code
// must not run it) and attaches it again on every way out, exceptions
// included.
template <typename Event>
class DetachedHandler {
 public:
  explicit DetachedHandler(Event& event) : event_(event), handler_(event) { event_ = nullptr; }
  ~DetachedHandler() { event_ = handler_; }
  DetachedHandler(const DetachedHandler&) = delete;
  DetachedHandler& operator=(const DetachedHandler&) = delete;

 private:
  Event& event_;
  Event handler_;
};

}  // namespace zor::plat
