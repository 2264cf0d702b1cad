#include "platform/library/consiste.h"

#include <cmath>

#include "library_fixture.h"
#include "platform/core/exceptions.h"
#include "platform/net/server_result.h"


namespace zor::plat {

using Consist = LibraryTest;

TEST_F(Consist, MensErroShowsThenAborts) {
  EXPECT_THROW(Consiste::MensErro("Filial deve ser informada.", true), EAbort);
  ASSERT_EQ(ui.Events().size(), 1u);
  EXPECT_EQ(ui.Events()[0].kind, ScriptedUi::Kind::Error);
  EXPECT_EQ(ui.Events()[0].text, "Filial deve ser informada.");
  EXPECT_EQ(ui.Events()[0].caption, "Erro");

  SetDialogCaptionProvider([] { return std::string("Vôo/Trecho"); });
  EXPECT_NO_THROW(Consiste::MensErro("Aviso sem interromper.", false));
  EXPECT_EQ(ui.Events().back().caption, "Vôo/Trecho");
}

TEST_F(Consist, CheckResultServGoodResult) {
  Variant packet = Consiste::CheckResultServ(MakeGoodResult(Variant(JsonText{R"({"rows":[]})"})), true, 0);
  EXPECT_EQ(packet.AsJson().Text, R"({"rows":[]})");
  EXPECT_TRUE(Consiste::CheckResultServ(MakeGoodResult(Variant()), true, 0).IsNull());
  Variant two = VarArrayOf(true, JsonText{"{}"}, JsonText{"[1]"});
  EXPECT_EQ(Consiste::CheckResultServ(two, true, 1).AsJson().Text, "[1]");
  EXPECT_TRUE(ui.Events().empty());
}

TEST_F(Consist, CheckResultServFailureReachesTheUserOnce) {
  Variant failed = MakeFailedResult("Registro alterado por outro usuário.");
  EXPECT_THROW(Consiste::CheckResultServ(failed, true, 0), EAbort);
  ASSERT_EQ(ui.Events().size(), 1u);
  EXPECT_EQ(ui.LastMessage(), "Registro alterado por outro usuário.");

  // Without raising it still shows the message, and returns null.
  EXPECT_TRUE(Consiste::CheckResultServ(failed, false, 0).IsNull());
  EXPECT_EQ(ui.Events().size(), 2u);
}

TEST_F(Consist, CheckResultServNeverTakesGarbageForSuccess) {
  for (const Variant& bad : {Variant(), Variant("ok"), VarArrayOf(true), VarArrayOf("true", JsonText{"{}"})}) {
    EXPECT_THROW(Consiste::CheckResultServ(bad, true, 0), EAbort);
    EXPECT_EQ(ui.LastMessage(), "Resposta inválida do servidor de aplicação.");
  }
  EXPECT_THROW(Consiste::CheckResultServ(MakeGoodResult(Variant()), true, 1), EAbort);  // no second payload
  EXPECT_THROW(Consiste::CheckResultServ(VarArrayOf(false, nullptr), true, 0), EAbort);
  EXPECT_EQ(ui.LastMessage(), "O servidor de aplicação recusou a operação.");
}

TEST(ConsisteText, EmptyStringAndAllTrim) {
  EXPECT_TRUE(Consiste::EmptyString(""));
  EXPECT_TRUE(Consiste::EmptyString("    "));
  EXPECT_TRUE(Consiste::EmptyString(" \t\r\n"));
  EXPECT_FALSE(Consiste::EmptyString("  0 "));
  EXPECT_EQ(Consiste::AllTrim("  São Paulo \t"), "São Paulo");
}

TEST(ConsisteText, AjustaPadsShortCodesWithZeros) {
  EXPECT_EQ(Consiste::Ajusta("1", 4), "0001");
  EXPECT_EQ(Consiste::Ajusta(" 12 ", 4), "0012");
  EXPECT_EQ(Consiste::Ajusta("1", 2), "01");
  EXPECT_EQ(Consiste::Ajusta("0001", 4), "0001");
  EXPECT_EQ(Consiste::Ajusta("AB", 4), "00AB");
  EXPECT_EQ(Consiste::Ajusta("", 4), "");
  EXPECT_EQ(Consiste::Ajusta("   ", 4), "");
  EXPECT_EQ(Consiste::Ajusta("12345", 4), "12345");  // kept whole, not cut to another code
  EXPECT_EQ(Consiste::Ajusta("Ç", 2), "0Ç");         // width in characters, not bytes
}

TEST(ConsisteNumbers, RoundDecRoundsTheDecimalTextHalfAwayFromZero) {
  EXPECT_EQ(Consiste::RoundDec(2.0005, 3), 2.001);  // the double is 2.000499999...
  EXPECT_EQ(Consiste::RoundDec(-2.0005, 3), -2.001);
  EXPECT_EQ(Consiste::RoundDec(2.675, 2), 2.68);
  EXPECT_EQ(Consiste::RoundDec(1.0005, 3), 1.001);
  EXPECT_EQ(Consiste::RoundDec(1.00049, 3), 1.0);
  EXPECT_EQ(Consiste::RoundDec(0.0005, 3), 0.001);
  EXPECT_EQ(Consiste::RoundDec(9.9995, 3), 10.0);
  EXPECT_EQ(Consiste::RoundDec(2.5, 0), 3.0);
  EXPECT_EQ(Consiste::RoundDec(-2.5, 0), -3.0);
  EXPECT_EQ(Consiste::RoundDec(1250.0, -2), 1300.0);
  EXPECT_EQ(Consiste::RoundDec(1.5, 3), 1.5);
  EXPECT_EQ(Consiste::RoundDec(0.0, 3), 0.0);
  EXPECT_FALSE(std::signbit(Consiste::RoundDec(-0.0004, 3)));  // no "-0"
  EXPECT_EQ(Consiste::RoundDec(123456789012345678.0, 2), 123456789012345678.0);
  EXPECT_TRUE(std::isnan(Consiste::RoundDec(std::nan(""), 3)));
}

}  // namespace zor::plat
