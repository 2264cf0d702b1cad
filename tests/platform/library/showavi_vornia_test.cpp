#include <stdexcept>

#include "platform/library/showavi.h"
#include "platform/library/vornia.h"

#include "library_fixture.h"


namespace zor::plat {

using Busy = LibraryTest;

TEST_F(Busy, SecondHideDoesNothing) {
  Showavi::ActiveShowAvi(nullptr, 6);
  EXPECT_EQ(ui.BusyDepth(), 1);
  EXPECT_EQ(Showavi::ShownKind(), 6);
  Showavi::DeactiveShowAvi();
  Showavi::DeactiveShowAvi();
  EXPECT_EQ(ui.BusyDepth(), 0);
  EXPECT_FALSE(Showavi::IsShown());
  EXPECT_EQ(Showavi::ShownKind(), -1);
}

size_t PortShows(const ScriptedUi& ui) {
  size_t shows = 0;
  for (const auto& e : ui.Events()) shows += e.kind == ScriptedUi::Kind::Busy;
  return shows;
}

// A show inside another only counts: the person sees one indicator, of the
// outer kind, from the outermost show to its hide; the inner hide does not
// take it down while the outer call still runs.
TEST_F(Busy, ShowsNestAndTheOutermostOnePutsUpAndTakesDown) {
  Showavi::ActiveShowAvi(nullptr, 0);
  Showavi::ActiveShowAvi(nullptr, 1);
  Showavi::ActiveShowAvi(nullptr, Showavi::BusyKind::Loading);
  EXPECT_EQ(Showavi::ShowDepth(), 3);
  EXPECT_EQ(PortShows(ui), 1u);
  EXPECT_EQ(ui.Events().back().text, "0");
  EXPECT_EQ(Showavi::ShownKind(), 0);
  Showavi::DeactiveShowAvi();
  Showavi::DeactiveShowAvi();
  EXPECT_TRUE(Showavi::IsShown());
  EXPECT_EQ(ui.BusyDepth(), 1);
  Showavi::DeactiveShowAvi();
  EXPECT_FALSE(Showavi::IsShown());
  EXPECT_EQ(ui.BusyDepth(), 0);
  // The next outermost show puts it up again, with its own kind.
  Showavi::ActiveShowAvi(nullptr, 6);
  EXPECT_EQ(PortShows(ui), 2u);
  EXPECT_EQ(Showavi::ShownKind(), 6);
  Showavi::DeactiveShowAvi();
  EXPECT_EQ(Showavi::ShowDepth(), 0);
}

// Scopes nest the same way, also when the inner call fails and the outer
// one goes on (a reload after a refused save).
TEST_F(Busy, NestedScopesKeepTheOuterIndicatorThroughAnInnerFailure) {
  {
    Showavi::BusyScope outer(nullptr, Showavi::BusyKind::Loading);
    EXPECT_THROW(
        {
          Showavi::BusyScope inner(nullptr, Showavi::BusyKind::Transfer);
          throw std::runtime_error("refused");
        },
        std::runtime_error);
    EXPECT_TRUE(Showavi::IsShown());
    EXPECT_EQ(Showavi::ShownKind(), 6);
    Showavi::BusyScope again(nullptr, Showavi::BusyKind::Transfer);
    EXPECT_EQ(PortShows(ui), 1u);
  }
  EXPECT_EQ(Showavi::ShowDepth(), 0);
  EXPECT_EQ(ui.BusyDepth(), 0);
}

// The scope guard: hidden on every way out; an early hide is not repeated,
// so it cannot take down an indicator shown after it.
TEST_F(Busy, ScopeHidesOnLeavingAndOnFailure) {
  {
    Showavi::BusyScope busy(nullptr, 1);
    EXPECT_EQ(Showavi::ShownKind(), 1);
  }
  EXPECT_FALSE(Showavi::IsShown());
  EXPECT_THROW(
      {
        Showavi::BusyScope busy(nullptr, 6);
        throw std::runtime_error("server down");
      },
      std::runtime_error);
  EXPECT_FALSE(Showavi::IsShown());
  EXPECT_EQ(ui.BusyDepth(), 0);
  {
    Showavi::BusyScope busy(nullptr, 0);
    busy.Hide();
    Showavi::ActiveShowAvi(nullptr, 6);
  }
  EXPECT_EQ(Showavi::ShownKind(), 6);
  Showavi::DeactiveShowAvi();
}

TEST(Vornia, LocalCacheRefreshIsRecordedAndAnnounced) {
  std::vector<std::string> heard;
  int id = Vornia::LocalCacheRefreshed().Subscribe([&](const std::vector<std::string>& t) { heard = t; });
  int before = Vornia::LocalCacheRefreshCount();
  Vornia::AtualizaLocalCache(VarArrayOf("VOO"));
  EXPECT_EQ(Vornia::LocalCacheRefreshCount(), before + 1);
  EXPECT_EQ(Vornia::LastRefreshedTables(), std::vector<std::string>{"VOO"});
  EXPECT_EQ(heard, std::vector<std::string>{"VOO"});
  Vornia::AtualizaLocalCache(Variant("CLASSEVOO"));  // a lone name is taken as a list of one
  EXPECT_EQ(heard, std::vector<std::string>{"CLASSEVOO"});
  Vornia::LocalCacheRefreshed().Unsubscribe(id);
}

}  // namespace zor::plat
