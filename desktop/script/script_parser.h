// The gesture language of the script driver: one gesture per line, `#`
// starts a comment, an argument with blanks goes in double quotes (inside
// them \" is a quote and \\ a backslash). ParseScript turns the text into
// gestures and refuses the whole script at the first line it cannot read,
// naming that line.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/controls/graphics.h"

namespace zor::script {

enum class GestureKind {
  Open,         // open
  OpenFlight,   // open-flight SGCIA NRVOO [BRANCH]
  Modal,        // modal
  LegDialog,    // leg-dialog
  Close,        // close
  Focus,        // focus CONTROL
  Type,         // type CONTROL TEXT
  Key,          // key CONTROL KEY [ctrl] [shift] [alt]
  Click,        // click CONTROL
  Select,       // select CONTROL TEXT
  Cell,         // cell GRID ROW FIELD
  DblClick,     // dblclick CONTROL
  Ellipsis,     // ellipsis GRID
  Answer,       // answer yes|no
  Pick,         // pick N|cancel
  Find,         // find FIELD VALUE | find cancel
  ExpectMessage,    // expect message "TEXT"
  ExpectNoMessage,  // expect no-message
  ExpectQuestion,   // expect question "TEXT"
  ExpectProperty,   // expect NAME.PROPERTY VALUE | NAME.FIELD[:value] VALUE
  Dump,         // dump DATASET
  Screenshot,   // screenshot FILE (the window's picture; a note without one)
  CheckWindow,  // check-window (every form shown is checked as a person sees it)
  ExpectNoQuestion,  // expect no-question
};

struct Token {
  std::string Text;
  bool Quoted = false;
};

struct Gesture {
  GestureKind Kind{};
  int Line = 0;
  std::string Source;            // the line as written, comment and blanks trimmed
  std::vector<Token> Args;       // the arguments after the gesture's name
  // Filled as the kind needs them.
  std::string Target;            // control, grid, dataset or component
  std::string Text;              // text typed or chosen, expected text or value
  std::string Member;            // expect: the property or field
  bool StoredValue = false;      // expect: `:value` asked for the stored value
  plat::Word KeyCode = 0;        // key: the virtual key (0 for a plain character)
  char KeyChar = 0;              // key: the character typed (0 for none)
  plat::TShiftState Shift;       // key: modifiers
  int Number = 0;                // cell: 1-based row; pick: 1-based row
  bool Yes = false;              // answer
  bool Cancel = false;           // pick, find
};

struct Script {
  std::string Name;
  std::vector<Gesture> Gestures;
};

// A line the parser cannot read. what() is "NAME:LINE: message".
class ScriptSyntaxError : public std::runtime_error {
 public:
  ScriptSyntaxError(const std::string& name, int line, const std::string& message)
      : std::runtime_error(name + ":" + std::to_string(line) + ": " + message), line_(line), message_(message) {}
  int Line() const { return line_; }
  const std::string& Message() const { return message_; }

 private:
  int line_;
  std::string message_;
};

// Splits one line into tokens; the comment is dropped. Raises
// ScriptSyntaxError (line 0 here; ParseScript sets the real one) for an
// unterminated quote.
std::vector<Token> Tokenize(const std::string& line);

// Parses a whole script. `name` is used in the errors.
Script ParseScript(const std::string& text, const std::string& name = "script");

// The virtual key for a key name of the language (Delete, Down, Up, Tab,
// Enter, Escape, Insert, F2, Break and a few more), without regard to case.
std::optional<plat::Word> KeyByName(const std::string& name);

// The virtual key a typed character goes down with before its key press;
// 0 for characters that arrive as a key press only.
plat::Word KeyOfChar(char c);

}  // namespace zor::script
