// Reading report definitions: what a definition may say, and the line named
// when it says something else.
#include <gtest/gtest.h>

#include "platform/core/exceptions.h"
#include "platform/reports/report_definition.h"
#include "platform/reports/report_designer_dialog.h"
#include "platform/sql/param.h"


namespace zor::plat {

TEST(ReportDefinitionTest, TitleColumnsCodesAndTheQueryToTheEnd) {
  ReportDefinition def = ParseReportDefinition(
      "# comment\ntitle Vôos da filial\ncolumn NRVOO \"Vôo nº\"\n"
      "column IDSITVOO \"Situação\" codes 1=Ativo 2=Inativo\ncolumn HR \"Hora\" time\nsql\nSELECT NRVOO,\n  IDSITVOO FROM VOO\ncolumn x\n");
  EXPECT_EQ(def.Title, "Vôos da filial");
  ASSERT_EQ(def.Columns.size(), 3u);
  EXPECT_TRUE(def.Columns[2].Time);
  EXPECT_FALSE(def.Columns[1].Time);
  EXPECT_EQ(def.Columns[0].Caption, "Vôo nº");
  EXPECT_TRUE(def.Columns[0].CodeKeys.empty());
  EXPECT_EQ(def.Columns[1].CodeKeys.at("2"), "Inativo");
  EXPECT_EQ(def.Sql, "SELECT NRVOO,\n  IDSITVOO FROM VOO\ncolumn x\n") << "everything after sql is the query";
}

TEST(ReportDefinitionTest, GroupsDetailsAndInactiveCodes) {
  ReportDefinition def = ParseReportDefinition(
      "title T\ngroup NRVOO \"Vôos\"\ndetail CDTRECHO \"Trechos\"\n"
      "column NRVOO \"Vôo\" group\ncolumn IDSITVOO \"Situação\" group codes 1=Ativo 2=Inativo inactive 2\n"
      "column HR \"Hora\" time\nsql\nSELECT 1\n");
  EXPECT_EQ(def.GroupField, "NRVOO");
  EXPECT_EQ(def.GroupNoun, "Vôos");
  EXPECT_EQ(def.DetailField, "CDTRECHO");
  EXPECT_EQ(def.DetailNoun, "Trechos");
  EXPECT_TRUE(def.Columns[0].Group);
  EXPECT_TRUE(def.Columns[1].Group);
  EXPECT_FALSE(def.Columns[2].Group);
  EXPECT_EQ(def.Columns[1].CodeKeys.size(), 2u) << "codes end at the next keyword";
  EXPECT_EQ(def.Columns[1].InactiveCode, "2");
}

TEST(ReportDefinitionTest, AFaultyDefinitionNamesItsLine) {
  auto message = [](const std::string& text) {
    try {
      ParseReportDefinition(text);
    } catch (const EConvertError& e) {
      return std::string(e.what());
    }
    return std::string("aceita");
  };
  EXPECT_NE(message("title T\ncolumn NRVOO Vôo\nsql\nSELECT 1\n").find("linha 2"), std::string::npos);
  EXPECT_NE(message("title T\ncolumn A \"a\" codes 1\nsql\nSELECT 1\n").find("linha 2"), std::string::npos);
  EXPECT_NE(message("titulo T\n").find("linha 1"), std::string::npos);
  EXPECT_NE(message("title T\ncolumn A \"a\"\n").find("consulta"), std::string::npos);
  EXPECT_NE(message("title T\nsql\nSELECT 1\n").find("coluna"), std::string::npos);
  EXPECT_NE(message("title T\ngroup NRVOO\ncolumn A \"a\"\nsql\nSELECT 1\n").find("linha 2"), std::string::npos);
  EXPECT_NE(message("title T\ncolumn A \"a\" inactive\nsql\nSELECT 1\n").find("linha 2"), std::string::npos);
  EXPECT_NE(message("title T\ndetail B \"b\"\ncolumn A \"a\"\nsql\nSELECT 1\n").find("group"), std::string::npos);
}

TEST(ReportDefinitionTest, ExistParamIgnoresLetterCase) {
  TParams params;
  params.Redeclare({"P_CDFILIAL"});
  EXPECT_TRUE(Qrddlgs::ExistParam(params, "p_cdfilial"));
  EXPECT_FALSE(Qrddlgs::ExistParam(params, "P_CDCIA"));
}

}  // namespace zor::plat
