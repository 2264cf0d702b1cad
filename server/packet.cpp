// Packet building and delta reading (see packet.h).
#include "server/packet.h"

#include <charconv>
#include <cstdio>

#include "server/stored_value.h"

namespace zor::server {

using json = nlohmann::ordered_json;

namespace {

const char* typeName(FieldType t) {
  switch (t) {
    case FieldType::string: return "string";
    case FieldType::integer: return "integer";
    case FieldType::floating: return "float";
    case FieldType::datetime: return "datetime";
    case FieldType::boolean: return "boolean";
  }
  return "string";
}

const char* typeNamePt(FieldType t) {
  switch (t) {
    case FieldType::string: return "um texto";
    case FieldType::integer: return "um número inteiro";
    case FieldType::floating: return "um número";
    case FieldType::datetime: return "uma data e hora no formato aaaa-mm-ddThh:nn:ss";
    case FieldType::boolean: return "verdadeiro ou falso";
  }
  return "";
}


// A stored value as the packet carries it: in its normal form, except that
// an empty text stays an empty text.
json toJson(const FieldDef& f, const SqlValue& v) {
  if (isNull(v)) return nullptr;
  if (f.type == FieldType::string) return asText(v);
  SqlValue n = normalForm(f, v);
  if (isNull(n)) return nullptr;  // a date no one can read
  switch (f.type) {
    case FieldType::floating: return std::get<double>(n);
    case FieldType::integer: return std::get<std::int64_t>(n);
    case FieldType::boolean: return std::get<std::int64_t>(n) != 0;
    case FieldType::datetime: return std::get<std::string>(n);
    case FieldType::string: break;
  }
  return nullptr;
}

[[noreturn]] void bad(const std::string& message) {
  throw ProtocolError(rpc_code::invalidParams, "Delta inválido: " + message);
}

SqlValue fromJson(const FieldDef& f, const json& v, size_t change, const char* side) {
  if (v.is_null()) return std::monostate{};
  auto wrong = [&]() {
    bad("alteração " + std::to_string(change + 1) + " (" + side + "), campo " + f.name + ": esperado " +
        typeNamePt(f.type) + ".");
  };
  switch (f.type) {
    case FieldType::string:
      if (!v.is_string()) wrong();
      return v.get<std::string>();
    case FieldType::integer:
      if (!v.is_number_integer()) wrong();
      return v.get<std::int64_t>();
    case FieldType::floating:
      if (!v.is_number()) wrong();
      return v.get<double>();
    case FieldType::boolean:
      if (!v.is_boolean()) wrong();
      return static_cast<std::int64_t>(v.get<bool>() ? 1 : 0);
    case FieldType::datetime: {
      if (!v.is_string()) wrong();
      std::string canon = canonicalDateTime(v.get<std::string>());
      if (canon.empty()) wrong();
      return canon;
    }
  }
  wrong();
  return std::monostate{};
}

std::vector<SqlValue> readRow(const DatasetDef& d, const std::vector<int>& map, const json& row, size_t change,
                              const char* side) {
  if (!row.is_array())
    bad("alteração " + std::to_string(change + 1) + ": \"" + side + "\" deve ser uma lista de valores.");
  if (row.size() != map.size())
    bad("alteração " + std::to_string(change + 1) + ": \"" + side + "\" tem " + std::to_string(row.size()) +
        " valores, mas o delta declara " + std::to_string(map.size()) + " campos.");
  std::vector<SqlValue> out(d.fields.size());
  for (size_t i = 0; i < map.size(); ++i) out[map[i]] = fromJson(d.fields[map[i]], row[i], change, side);
  return out;
}

}  // namespace

size_t utf8Length(const std::string& s) {
  size_t n = 0;
  for (unsigned char c : s)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

std::string canonicalDateTime(const std::string& text) {
  int y, mo, d, h, mi, s;
  char sep;
  int consumed = 0;
  if (text.size() != 19) return {};
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c%2d:%2d:%2d%n", &y, &mo, &d, &sep, &h, &mi, &s, &consumed) != 7 ||
      consumed != 19 || (sep != 'T' && sep != ' '))
    return {};
  for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15, 17, 18})
    if (text[i] < '0' || text[i] > '9') return {};
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  if (y < 1 || mo < 1 || mo > 12 || d < 1) return {};
  if (d > days[mo - 1] + (mo == 2 && leap ? 1 : 0)) return {};
  if (h > 23 || mi > 59 || s > 59) return {};
  std::string out = text;
  out[10] = 'T';
  return out;
}

json fieldsJson(const DatasetDef& d) {
  json fields = json::array();
  for (const auto& f : d.fields) {
    json j = {{"name", f.name}, {"type", typeName(f.type)}};
    if (f.type == FieldType::string) j["size"] = f.size;
    if (f.type == FieldType::floating) j["precision"] = f.precision;
    fields.push_back(std::move(j));
  }
  return fields;
}

std::string selectSql(const DatasetDef& d) {
  std::string sql = "SELECT ";
  for (size_t i = 0; i < d.fields.size(); ++i) sql += (i ? ", " : "") + d.fields[i].source;
  return sql + " FROM " + d.from;
}

json makePacket(const DatasetDef& d, const QueryResult& rows) {
  json out = {{"fields", fieldsJson(d)}, {"rows", json::array()}};
  auto& list = out["rows"];
  for (const auto& r : rows.rows) {
    json row = json::array();
    for (size_t i = 0; i < d.fields.size(); ++i) row.push_back(toJson(d.fields[i], r[i]));
    list.push_back(std::move(row));
  }
  return out;
}

std::vector<Change> parseDelta(const DatasetDef& d, const json& delta) {
  if (!delta.is_object()) bad("o delta deve ser um objeto JSON com \"fields\" e \"changes\".");
  auto fit = delta.find("fields");
  auto cit = delta.find("changes");
  if (fit == delta.end() || !fit->is_array()) bad("falta a lista \"fields\".");
  if (cit == delta.end() || !cit->is_array()) bad("falta a lista \"changes\".");

  std::vector<int> map;
  std::vector<bool> seen(d.fields.size(), false);
  for (const auto& f : *fit) {
    if (!f.is_object() || !f.contains("name") || !f["name"].is_string())
      bad("cada campo deve ser um objeto com \"name\".");
    std::string name = f["name"].get<std::string>();
    int idx = d.indexOf(name);
    if (idx < 0) bad("o campo " + name + " não pertence a " + d.name + ".");
    if (seen[idx]) bad("o campo " + name + " aparece duas vezes.");
    if (f.contains("type") && f["type"] != typeName(d.fields[idx].type))
      bad("o campo " + name + " deve ser do tipo " + typeName(d.fields[idx].type) + ".");
    seen[idx] = true;
    map.push_back(idx);
  }
  for (size_t i = 0; i < d.fields.size(); ++i)
    if (d.fields[i].stored && !seen[i]) bad("falta o campo " + d.fields[i].name + ".");

  std::vector<Change> out;
  size_t n = 0;
  for (const auto& c : *cit) {
    if (!c.is_object() || !c.contains("kind") || !c["kind"].is_string())
      bad("alteração " + std::to_string(n + 1) + ": falta \"kind\".");
    std::string kind = c["kind"].get<std::string>();
    Change ch;
    if (kind == "insert") {
      ch.kind = ChangeKind::insert;
      if (!c.contains("new")) bad("alteração " + std::to_string(n + 1) + ": uma inclusão precisa de \"new\".");
      ch.newValues = readRow(d, map, c["new"], n, "new");
    } else if (kind == "modify") {
      ch.kind = ChangeKind::modify;
      if (!c.contains("old") || !c.contains("new"))
        bad("alteração " + std::to_string(n + 1) + ": uma alteração precisa de \"old\" e \"new\".");
      ch.oldValues = readRow(d, map, c["old"], n, "old");
      ch.newValues = readRow(d, map, c["new"], n, "new");
    } else if (kind == "delete") {
      ch.kind = ChangeKind::remove;
      if (!c.contains("old")) bad("alteração " + std::to_string(n + 1) + ": uma exclusão precisa de \"old\".");
      ch.oldValues = readRow(d, map, c["old"], n, "old");
    } else {
      bad("alteração " + std::to_string(n + 1) + ": tipo \"" + kind +
          "\" desconhecido (use insert, modify ou delete).");
    }
    out.push_back(std::move(ch));
    ++n;
  }
  return out;
}

}  // namespace zor::server
