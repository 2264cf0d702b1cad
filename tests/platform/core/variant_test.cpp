#include "platform/core/variant.h"

#include <gtest/gtest.h>

#include "platform/core/exceptions.h"
#include "platform/core/sysutils.h"

using namespace plat;

TEST(Variant, NullConvertsToEmptyZeroFalse) {
  Variant v;
  EXPECT_TRUE(v.IsNull());
  EXPECT_EQ(v.AsString(), "");
  EXPECT_EQ(v.AsInteger(), 0);
  EXPECT_FALSE(v.AsBool());
}

TEST(Variant, NumbersAndTextFollowTheBrazilianDesk) {
  EXPECT_EQ(Variant(1.5).AsString(), "1,5");
  EXPECT_EQ(Variant("12").AsInt(), 12);
  EXPECT_DOUBLE_EQ(Variant("2,25").AsFloat(), 2.25);
  EXPECT_THROW(Variant("12a").AsInteger(), EVariantError);
  EXPECT_THROW(Variant("1.5").AsFloat(), EVariantError);
}

TEST(Variant, DatesParseFromIsoAndFromDayMonthYear) {
  TDateTime d = EncodeDate(2026, 12, 7);
  EXPECT_EQ(Variant("2026-12-07").AsDateTime(), d);
  EXPECT_EQ(Variant("07/12/2026").AsDateTime(), d);
  EXPECT_EQ(Variant(d).AsString(), "07/12/2026");
  EXPECT_THROW(Variant("31/02/2026").AsDateTime(), EVariantError);
}

TEST(Variant, ArraysIndexAndRejectOutOfRange) {
  Variant a = VarArrayOf("ZOR12200", "cdsVoo", 42);
  ASSERT_TRUE(a.IsArray());
  EXPECT_EQ(a.Length(), 3u);
  EXPECT_EQ(a[0].AsString(), "ZOR12200");
  EXPECT_EQ(a[2].AsInteger(), 42);
  EXPECT_THROW(a[3], EVariantError);
  EXPECT_THROW(Variant("x")[0], EVariantError);
  EXPECT_THROW(a.AsString(), EVariantError);
}

TEST(Variant, EqualityComparesTypeAndValue) {
  EXPECT_EQ(Variant(), Variant::Null());
  EXPECT_NE(Variant("1"), Variant(1));
  EXPECT_EQ(Variant("a"), Variant(std::string("a")));
}
