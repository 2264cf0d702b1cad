#include "platform/core/component.h"

#include <gtest/gtest.h>

#include "platform/core/events.h"
#include "platform/core/exceptions.h"


namespace zor::plat {

namespace {
// Counts its destructions and remembers what it was told about.
struct Probe : TComponent {
  Probe(TComponent* owner, int* deaths) : TComponent(owner), deaths(deaths) {}
  ~Probe() override { ++*deaths; }
  void Notification(TComponent* c, TOperation op) override {
    if (op == TOperation::opRemove && c == watched) watched = nullptr;
  }
  int* deaths;
  TComponent* watched = nullptr;
};
}  // namespace

TEST(Component, OwnerDestroysWhatItOwns) {
  int deaths = 0;
  auto* form = new TComponent(nullptr);
  auto* a = new Probe(form, &deaths);
  new Probe(a, &deaths);
  EXPECT_EQ(form->ComponentCount(), 1);
  delete form;
  EXPECT_EQ(deaths, 2);
}

TEST(Component, FindComponentIgnoresCase) {
  TComponent form(nullptr);
  int deaths = 0;
  auto* edit = new Probe(&form, &deaths);
  edit->SetName("medFilial");
  EXPECT_EQ(form.FindComponent("MEDFILIAL"), edit);
  EXPECT_EQ(form.FindComponent("medSgCia"), nullptr);
  EXPECT_EQ(FindComponentAs<Probe>(&form, "medfilial"), edit);
  EXPECT_EQ(FindComponentAs<Probe>(nullptr, "medfilial"), nullptr);
}

TEST(Component, SiblingsMayNotShareAName) {
  TComponent form(nullptr);
  auto* a = new TComponent(&form);
  auto* b = new TComponent(&form);
  a->SetName("cdsVoo");
  EXPECT_THROW(b->SetName("CDSVOO"), EComponentError);
  EXPECT_NO_THROW(a->SetName("cdsVoo"));
}

TEST(Component, DeletingAnOwnedComponentLeavesTheOwnerConsistent) {
  TComponent form(nullptr);
  auto* a = new TComponent(&form);
  a->SetName("x");
  delete a;
  EXPECT_EQ(form.ComponentCount(), 0);
  EXPECT_EQ(form.FindComponent("x"), nullptr);
}

TEST(Component, FreeNotificationClearsStaleReferences) {
  int deaths = 0;
  Probe watcher(nullptr, &deaths);
  auto* target = new TComponent(nullptr);
  watcher.watched = target;
  watcher.FreeNotification(target);
  delete target;
  EXPECT_EQ(watcher.watched, nullptr);
}

// A handler detached for a scope is attached again however the scope ends,
// and while detached the event does not run it.
TEST(DetachedHandler, AttachesTheHandlerAgainOnEveryWayOut) {
  int runs = 0;
  TNotifyEvent event = [&](TObject*) { ++runs; };
  {
    DetachedHandler quiet(event);
    Fire(event, nullptr);
  }
  EXPECT_EQ(runs, 0);
  Fire(event, nullptr);
  EXPECT_EQ(runs, 1);
  EXPECT_THROW(
      {
        DetachedHandler quiet(event);
        throw Exception("Falhou.");
      },
      Exception);
  Fire(event, nullptr);
  EXPECT_EQ(runs, 2);
}

}  // namespace zor::plat
