// The renderer: widgets follow the platform controls (text, enabled,
// visible, checked, active page, layout), and the person's gestures reach
// the platform (typing, clicks, tab choice, focus moves, refused exits,
// key handlers that swallow keys).
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "desktop/render/choice_views.h"
#include "desktop/render/form_view.h"
#include "platform/controls/check_box.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/containers.h"
#include "platform/controls/custom_form.h"
#include "platform/controls/edit.h"
#include "platform/controls/label.h"
#include "platform/controls/mask_edit.h"
#include "platform/controls/page_control.h"
#include "platform/controls/speed_button.h"
#include "platform/core/exceptions.h"
#include "platform/ui/scripted_ui.h"
#include "qt_test_app.h"

namespace zor::desktop {

using desktop_test::App;

namespace {

template <typename T>
T* Make(plat::TCustomForm* form, plat::TWinControl* parent, const char* name, int l, int t, int w, int h) {
  auto* c = new T(form);
  c->SetName(name);
  c->SetBounds(l, t, w, h);
  c->SetParent(parent);
  return c;
}

// A small form: a context strip on top (label, two edits, a lookup
// button), a page control below it with two pages, a check box, a combo
// box and a masked edit on the second page.
class RenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    plat::SetUi(&ui_);
    form_ = new plat::TCustomForm;
    form_->SetName("frmTeste");
    form_->SetCaption("Vôo/Trecho");
    form_->SetBounds(0, 0, 508, 334);  // client 500 × 300
    strip_ = Make<plat::TPanel>(form_, form_, "panStrip", 0, 0, 500, 55);
    strip_->SetAlign(plat::alTop);
    label_ = Make<plat::TLabel>(form_, strip_, "lblFilial", 8, 4, 40, 13);
    label_->SetCaption("Filial");
    branch_ = Make<plat::TEdit>(form_, strip_, "edtFilial", 8, 20, 60, 21);
    company_ = Make<plat::TEdit>(form_, strip_, "edtCia", 80, 20, 60, 21);
    company_->SetCharCase(plat::ecUpperCase);
    lookup_ = Make<plat::TSpeedButton>(form_, strip_, "btpCompanhia", 470, 20, 23, 22);
    lookup_->SetHint("Pesquisar");
    lookup_->SetAnchors({plat::akTop, plat::akRight});
    pages_ = Make<plat::TPageControl>(form_, form_, "pgcPadrao", 0, 55, 500, 245);
    pages_->SetAlign(plat::alClient);
    grid_page_ = Make<plat::TTabSheet>(form_, pages_, "tshFolhaDados", 0, 0, 492, 217);
    grid_page_->SetCaption("Vôo(s)");
    record_page_ = Make<plat::TTabSheet>(form_, pages_, "tshFormulario", 0, 0, 492, 217);
    record_page_->SetCaption("Formulário");
    daily_ = Make<plat::TCheckBox>(form_, record_page_, "ccbDiario", 8, 8, 80, 17);
    daily_->SetCaption("Diário");
    kind_ = Make<plat::TComboBox>(form_, record_page_, "cbbTipoVoo", 8, 32, 120, 21);
    kind_->SetStyle(plat::csDropDownList);
    kind_->Items().Assign({"Regular", "Extra"});
    time_ = Make<plat::TMaskEdit>(form_, record_page_, "medHora", 8, 60, 60, 21);
    time_->SetEditMask("!99:99;1; ");
    pages_->SetActivePage(grid_page_);
    view_ = std::make_unique<desktop::FormView>(form_);
    view_->resize(500, 300);
  }
  void TearDown() override {
    view_.reset();
    delete form_;
    plat::SetUi(nullptr);
  }
  template <typename W>
  W* Widget(const char* name) {
    return qobject_cast<W*>(view_->WidgetNamed(name));
  }

  plat::ScriptedUi ui_;
  plat::TCustomForm* form_;
  plat::TPanel* strip_;
  plat::TLabel* label_;
  plat::TEdit *branch_, *company_;
  plat::TSpeedButton* lookup_;
  plat::TPageControl* pages_;
  plat::TTabSheet *grid_page_, *record_page_;
  plat::TCheckBox* daily_;
  plat::TComboBox* kind_;
  plat::TMaskEdit* time_;
  std::unique_ptr<desktop::FormView> view_;
};

TEST_F(RenderTest, OneWidgetPerControlNamedAfterIt) {
  EXPECT_NE(Widget<QLabel>("lblFilial"), nullptr);
  EXPECT_NE(Widget<QLineEdit>("edtFilial"), nullptr);
  EXPECT_NE(Widget<QToolButton>("btpCompanhia"), nullptr);
  EXPECT_NE(Widget<QTabWidget>("pgcPadrao"), nullptr);
  EXPECT_NE(Widget<QCheckBox>("ccbDiario"), nullptr);
  EXPECT_NE(Widget<QComboBox>("cbbTipoVoo"), nullptr);
  EXPECT_EQ(view_->windowTitle(), QString::fromUtf8("Vôo/Trecho"));
  EXPECT_EQ(Widget<QLabel>("lblFilial")->text(), "Filial");
  EXPECT_EQ(Widget<QToolButton>("btpCompanhia")->toolTip(), "Pesquisar");
  EXPECT_FALSE(Widget<QToolButton>("btpCompanhia")->icon().isNull());
}

TEST_F(RenderTest, WidgetsFollowThePlatform) {
  branch_->SetText("0001");
  EXPECT_EQ(Widget<QLineEdit>("edtFilial")->text(), "0001");
  company_->SetEnabled(false);
  EXPECT_FALSE(Widget<QLineEdit>("edtCia")->isEnabled());
  label_->SetCaption("&Companhia");
  EXPECT_EQ(Widget<QLabel>("lblFilial")->text(), "Companhia");
  daily_->SetChecked(true);
  EXPECT_TRUE(Widget<QCheckBox>("ccbDiario")->isChecked());
  kind_->SetItemIndex(1);
  EXPECT_EQ(Widget<QComboBox>("cbbTipoVoo")->currentText(), "Extra");
  kind_->Items().Add("Fretamento");
  EXPECT_EQ(Widget<QComboBox>("cbbTipoVoo")->count(), 3);
  time_->SetText("07:30");
  EXPECT_EQ(Widget<QLineEdit>("medHora")->displayText(), "07:30");

  auto* tabs = Widget<QTabWidget>("pgcPadrao");
  EXPECT_EQ(tabs->currentWidget(), view_->WidgetOf(grid_page_));
  pages_->SetActivePage(record_page_);
  EXPECT_EQ(tabs->currentWidget(), view_->WidgetOf(record_page_));
  record_page_->SetEnabled(false);
  EXPECT_FALSE(tabs->isTabEnabled(1));
  record_page_->SetTabVisible(false);
  EXPECT_FALSE(tabs->isTabVisible(1));
  EXPECT_EQ(tabs->tabText(0), QString::fromUtf8("Vôo(s)"));

  view_->show();
  lookup_->SetVisible(false);
  EXPECT_FALSE(Widget<QToolButton>("btpCompanhia")->isVisible());
  lookup_->SetVisible(true);
  EXPECT_TRUE(Widget<QToolButton>("btpCompanhia")->isVisible());
}

// The page shown is always the platform's active page, also when the
// screen disables or hides tabs (Qt would move to another tab by itself).
TEST_F(RenderTest, ThePageShownIsTheActivePageWhateverTheTabsDo) {
  auto* tabs = Widget<QTabWidget>("pgcPadrao");
  view_->show();
  pages_->SetActivePage(grid_page_);
  grid_page_->SetEnabled(false);
  EXPECT_EQ(tabs->currentWidget(), view_->WidgetOf(grid_page_));
  grid_page_->SetEnabled(true);
  pages_->SetActivePage(record_page_);
  record_page_->SetTabVisible(false);
  EXPECT_EQ(pages_->ActivePage(), record_page_);
  EXPECT_EQ(tabs->currentWidget(), view_->WidgetOf(record_page_));
  record_page_->SetTabVisible(true);
  view_->resize(900, 700);  // maximised
  QApplication::processEvents();
  EXPECT_EQ(tabs->currentWidget(), view_->WidgetOf(record_page_));
  EXPECT_EQ(tabs->tabBar()->currentIndex(), tabs->indexOf(view_->WidgetOf(record_page_)));
}

// Disabled controls look disabled, also those the form colours: the
// disabled palette keeps the style's greys.
TEST_F(RenderTest, DisabledControlsAndTabsLookDisabled) {
  branch_->SetFontColor(plat::clBlue);
  branch_->SetColor(plat::clInfoBk);
  branch_->SetEnabled(false);
  const QPalette pal = Widget<QLineEdit>("edtFilial")->palette();
  EXPECT_NE(pal.color(QPalette::Disabled, QPalette::Text), pal.color(QPalette::Active, QPalette::Text));
  EXPECT_NE(pal.color(QPalette::Disabled, QPalette::Base), pal.color(QPalette::Active, QPalette::Base));
  pages_->SetFontColor(plat::clNavy);
  record_page_->SetEnabled(false);
  auto* bar = Widget<QTabWidget>("pgcPadrao")->tabBar();
  EXPECT_FALSE(bar->isTabEnabled(1));
  EXPECT_NE(bar->palette().color(QPalette::Disabled, QPalette::WindowText),
            bar->palette().color(QPalette::Active, QPalette::WindowText));
}

TEST_F(RenderTest, LayoutFollowsAlignmentAndAnchors) {
  view_->show();
  QWidget* strip = view_->WidgetOf(strip_);
  QWidget* tabs = view_->WidgetOf(pages_);
  EXPECT_EQ(strip->geometry(), QRect(0, 0, 500, 55));
  EXPECT_EQ(tabs->geometry(), QRect(0, 55, 500, 245));
  EXPECT_EQ(view_->WidgetOf(branch_)->geometry(), QRect(8, 20, 60, 21));
  // A self-sizing label without a designed size gets what its text needs.
  label_->SetBounds(8, 4, 0, 0);
  EXPECT_GE(view_->WidgetOf(label_)->width(), 20);
  view_->resize(600, 400);
  EXPECT_EQ(strip->geometry(), QRect(0, 0, 600, 55));
  EXPECT_EQ(tabs->geometry(), QRect(0, 55, 600, 345));
  // Anchored to the right: keeps its distance from the right edge.
  EXPECT_EQ(view_->WidgetOf(lookup_)->geometry(), QRect(570, 20, 23, 22));
  // A hidden top strip gives its room to the client control.
  strip_->SetVisible(false);
  EXPECT_EQ(tabs->geometry(), QRect(0, 0, 600, 400));
}

TEST_F(RenderTest, TypingReachesThePlatformAndItsChangeHandler) {
  std::vector<std::string> changes;
  company_->OnChange = [&](plat::TObject*) { changes.push_back(company_->Text()); };
  auto* edit = Widget<QLineEdit>("edtCia");
  ASSERT_TRUE(desktop_test::ShowActive(view_.get()));
  QTest::keyClicks(edit, "gl");
  EXPECT_EQ(company_->Text(), "GL");
  // The platform upper-cased it; the widget shows what the platform holds.
  EXPECT_EQ(edit->text(), "GL");
  EXPECT_EQ(changes, (std::vector<std::string>{"G", "GL"}));
}

TEST_F(RenderTest, AKeyHandlerThatSwallowsTheKeyStopsTheWidget) {
  branch_->OnKeyPress = [](plat::TObject*, char& k) {
    if (k == 'x') k = 0;
  };
  auto* edit = Widget<QLineEdit>("edtFilial");
  ASSERT_TRUE(desktop_test::ShowActive(view_.get()));
  edit->setFocus();
  QTest::keyClicks(edit, "1x2");
  EXPECT_EQ(branch_->Text(), "12");
  EXPECT_EQ(edit->text(), "12");
}

TEST_F(RenderTest, MaskedTypingStoresTheMaskedText) {
  pages_->SetActivePage(record_page_);
  ASSERT_TRUE(desktop_test::ShowActive(view_.get()));
  auto* edit = Widget<QLineEdit>("medHora");
  edit->setFocus();
  edit->setCursorPosition(0);
  QTest::keyClicks(edit, "1234");
  EXPECT_EQ(time_->Text(), "12:34");
}

TEST_F(RenderTest, QtInputMasksFromPlatformMasks) {
  EXPECT_EQ(desktop::ToQtInputMask(">aaaa;0; "), ">nnnn; ");
  EXPECT_EQ(desktop::ToQtInputMask("!99:99;1; "), "00:00; ");
  EXPECT_EQ(desktop::ToQtInputMask("!99/99/9999;1;_"), "00/00/0000;_");
  EXPECT_EQ(desktop::ToQtInputMask("LL-000"), "AA-999;_");
  EXPECT_EQ(desktop::ToQtInputMask(""), "");
}

TEST_F(RenderTest, ClicksReachThePlatform) {
  int clicks = 0, boxClicks = 0;
  lookup_->OnClick = [&](plat::TObject*) { ++clicks; };
  daily_->OnClick = [&](plat::TObject*) { ++boxClicks; };
  pages_->SetActivePage(record_page_);
  ASSERT_TRUE(desktop_test::ShowActive(view_.get()));
  QTest::mouseClick(Widget<QToolButton>("btpCompanhia"), Qt::LeftButton);
  EXPECT_EQ(clicks, 1);
  lookup_->SetEnabled(false);
  QTest::mouseClick(Widget<QToolButton>("btpCompanhia"), Qt::LeftButton);
  EXPECT_EQ(clicks, 1);

  auto* box = Widget<QCheckBox>("ccbDiario");
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
  EXPECT_TRUE(daily_->Checked());
  EXPECT_EQ(boxClicks, 1);
  EXPECT_TRUE(box->isChecked());

  int selected = 0;
  kind_->OnChange = [&](plat::TObject*) { ++selected; };
  auto* combo = Widget<QComboBox>("cbbTipoVoo");
  combo->setFocus();
  QTest::keyClick(combo, Qt::Key_Down);
  EXPECT_EQ(kind_->ItemIndex(), 0);
  EXPECT_EQ(selected, 1);
}

TEST_F(RenderTest, TabChoiceGoesThroughThePlatformWhichMayRefuseIt) {
  int changes = 0;
  bool allow = false;
  pages_->OnChanging = [&](plat::TObject*, bool& ok) { ok = allow; };
  pages_->OnChange = [&](plat::TObject*) { ++changes; };
  ASSERT_TRUE(desktop_test::ShowActive(view_.get()));
  auto* tabs = Widget<QTabWidget>("pgcPadrao");
  auto clickTab = [&](int i) {
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(i).center());
  };
  clickTab(1);
  EXPECT_EQ(pages_->ActivePage(), grid_page_);
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_EQ(changes, 0);
  allow = true;
  clickTab(1);
  EXPECT_EQ(pages_->ActivePage(), record_page_);
  EXPECT_EQ(tabs->currentIndex(), 1);
  EXPECT_EQ(changes, 1);
}

TEST_F(RenderTest, FocusMovesGoThroughThePlatformAndARefusedExitPutsTheFocusBack) {
  ASSERT_TRUE(desktop_test::ShowActive(view_.get()));
  auto* branch = Widget<QLineEdit>("edtFilial");
  auto* company = Widget<QLineEdit>("edtCia");
  std::vector<std::string> events;
  branch_->OnExit = [&](plat::TObject*) {
    events.push_back("exit filial");
    if (branch_->Text().empty()) {
      plat::Ui().ShowError("", "Filial deve ser informada.");
      plat::Abort();
    }
  };
  company_->OnEnter = [&](plat::TObject*) { events.push_back("enter cia"); };

  ASSERT_TRUE(form_->SetActiveControl(branch_));
  QApplication::processEvents();
  EXPECT_TRUE(branch->hasFocus());
  // Tab: refused by the exit handler, the focus stays.
  QTest::keyClick(branch, Qt::Key_Tab);
  QApplication::processEvents();
  EXPECT_EQ(form_->ActiveControl(), branch_);
  EXPECT_TRUE(branch->hasFocus());
  EXPECT_EQ(ui_.LastMessage().value_or(""), "Filial deve ser informada.");
  // A click in the other edit: refused too, and the Qt focus comes back.
  QTest::mouseClick(company, Qt::LeftButton);
  QTest::qWait(20);
  EXPECT_EQ(form_->ActiveControl(), branch_);
  EXPECT_TRUE(branch->hasFocus());
  EXPECT_EQ(events, (std::vector<std::string>{"exit filial", "exit filial"}));

  // Accepted: Tab moves in the platform's tab order.
  QTest::keyClicks(branch, "0001");
  QTest::keyClick(branch, Qt::Key_Tab);
  QApplication::processEvents();
  EXPECT_EQ(form_->ActiveControl(), company_);
  EXPECT_TRUE(company->hasFocus());
  EXPECT_EQ(events.back(), "enter cia");
}

TEST_F(RenderTest, PlatformFocusMovesMoveTheQtFocus) {
  ASSERT_TRUE(desktop_test::ShowActive(view_.get()));
  form_->SetActiveControl(company_);
  QApplication::processEvents();
  EXPECT_TRUE(Widget<QLineEdit>("edtCia")->hasFocus());
  form_->SetActiveControl(branch_);
  QApplication::processEvents();
  EXPECT_TRUE(Widget<QLineEdit>("edtFilial")->hasFocus());
}

// An edit the focus reaches from the keyboard or from a failed check has
// its whole text selected, so that typing replaces the rejected value
// instead of appending to it.
TEST_F(RenderTest, AnEditReachedByTheKeyboardOrAFailedCheckSelectsItsText) {
  ASSERT_TRUE(desktop_test::ShowActive(view_.get()));
  branch_->SetText("0099");
  company_->SetText("XYZ");
  form_->SetActiveControl(company_);
  QApplication::processEvents();
  EXPECT_EQ(Widget<QLineEdit>("edtCia")->selectedText(), "XYZ");
  // A check that fails puts the focus back on the branch.
  form_->SetActiveControl(branch_);
  QApplication::processEvents();
  auto* branch = Widget<QLineEdit>("edtFilial");
  ASSERT_TRUE(branch->hasFocus());
  EXPECT_EQ(branch->selectedText(), "0099");
  QTest::keyClicks(branch, "0001");
  EXPECT_EQ(branch_->Text(), "0001");
  // Tab from the keyboard.
  QTest::keyClick(branch, Qt::Key_Tab);
  QApplication::processEvents();
  EXPECT_EQ(Widget<QLineEdit>("edtCia")->selectedText(), "XYZ");
}

TEST_F(RenderTest, ControlsAddedOrDestroyedLaterFollow) {
  auto* extra = Make<plat::TEdit>(form_, strip_, "edtExtra", 200, 20, 60, 21);
  EXPECT_EQ(view_->WidgetNamed("edtExtra"), nullptr);
  view_->Rescan();
  ASSERT_NE(view_->WidgetNamed("edtExtra"), nullptr);
  extra->SetText("abc");
  EXPECT_EQ(Widget<QLineEdit>("edtExtra")->text(), "abc");
  delete extra;
  EXPECT_EQ(view_->WidgetOf(extra), nullptr);
  QApplication::processEvents();  // deferred widget deletion runs
  // Destroying the form detaches the view.
  bool destroyed = false;
  QObject::connect(view_.get(), &desktop::FormView::FormDestroyed, [&] { destroyed = true; });
  delete form_;
  form_ = nullptr;
  EXPECT_TRUE(destroyed);
  EXPECT_EQ(view_->PlatformForm(), nullptr);
}

}  // namespace

}  // namespace zor::desktop
