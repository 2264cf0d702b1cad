// Request body decoding (see request_decoder.h).
#include "server/request_decoder.h"

#include <memory>
#include <unordered_set>
#include <vector>

#include "server/packet.h"
#include "wire/json_scanner.h"

namespace zor::server {

using json = nlohmann::ordered_json;

namespace {

// Builds the document, refusing what a plain DOM builder would accept
// silently. Returning false stops the parser. Its own builder rather than
// the library's: a key is appended once checked, not looked up again, and
// an object starts with room for the few keys requests' objects hold.
class GuardedSax {
 public:
  explicit GuardedSax(json& result) : root_(result) {}

  bool null() { return Put(nullptr); }
  bool boolean(bool v) { return Put(v); }
  bool number_integer(json::number_integer_t v) { return Put(v); }
  bool number_unsigned(json::number_unsigned_t v) { return Put(v); }
  bool number_float(json::number_float_t v, const json::string_t&) { return Put(v); }
  bool string(json::string_t& s) { return Text(s) && Put(std::move(s)); }
  bool binary(json::binary_t& b) { return Put(json::binary(std::move(b))); }
  bool start_object(std::size_t) {
    if (!Enter()) return false;
    open_.push_back({keys_.size(), nullptr});
    json* object = Place(json::object());
    object->get_ref<json::object_t&>().reserve(kRoomForKeys);
    containers_.push_back(object);
    return true;
  }
  bool key(json::string_t& k) {
    if (!Text(k)) return false;
    if (!Fresh(k))
      return Refuse(rpc_code::kInvalidRequest,
                    "Requisição inválida: a chave \"" + EchoCut(k) + "\" aparece duas vezes no mesmo objeto.");
    auto& members = containers_.back()->get_ref<json::object_t&>();
    members.emplace_back(std::move(k), nullptr);
    member_ = &members.back().second;
    return true;
  }
  bool end_object() {
    keys_.resize(open_.back().start);
    open_.pop_back();
    containers_.pop_back();
    --depth_;
    return true;
  }
  bool start_array(std::size_t) {
    if (!Enter()) return false;
    containers_.push_back(Place(json::array()));
    return true;
  }
  bool end_array() {
    containers_.pop_back();
    --depth_;
    return true;
  }
  bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& e) {
    if (e.id == 406)
      return Refuse(rpc_code::kParseError,
                    "A requisição não é um JSON válido: número fora do intervalo aceito (posição " +
                        std::to_string(position) + ").");
    return Refuse(rpc_code::kParseError,
                  "A requisição não é um JSON válido (erro na posição " + std::to_string(position) + ").");
  }

  bool Failed() const { return code_ != 0; }
  int Code() const { return code_; }
  const std::string& Message() const { return message_; }

 private:
  bool Enter() {
    if (++depth_ > kMaxRequestDepth)
      return Refuse(rpc_code::kInvalidRequest, "Requisição inválida: aninhamento de listas e objetos além de " +
                                                  std::to_string(kMaxRequestDepth) + " níveis.");
    return true;
  }
  // PostgreSQL cuts a text at a NUL character, so "AB\u0000CD" would be
  // stored as "AB" and a key "3100\u0000" would match "3100".
  bool Text(const std::string& s) {
    if (s.find('\0') != std::string::npos)
      return Refuse(rpc_code::kInvalidParams, "Parâmetros inválidos: textos não podem conter o caractere nulo (\\u0000).");
    return true;
  }
  // Puts a value where the document is at: the whole document, the next
  // item of the open list, or the member whose key was just read.
  json* Place(json&& value) {
    if (containers_.empty()) {
      root_ = std::move(value);
      return &root_;
    }
    json& container = *containers_.back();
    if (container.is_array()) {
      auto& items = container.get_ref<json::array_t&>();
      items.push_back(std::move(value));
      return &items.back();
    }
    *member_ = std::move(value);
    return member_;
  }
  template <class V>
  bool Put(V&& value) {
    Place(json(std::forward<V>(value)));
    return true;
  }

  // Whether the innermost open object has no key `k` yet, remembering it.
  // Requests' objects hold a few keys each, compared one by one without a
  // hash set's allocations; an object with many keys gets a set of its own.
  bool Fresh(const std::string& k) {
    Open& o = open_.back();
    if (o.many) return o.many->insert(k).second;
    for (size_t i = o.start; i < keys_.size(); ++i)
      if (keys_[i] == k) return false;
    keys_.push_back(k);
    if (keys_.size() - o.start > kFewKeys) {
      o.many = std::make_unique<std::unordered_set<std::string>>(keys_.begin() + static_cast<std::ptrdiff_t>(o.start),
                                                                 keys_.end());
      keys_.resize(o.start);
    }
    return true;
  }
  bool Refuse(int code, std::string message) {
    if (code_ == 0) {
      code_ = code;
      message_ = std::move(message);
    }
    return false;
  }

  struct Open {
    size_t start;  // where its keys begin in keys_, while they are few
    std::unique_ptr<std::unordered_set<std::string>> many;
  };
  static constexpr size_t kFewKeys = 16;
  static constexpr size_t kRoomForKeys = 4;

  json& root_;
  std::vector<json*> containers_;  // the open lists and objects, innermost last
  json* member_ = nullptr;         // the value of the key just read
  std::vector<std::string> keys_;  // the keys of the open objects, innermost last
  std::vector<Open> open_;
  int depth_ = 0;
  int code_ = 0;
  std::string message_;
};

}  // namespace

json DecodeRequestBody(const std::string& body) {
  json result;
  {
    // The wire's reader accepts exactly what nlohmann-json's strict parser
    // accepts and hands the same events over, in a fraction of the time. A
    // body it refuses, or whose events the guard refuses, is read again by
    // nlohmann-json, whose refusal (and the position it names) is the one
    // a caller has always been told.
    GuardedSax sax(result);
    size_t errorAt = 0;
    if (wire::ScanJson(body, sax, errorAt)) return result;
  }
  result = json();
  GuardedSax sax(result);
  bool ok = json::sax_parse(body, &sax, nlohmann::detail::input_format_t::json, true, false);
  if (sax.Failed()) throw ProtocolError(sax.Code(), sax.Message());
  if (!ok) throw ProtocolError(rpc_code::kParseError, "A requisição não é um JSON válido.");
  return result;
}

std::string LogSafe(const std::string& text, size_t maxBytes) {
  std::string out;
  size_t n = std::min(text.size(), maxBytes);
  for (size_t i = 0; i < n; ++i) {
    auto ch = static_cast<unsigned char>(text[i]);
    if (ch == '\\') {
      out += "\\\\";
    } else if (ch < 0x20 || ch == 0x7f) {
      static const char* hex = "0123456789abcdef";
      out += "\\x";
      out += hex[ch >> 4];
      out += hex[ch & 15];
    } else {
      out += static_cast<char>(ch);
    }
  }
  if (text.size() > maxBytes) out += "…(" + std::to_string(text.size()) + " bytes)";
  return out;
}

std::string EchoCut(const std::string& text, size_t maxChars) {
  size_t chars = 0, i = 0;
  while (i < text.size()) {
    if (chars == maxChars) return text.substr(0, i) + "…";
    auto ch = static_cast<unsigned char>(text[i]);
    i += ch < 0x80 ? 1 : ch < 0xe0 ? 2 : ch < 0xf0 ? 3 : 4;
    ++chars;
  }
  return text;
}

}  // namespace zor::server
