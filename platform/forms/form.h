// TForm: a window of the application. Its components, properties and event
// bindings come from form definitions (form_definition.h) applied in order
// (the base form's first), with handlers bound by name from the table the
// form class fills in its constructor. Lifecycle: OnCreate once created,
// OnShow each time it becomes visible, OnActivate each time it becomes the
// active form, OnClose when closed (the close action decides: hide, free,
// minimise or stay), OnDestroy before it is freed.
#pragma once

#include <string>
#include <vector>

#include "platform/controls/custom_form.h"
#include "platform/forms/form_text.h"
#include "platform/forms/handler_table.h"

namespace zor::plat {

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TPosition {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly,
  poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter
};
enum TCloseAction { caNone, caHide, caFree, caMinimize };

// Modal results.
constexpr int mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7;

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

class TForm : public TCustomForm {
 public:
  explicit TForm(TComponent* owner = nullptr);
  ~TForm() override;

  // ---- definitions and handlers ----
  THandlerTable& Handlers() { return handlers_; }
  template <typename Event>
  void BindHandler(const std::string& name, Event handler) {
    handlers_.Bind(name, std::move(handler));
  }
  template <typename T>
  void BindField(const std::string& name, T*& field) {
    handlers_.BindField(name, field);
  }
  // The definitions of this form class, base form's first. Derived classes
  // call their base's and append their own.
  virtual std::vector<FormDefinitionSource> Definitions() const { return {}; }
  // Applies the definitions and fills the bound fields (once). Raises
  // EFormDefinitionError naming the definition and line.
  void InitializeForm();
  // Runs OnCreate; an error there is reported the standard way and the
  // form stays usable.
  void DoCreate();

  // ---- properties ----
  TFormStyle FormStyle() const { return form_style_; }
  void SetFormStyle(TFormStyle s);
  TBorderIcons BorderIcons() const { return border_icons_; }
  void SetBorderIcons(TBorderIcons b);
  TWindowState WindowState() const { return window_state_; }
  void SetWindowState(TWindowState s);
  TFormBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TFormBorderStyle s);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition p);
  const std::string& HelpFile() const { return help_file_; }
  void SetHelpFile(const std::string& f) { help_file_ = f; }
  int HelpContext() const { return help_context_; }
  void SetHelpContext(int c) { help_context_ = c; }
  int ClientWidth() const { return Width(); }
  int ClientHeight() const { return Height(); }
  int ModalResult() const { return modal_result_; }
  // A non-zero value ends a modal run.
  void SetModalResult(int r);
  bool Modal() const { return modal_; }
  // The form is the screen's active form.
  bool Active() const;
  // Showing/hiding from code goes through Show and Hide.
  void SetVisible(bool v) override;

  // ---- lifecycle ----
  // Makes the form visible (OnShow when it was hidden) and active.
  void Show();
  void Hide();
  // Shows the form and runs it modally through the ui port; returns the
  // modal result (mrCancel when the run ended without one). Closing ends
  // with OnClose (default action caHide).
  int ShowModal();
  // OnCloseQuery, then OnClose with the default action (caHide; an MDI
  // child: caMinimize with a minimise icon, else caNone), then the action.
  // During a modal run it only sets ModalResult to mrCancel.
  void Close();
  // Destroys the form once the running handlers are done (safe from the
  // form's own handlers).
  void Release();
  bool Released() const { return released_; }
  // Runs OnDestroy and destroys the form at once.
  void Free();
  void BringToFront();
  void Repaint();
  int RepaintCount() const { return repaint_count_; }

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnDestroy;

  // Called by the screen object when the form becomes / stops being active.
  void DoActivate();
  void DoDeactivate();

 private:
  THandlerTable handlers_;
  bool initialized_ = false;
  bool destroy_run_ = false;
  TFormStyle form_style_ = fsNormal;
  TBorderIcons border_icons_{biSystemMenu, biMinimize, biMaximize};
  TWindowState window_state_ = wsNormal;
  TFormBorderStyle border_style_ = bsSizeable;
  TPosition position_ = poDesigned;
  std::string help_file_;
  int help_context_ = 0;
  int modal_result_ = mrNone;
  bool modal_ = false;
  bool released_ = false;
  int repaint_count_ = 0;
};

}  // namespace zor::plat
