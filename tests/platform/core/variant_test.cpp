#include "platform/core/variant.h"

#include <gtest/gtest.h>

#include "platform/core/exceptions.h"
#include "platform/core/sysutils.h"


namespace zor::plat {

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

// Texts up to 22 bytes live inside the value, longer ones on the heap:
// both must copy, move, assign and compare alike, whatever their length.
TEST(Variant, TextsOfEveryLengthCopyMoveAndCompareByValue) {
  for (size_t n : {0u, 1u, 21u, 22u, 23u, 100u}) {
    const std::string text(n, 'x');
    Variant a(text);
    EXPECT_EQ(a.Type(), VarType::String);
    EXPECT_EQ(a.AsString(), text);
    Variant copy(a);
    EXPECT_EQ(copy, a);
    Variant moved(std::move(copy));
    EXPECT_EQ(moved.AsString(), text);
    Variant assigned = Variant(42);
    assigned = moved;
    EXPECT_EQ(assigned, a);
    assigned = assigned;  // self-assignment keeps the value
    EXPECT_EQ(assigned.AsString(), text);
    assigned = Variant("other");
    EXPECT_EQ(moved.AsString(), text);  // copies are independent
    EXPECT_NE(Variant(text + "y"), a);
  }
  EXPECT_EQ(Variant("ação e opção, acentuadas de propósito"), Variant(std::string("ação e opção, acentuadas de propósito")));
}

TEST(Variant, ArraysAndDocumentsAreDeepCopies) {
  Variant a = VarArrayOf("um texto bem mais longo que vinte e dois", 2);
  Variant b = a;
  b.AsArray().push_back(Variant(3));
  EXPECT_EQ(a.Length(), 2u);
  EXPECT_EQ(b.Length(), 3u);
  EXPECT_NE(a, b);
  Variant j(JsonText{"{\"a\":1}"});
  Variant k = j;
  EXPECT_EQ(k.AsJson().Text, "{\"a\":1}");
  EXPECT_EQ(j, k);
  EXPECT_NE(Variant(JsonText{"1"}), Variant("1"));
  EXPECT_EQ(Variant(EncodeDate(2026, 12, 8)), Variant(EncodeDate(2026, 12, 8)));
  EXPECT_NE(Variant(true), Variant(int64_t{-1}));
}

}  // namespace zor::plat
