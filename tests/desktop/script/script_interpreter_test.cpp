// The interpreter against the test form: each gesture kind, the scripted
// answers, the transcript and the exit status.
#include <gtest/gtest.h>

#include <sstream>

#include "desktop/script/script_interpreter.h"
#include "platform/data/client_data_set.h"
#include "platform/forms/application.h"
#include "platform/forms/screen.h"
#include "platform/library/vornia.h"
#include "platform/ui/ui_port.h"
#include "script_test_form.h"

namespace zor::script {
namespace {

using testing::TestHost;

class InterpreterTest : public ::testing::Test {
 protected:
  void TearDown() override {
    plat::Application->DestroyForms();
    plat::Screen->Reset();
  }

  // Runs a script; the transcript is kept in `transcript`.
  RunStatus Run(const std::string& text) {
    std::ostringstream out, errors;
    RunStatus status;
    {
      ScriptInterpreter interpreter(host, out);
      status = interpreter.RunText(text, "teste.zs", errors);
    }
    transcript = out.str();
    error_text = errors.str();
    return status;
  }

  bool Says(const std::string& part) const { return transcript.find(part) != std::string::npos; }

  TestHost host;
  std::string transcript, error_text;
};

#define EXPECT_SAYS(part) EXPECT_TRUE(Says(part)) << "missing: " << (part) << "\n--- transcript:\n" << transcript

TEST_F(InterpreterTest, UnreadableScriptRunsNothing) {
  EXPECT_EQ(Run("open\nclick sbtOk\nexpect edtNome.Text\n"), Unreadable);
  EXPECT_EQ(host.entries, 0);
  EXPECT_TRUE(transcript.empty());
  EXPECT_NE(error_text.find("teste.zs:3: "), std::string::npos) << error_text;
}

TEST_F(InterpreterTest, OpenEchoesLinesAndFindsComponentsOnTheScreen) {
  EXPECT_EQ(Run("# comentário\nopen\nexpect frmTeste.Caption Teste\nexpect form.Visible true\n"
                "expect cbbTipo.Count 2\nexpect pgcPaginas.ActivePage tshUm\n"),
            AllHeld)
      << transcript;
  EXPECT_EQ(host.entries, 1);
  EXPECT_TRUE(host.lastArgument.IsNull());
  EXPECT_SAYS("2: open\n");
  EXPECT_SAYS("3: expect frmTeste.Caption Teste\n");
  EXPECT_FALSE(Says("comentário"));
  EXPECT_SAYS("fim: 5 gestos, 4 expectativas, 0 falhas");
}

TEST_F(InterpreterTest, OpenFlightPassesACallerFormWithBranchAndFlight) {
  plat::HostContext context;
  context.BranchCode = "0003";
  plat::Vornia::SetHostContext(context);
  std::ostringstream out;
  ScriptInterpreter interpreter(host, out);
  auto callerValues = [this] {
    auto* med = dynamic_cast<plat::TControl*>(host.caller->FindComponent("medFilial"));
    auto* cds = dynamic_cast<plat::TClientDataSet*>(host.caller->FindComponent(host.dataSetName));
    EXPECT_TRUE(med && cds);
    if (!med || !cds) return std::string();
    return med->Text() + " " + cds->FieldByName("SGCIA")->AsString() + " " + cds->FieldByName("NRVOO")->AsString();
  };
  // Without a branch the caller holds the user's.
  ASSERT_EQ(interpreter.Run(ParseScript("open-flight ABR 1000\n")), AllHeld) << out.str();
  EXPECT_EQ(host.place, "ZOR12200");
  EXPECT_EQ(host.dataSetName, "cdsVooOrigem");
  ASSERT_NE(host.caller, nullptr);
  EXPECT_EQ(callerValues(), "0003 ABR 1000");
  ASSERT_EQ(interpreter.Run(ParseScript("open-flight CRZ 3100 0001\n")), AllHeld) << out.str();
  EXPECT_EQ(callerValues(), "0001 CRZ 3100");
  EXPECT_EQ(host.entries, 2);
  plat::Vornia::SetHostContext({});
}

TEST_F(InterpreterTest, RefusedFocusMoveIsWrittenAndTheErrorShown) {
  EXPECT_EQ(Run("open\n"
                "type medCodigo xxxx\n"
                "focus edtNome\n"
                "expect medCodigo.Text XXXX\n"
                "expect medCodigo.Focused true\n"
                "expect message \"Código inválido.\"\n"
                "expect no-message\n"),
            AllHeld)
      << transcript;
  EXPECT_SAYS("3: focus edtNome\n  erro: Código inválido.\n  foco recusado: edtNome; o foco ficou em medCodigo\n");
}

TEST_F(InterpreterTest, LeavingAContainerRunsItsExitAndDisabledControlsRefuseFocus) {
  EXPECT_EQ(Run("open\nfocus medCodigo\nfocus edtNome\nfocus ccbAtivo\n"), AllHeld) << transcript;
  EXPECT_EQ(host.form->panTopExits, 1);
  host.form->cbbTipo->SetEnabled(false);
  std::ostringstream out;
  ScriptInterpreter interpreter(host, out);
  interpreter.Run(ParseScript("focus cbbTipo\n"));
  EXPECT_NE(out.str().find("foco recusado: cbbTipo não pode receber o foco (desabilitado)"), std::string::npos)
      << out.str();
}

TEST_F(InterpreterTest, TypingFollowsMasksAndStartsEditingADataAwareControl) {
  EXPECT_EQ(Run("open\n"
                "type medCodigo ab1\n"
                "expect medCodigo.Text AB1\n"
                "type dbeNome Rebite\n"
                "expect cdsItens.State dsEdit\n"
                "expect cdsItens.NOME Parafuso\n"
                "focus edtNome\n"
                "expect cdsItens.NOME Rebite\n"
                "expect cdsItens.State edit\n"
                "type cbbTipo Extra\n"
                "expect cbbTipo.ItemIndex 1\n"),
            AllHeld)
      << transcript;
  host.form->medCodigo->SetEnabled(false);
  std::ostringstream out;
  ScriptInterpreter interpreter(host, out);
  interpreter.Run(ParseScript("type ccbAtivo abc\n"));
  EXPECT_NE(out.str().find("FALHOU (linha 1): ccbAtivo não aceita digitação"), std::string::npos) << out.str();
}

TEST_F(InterpreterTest, ClicksToggleCheckBoxesChooseMenuItemsAndRefuseDisabledButtons) {
  EXPECT_EQ(Run("open\n"
                "click ccbAtivo\n"
                "expect ccbAtivo.Checked true\n"
                "expect ccbAtivo.Focused true\n"
                "click ccbAtivo\n"
                "expect ccbAtivo.State cbUnchecked\n"
                "click mnuItem\n"
                "click sbtDesab\n"
                "click tshDois\n"
                "expect pgcPaginas.ActivePage tshDois\n"),
            AllHeld)
      << transcript;
  EXPECT_EQ(host.form->checkClicks, 2);
  EXPECT_EQ(host.form->menuClicks, 1);
  EXPECT_SAYS("8: click sbtDesab\n  clique recusado em sbtDesab (desabilitado)\n");
}

TEST_F(InterpreterTest, SelectChoosesItemsPagesAndRefusals) {
  EXPECT_EQ(Run("open\n"
                "select cbbTipo Extra\n"
                "expect cbbTipo.Text Extra\n"
                "select rdgSit inativo\n"
                "expect rdgSit.ItemIndex 1\n"
                "select pgcPaginas Dois\n"
                "expect pgcPaginas.ItemIndex 1\n"
                "select pgcPaginas tshUm\n"
                "type medCodigo trav\n"
                "select pgcPaginas Dois\n"
                "expect pgcPaginas.ActivePage tshUm\n"),
            AllHeld)
      << transcript;
  EXPECT_SAYS("10: select pgcPaginas Dois\n  troca de página recusada: Dois\n");

  EXPECT_EQ(Run("open\nselect cbbTipo Charter\nexpect cbbTipo.ItemIndex -1\n"), ExpectationFailed);
  EXPECT_SAYS("FALHOU (linha 2): cbbTipo não tem o item \"Charter\" (itens: \"Regular\", \"Extra\")");
}

TEST_F(InterpreterTest, GridCellsPickListsKeysAndButtons) {
  EXPECT_EQ(Run("open\n"
                "cell dbgItens 2 SIT\n"
                "expect dbgItens.Row 2\n"
                "expect dbgItens.SelectedField SIT\n"
                "expect cdsItens.SIT Inativo\n"
                "select dbgItens Ativo\n"
                "expect cdsItens.SIT Ativo\n"
                "expect cdsItens.SIT:value 1\n"
                "key dbgItens Down\n"
                "expect dbgItens.Row 3\n"
                "key dbgItens Up\n"
                "expect cdsItens.PRECO:value null\n"
                "dblclick dbgItens\n"
                "ellipsis dbgItens\n"
                "cell dbgItens 1 NOME\n"
                "ellipsis dbgItens\n"),
            AllHeld)
      << transcript;
  EXPECT_EQ(host.form->dblClicks, 1);
  EXPECT_EQ(host.form->ellipsisClicks, 1);
  EXPECT_NE(host.form->keys.find("down:40"), std::string::npos);
  EXPECT_SAYS("14: ellipsis dbgItens\n  botão da célula recusado em dbgItens\n");

  EXPECT_EQ(Run("open\ncell dbgItens 9 SIT\ncell dbgItens 1 PRECO\n"), ExpectationFailed);
  EXPECT_SAYS("FALHOU (linha 2): dbgItens tem 3 linhas; não há linha 9");
  EXPECT_SAYS("FALHOU (linha 3): dbgItens não tem coluna do campo PRECO");
}

TEST_F(InterpreterTest, TypingIntoAGridIsKeyByKeyThroughTheForm) {
  EXPECT_EQ(Run("open\n"
                "cell dbgItens 1 NOME\n"
                "type dbgItens Ab\n"
                "expect dbgItens.EditorMode true\n"
                "cell dbgItens 2 NOME\n"
                "expect cdsItens.RecordCount 3\n"),
            AllHeld)
      << transcript;
  // Each character goes down and is pressed,
  // where the form's key preview sees it.
  EXPECT_NE(host.form->keys.find("down:65 press:A down:66 press:b"), std::string::npos) << host.form->keys;

  EXPECT_EQ(Run("open\ncell dbgItens 1 NOME\ntype dbgItens \"\"\n"), ExpectationFailed);
  EXPECT_SAYS("FALHOU (linha 3): digitar um texto vazio numa grade não faz nada");
}

TEST_F(InterpreterTest, KeysWithModifiersAndCharacters) {
  // Ctrl+Delete in the grid asks before deleting; the scripted "no" keeps the row.
  EXPECT_EQ(Run("open\n"
                "cell dbgItens 1 NOME\n"
                "answer no\n"
                "key dbgItens Delete ctrl\n"
                "expect question \"Confirma a exclusão do registro?\"\n"
                "expect cdsItens.RecordCount 3\n"
                "answer yes\n"
                "key dbgItens Delete ctrl\n"
                "expect cdsItens.RecordCount 2\n"
                "key edtNome a\n"
                "key edtNome \"#\"\n"
                "expect edtNome.Text \"a#\"\n"),
            AllHeld)
      << transcript;
  EXPECT_SAYS("  pergunta: Confirma a exclusão do registro? -> não\n");
  EXPECT_NE(host.form->keys.find("down:46+ctrl"), std::string::npos) << host.form->keys;
  EXPECT_NE(host.form->keys.find("down:65 press:a"), std::string::npos) << host.form->keys;
}

TEST_F(InterpreterTest, ModalRunTakesTheFollowingGesturesUntilItEnds) {
  EXPECT_EQ(Run("modal\n"
                "open\n"
                "expect form.ModalResult 0\n"
                "key form Break\n"
                "expect frmTeste.Visible false\n"),
            AllHeld)
      << transcript;
  EXPECT_EQ(host.modalResult, 2);
  EXPECT_SAYS("  janela modal aberta: frmTeste (Teste)\n3: expect form.ModalResult 0\n4: key form Break\n"
              "  janela modal fechada: frmTeste com resultado 2\n5: ");

  EXPECT_EQ(Run("modal\nopen\nclick sbtOk\n"), AllHeld) << transcript;
  EXPECT_EQ(host.modalResult, 1);

  host.exportsFlags = false;
  EXPECT_EQ(Run("leg-dialog\nopen\n"), ExpectationFailed);
  EXPECT_SAYS("FALHOU (linha 2): o pacote não exporta boShowModal e boTrechoOk");
}

TEST_F(InterpreterTest, ScriptedAnswersForQuestionsPickListsAndSearches) {
  EXPECT_EQ(Run("open\n"
                "answer yes\n"
                "click sbtPergunta\n"
                "expect question \"Confirma a operação?\"\n"
                "expect message \"Operação confirmada.\"\n"
                "click sbtPergunta\n"
                "expect message \"Operação cancelada.\"\n"
                "pick 2\n"
                "click sbtLista\n"
                "expect edtNome.Text Congonhas\n"
                "find Nome Porca\n"
                "click sbtBusca\n"
                "expect edtNome.Text NOME=Porca\n"
                "find cancel\n"
                "click sbtBusca\n"
                "expect edtNome.Text NOME=Porca\n"),
            AllHeld)
      << transcript;
  EXPECT_SAYS("  pergunta: Confirma a operação? -> não (sem resposta no roteiro)\n");
  EXPECT_SAYS("  lista \"Filial\" (2 linhas): Código | Nome\n    1: 0001 | Guarulhos\n    2: 0002 | Congonhas\n"
              "  -> linha 2\n");
  EXPECT_SAYS("  -> NOME = \"Porca\"\n");

  EXPECT_EQ(Run("open\nanswer yes\nfind cancel\n"), AllHeld);
  EXPECT_SAYS("aviso: 2 respostas preparadas não foram usadas\n");

  EXPECT_EQ(Run("open\npick 5\nclick sbtLista\n"), ExpectationFailed);
  EXPECT_SAYS("FALHOU (linha 3): a lista \"Filial\" tem 2 linhas; não há linha 5");
}

// An answer is for the gesture right after it: one that gesture did not
// use is a failure and is not carried to a later, different question.
TEST_F(InterpreterTest, AnswersServeTheNextGestureOnlyAndNoQuestionCanBeExpected) {
  EXPECT_EQ(Run("open\nanswer yes\nclick mnuItem\nclick sbtPergunta\n"), ExpectationFailed);
  EXPECT_SAYS("FALHOU (linha 3): 1 resposta preparada(s) para este gesto e não usada(s)");
  EXPECT_SAYS("  pergunta: Confirma a operação? -> não (sem resposta no roteiro)\n");
  // Expectations between the answer and its gesture do not use it up.
  EXPECT_EQ(Run("open\nanswer yes\nexpect form.Visible true\nclick sbtPergunta\nexpect no-message\n"
                "expect question \"Confirma a operação?\"\n"),
            ExpectationFailed)
      << transcript;
  EXPECT_SAYS("expect no-message\n  FALHOU");
  EXPECT_EQ(Run("open\nclick mnuItem\nexpect no-question\n"), AllHeld) << transcript;
  EXPECT_EQ(Run("open\nclick sbtPergunta\nexpect no-question\n"), ExpectationFailed);
  EXPECT_SAYS("FALHOU (linha 3): nenhuma pergunta esperada, vista \"Confirma a operação?\"");
}

// Controls by what the person reads on them, and a grid's columns.
TEST_F(InterpreterTest, CaptionsNameControlsAndGridColumnsCanBeExpected) {
  EXPECT_EQ(Run("open\nselect pgcPaginas Dois\nexpect Dois.Caption Dois\nclick Item\n"
                "expect dbgItens.Column[SIT].PickList Ativo,Inativo\n"
                "expect dbgItens.Column[1].Title CODIGO\n"
                "expect dbgItens.Column[NOME].Visible true\n"),
            AllHeld)
      << transcript;
  EXPECT_EQ(host.form->menuClicks, 1);
  EXPECT_EQ(Run("open\nexpect dbgItens.Column[XX].Width 10\nexpect dbgItens.Column[CODIGO].Width 10\n"),
            ExpectationFailed);
  EXPECT_SAYS("dbgItens não tem a coluna XX");
  EXPECT_SAYS("FALHOU (linha 3): dbgItens.Column[CODIGO].Width: esperado \"10\"");
}

TEST_F(InterpreterTest, BusyIndicatorAndHandlerErrorsAppearAsTheyHappen) {
  EXPECT_EQ(Run("open\nclick sbtOcupado\nclick sbtFalha\nexpect message \"Falha no servidor.\"\n"), AllHeld)
      << transcript;
  EXPECT_SAYS("2: click sbtOcupado\n  ocupado: mostra (animação 6)\n  ocupado: esconde\n3: click sbtFalha\n"
              "  erro: Falha no servidor.\n");
}

TEST_F(InterpreterTest, FailedExpectationsNameTheLineAndWhatWasSeenAndTheRunGoesOn) {
  EXPECT_EQ(Run("open\n"
                "expect edtNome.Text \"Guarulhos\"\n"
                "expect message \"Filial não cadastrada.\"\n"
                "click sbtFalha\n"
                "expect no-message\n"
                "expect question \"Confirma?\"\n"
                "expect naoExiste.Text x\n"
                "expect cdsItens.NAOHA x\n"
                "expect cdsItens.NOME:value Parafuso\n"
                "expect mnuItem.ItemIndex 0\n"),
            ExpectationFailed);
  EXPECT_SAYS("FALHOU (linha 2): edtNome.Text: esperado \"Guarulhos\", visto \"\"");
  EXPECT_SAYS("FALHOU (linha 3): esperada a mensagem \"Filial não cadastrada.\", nenhuma mensagem foi mostrada");
  EXPECT_SAYS("FALHOU (linha 5): nenhuma mensagem esperada, vista \"Falha no servidor.\"");
  EXPECT_SAYS("FALHOU (linha 6): esperada a pergunta \"Confirma?\", nenhuma pergunta foi feita");
  EXPECT_SAYS("FALHOU (linha 7): componente naoExiste não encontrado");
  EXPECT_SAYS("FALHOU (linha 8): cdsItens.NAOHA: cdsItens não tem o campo NAOHA");
  EXPECT_SAYS("FALHOU (linha 10): mnuItem.ItemIndex: mnuItem (item de menu) não tem a propriedade ItemIndex");
  EXPECT_FALSE(Says("(linha 9)"));
  EXPECT_SAYS("fim: 10 gestos, 8 expectativas, 7 falhas");
}

TEST_F(InterpreterTest, DumpPrintsTheRowsWithoutMovingTheCursor) {
  EXPECT_EQ(Run("open\ncell dbgItens 2 NOME\ndump cdsItens\nexpect dbgItens.Row 2\n"), AllHeld) << transcript;
  EXPECT_SAYS("  cdsItens: 3 registros, estado dsBrowse, registro atual 2\n"
              "    campos: CODIGO | NOME | SIT | PRECO\n"
              "     1: A1 | Parafuso | Ativo | 2,5\n"
              "    >2: B2 | Porca | Inativo | \n");
}

TEST_F(InterpreterTest, CloseClosesTheScreen) {
  EXPECT_EQ(Run("open\nclose\nexpect frmTeste.Visible false\n"), AllHeld) << transcript;
  host.form = nullptr;
  plat::Application->DestroyForms();
  EXPECT_EQ(Run("close\n"), ExpectationFailed);
  EXPECT_SAYS("FALHOU (linha 1): não há tela aberta para fechar");
}

}  // namespace
}  // namespace zor::script
