// Strict reading of packets and deltas (see packet_reader.h): what does not
// depend on the value type, and the readers of the neutral value.
#include "wire/packet_reader_impl.h"

#include <cmath>
#include <set>

namespace zor::wire {

namespace detail {

const char* const kPacketError = "Pacote de dados inválido: ";
const char* const kDeltaError = "Delta inválido: ";

void Fail(const char* prefix, const std::string& what) { throw DecodeError(prefix + what); }

void BadValue(const char* prefix, const std::string& where, const FieldDef& f) {
  Fail(prefix, "valor inválido n" + where + ", campo '" + f.Name + "': esperado " + TypeLabel(f.Type) + ".");
}

namespace {

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

// A name as the repeat check compares it: letter case aside.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

// Every delta declares its fields, so this runs for each one a desk sends:
// no text is built unless a field is refused.
template <typename Json>
std::vector<FieldDef> DeclaredFields(const Json& doc, const char* prefix, const FieldResolver& resolve) {
  auto it = doc.find("fields");
  if (it == doc.end() || !it->is_array()) Fail(prefix, "falta a lista \"fields\".");
  std::vector<FieldDef> fields;
  fields.reserve(it->size());
  std::vector<std::string_view> declared;  // the names so far, to refuse a repeat
  declared.reserve(it->size());
  // Past this many fields the names are looked up in a set, so that a
  // hostile list of thousands of fields stays linear.
  constexpr size_t kCompareEach = 64;
  std::set<std::string> seen;
  int n = 0;
  for (const auto& f : *it) {
    ++n;
    auto where = [n] { return "o campo " + std::to_string(n); };
    if (!f.is_object()) Fail(prefix, where() + " não é um objeto.");
    auto name = f.find("name");
    if (name == f.end() || !name->is_string() || name->template get_ref<const std::string&>().empty())
      Fail(prefix, where() + " não tem nome.");
    const std::string& given = name->template get_ref<const std::string&>();
    bool repeated = false;
    if (declared.size() < kCompareEach) {
      for (std::string_view other : declared) repeated = repeated || SameName(other, given);
      declared.push_back(given);
      if (declared.size() == kCompareEach)
        for (std::string_view d : declared) seen.insert(Upper(std::string(d)));
    } else {
      repeated = !seen.insert(Upper(given)).second;
    }
    if (repeated) Fail(prefix, "o campo '" + given + "' está repetido.");
    FieldDef def;
    def.Name = given;
    auto type = f.find("type");
    bool typeGiven = type != f.end() && !type->is_null();
    if (typeGiven) {
      if (!type->is_string()) Fail(prefix, "o campo '" + def.Name + "' não tem tipo.");
      const std::string& typeName = type->template get_ref<const std::string&>();
      if (!TypeFromName(typeName, def.Type))
        Fail(prefix, "tipo '" + typeName + "' desconhecido no campo '" + def.Name + "'.");
    }
    for (const char* key : {"size", "precision"}) {
      auto v = f.find(key);
      if (v == f.end() || v->is_null()) continue;
      if (!v->is_number_integer() || v->template get<std::int64_t>() < 0 ||
          v->template get<std::int64_t>() > 1000000)
        Fail(prefix, std::string("\"") + key + "\" inválido no campo '" + def.Name + "'.");
      (key[0] == 's' ? def.Size : def.Precision) = v->template get<int>();
    }
    try {
      fields.push_back(resolve(def, typeGiven));
    } catch (const DecodeError& e) {
      Fail(prefix, e.what());
    }
  }
  return fields;
}

}  // namespace

std::vector<FieldDef> FieldsFromJson(const nlohmann::json& doc, const char* prefix, const FieldResolver& resolve) {
  return DeclaredFields(doc, prefix, resolve);
}

std::vector<FieldDef> FieldsFromJson(const nlohmann::ordered_json& doc, const char* prefix,
                                     const FieldResolver& resolve) {
  return DeclaredFields(doc, prefix, resolve);
}

}  // namespace detail

FieldDef DeclaredField(const FieldDef& declared, bool typeGiven) {
  if (!typeGiven) throw DecodeError("o campo '" + declared.Name + "' não tem tipo.");
  return declared;
}

bool ValueCodec<Value>::Type(Value& v, FieldType type) {
  if (IsNull(v)) return true;
  switch (type) {
    case FieldType::String: return std::holds_alternative<std::string>(v);
    case FieldType::Integer:
      if (std::holds_alternative<std::int64_t>(v)) return true;
      if (auto* d = std::get_if<double>(&v)) {
        if (std::isfinite(*d) && *d == std::trunc(*d) && std::fabs(*d) < 9.0e18) {
          v = static_cast<std::int64_t>(*d);
          return true;
        }
      }
      return false;
    case FieldType::Float:
      if (std::holds_alternative<double>(v)) return true;
      if (auto* i = std::get_if<std::int64_t>(&v)) {
        v = static_cast<double>(*i);
        return true;
      }
      return false;
    case FieldType::DateTime: {
      auto* s = std::get_if<std::string>(&v);
      DateTime dt;
      if (!s || !ParseDateTime(*s, dt)) return false;
      v = dt;
      return true;
    }
    case FieldType::Boolean: return std::holds_alternative<bool>(v);
  }
  return false;
}

}  // namespace zor::wire

ZOR_WIRE_READERS_FOR(zor::wire::Value);
