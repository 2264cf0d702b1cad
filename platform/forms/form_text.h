// Form definitions as text: a form's components, properties and event
// bindings, read into entries without any form (the build's member
// generator reads them too; form_definition.h applies them to a form).
// The format, one entry per block:
//
//   # a comment
//   form                          the form itself
//     Caption = "Vôo/Trecho"
//     OnCreate = FormCreate       an event: the name of a bound handler
//   panMenu: TPanel in form       a component: name, class, parent
//     Align = alTop
//     Font.Bold = true            nested properties with a dot
//     BorderIcons = [biSystemMenu, biMinimize]
//   msgPadrao: TMessages
//     Messages += "Excl|Confirmar Exclusão?"    += appends to a list
//   panMenu                       modify a component defined before
//     Height = 30
//
// A header line starts at the first column; property lines are indented.
// Values: "text" (with \" \\ \n escapes), integers, true/false, names
// (enumeration values, components, handlers, colours) and [lists]. A
// component whose name already exists (from the base form's definition)
// is modified, not created: its class, when given, must match. Errors
// raise EFormDefinitionError naming the definition and the line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/exceptions.h"

namespace zor::plat {

// One form definition text and the name its errors cite.
struct FormDefinitionSource {
  std::string Name;
  std::string Text;
};

class EFormDefinitionError : public Exception {
 public:
  EFormDefinitionError(const std::string& source, int line, const std::string& message)
      : Exception(source + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " + message),
        source_(source), line_(line) {}
  const std::string& Source() const { return source_; }
  int Line() const { return line_; }

 private:
  std::string source_;
  int line_;
};

struct DefValue {
  enum class Kind { String, Integer, Bool, Name, List };
  Kind kind = Kind::String;
  std::string text;  // String and Name
  int64_t integer = 0;
  bool boolean = false;
  std::vector<DefValue> list;
};

struct DefProperty {
  std::string name;
  bool append = false;
  DefValue value;
  int line = 0;
};

struct DefEntry {
  bool is_form = false;
  std::string name;
  std::string class_name;  // empty: modify an existing component
  std::string parent;      // empty: no parent
  int line = 0;
  std::vector<DefProperty> properties;
};

struct FormDefinition {
  std::string source;
  std::vector<DefEntry> entries;
};

FormDefinition ParseFormDefinition(const FormDefinitionSource& source);

// Reads a definition from a file (its path becomes the source name).
FormDefinitionSource LoadFormDefinitionFile(const std::string& path);

}  // namespace zor::plat
