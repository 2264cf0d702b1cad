// The schedule exchange dialogs of the host's "Arquivo" menu against a real
// server on the demo data: the import shows the plan, writes only after the
// person confirms and only the plan shown; the export saves the file and
// lists what it left out. Pictures of both go to the test's temp folder
// (ZOR_SCHEDULE_PICTURES names another).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>

#include "desktop/demo_server.h"
#include "desktop/schedule_dialogs.h"
#include "platform/net/server_session.h"
#include "qt_test_app.h"

namespace zor::desktop {

namespace {

using desktop_test::WhenModalOpens;

QString Sample(const char* name) { return QStringLiteral(ZOR_SSIM_DATA "/") + name; }

QString PictureFolder() {
  QString dir = qEnvironmentVariable("ZOR_SCHEDULE_PICTURES");
  return dir.isEmpty() ? QString::fromStdString(::testing::TempDir()) : dir;
}

void Answer(QMessageBox::StandardButton which, QString* text = nullptr) {
  WhenModalOpens([which, text](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    if (text) *text = box->text();
    box->button(which)->click();
  });
}

class ScheduleDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    desktop_test::App();
    ASSERT_TRUE(dir_.isValid());
    QString error;
    ASSERT_TRUE(server_.Start(ZOR_SERVER, dir_.filePath("demo.db"), &error)) << error.toStdString();
    context_.BranchCode = "0001";
    context_.ServerPort = server_.Port();
    // The dialogs call the server as the host does: logged in (here as the demo user).
    auto login = plat::LoginToServer("127.0.0.1", server_.Port(), "demo", "demo1234");
    ASSERT_TRUE(login.Ok) << login.Message;
    plat::SetSessionToken(login.Token);
    service_ = std::make_unique<desktop::ScheduleService>("127.0.0.1", server_.Port());
  }
  void TearDown() override { plat::SetSessionToken(""); }
  QTemporaryDir dir_;
  desktop::DemoServer server_;
  desktop::HostContext context_;
  std::unique_ptr<desktop::ScheduleService> service_;
  QVector<desktop::ScheduleCompany> companies_{{"0001", "ABR", "Aerobrasil Linhas Aéreas"},
                                               {"0002", "CRZ", "Cruzeiro do Sul Transportes Aéreos"}};
};

TEST_F(ScheduleDialogs, ImportShowsThePlanAndWritesAfterConfirmation) {
  desktop::ScheduleImportDialog dialog(context_, *service_, companies_);
  ASSERT_TRUE(desktop_test::ShowActive(&dialog));
  EXPECT_FALSE(dialog.CanApply());
  dialog.SetFile(Sample("abr_season.ssim"));
  ASSERT_TRUE(dialog.ShowPlan());
  EXPECT_TRUE(dialog.PlanText().contains("incluir   2500   GRU-BSB-MAO-BEL, A320, 1.3.5.., Regular"));
  EXPECT_TRUE(dialog.PlanText().contains("ignorado  2502   linha 21: base XYZ não cadastrada."));
  EXPECT_TRUE(dialog.CanApply());
  EXPECT_EQ(dialog.StatusText().toStdString(),
            "Incluir: 2, alterar: 1, iguais: 1, ignorados: 3, ausentes do arquivo: 298. "
            "Confira o plano e use Gravar para incluir e alterar os vôos.");
  dialog.grab().save(PictureFolder() + "/ssim-importar-plano.png");

  // Changing what the plan was made from asks for a new plan.
  dialog.findChild<QLineEdit*>("edtSsimStation")->setText("BSB");
  EXPECT_FALSE(dialog.CanApply());
  dialog.findChild<QLineEdit*>("edtSsimStation")->setText("");
  ASSERT_TRUE(dialog.ShowPlan());

  // "Não" writes nothing.
  QString question;
  Answer(QMessageBox::No, &question);
  EXPECT_FALSE(dialog.ApplyPlan());
  EXPECT_EQ(question.toStdString(),
            "Gravar na filial 0001 as inclusões e alterações do plano (3 vôo(s))? Nenhum vôo será excluído.");
  EXPECT_TRUE(dialog.CanApply());
  Answer(QMessageBox::Yes);
  ASSERT_TRUE(dialog.ApplyPlan());
  EXPECT_EQ(dialog.StatusText().toStdString(),
            "Gravado: 2 vôo(s) incluído(s), 1 alterado(s); 298 vôo(s) do cadastro ausente(s) do arquivo, mantido(s).");
  EXPECT_FALSE(dialog.CanApply());
  dialog.grab().save(PictureFolder() + "/ssim-importar-gravado.png");

  // The same file again: nothing left to write.
  ASSERT_TRUE(dialog.ShowPlan());
  EXPECT_TRUE(dialog.PlanText().contains("igual     2500"));
  EXPECT_FALSE(dialog.CanApply());
}

TEST_F(ScheduleDialogs, ImportReportsAFileWithoutTheCompany) {
  desktop::ScheduleImportDialog dialog(context_, *service_, companies_);
  dialog.SetFile(Sample("abr_season.ssim"));
  dialog.findChild<QComboBox*>("cbbSsimCompany")->setCurrentIndex(1);  // CRZ
  QString shown;
  Answer(QMessageBox::Ok, &shown);
  EXPECT_FALSE(dialog.ShowPlan());
  EXPECT_EQ(shown.toStdString(), "O arquivo não traz vôos da companhia CRZ (companhias no arquivo: ABR).");
  EXPECT_FALSE(dialog.CanApply());
}

TEST_F(ScheduleDialogs, ExportSavesTheFileAndSaysWhatItWrote) {
  desktop::ScheduleExportDialog dialog(context_, *service_, companies_);
  ASSERT_TRUE(desktop_test::ShowActive(&dialog));
  dialog.SetFile(dir_.filePath("abr.ssim"));
  dialog.SetSeason(QDate(2026, 1, 1), QDate(2026, 12, 31));
  ASSERT_TRUE(dialog.Export());
  EXPECT_EQ(dialog.ResultText().toStdString(), "300 vôo(s) exportado(s) para " + dir_.filePath("abr.ssim").toStdString() + ".");
  QFile f(dir_.filePath("abr.ssim"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  QByteArray bytes = f.readAll();
  EXPECT_TRUE(bytes.startsWith("1AIRLINE STANDARD SCHEDULE DATA SET"));
  EXPECT_EQ(bytes.count('\n') % 5, 0);
  dialog.grab().save(PictureFolder() + "/ssim-exportar.png");

  // A folder that cannot be written is said so.
  dialog.SetFile(dir_.filePath("nao/existe/abr.ssim"));
  QString shown;
  Answer(QMessageBox::Ok, &shown);
  EXPECT_FALSE(dialog.Export());
  EXPECT_TRUE(shown.startsWith("Não foi possível gravar o arquivo ")) << shown.toStdString();
}

}  // namespace

}  // namespace zor::desktop
