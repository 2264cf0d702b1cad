// A list of callbacks that a platform object notifies when it changes, so a
// renderer can stay in step without the object knowing about it. Callbacks
// may unsubscribe while being notified.
#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace zor::plat {

template <typename... Args>
class Observers {
 public:
  using Callback = std::function<void(Args...)>;

  int Subscribe(Callback cb) {
    entries_.push_back({++last_id_, std::move(cb)});
    return last_id_;
  }

  void Unsubscribe(int id) {
    for (auto& e : entries_)
      if (e.id == id) e.cb = nullptr;
  }

  void Notify(Args... args) {
    // Index loop: a callback may subscribe more while we walk the list;
    // removed entries are swept only by the outermost notification.
    ++depth_;
    try {
      for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].cb) {
          auto cb = entries_[i].cb;
          cb(args...);
        }
    } catch (...) {
      --depth_;
      throw;
    }
    if (--depth_ == 0) std::erase_if(entries_, [](const Entry& e) { return !e.cb; });
  }

  bool Empty() const { return entries_.empty(); }

 private:
  struct Entry {
    int id;
    Callback cb;
  };
  std::vector<Entry> entries_;
  int last_id_ = 0;
  int depth_ = 0;
};

}  // namespace zor::plat
