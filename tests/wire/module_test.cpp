// The module's method table: every name once, found by name, and the
// arguments in the order callers send them.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "wire/module.h"

namespace zor::wire {
namespace {

TEST(WireModule, EveryMethodOnceWithItsArguments) {
  std::set<std::string> names;
  for (const MethodDef& m : Methods()) EXPECT_TRUE(names.insert(m.Name).second) << m.Name;
  EXPECT_EQ(names.size(), 12u);  // the screen's nine and the schedule exchange's three
  const MethodDef* trecho = FindMethod(method::GetTrecho);
  ASSERT_NE(trecho, nullptr);
  ASSERT_EQ(trecho->Args.size(), 3u);
  EXPECT_STREQ(trecho->Args[0].Name, "CDCIA");
  EXPECT_STREQ(trecho->Args[2].Name, "CDFILIAL");
  EXPECT_EQ(FindMethod(method::SetVoo)->Args[0].Kind, ArgKind::Delta);
  EXPECT_EQ(FindMethod("GetAviao"), nullptr);
}

}  // namespace
}  // namespace zor::wire
