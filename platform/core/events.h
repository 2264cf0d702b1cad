// Event handler types shared by components. An event is a public member
// holding a callable; assigning nullptr detaches the handler, and the owner
// of the event calls it only when attached.
#pragma once

#include <functional>

namespace plat {

class TObject;

using TNotifyEvent = std::function<void(TObject* sender)>;

// Calls the handler when attached.
inline void Fire(const TNotifyEvent& event, TObject* sender) {
  if (event) event(sender);
}

}  // namespace plat
