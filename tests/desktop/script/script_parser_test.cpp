// The gesture language's reader: quotes, comments and every way a line can
// be refused (with its line number).
#include <gtest/gtest.h>

#include "desktop/script/script_parser.h"

namespace zor::script {
namespace {

TEST(ScriptParserTest, QuotesEscapesAndComments) {
  auto t = Tokenize(R"(type edtNome "Guarulhos - São Paulo" # a comment "not a token")");
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[2].Text, "Guarulhos - São Paulo");
  EXPECT_TRUE(t[2].Quoted);
  EXPECT_FALSE(t[1].Quoted);

  t = Tokenize(R"(expect message "Diz \"sim\" e \\ barra" )");
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[2].Text, R"(Diz "sim" e \ barra)");

  t = Tokenize(R"(type medSgCia "" #)");
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[2].Text, "");
  EXPECT_TRUE(t[2].Quoted);

  // A # inside quotes is text.
  t = Tokenize(R"(type edtNome "nº #12")");
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[2].Text, "nº #12");
}

TEST(ScriptParserTest, ScriptSkipsBlankAndCommentLinesAndKeepsLineNumbers) {
  Script s = ParseScript("# flags: --branch 0001\n\nopen\r\n   # indented comment\nexpect medCdFilial.Text 0001\n",
                         "abre.zs");
  ASSERT_EQ(s.Gestures.size(), 2u);
  EXPECT_EQ(s.Gestures[0].Kind, GestureKind::Open);
  EXPECT_EQ(s.Gestures[0].Line, 3);
  EXPECT_EQ(s.Gestures[0].Source, "open");
  const Gesture& e = s.Gestures[1];
  EXPECT_EQ(e.Kind, GestureKind::ExpectProperty);
  EXPECT_EQ(e.Line, 5);
  EXPECT_EQ(e.Target, "medCdFilial");
  EXPECT_EQ(e.Member, "Text");
  EXPECT_EQ(e.Text, "0001");
}

TEST(ScriptParserTest, GestureArguments) {
  Script s = ParseScript(
      "key dbgVooTrecho Delete ctrl\n"
      "key form break\n"
      "key medSgCia a\n"
      "key edtNome \".\" shift\n"
      "cell dbgPadrao 3 NRVOO\n"
      "pick 2\n"
      "pick cancel\n"
      "find NRVOO 1000\n"
      "find cancel\n"
      "answer YES\n"
      "expect cdsVoo.DTINIVIGVOO:value null\n"
      "expect message \"Filial deve ser informada.\"\n"
      "expect no-message\n"
      "open-flight ABR 1000 0001\n"
      "key dbgPadrao F2\n");
  ASSERT_EQ(s.Gestures.size(), 15u);
  const auto& g = s.Gestures;
  EXPECT_EQ(g[0].KeyCode, plat::VK_DELETE);
  EXPECT_TRUE(g[0].Shift.Contains(plat::ssCtrl));
  EXPECT_EQ(g[0].KeyChar, 0);
  EXPECT_EQ(g[1].KeyCode, plat::VK_CANCEL);
  EXPECT_EQ(g[2].KeyCode, 'A');
  EXPECT_EQ(g[2].KeyChar, 'a');
  // A full stop is a character, not the Delete key that shares its code.
  EXPECT_EQ(g[3].KeyChar, '.');
  EXPECT_NE(g[3].KeyCode, plat::VK_DELETE);
  EXPECT_TRUE(g[3].Shift.Contains(plat::ssShift));
  EXPECT_EQ(g[4].Number, 3);
  EXPECT_EQ(g[4].Member, "NRVOO");
  EXPECT_EQ(g[5].Number, 2);
  EXPECT_TRUE(g[6].Cancel);
  EXPECT_EQ(g[7].Target, "NRVOO");
  EXPECT_EQ(g[7].Text, "1000");
  EXPECT_FALSE(g[7].Cancel);
  EXPECT_TRUE(g[8].Cancel);
  EXPECT_TRUE(g[9].Yes);
  EXPECT_TRUE(g[10].StoredValue);
  EXPECT_EQ(g[10].Member, "DTINIVIGVOO");
  EXPECT_EQ(g[11].Kind, GestureKind::ExpectMessage);
  EXPECT_EQ(g[11].Text, "Filial deve ser informada.");
  EXPECT_EQ(g[12].Kind, GestureKind::ExpectNoMessage);
  EXPECT_EQ(g[13].Args.size(), 3u);
  EXPECT_EQ(g[14].KeyCode, plat::VK_F1 + 1);
  EXPECT_EQ(g[11].Source, "expect message \"Filial deve ser informada.\"");
}

TEST(ScriptParserTest, BadLinesAreRefusedWithTheirLineNumber) {
  struct Case {
    const char* line;
    const char* message_part;
  };
  const Case cases[] = {
      {"abrir", "gesto desconhecido"},
      {"type medCdFilial \"0001", "aspas sem fechamento"},
      {"type medCdFilial", "uso: type"},
      {"type a b c", "uso: type"},
      {"open now", "uso: open"},
      {"key dbgPadrao Explode", "tecla desconhecida"},
      {"key dbgPadrao Down meta", "modificador desconhecido"},
      {"answer talvez", "yes ou no"},
      {"pick 0", "escolha deve ser"},
      {"pick -1", "escolha deve ser"},
      {"cell dbgPadrao primeira NRVOO", "linha deve ser um número"},
      {"expect medCdFilial 0001", "NOME.PROPRIEDADE"},
      {"expect cdsVoo.NRVOO:texto 1000", "só cabe 'value'"},
      {"expect message", "uso: expect message"},
      {"find NRVOO", "uso: find"},
      {"type edtNome ab\"cd\"", "aspas no meio"},
      {"\"open\"", "começar pelo nome"},
      {"open-flight ABR", "uso: open-flight"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    std::string text = std::string("open\n# comentário\n") + c.line + "\nclose\n";
    try {
      ParseScript(text, "roteiro.zs");
      ADD_FAILURE() << "accepted";
    } catch (const ScriptSyntaxError& e) {
      EXPECT_EQ(e.Line(), 3);
      EXPECT_NE(std::string(e.what()).find("roteiro.zs:3: "), std::string::npos) << e.what();
      EXPECT_NE(e.Message().find(c.message_part), std::string::npos) << e.Message();
    }
  }
}

}  // namespace
}  // namespace zor::script
