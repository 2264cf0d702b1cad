#include <stdexcept>

#include "platform/library/showavi.h"
#include "platform/library/vornia.h"

#include "library_fixture.h"

using namespace plat;

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

TEST_F(Busy, ShowWhileShownReplacesTheKind) {
  Showavi::ActiveShowAvi(nullptr, 0);
  Showavi::ActiveShowAvi(nullptr, 1);
  EXPECT_EQ(ui.BusyDepth(), 1);
  EXPECT_EQ(Showavi::ShownKind(), 1);
  EXPECT_EQ(ui.Events().back().text, "1");
  Showavi::DeactiveShowAvi();  // one hide clears it
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
