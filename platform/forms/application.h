// TApplication: owner of the application's forms, its main form, the
// standard error report and the deferred destruction of released forms.
// `Application` is the process's one.
#pragma once

#include <exception>
#include <string>
#include <vector>

#include "platform/core/component.h"
#include "platform/forms/form.h"

namespace zor::plat {

class TApplication : public TComponent {
 public:
  TApplication();

  // Creates a form owned by the application: the reference is set before
  // OnCreate runs (handlers may use it), the definitions are applied first.
  // The first form created becomes the main form. An error in OnCreate is
  // reported and the form is kept; any other creation error propagates.
  template <typename T>
  T* CreateForm(T*& reference) {
    T* form = new T(this);
    try {
      form->InitializeForm();
    } catch (...) {
      delete form;
      throw;
    }
    reference = form;
    if (!main_form_) main_form_ = form;
    form->DoCreate();
    return form;
  }

  TForm* MainForm() const { return main_form_; }
  void SetMainForm(TForm* form) { main_form_ = form; }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& t) { title_ = t; }
  const std::string& HelpFile() const { return help_file_; }
  void SetHelpFile(const std::string& f) { help_file_ = f; }

  // The standard error report: EAbort is ignored, anything else is shown
  // through Ui().ShowError.
  void HandleException(const std::exception& e);
  // Nothing to pump headless; destroys the forms released meanwhile when no
  // handler is running.
  void ProcessMessages();
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }

  // Used by TForm::Release / the form's destruction.
  void QueueRelease(TForm* form);
  void FormDestroyed(TForm* form);
  // Destroys the forms released so far.
  void FlushReleased();
  // Frees every form the application owns and forgets the main form (tests,
  // shutdown); clears Terminated.
  void DestroyForms();

 private:
  TForm* main_form_ = nullptr;
  std::vector<TForm*> released_;
  std::string title_;
  std::string help_file_;
  bool terminated_ = false;
};

extern TApplication* const Application;

}  // namespace zor::plat
