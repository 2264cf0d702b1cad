// Forms: definitions, properties and lifecycle.
#include "platform/forms/form.h"

#include "platform/controls/gesture.h"
#include "platform/core/cleanup.h"
#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"
#include "platform/forms/application.h"
#include "platform/forms/form_definition.h"
#include "platform/forms/screen.h"
#include "platform/ui/ui_port.h"

namespace zor::plat {

TForm::TForm(TComponent* owner) : TCustomForm(owner) {
  SetColor(clBtnFace);
  Screen->AddForm(this);
}

TForm::~TForm() {
  Screen->RemoveForm(this);
  Application->FormDestroyed(this);
}

void TForm::InitializeForm() {
  if (initialized_) return;
  initialized_ = true;
  for (const FormDefinitionSource& source : Definitions())
    ApplyFormDefinition(*this, ParseFormDefinition(source), handlers_);
  for (const auto& [key, field] : handlers_.Fields()) {
    TComponent* c = FindComponent(field.name);
    if (!c) throw EFormDefinitionError(Name(), 0, PlatformText("form.member_missing", {field.name}));
    if (!field.assign(c))
      throw EFormDefinitionError(Name(), 0, PlatformText("form.member_of_other_class", {field.name}));
  }
}

void TForm::DoCreate() {
  try {
    Fire(OnCreate, this);
  } catch (const std::exception& e) {
    ReportException(e);
  }
}

void TForm::SetFormStyle(TFormStyle s) {
  if (s == form_style_) return;
  form_style_ = s;
  Changed(Prop::FormStyle);
}

void TForm::SetBorderIcons(TBorderIcons b) {
  if (b == border_icons_) return;
  border_icons_ = b;
  Changed(Prop::BorderIcons);
}

void TForm::SetWindowState(TWindowState s) {
  if (s == window_state_) return;
  window_state_ = s;
  Changed(Prop::WindowState);
}

void TForm::SetBorderStyle(TFormBorderStyle s) {
  if (s == border_style_) return;
  border_style_ = s;
  Changed(Prop::BorderStyle);
}

void TForm::SetPosition(TPosition p) {
  if (p == position_) return;
  position_ = p;
  Changed(Prop::Position);
}

void TForm::SetModalResult(int r) {
  if (r == modal_result_) return;
  modal_result_ = r;
  Changed(Prop::ModalResult);
}

bool TForm::Active() const { return Screen->ActiveForm() == this; }

void TForm::SetVisible(bool v) {
  if (v)
    Show();
  else
    Hide();
}

void TForm::Show() {
  if (released_) return;
  if (!Visible()) {
    TControl::SetVisible(true);
    try {
      Fire(OnShow, this);
    } catch (const std::exception& e) {
      ReportException(e);
    }
  }
  BringToFront();
}

void TForm::Hide() {
  if (!Visible()) return;
  TControl::SetVisible(false);
  try {
    Fire(OnHide, this);
  } catch (const std::exception& e) {
    ReportException(e);
  }
  Screen->FormHidden(this);
}

void TForm::BringToFront() {
  if (!Visible()) return;
  Changed(Prop::BringToFront);
  Screen->ActivateForm(this);
}

void TForm::Repaint() {
  ++repaint_count_;
  Changed(Prop::Repaint);
}

void TForm::DoActivate() {
  try {
    Fire(OnActivate, this);
  } catch (const std::exception& e) {
    ReportException(e);
  }
}

void TForm::DoDeactivate() {
  try {
    Fire(OnDeactivate, this);
  } catch (const std::exception& e) {
    ReportException(e);
  }
}

int TForm::ShowModal() {
  if (modal_) throw Exception(PlatformText("form.already_modal"));
  if (Visible()) throw Exception(PlatformText("form.modal_while_visible"));
  modal_ = true;
  modal_result_ = mrNone;
  int runnerResult = mrNone;
  try {
    Show();
    runnerResult = Ui().RunModal(*this);
  } catch (...) {
    modal_ = false;
    Hide();
    throw;
  }
  modal_ = false;
  int result = modal_result_ != mrNone ? modal_result_ : (runnerResult != mrNone ? runnerResult : mrCancel);
  modal_result_ = result;
  TCloseAction action = caHide;
  Finally([&] { if (OnClose) OnClose(this, action); }, [&] { Hide(); });
  if (action == caFree) Release();
  return result;
}

void TForm::Close() {
  if (released_) return;
  if (modal_) {
    SetModalResult(mrCancel);
    return;
  }
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  if (!canClose) return;
  TCloseAction action = caHide;
  if (form_style_ == fsMDIChild) action = border_icons_.Contains(biMinimize) ? caMinimize : caNone;
  if (OnClose) OnClose(this, action);
  if (action == caNone) return;
  if (Application->MainForm() == this) {
    Application->Terminate();
    Hide();
    return;
  }
  switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    case caNone: break;
  }
}

void TForm::Release() {
  if (released_) return;
  Hide();
  released_ = true;
  Application->QueueRelease(this);
}

void TForm::Free() {
  if (!destroy_run_) {
    destroy_run_ = true;
    try {
      Fire(OnDestroy, this);
    } catch (const std::exception& e) {
      ReportException(e);
    }
  }
  delete this;
}

}  // namespace zor::plat
