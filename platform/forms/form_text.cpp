// Reading form definitions from their text.
#include "platform/forms/form_text.h"

#include <cctype>
#include <fstream>
#include <sstream>

#include "platform/core/platform_texts.h"

namespace zor::plat {

namespace {

class LineParser {
 public:
  LineParser(const std::string& source, int line, std::string_view text) : source_(source), line_(line), s_(text) {}

  [[noreturn]] void Fail(const std::string& message) const { throw EFormDefinitionError(source_, line_, message); }
  void SkipSpaces() {
    while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t')) ++pos_;
  }
  bool AtEnd() {
    SkipSpaces();
    return pos_ >= s_.size();
  }
  bool Consume(std::string_view token) {
    SkipSpaces();
    if (s_.substr(pos_, token.size()) == token) {
      pos_ += token.size();
      return true;
    }
    return false;
  }
  static bool NameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == '$' || c == '-' ||
           static_cast<unsigned char>(c) >= 0x80;
  }
  std::string Name() {
    SkipSpaces();
    size_t start = pos_;
    while (pos_ < s_.size() && NameChar(s_[pos_])) ++pos_;
    return std::string(s_.substr(start, pos_ - start));
  }
  DefValue Value() {
    SkipSpaces();
    if (pos_ >= s_.size()) Fail(PlatformText("form.value_expected"));
    DefValue v;
    char c = s_[pos_];
    if (c == '"') {
      ++pos_;
      v.kind = DefValue::Kind::String;
      while (true) {
        if (pos_ >= s_.size()) Fail(PlatformText("form.unclosed_quote"));
        char ch = s_[pos_++];
        if (ch == '"') break;
        if (ch == '\\' && pos_ < s_.size()) {
          char e = s_[pos_++];
          v.text += e == 'n' ? '\n' : e == 't' ? '\t' : e;
        } else {
          v.text += ch;
        }
      }
      return v;
    }
    if (c == '[') {
      ++pos_;
      v.kind = DefValue::Kind::List;
      if (Consume("]")) return v;
      while (true) {
        v.list.push_back(Value());
        if (Consume("]")) break;
        if (!Consume(",")) Fail(PlatformText("form.list_separator_expected"));
      }
      return v;
    }
    std::string name = Name();
    if (name.empty()) Fail(PlatformText("form.bad_value"));
    if (name == "true" || name == "false") {
      v.kind = DefValue::Kind::Bool;
      v.boolean = name == "true";
      return v;
    }
    bool number = true;
    for (size_t i = 0; i < name.size(); ++i)
      if (!(std::isdigit(static_cast<unsigned char>(name[i])) || (i == 0 && name[i] == '-' && name.size() > 1)))
        number = false;
    if (number) {
      v.kind = DefValue::Kind::Integer;
      v.integer = std::stoll(name);
      return v;
    }
    v.kind = DefValue::Kind::Name;
    v.text = name;
    return v;
  }

 private:
  const std::string& source_;
  int line_;
  std::string_view s_;
  size_t pos_ = 0;
};

}  // namespace

FormDefinition ParseFormDefinition(const FormDefinitionSource& source) {
  FormDefinition def;
  def.source = source.Name;
  std::istringstream in(source.Text);
  std::string raw;
  int line = 0;
  while (std::getline(in, raw)) {
    ++line;
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    size_t first = raw.find_first_not_of(" \t");
    if (first == std::string::npos || raw[first] == '#') continue;
    LineParser p(source.Name, line, raw);
    if (first == 0) {
      DefEntry e;
      e.line = line;
      std::string name = p.Name();
      if (name.empty()) p.Fail(PlatformText("form.component_name_expected"));
      if (name == "form") {
        e.is_form = true;
        e.name = "form";
      } else {
        e.name = name;
        if (p.Consume(":")) {
          e.class_name = p.Name();
          if (e.class_name.empty()) p.Fail(PlatformText("form.class_expected"));
        }
      }
      if (!p.AtEnd()) {
        if (p.Name() != "in") p.Fail(PlatformText("form.in_expected"));
        e.parent = p.Name();
        if (e.parent.empty()) p.Fail(PlatformText("form.parent_expected"));
      }
      if (!p.AtEnd()) p.Fail(PlatformText("form.text_after_line"));
      def.entries.push_back(std::move(e));
      continue;
    }
    if (def.entries.empty()) p.Fail(PlatformText("form.property_outside_component"));
    DefProperty prop;
    prop.line = line;
    prop.name = p.Name();
    if (prop.name.empty()) p.Fail(PlatformText("form.property_name_expected"));
    if (p.Consume("+="))
      prop.append = true;
    else if (!p.Consume("="))
      p.Fail(PlatformText("form.assignment_expected", {prop.name}));
    prop.value = p.Value();
    if (!p.AtEnd()) p.Fail(PlatformText("form.text_after_line"));
    def.entries.back().properties.push_back(std::move(prop));
  }
  return def;
}

FormDefinitionSource LoadFormDefinitionFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EFormDefinitionError(path, 0, PlatformText("form.unreadable"));
  std::ostringstream text;
  text << in.rdbuf();
  return {path, text.str()};
}

}  // namespace zor::plat
