// Focus rules: exit/enter order across nested containers, refused moves,
// exit handlers that move the focus, and Tab order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls/containers.h"
#include "platform/controls/custom_form.h"
#include "platform/controls/edit.h"
#include "platform/core/exceptions.h"
#include "platform/ui/scripted_ui.h"

namespace zor::plat {
namespace {

class FocusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetUi(&ui);
    // form › panA › panA1 › edA, edA2 ; form › panB › edB ; form › edC
    panA = Make<TPanel>("panA", &form);
    panA1 = Make<TPanel>("panA1", panA);
    edA = Make<TEdit>("edA", panA1);
    edA2 = Make<TEdit>("edA2", panA1);
    panB = Make<TPanel>("panB", &form);
    edB = Make<TEdit>("edB", panB);
    edC = Make<TEdit>("edC", &form);
  }
  void TearDown() override { SetUi(nullptr); }

  template <typename T>
  T* Make(const std::string& name, TWinControl* parent) {
    T* c = new T(&form);
    c->SetName(name);
    c->SetParent(parent);
    c->OnEnter = [this, name](TObject*) { log.push_back(name + ".enter"); };
    c->OnExit = [this, name](TObject*) { log.push_back(name + ".exit"); };
    return c;
  }

  ScriptedUi ui;
  TCustomForm form;
  TPanel *panA, *panA1, *panB;
  TEdit *edA, *edA2, *edB, *edC;
  std::vector<std::string> log;
};

using Log = std::vector<std::string>;

TEST_F(FocusTest, EnteringFromNothingEntersContainersOutermostFirst) {
  EXPECT_TRUE(edA->SetFocus());
  EXPECT_EQ(log, (Log{"panA.enter", "panA1.enter", "edA.enter"}));
  EXPECT_EQ(form.ActiveControl(), edA);
  EXPECT_TRUE(edA->Focused());
}

TEST_F(FocusTest, LeavingNestedPanelsRunsExitsInnermostFirstThenEnters) {
  edA->SetFocus();
  log.clear();
  EXPECT_TRUE(edB->SetFocus());
  EXPECT_EQ(log, (Log{"edA.exit", "panA1.exit", "panA.exit", "panB.enter", "edB.enter"}));
}

TEST_F(FocusTest, MovingInsideAPanelDoesNotLeaveIt) {
  edA->SetFocus();
  log.clear();
  edA2->SetFocus();
  EXPECT_EQ(log, (Log{"edA.exit", "edA2.enter"}));
  log.clear();
  edA2->SetFocus();  // already there: nothing runs
  EXPECT_TRUE(log.empty());
}

TEST_F(FocusTest, SilentAbortInControlExitCancelsTheMoveWithoutMessage) {
  edA->SetFocus();
  edA->OnExit = [](TObject*) { Abort(); };
  log.clear();
  EXPECT_FALSE(form.UserFocus(edB));
  EXPECT_EQ(form.ActiveControl(), edA);
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(ui.Events().empty());
  // From code the abort reaches the caller.
  EXPECT_THROW(edB->SetFocus(), EAbort);
  EXPECT_EQ(form.ActiveControl(), edA);
}

TEST_F(FocusTest, PanelExitErrorIsShownAndFocusStaysOnTheOldControl) {
  edA->SetFocus();
  panA->OnExit = [](TObject*) { throw Exception("Filial deve ser informada."); };
  log.clear();
  EXPECT_FALSE(form.UserFocus(edC));
  EXPECT_EQ(form.ActiveControl(), edA);
  EXPECT_EQ(log, (Log{"edA.exit", "panA1.exit"}));
  ASSERT_TRUE(ui.LastMessage());
  EXPECT_EQ(*ui.LastMessage(), "Filial deve ser informada.");
  // The control counts as entered again: the next try re-runs every exit.
  panA->OnExit = [this](TObject*) { log.push_back("panA.exit"); };
  log.clear();
  EXPECT_TRUE(form.UserFocus(edC));
  EXPECT_EQ(log, (Log{"edA.exit", "panA1.exit", "panA.exit", "edC.enter"}));
}

TEST_F(FocusTest, ExitHandlerThatRefocusesInsideThePanelWins) {
  edA->SetFocus();
  panA->OnExit = [this](TObject*) {
    log.push_back("panA.exit");
    edA2->SetFocus();
    Abort();
  };
  log.clear();
  EXPECT_FALSE(form.UserFocus(edB));
  EXPECT_EQ(form.ActiveControl(), edA2);
  // The panels were never really left: only edA2 is entered.
  EXPECT_EQ(log, (Log{"edA.exit", "panA1.exit", "panA.exit", "panA1.enter", "edA2.enter"}));
  log.clear();
  panA->OnExit = nullptr;
  EXPECT_TRUE(form.UserFocus(edC));
  EXPECT_EQ(log, (Log{"edA2.exit", "panA1.exit", "edC.enter"}));
}

TEST_F(FocusTest, ExitHandlerThatMovesFocusWithoutRaisingCancelsTheOuterMove) {
  edA->SetFocus();
  bool first = true;
  edA->OnExit = [&](TObject*) {
    if (!first) return;
    first = false;
    edC->SetFocus();
  };
  log.clear();
  EXPECT_FALSE(form.UserFocus(edB));
  EXPECT_EQ(form.ActiveControl(), edC);
  EXPECT_EQ(log, (Log{"panA1.exit", "panA.exit", "edC.enter"}));
}

TEST_F(FocusTest, ExitHandlerGivingFocusBackToItsControlKeepsIt) {
  edA->SetFocus();
  edA->OnExit = [this](TObject*) {
    edA->SetFocus();
    throw Exception("Código inválido.");
  };
  EXPECT_FALSE(form.UserFocus(edB));
  EXPECT_EQ(form.ActiveControl(), edA);
  EXPECT_EQ(*ui.LastMessage(), "Código inválido.");
}

TEST_F(FocusTest, DisabledOrHiddenControlsAreRefused) {
  edA->SetFocus();
  edB->SetEnabled(false);
  EXPECT_FALSE(edB->CanFocus());
  EXPECT_FALSE(form.UserFocus(edB));
  edB->SetEnabled(true);
  panB->SetEnabled(false);  // a disabled container disables what it holds
  EXPECT_FALSE(edB->SetFocus());
  panB->SetEnabled(true);
  panB->SetVisible(false);
  EXPECT_FALSE(edB->CanFocus());
  EXPECT_EQ(form.ActiveControl(), edA);
  TEdit orphan;
  EXPECT_FALSE(orphan.SetFocus());
}

TEST_F(FocusTest, TabFollowsTabOrderAndSkipsUnfocusableControls) {
  EXPECT_EQ(form.TabOrderList().size(), 7u);
  edA->SetFocus();
  EXPECT_TRUE(form.UserTab());
  EXPECT_EQ(form.ActiveControl(), edA2);
  edB->SetEnabled(false);
  EXPECT_TRUE(form.UserKeyDown(VK_TAB));
  EXPECT_EQ(form.ActiveControl(), edC);
  EXPECT_TRUE(form.UserTab());  // wraps around
  EXPECT_EQ(form.ActiveControl(), edA);
  EXPECT_TRUE(form.UserKeyDown(VK_TAB, TShiftState{ssShift}));
  EXPECT_EQ(form.ActiveControl(), edC);
  panA->SetVisible(false);
  edB->SetEnabled(true);
  EXPECT_TRUE(form.UserTab());
  EXPECT_EQ(form.ActiveControl(), edB);
  edC->SetTabOrder(0);
  EXPECT_EQ(edC->TabOrder(), 0);
  EXPECT_EQ(form.FindNextControl(nullptr, true), edC);
}

TEST_F(FocusTest, KeyPreviewLetsTheFormSwallowAKey) {
  std::vector<int> seen;
  form.SetKeyPreview(true);
  form.OnKeyDown = [&](TObject*, Word& key, TShiftState) {
    seen.push_back(-key);
    if (key == VK_ESCAPE) key = 0;
  };
  edA->OnKeyDown = [&](TObject*, Word& key, TShiftState) { seen.push_back(key); };
  edA->SetFocus();
  form.UserKeyDown(VK_ESCAPE);
  form.UserKeyDown(VK_DOWN);
  EXPECT_EQ(seen, (std::vector<int>{-VK_ESCAPE, -VK_DOWN, VK_DOWN}));
}

TEST_F(FocusTest, FocusChangesAreNotified) {
  std::vector<std::pair<TWinControl*, TWinControl*>> moves;
  form.FocusChanges.Subscribe([&](TCustomForm*, TWinControl* from, TWinControl* to) { moves.push_back({from, to}); });
  int edbFocus = 0;
  edB->Changes.Subscribe([&](TComponent*, Prop p) { edbFocus += p == Prop::Focus; });
  edA->SetFocus();
  edB->SetFocus();
  EXPECT_EQ(moves.size(), 2u);
  EXPECT_EQ(moves[1].first, edA);
  EXPECT_EQ(moves[1].second, edB);
  EXPECT_EQ(edbFocus, 1);
}

TEST_F(FocusTest, DestroyingTheFocusedControlLeavesNoDanglingFocus) {
  edB->SetFocus();
  delete panB;  // takes edB's parent away; edB is still owned by the form
  EXPECT_EQ(form.ActiveControl(), nullptr);
  log.clear();
  EXPECT_TRUE(edC->SetFocus());
  EXPECT_EQ(log, (Log{"edC.enter"}));
  delete edC;
  EXPECT_EQ(form.ActiveControl(), nullptr);
}

}  // namespace
}  // namespace zor::plat
