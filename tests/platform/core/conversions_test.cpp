#include <gtest/gtest.h>

#include "platform/core/exceptions.h"
#include "platform/core/format_settings.h"
#include "platform/core/sysutils.h"


namespace zor::plat {

TEST(Conversions, StrToIntDefFallsBackOnAnythingButAnInteger) {
  EXPECT_EQ(StrToIntDef("2", 0), 2);
  EXPECT_EQ(StrToIntDef(" 12 ", 0), 12);
  EXPECT_EQ(StrToIntDef("", 7), 7);
  EXPECT_EQ(StrToIntDef("1a", 7), 7);
  EXPECT_EQ(StrToIntDef("-3", 0), -3);
  EXPECT_THROW(StrToInt("x"), EConvertError);
}

TEST(Conversions, StrToTimeAcceptsOnlyValidTimesOfDay) {
  TDateTime t;
  EXPECT_TRUE(TryStrToTime("23:59", t));
  EXPECT_EQ(FormatDateTime("hhnn", t), "2359");
  EXPECT_TRUE(TryStrToTime("7:05", t));
  EXPECT_EQ(FormatDateTime("hh:nn", t), "07:05");
  EXPECT_FALSE(TryStrToTime("24:00", t));
  EXPECT_FALSE(TryStrToTime("12:60", t));
  EXPECT_FALSE(TryStrToTime("  :  ", t));
  EXPECT_FALSE(TryStrToTime("1200", t));
  EXPECT_THROW(StrToTime("99:99"), EConvertError);
}

TEST(Conversions, TimeSeparatorComesFromTheSettings) {
  ScopedFormatSettings keep;
  FormatSettings().TimeSeparator = '.';
  TDateTime t = StrToTime("10.30");
  EXPECT_EQ(FormatDateTime("hh:nn", t), "10.30");
  EXPECT_FALSE(TryStrToTime("10:30", t));
}

TEST(Conversions, DatesRoundTripAndRejectImpossibleDays) {
  TDateTime d = StrToDate("29/02/2024");
  EXPECT_EQ(DateToStr(d), "29/02/2024");
  EXPECT_THROW(StrToDate("29/02/2023"), EConvertError);
  EXPECT_EQ(DateToStr(StrToDate("1/3/26")), "01/03/2026");
  int y, m, dd;
  DecodeDate(EncodeDate(1899, 12, 30), y, m, dd);
  EXPECT_EQ(EncodeDate(1899, 12, 30).Val, 0.0);
  EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 7)), 2);  // a Monday
  EXPECT_EQ(FormatDateTime("dddd", EncodeDate(2026, 12, 12)), "sábado");
}

TEST(Conversions, IsoTextIsTheWireFormat) {
  TDateTime dt{EncodeDate(2026, 1, 31).Val + EncodeTime(8, 5, 0).Val};
  EXPECT_EQ(DateTimeToIso(dt), "2026-01-31T08:05:00");
  TDateTime back;
  ASSERT_TRUE(TryIsoToDateTime("2026-01-31T08:05:00", back));
  EXPECT_EQ(DateTimeToIso(back), "2026-01-31T08:05:00");
  EXPECT_FALSE(TryIsoToDateTime("2026-13-01", back));
}

TEST(Conversions, AccentedLettersChangeCase) {
  EXPECT_EQ(AnsiUpperCase("vôo ação"), "VÔO AÇÃO");
  EXPECT_EQ(AnsiLowerCase("VÔO"), "vôo");
  EXPECT_EQ(Utf8Length("Vôo"), 3u);
  EXPECT_EQ(Utf8Left("Vôo/Trecho", 3), "Vôo");
}

TEST(Conversions, FloatsUseTheDecimalComma) {
  EXPECT_EQ(FormatFloatFixed(1.5, 3), "1,500");
  EXPECT_DOUBLE_EQ(StrToFloat("0,125"), 0.125);
  EXPECT_THROW(StrToFloat("abc"), EConvertError);
}

}  // namespace zor::plat
