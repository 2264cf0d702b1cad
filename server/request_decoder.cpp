// Request body decoding (see request_decoder.h).
#include "server/request_decoder.h"

#include <unordered_set>
#include <vector>

#include "server/packet.h"

namespace zor::server {

using json = nlohmann::ordered_json;

namespace {

// Builds the document through the library's own DOM builder, refusing what
// the builder would accept silently. Returning false stops the parser.
class GuardedSax {
 public:
  explicit GuardedSax(json& result) : dom_(result, false) {}

  bool null() { return dom_.null(); }
  bool boolean(bool v) { return dom_.boolean(v); }
  bool number_integer(json::number_integer_t v) { return dom_.number_integer(v); }
  bool number_unsigned(json::number_unsigned_t v) { return dom_.number_unsigned(v); }
  bool number_float(json::number_float_t v, const json::string_t& s) { return dom_.number_float(v, s); }
  bool string(json::string_t& s) { return Text(s) && dom_.string(s); }
  bool binary(json::binary_t& b) { return dom_.binary(b); }
  bool start_object(std::size_t n) {
    if (!Enter()) return false;
    keys_.emplace_back();
    return dom_.start_object(n);
  }
  bool key(json::string_t& k) {
    if (!Text(k)) return false;
    if (!keys_.back().insert(k).second)
      return Refuse(rpc_code::kInvalidRequest,
                    "Requisição inválida: a chave \"" + EchoCut(k) + "\" aparece duas vezes no mesmo objeto.");
    return dom_.key(k);
  }
  bool end_object() {
    keys_.pop_back();
    --depth_;
    return dom_.end_object();
  }
  bool start_array(std::size_t n) { return Enter() && dom_.start_array(n); }
  bool end_array() {
    --depth_;
    return dom_.end_array();
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
  bool Refuse(int code, std::string message) {
    if (code_ == 0) {
      code_ = code;
      message_ = std::move(message);
    }
    return false;
  }

  nlohmann::detail::json_sax_dom_parser<json> dom_;
  std::vector<std::unordered_set<std::string>> keys_;
  int depth_ = 0;
  int code_ = 0;
  std::string message_;
};

}  // namespace

json DecodeRequestBody(const std::string& body) {
  json result;
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
