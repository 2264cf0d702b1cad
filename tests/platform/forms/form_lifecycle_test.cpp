// Form lifecycle: creation, show and activation order, close actions,
// deferred release, modal runs, the standard error report and the screen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms_fixture.h"
#include "platform/controls/edit.h"
#include "platform/controls/gesture.h"
#include "platform/controls/speed_button.h"
#include "platform/core/exceptions.h"

namespace zor::plat {
namespace {

std::vector<std::string> g_log;

// A form that records its lifecycle events.
class TLogForm : public TForm {
 public:
  explicit TLogForm(TComponent* owner) : TForm(owner) {
    OnCreate = [this](TObject*) { Add("create"); };
    OnShow = [this](TObject*) { Add("show"); };
    OnActivate = [this](TObject*) { Add("activate"); };
    OnDeactivate = [this](TObject*) { Add("deactivate"); };
    OnHide = [this](TObject*) { Add("hide"); };
    OnDestroy = [this](TObject*) { Add("destroy"); };
    button = new TSpeedButton(this);
    button->SetParent(this);
  }
  void Add(const std::string& what) { g_log.push_back(Name() + ":" + what); }
  TSpeedButton* button;
};

class FormLifecycleTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    g_log.clear();
  }
};

using Log = std::vector<std::string>;

class TRefForm;
TRefForm* g_ref_form = nullptr;
bool g_ref_set_in_create = false;
class TRefForm : public TForm {
 public:
  explicit TRefForm(TComponent* owner) : TForm(owner) {
    OnCreate = [this](TObject*) { g_ref_set_in_create = g_ref_form == this; };
  }
};

TEST_F(FormLifecycleTest, ReferenceIsSetBeforeOnCreate) {
  Application->CreateForm(g_ref_form);
  EXPECT_TRUE(g_ref_set_in_create);
  EXPECT_EQ(Application->MainForm(), g_ref_form);
  EXPECT_EQ(g_ref_form->Owner(), Application);
}

TEST_F(FormLifecycleTest, CreateShowActivateOrder) {
  TLogForm* first = nullptr;
  TLogForm* second = nullptr;
  Application->CreateForm(first);
  first->SetName("a");
  EXPECT_EQ(g_log, (Log{":create"}));
  Application->CreateForm(second);
  second->SetName("b");
  EXPECT_EQ(Application->MainForm(), first);
  g_log.clear();
  first->Show();
  first->Show();  // already visible: only brought to the front
  EXPECT_EQ(g_log, (Log{"a:show", "a:activate"}));
  EXPECT_TRUE(first->Active());
  g_log.clear();
  second->Show();
  first->BringToFront();
  EXPECT_EQ(g_log, (Log{"b:show", "a:deactivate", "b:activate", "b:deactivate", "a:activate"}));
  EXPECT_EQ(Screen->ActiveForm(), first);
}

TEST_F(FormLifecycleTest, ErrorInOnCreateIsReportedAndTheFormKept) {
  struct TFailing : TForm {
    explicit TFailing(TComponent* o) : TForm(o) {
      OnCreate = [](TObject*) { throw EDatabaseError("Servidor indisponível."); };
    }
  };
  TFailing* form = nullptr;
  Application->CreateForm(form);
  ASSERT_NE(form, nullptr);
  ASSERT_TRUE(ui.LastMessage());
  EXPECT_EQ(*ui.LastMessage(), "Servidor indisponível.");
  struct TAborting : TForm {
    explicit TAborting(TComponent* o) : TForm(o) {
      OnCreate = [](TObject*) { Abort(); };
    }
  };
  ui.ClearEvents();
  TAborting* quiet = nullptr;
  Application->CreateForm(quiet);
  EXPECT_TRUE(ui.Events().empty());
}

TEST_F(FormLifecycleTest, CloseWithFreeFromTheFormsOwnHandlerIsDeferred) {
  TLogForm* main = nullptr;
  Application->CreateForm(main);
  main->SetName("main");
  TLogForm* form = nullptr;
  Application->CreateForm(form);
  form->SetName("child");
  form->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
  bool aliveAfterClose = false;
  form->button->OnClick = [&](TObject*) {
    form->Close();
    aliveAfterClose = form->Released() && form->Name() == "child";
  };
  form->Show();
  const int forms = Screen->FormCount();
  g_log.clear();
  EXPECT_TRUE(form->button->UserClick());
  EXPECT_TRUE(aliveAfterClose);
  EXPECT_EQ(Screen->FormCount(), forms - 1);  // destroyed once the gesture ended
  EXPECT_EQ(g_log, (Log{"child:hide", "child:deactivate", "child:destroy"}));
}

TEST_F(FormLifecycleTest, CloseActions) {
  TLogForm* main = nullptr;
  Application->CreateForm(main);
  TLogForm* form = nullptr;
  Application->CreateForm(form);
  form->Show();
  form->Close();  // default: hide
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(form->Released());

  form->SetFormStyle(fsMDIChild);
  form->Show();
  form->Close();  // an MDI child with a minimise icon is minimised
  EXPECT_EQ(form->WindowState(), wsMinimized);
  form->SetBorderIcons({biSystemMenu});
  form->Close();  // without one it stays
  EXPECT_TRUE(form->Visible());

  form->OnCloseQuery = [](TObject*, bool& can) { can = false; };
  form->OnClose = [](TObject*, TCloseAction& a) { a = caFree; };
  form->Close();
  EXPECT_FALSE(form->Released());

  form->OnCloseQuery = nullptr;
  form->Close();  // called from code, outside any gesture
  EXPECT_TRUE(form->Released());
  const int before = Screen->FormCount();
  Application->ProcessMessages();
  EXPECT_EQ(Screen->FormCount(), before - 1);

  main->Close();  // closing the main form ends the application
  EXPECT_TRUE(Application->Terminated());
}

TEST_F(FormLifecycleTest, ModalResultEndsShowModal) {
  TLogForm* dialog = nullptr;
  Application->CreateForm(dialog);
  dialog->button->OnClick = [&](TObject*) { dialog->SetModalResult(mrOk); };
  TCloseAction seen = caNone;
  dialog->OnClose = [&](TObject*, TCloseAction& a) { seen = a; };
  ui.ModalRunner = [&](TForm& f) {
    EXPECT_EQ(&f, dialog);
    EXPECT_TRUE(dialog->Visible());
    EXPECT_TRUE(dialog->Modal());
    dialog->button->UserClick();
    return mrNone;
  };
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_EQ(seen, caHide);
  EXPECT_FALSE(dialog->Visible());

  ui.ModalRunner = [&](TForm&) {
    dialog->Close();  // inside a modal run Close cancels
    return mrNone;
  };
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  ui.ModalRunner = nullptr;  // the person closed the window
  EXPECT_EQ(dialog->ShowModal(), mrCancel);

  dialog->OnClose = [](TObject*, TCloseAction& a) { a = caFree; };
  ui.ModalRunner = [](TForm&) { return mrYes; };
  EXPECT_EQ(dialog->ShowModal(), mrYes);
  EXPECT_TRUE(dialog->Released());
}

TEST_F(FormLifecycleTest, StandardErrorReport) {
  Application->HandleException(EAbort());
  EXPECT_TRUE(ui.Events().empty());
  Application->HandleException(EConvertError("'x' não é um número válido."));
  ASSERT_EQ(ui.Events().size(), 1u);
  EXPECT_EQ(ui.Events()[0].kind, ScriptedUi::Kind::Error);
  // Gestures report through the application.
  EXPECT_FALSE(RunGesture([] { throw Exception("Falhou."); }));
  EXPECT_EQ(*ui.LastMessage(), "Falhou.");
}

TEST_F(FormLifecycleTest, ScreenSizeCursorAndActiveControl) {
  std::vector<Prop> changes;
  int sub = Screen->Changes.Subscribe([&](TComponent*, Prop p) { changes.push_back(p); });
  Screen->SetSize(640, 480);
  EXPECT_EQ(Screen->Width(), 640);
  EXPECT_EQ(Screen->Height(), 480);
  Screen->SetCursor(crHourGlass);
  EXPECT_EQ(Screen->Cursor(), -11);
  TLogForm* form = nullptr;
  Application->CreateForm(form);
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  form->Show();
  changes.clear();
  edit->SetFocus();
  EXPECT_EQ(Screen->ActiveControl(), edit);
  EXPECT_EQ(changes, (std::vector<Prop>{Prop::ActiveControl}));
  Screen->Changes.Unsubscribe(sub);
}

// The busy cursor of a scope gives way to the default one even when the
// scope ends by an exception.
TEST_F(FormLifecycleTest, CursorScopeRestoresTheDefaultCursorOnFailure) {
  EXPECT_THROW(
      {
        CursorScope busy(crHourGlass);
        EXPECT_EQ(Screen->Cursor(), crHourGlass);
        throw Exception("Falhou.");
      },
      Exception);
  EXPECT_EQ(Screen->Cursor(), crDefault);
}

}  // namespace
}  // namespace zor::plat
