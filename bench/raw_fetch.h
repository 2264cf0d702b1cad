// The raw baselines: a dataset's own SELECT, or the INSERTs of a save, run
// straight on the database through the engine's C library (sqlite3, libpq),
// every value read copied into a row of plain values, with no server, no
// packet and no dataset.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace zor::bench {

using RawValue = std::variant<std::monostate, std::int64_t, double, std::string>;
using RawRows = std::vector<std::vector<RawValue>>;

// One reader on the database of a "sqlite:PATH" or PostgreSQL URL, kept open
// between fetches as the server keeps its connections.
class RawReader {
 public:
  explicit RawReader(const std::string& url);
  ~RawReader();
  RawReader(const RawReader&) = delete;
  RawReader& operator=(const RawReader&) = delete;

  // sql uses '?' placeholders.
  RawRows Fetch(const std::string& sql, const std::vector<RawValue>& params);
  // A statement that returns no rows (BEGIN, INSERT, COMMIT).
  void Exec(const std::string& sql, const std::vector<RawValue>& params = {});

 private:
  RawRows Run(const std::string& sql, const std::vector<RawValue>& params, bool rows);

  void* sqlite_ = nullptr;
  void* pg_ = nullptr;
};

}  // namespace zor::bench
