// Reading and writing schedule files without a database: the hand-written
// samples of tests/data/ssim (several legs, an overnight leg, two carriers
// with CRLF and no filler records, faulty records), and files written here
// and read back.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "server/ssim/ssim_file.h"

namespace zor::server::ssim {

namespace {

std::string Sample(const std::string& name) {
  std::ifstream in(std::string(ZOR_SSIM_DATA) + "/" + name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

const Flight& FlightOf(const Carrier& c, const std::string& number) {
  for (const auto& f : c.flights)
    if (f.number == number) return f;
  throw std::runtime_error("no flight " + number);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  std::stringstream s(text);
  for (std::string l; std::getline(s, l);) out.push_back(l);
  return out;
}

}  // namespace

TEST(SsimRead, ASeasonWithSeveralLegsAnOvernightLegAndAnExtraCharter) {
  Document doc = ReadSchedule(Sample("abr_season.ssim"));
  EXPECT_TRUE(doc.issues.empty());
  ASSERT_EQ(doc.carriers.size(), 1u);
  const Carrier& c = doc.carriers[0];
  EXPECT_EQ(c.airline, "ABR");
  EXPECT_EQ(c.timeMode, 'L');
  EXPECT_EQ(c.validFrom.Iso(), "2026-01-01");
  EXPECT_EQ(c.validTo.Iso(), "2026-12-31");
  ASSERT_EQ(c.flights.size(), 7u);
  for (const auto& f : c.flights) EXPECT_TRUE(f.errors.empty()) << f.number << ": " << f.errors.front();

  const Flight& f = FlightOf(c, "2500");
  ASSERT_EQ(f.legs.size(), 3u);
  EXPECT_EQ(DaysText(f.days), "1 3 5  ");
  EXPECT_EQ(f.legs[0].from + f.legs[1].from + f.legs[2].from + f.legs[2].to, "GRUBSBMAOBEL");
  EXPECT_EQ(f.legs[2].departure, "2330");
  EXPECT_EQ(f.legs[2].arrival, "0110");
  EXPECT_EQ(f.legs[2].departureDay, 0);
  EXPECT_EQ(f.legs[2].arrivalDay, 1);  // lands the next day
  EXPECT_EQ(f.legs[0].classes, "JY");
  EXPECT_EQ(f.legs[0].aircraftType, "320");

  const Flight& charter = FlightOf(c, "2501");
  EXPECT_EQ(charter.serviceType, 'C');
  EXPECT_EQ(charter.from.Iso(), "2026-03-01");
  EXPECT_EQ(charter.to.Iso(), "2026-03-15");
}

TEST(SsimRead, TwoCarriersWithCrlfCutBlanksAndNoFillerRecords) {
  Document doc = ReadSchedule(Sample("two_carriers.ssim"));
  EXPECT_TRUE(doc.issues.empty()) << doc.issues.front().message;
  ASSERT_EQ(doc.carriers.size(), 2u);
  EXPECT_EQ(doc.carriers[0].airline, "CRZ");
  EXPECT_EQ(doc.carriers[1].airline, "ABR");
  ASSERT_EQ(doc.carriers[0].flights.size(), 1u);
  EXPECT_EQ(doc.carriers[0].flights[0].number, "3200");
  const Flight& f = FlightOf(doc.carriers[1], "2600");
  ASSERT_EQ(f.legs.size(), 2u);
  EXPECT_TRUE(f.errors.empty());
  EXPECT_EQ(f.legs[1].to, "FLN");
  EXPECT_EQ(f.legs[1].classes, "Y");  // read although the record ends right after it
  EXPECT_EQ(f.legs[1].arrivalDay, 1);
}

TEST(SsimRead, FaultyRecordsAreNamedByLineAndOnlyTheirFlightIsLost) {
  Document doc = ReadSchedule(Sample("malformed.ssim"));
  const Carrier& c = doc.carriers.at(0);
  auto errors = [&](const std::string& nr) {
    std::string all;
    for (const auto& e : FlightOf(c, nr).errors) all += e + "\n";
    return all;
  };
  EXPECT_EQ(errors("2700"), "linha 11: registro de trecho curto (60 caracteres; o tipo de aeronave termina na coluna 75).\n");
  EXPECT_EQ(errors("2701"), "linha 12: data inicial do período inválida (\"32JAN26\").\n");
  EXPECT_EQ(errors("2702"), "linha 13: dias de operação inválidos (\"1 3 8  \"; use 1 a 7 na sua posição).\n");
  EXPECT_EQ(errors("2703"), "linha 14: horário de partida inválido (\"2560\").\n");
  EXPECT_EQ(errors("2704"), "");
  EXPECT_NE(errors("2705").find("linha 17: o vôo tem mais de uma variação de itinerário (01 e 02)"), std::string::npos);
  EXPECT_EQ(errors("2707"), "linha 21: data final do período (01JAN26) anterior à inicial (31DEC26).\n");
  EXPECT_EQ(errors("2708"), "linha 22: frequência a cada 2 semanas não é mantida pelo cadastro (só semanal).\n");
  ASSERT_EQ(doc.issues.size(), 3u);
  EXPECT_EQ(doc.issues[0].message, "linha 18: tipo de registro desconhecido (\"X\"); registro ignorado.");
  EXPECT_EQ(doc.issues[1].message, "linha 19: número de vôo inválido (\" ABCD\"); registro ignorado.");
  EXPECT_EQ(doc.issues[2].message, "linha 20: registro com 205 caracteres; o máximo é 200.");
}

TEST(SsimRead, EdgeCasesOfRecordsAndDates) {
  EXPECT_FALSE(ParseSsimDate("29FEB26"));
  EXPECT_TRUE(ParseSsimDate("29FEB28"));
  EXPECT_FALSE(ParseSsimDate("01jan2"));
  EXPECT_EQ(ParseSsimDate("05jan26")->Iso(), "2026-01-05");  // month in lower case still read

  // A leg before any carrier record, an open end (00XXX00), a date
  // variation of the day before, and a suffix after the number.
  std::string leg3(200, ' ');
  leg3.replace(0, 35, "3AABR00120101J01JAN2600XXX001234567");
  leg3.replace(36, 11, "GRU08000800");
  leg3.replace(54, 11, "CGH09000900");
  leg3.replace(72, 3, "320");
  leg3[192] = 'A';
  std::string carrier = "2LABR         01JAN2631DEC26";
  Document doc = ReadSchedule(leg3 + "\n" + carrier + "\n" + leg3 + "\n");
  ASSERT_EQ(doc.issues.size(), 1u);
  EXPECT_EQ(doc.issues[0].message, "linha 1: registro de trecho antes do registro da companhia.");
  const Flight& f = doc.carriers.at(0).flights.at(0);
  EXPECT_EQ(f.number, "12A");
  EXPECT_TRUE(f.openEnded);
  EXPECT_EQ(f.legs[0].departureDay, -1);
  EXPECT_TRUE(f.errors.empty());
}

TEST(SsimWrite, BlocksOfFiveNumberedRecordsThatReadBackAsWritten) {
  Flight a;
  a.airline = "ABR";
  a.number = "12A";
  a.serviceType = 'C';
  a.from = *MakeDate(2026, 3, 1);
  a.to = *MakeDate(2026, 3, 15);
  a.days = {true, false, true, false, false, false, true};
  Leg l1{0, 0, "GRU", "GIG", "2300", "0005", 0, 1, "320", "JY"};
  Leg l2{0, 0, "GIG", "SSA", "0100", "0300", 1, 1, "320", "Y"};
  a.legs = {l1, l2};
  Flight b = a;
  b.number = "7";
  b.legs = {l1};
  FileHeader h{"ABR", 'L', *MakeDate(2026, 1, 1), *MakeDate(2026, 12, 31), *MakeDate(2026, 12, 8), 9 * 60 + 5};
  std::string text = WriteSchedule(h, {a, b});

  auto recs = Lines(text);
  ASSERT_EQ(recs.size(), 20u);  // header, carrier, legs and trailer each in a block of their own
  for (const auto& r : recs) EXPECT_EQ(r.size(), kRecordLength);
  EXPECT_EQ(recs[0].substr(0, 35), "1AIRLINE STANDARD SCHEDULE DATA SET");
  EXPECT_EQ(recs[0].substr(191), "001000001");
  EXPECT_EQ(recs[1], std::string(200, '0'));
  EXPECT_EQ(recs[5].substr(0, 35), "2LABR         01JAN2631DEC2608DEC26");
  EXPECT_EQ(recs[5].substr(190), "0905000002");
  EXPECT_EQ(recs[10].substr(0, 36), "3AABR00120101C01MAR2615MAR261 3   7 ");
  EXPECT_EQ(recs[11].substr(192), "11000004");
  EXPECT_EQ(recs[12].substr(1, 12), " ABR00070101");
  EXPECT_EQ(recs[13], std::string(200, '0'));
  EXPECT_EQ(recs[15].substr(0, 5), "5 ABR");
  EXPECT_EQ(recs[15].substr(187), "000005E000006");  // check reference: the record before

  Document doc = ReadSchedule(text);
  EXPECT_TRUE(doc.issues.empty());
  const Flight& back = doc.carriers.at(0).flights.at(0);
  EXPECT_EQ(back.number, "12A");
  EXPECT_EQ(back.days, a.days);
  ASSERT_EQ(back.legs.size(), 2u);
  EXPECT_EQ(back.legs[1].from, "GIG");
  EXPECT_EQ(back.legs[1].departureDay, 1);
  EXPECT_EQ(back.legs[0].classes, "JY");
  EXPECT_EQ(doc.carriers[0].flights.at(1).number, "7");
}

}  // namespace zor::server::ssim
