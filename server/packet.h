// Data packets and deltas as the server meets them, over the wire codec:
// a packet written straight from the rows of a dataset's select, and a
// delta read strictly against the dataset's fields (anything malformed is
// refused before the database is touched).
#pragma once

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <vector>

#include "server/dataset_catalog.h"
#include "server/db_connection.h"
#include "wire/packet.h"

namespace zor::server {

// A request the server cannot understand; answered with a JSON-RPC error.
class ProtocolError : public std::runtime_error {
 public:
  ProtocolError(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
  int Code() const { return code_; }

 private:
  int code_;
};

namespace rpc_code {
constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInvalidParams = -32602;
constexpr int kInternalError = -32603;
}  // namespace rpc_code

// The dataset's fields as a packet or a delta declares them.
nlohmann::ordered_json FieldsJson(const DatasetDef& d);

// "SELECT <every field's source> FROM <from>"; callers add WHERE and ORDER BY.
std::string SelectSql(const DatasetDef& d);

// The JSON text of the packet of the rows `sql` reads, whose columns are the
// dataset's fields in order, each value in the form the server reads it in;
// written as the rows are read, none of them kept.
enum class Plan { KeptForAnyValues, ForTheseValues };  // see Connection::QueryEachPlannedForValues
std::string PacketText(Connection& c, const DatasetDef& d, const std::string& sql,
                       const std::vector<SqlValue>& params, Plan plan = Plan::KeptForAnyValues);

// One changed row; values are indexed like the dataset's fields (a field
// the delta does not carry is null).
struct Change {
  wire::ChangeKind kind;
  std::vector<SqlValue> oldValues;  // Modify, Delete
  std::vector<SqlValue> newValues;  // Insert, Modify
};

// Throws ProtocolError (invalid params) naming the change and field at fault.
std::vector<Change> ParseDelta(const DatasetDef& d, const nlohmann::ordered_json& delta);

// Characters (not bytes) of a UTF-8 text.
size_t Utf8Length(const std::string& s);

}  // namespace zor::server
