// The prepared statements of one database connection, by their SQL text,
// kept in the order they were last used. Past its limit the cache lets go
// of the statement unused the longest, so that statements written with a
// varying number of placeholders (lists of keys) come and go without
// pushing out those every call runs. The driver frees what is let go.
#pragma once

#include <cstddef>
#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace zor::server {

template <class Handle>
class StatementCache {
 public:
  explicit StatementCache(std::size_t limit) : limit_(limit < 1 ? 1 : limit) {}
  StatementCache(const StatementCache&) = delete;
  StatementCache& operator=(const StatementCache&) = delete;

  // The statement prepared for `sql`, now the most recently used; null when
  // there is none.
  Handle* Find(const std::string& sql) {
    auto it = index_.find(sql);
    if (it == index_.end()) return nullptr;
    entries_.splice(entries_.begin(), entries_, it->second);
    return &it->second->handle;
  }

  // Keeps `handle` for `sql` (not yet cached); returns the statement let go
  // to stay within the limit, which the caller frees.
  std::optional<Handle> Add(const std::string& sql, Handle handle) {
    std::optional<Handle> dropped;
    if (entries_.size() >= limit_) {
      dropped = std::move(entries_.back().handle);
      index_.erase(entries_.back().sql);
      entries_.pop_back();
    }
    entries_.push_front(Entry{sql, std::move(handle)});
    index_.emplace(entries_.front().sql, entries_.begin());
    return dropped;
  }

  // Forgets the statement of `sql` (one the database no longer accepts);
  // returns it for the caller to free.
  std::optional<Handle> Remove(const std::string& sql) {
    auto it = index_.find(sql);
    if (it == index_.end()) return std::nullopt;
    auto entry = it->second;
    std::optional<Handle> h = std::move(entry->handle);
    index_.erase(it);  // before the text its key views
    entries_.erase(entry);
    return h;
  }

  // Every statement kept, for the driver to free them when it closes.
  template <class Visit>
  void ForEach(Visit visit) {
    for (auto& e : entries_) visit(e.handle);
  }

  std::size_t Size() const { return entries_.size(); }

 private:
  struct Entry {
    std::string sql;
    Handle handle;
  };
  std::size_t limit_;
  std::list<Entry> entries_;  // most recently used first
  // Keyed by the entry's own text (list nodes never move).
  std::unordered_map<std::string_view, typename std::list<Entry>::iterator> index_;
};

}  // namespace zor::server
