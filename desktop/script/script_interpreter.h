// The interpreter of the gesture language. It replays a parsed script on
// the platform's controls through their gesture entry points (the same
// calls a renderer makes when a person acts), answers the screen's
// questions, pick lists and searches from the script, checks the
// expectations and writes the transcript: every gesture line, then what
// happened. It knows nothing of how the screen is shown; a ScriptHost
// opens it and says which form it is.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "desktop/script/script_parser.h"
#include "desktop/script/transcript_ui.h"
#include "platform/core/variant.h"

namespace zor::plat {
class TComponent;
class TDBGrid;
class TForm;
class TWinControl;
}  // namespace zor::plat

namespace zor::script {

class CallerForm;

// What the interpreter needs from whoever hosts the screen: the package's
// entry point, its dialog flags and the screen form.
class ScriptHost {
 public:
  virtual ~ScriptHost() = default;
  // The package's generic entry point (IniProc): null as the host menu
  // passes it, or [place, dataset name, caller form as an integer].
  virtual void Enter(const plat::Variant& argument) = 0;
  // Another screen opens this one on one flight (CriaVoo): the place, the
  // name of the caller's dataset and the caller's form.
  virtual void Create(const std::string& place, const std::string& dataSetName, plat::TForm* caller) = 0;
  // Sets the package's flags for the next opening (boShowModal, boTrechoOk).
  // False with a reason when the package does not export them.
  virtual bool SetDialogFlags(bool showModal, bool legDialog, std::string& error) = 0;
  // The screen form while one exists; null otherwise.
  virtual plat::TForm* ScreenForm() = 0;
  // A host with a window: a picture of the whole window, and what a person
  // would find wrong on the forms shown (one line each). False when the
  // host has no window (the headless driver), with nothing done.
  virtual bool TakeScreenshot(const std::string& /*file*/, std::string& /*error*/) { return false; }
  virtual bool CheckWindow(std::vector<std::string>& /*problems*/) { return false; }
};

// Exit status of a run.
enum RunStatus { AllHeld = 0, ExpectationFailed = 1, Unreadable = 2 };

class ScriptInterpreter {
 public:
  // Installs its scripted person as the ui port until destroyed.
  ScriptInterpreter(ScriptHost& host, std::ostream& out);
  ~ScriptInterpreter();
  ScriptInterpreter(const ScriptInterpreter&) = delete;
  ScriptInterpreter& operator=(const ScriptInterpreter&) = delete;

  // Runs every gesture; the status says whether each expectation held.
  RunStatus Run(const Script& script);
  // Parses and runs; a script that cannot be read is written to `errors`
  // with its line and gives Unreadable.
  RunStatus RunText(const std::string& text, const std::string& name, std::ostream& errors);

  int Failures() const { return failures_; }
  int Expectations() const { return expectations_; }
  TranscriptUi& Ui() { return ui_; }

 private:
  // Runs gestures until the script ends or `until` says stop (a modal run).
  void RunGestures(const std::function<bool()>& until);
  void Execute(const Gesture& g);
  int RunModal(plat::TForm& form);

  // Applies the dialog flags set since the last opening; false (with a
  // failure written) when the host cannot.
  bool ApplyDialogFlags(const Gesture& g);
  void Open(const Gesture& g);
  void OpenFlight(const Gesture& g);
  void Close(const Gesture& g);
  void Focus(const Gesture& g);
  void Type(const Gesture& g);
  void TypeIntoGrid(const Gesture& g, plat::TDBGrid& grid);
  void Key(const Gesture& g);
  void Click(const Gesture& g);
  void Select(const Gesture& g);
  void Cell(const Gesture& g);
  void DblClick(const Gesture& g);
  void Ellipsis(const Gesture& g);
  void ExpectMessage(const Gesture& g);
  void ExpectNoMessage(const Gesture& g);
  void ExpectQuestion(const Gesture& g);
  void ExpectProperty(const Gesture& g);
  void Dump(const Gesture& g);
  // Gestures on the window itself (window_gestures.cpp).
  void Screenshot(const Gesture& g);
  void CheckWindow(const Gesture& g);
  // Answers kept honest (answer_checks.cpp): no question was asked; the
  // answers and picks prepared for a gesture are used by that gesture and
  // never carried to a later question.
  void ExpectNoQuestion(const Gesture& g);
  static bool IsPersonGesture(GestureKind kind);
  void FailUnusedAnswers(const Gesture& g);

  // The component named in a gesture: on the screen form, the active
  // form, the caller form or any form, in that order; `form` or the form's
  // own name is the form itself. Null (and a failure written) when none.
  plat::TComponent* Find(const Gesture& g, const std::string& name);
  template <typename T>
  T* FindAs(const Gesture& g, const std::string& name, const char* what);
  // Moves the focus to `control` when it does not have it; false (with a
  // transcript line) when the move was refused.
  bool FocusFirst(plat::TWinControl* control);
  // A gesture the control refused without showing anything.
  void Refused(int writtenBefore, const std::string& what);
  void Fail(const Gesture& g, const std::string& what);

  ScriptHost& host_;
  std::ostream& out_;
  TranscriptUi ui_;
  const Script* script_ = nullptr;
  size_t next_ = 0;
  int current_line_ = 0;
  int failures_ = 0;
  int expectations_ = 0;
  bool pending_modal_ = false;
  std::vector<plat::TForm*> modal_forms_;  // forms running modally, innermost last
  bool pending_leg_dialog_ = false;
  std::unique_ptr<CallerForm> caller_;
};

}  // namespace zor::script
