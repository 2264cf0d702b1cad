// The window as a person sees it: every control the platform shows has a
// visible widget of some size inside its container, showing its whole
// caption in the forms' face, not running into its neighbour. First the
// check itself on a small form with the faults it must catch, then the
// base forms every screen of the package stands on. The flight and report
// screens are checked with data, tab by tab, in host_script_test.
#include <gtest/gtest.h>

#include <QTest>

#include "desktop/render/form_view.h"
#include "desktop/render/layout_check.h"
#include "platform/controls/check_box.h"
#include "platform/controls/custom_form.h"
#include "platform/controls/edit.h"
#include "platform/controls/label.h"
#include "platform/controls/page_control.h"
#include "platform/forms/application.h"
#include "platform/forms/frm_dados_ger_rel.h"
#include "platform/forms/frm_padrao.h"
#include "platform/ui/scripted_ui.h"
#include "qt_test_app.h"

namespace zor::desktop {

using desktop_test::App;

namespace {

template <typename T>
T* Make(plat::TCustomForm* form, const char* name, int l, int t, int w, int h, const char* caption = "") {
  auto* c = new T(form);
  c->SetName(name);
  c->SetBounds(l, t, w, h);
  c->SetParent(form);
  if (*caption) c->SetCaption(caption);
  return c;
}

bool Mentions(const QStringList& problems, const QString& control) {
  for (const QString& p : problems)
    if (p.startsWith(control + ":")) return true;
  return false;
}

class LayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    plat::SetUi(&ui_);
  }
  void TearDown() override {
    plat::Application->DestroyForms();
    plat::SetUi(nullptr);
    QApplication::processEvents();
  }
  // Every page of every page control in turn.
  QStringList CheckEveryPage(plat::TCustomForm* form) {
    desktop::FormView view(form);
    view.show();
    QStringList all = desktop::CheckLayout(view);
    for (int i = 0; i < form->ComponentCount(); ++i)
      if (auto* pages = dynamic_cast<plat::TPageControl*>(form->Components(i)))
        for (int p = 0; p < pages->PageCount(); ++p) {
          if (!pages->Pages(p)->TabVisible()) continue;
          pages->SetActivePage(pages->Pages(p));
          QApplication::processEvents();
          for (const QString& problem : desktop::CheckLayout(view))
            if (!all.contains(problem)) all << problem;
        }
    return all;
  }
  plat::ScriptedUi ui_;
};

TEST_F(LayoutTest, FindsWhatAPersonCannotSeeOrRead) {
  plat::TCustomForm form;
  form.SetName("frmTeste");
  form.SetBounds(0, 0, 408, 234);
  // A check box of no height: no widget area, nothing to click.
  Make<plat::TCheckBox>(&form, "ccbSemAltura", 8, 8, 97, 0, "Diário");
  // A caption wider than the room the check box gives it.
  Make<plat::TCheckBox>(&form, "ccbEstreito", 8, 30, 40, 17, "Descarrego");
  // A fixed-width label that cuts its caption.
  auto* cut = Make<plat::TLabel>(&form, "lblCortado", 8, 60, 20, 13, "Base/Trânsito");
  cut->SetAutoSize(false);
  // A label running into the edit placed right after it.
  Make<plat::TLabel>(&form, "lblCarrego", 8, 90, 20, 13, "Carrego do vôo");
  Make<plat::TEdit>(&form, "edtCarrego", 40, 88, 60, 21);
  // An edit placed past its container's right edge.
  Make<plat::TEdit>(&form, "edtFora", 380, 120, 60, 21);
  // Hidden controls are not the person's concern.
  Make<plat::TCheckBox>(&form, "ccbOculto", 8, 150, 10, 0, "Oculto")->SetVisible(false);

  desktop::FormView view(&form);
  view.show();
  const QStringList problems = desktop::CheckLayout(view);
  EXPECT_TRUE(Mentions(problems, "ccbSemAltura")) << problems.join('\n').toStdString();
  EXPECT_TRUE(Mentions(problems, "ccbEstreito")) << problems.join('\n').toStdString();
  EXPECT_TRUE(Mentions(problems, "lblCortado")) << problems.join('\n').toStdString();
  EXPECT_TRUE(Mentions(problems, "lblCarrego")) << problems.join('\n').toStdString();
  EXPECT_TRUE(Mentions(problems, "edtFora")) << problems.join('\n').toStdString();
  EXPECT_FALSE(Mentions(problems, "ccbOculto"));
  EXPECT_FALSE(Mentions(problems, "edtCarrego"));
}

TEST_F(LayoutTest, ACheckBoxWithoutASizeIsSeenWithItsWholeCaption) {
  plat::TCustomForm form;
  form.SetName("frmTeste");
  form.SetBounds(0, 0, 408, 234);
  auto* box = new plat::TCheckBox(&form);
  box->SetName("ccbAbast");
  box->SetLeft(8);
  box->SetTop(8);
  box->SetWidth(100);
  box->SetParent(&form);
  box->SetCaption("Abastecimento");
  desktop::FormView view(&form);
  view.show();
  const QStringList problems = desktop::CheckLayout(view);
  EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
}

TEST_F(LayoutTest, BaseFormsShowEveryControlWhole) {
  plat::TfrmPadrao* gridForm = nullptr;
  plat::Application->CreateForm(gridForm);
  const QStringList gridProblems = CheckEveryPage(gridForm);
  EXPECT_TRUE(gridProblems.isEmpty()) << gridProblems.join('\n').toStdString();
  plat::TfrmDadosGerRel* reportForm = nullptr;
  plat::Application->CreateForm(reportForm);
  const QStringList reportProblems = CheckEveryPage(reportForm);
  EXPECT_TRUE(reportProblems.isEmpty()) << reportProblems.join('\n').toStdString();
}

}  // namespace

}  // namespace zor::desktop
