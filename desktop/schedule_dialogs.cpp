// Schedule exchange dialogs (see schedule_dialogs.h).
#include "desktop/schedule_dialogs.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zor::desktop {

namespace {

QWidget* WithButton(QWidget* parent, QLineEdit* edit, QPushButton* button) {
  auto* row = new QWidget(parent);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(edit, 1);
  layout->addWidget(button);
  return row;
}

QPlainTextEdit* ReadOnlyText(QWidget* parent, const char* name) {
  auto* t = new QPlainTextEdit(parent);
  t->setObjectName(name);
  t->setReadOnly(true);
  t->setLineWrapMode(QPlainTextEdit::NoWrap);
  t->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  return t;
}

}  // namespace

ScheduleTarget::ScheduleTarget(QWidget* parent, const HostContext& context, const QVector<ScheduleCompany>& companies)
    : branch_(new QLineEdit(context.BranchCode, parent)), company_(new QComboBox(parent)), companies_(companies) {
  branch_->setObjectName("edtSsimBranch");
  branch_->setEnabled(!context.BranchFixed);
  company_->setObjectName("cbbSsimCompany");
  // Without the database's list the code is typed.
  company_->setEditable(companies.isEmpty());
  for (const auto& c : companies) company_->addItem(QStringLiteral("%1 – %2 – %3").arg(c.Code, c.Designator, c.Name));
}

QString ScheduleTarget::CompanyCode() const {
  int i = company_->currentIndex();
  if (!companies_.isEmpty() && i >= 0 && i < companies_.size()) return companies_[i].Code;
  return company_->currentText().trimmed();
}

QString ScheduleTarget::CompanyDesignator() const {
  int i = company_->currentIndex();
  if (!companies_.isEmpty() && i >= 0 && i < companies_.size()) return companies_[i].Designator;
  return CompanyCode();
}

// ------------------------------------------------------------------ import

ScheduleImportDialog::ScheduleImportDialog(const HostContext& context, ScheduleService& service,
                                           const QVector<ScheduleCompany>& companies, QWidget* parent)
    : QDialog(parent),
      service_(service),
      target_(this, context, companies),
      file_(new QLineEdit(this)),
      station_(new QLineEdit(this)),
      plan_button_(new QPushButton(QStringLiteral("&Ver plano"), this)),
      apply_button_(new QPushButton(QStringLiteral("&Gravar"), this)),
      plan_(ReadOnlyText(this, "txtSsimPlan")),
      status_(new QLabel(this)) {
  setObjectName("dlgSsimImport");
  setWindowTitle(QStringLiteral("Importar malha SSIM"));
  file_->setObjectName("edtSsimFile");
  station_->setObjectName("edtSsimStation");
  station_->setMaxLength(3);
  station_->setPlaceholderText(QStringLiteral("todas"));
  plan_button_->setObjectName("btnSsimPlan");
  apply_button_->setObjectName("btnSsimApply");
  apply_button_->setEnabled(false);
  status_->setObjectName("lblSsimStatus");
  status_->setWordWrap(true);
  auto* choose = new QPushButton(QStringLiteral("&Escolher…"), this);
  choose->setObjectName("btnSsimChoose");
  auto* close = new QPushButton(QStringLiteral("&Fechar"), this);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Filial"), target_.Branch());
  form->addRow(QStringLiteral("Companhia"), target_.Company());
  form->addRow(QStringLiteral("Arquivo"), WithButton(this, file_, choose));
  form->addRow(QStringLiteral("Só a base"), station_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(plan_button_);
  buttons->addStretch(1);
  buttons->addWidget(apply_button_);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(plan_, 1);
  layout->addWidget(status_);
  layout->addLayout(buttons);
  resize(760, 520);

  connect(choose, &QPushButton::clicked, this, [this] {
    QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Arquivo SSIM"), file_->text(),
                                                QStringLiteral("Arquivos SSIM (*.ssim *.txt *.dat);;Todos (*)"));
    if (!path.isEmpty()) SetFile(path);
  });
  connect(plan_button_, &QPushButton::clicked, this, [this] { ShowPlan(); });
  connect(apply_button_, &QPushButton::clicked, this, [this] { ApplyPlan(); });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  // A plan holds for the inputs it was made from only.
  connect(file_, &QLineEdit::textChanged, this, [this] { InputsChanged(); });
  connect(station_, &QLineEdit::textChanged, this, [this] { InputsChanged(); });
  connect(target_.Branch(), &QLineEdit::textChanged, this, [this] { InputsChanged(); });
  connect(target_.Company(), &QComboBox::currentTextChanged, this, [this] { InputsChanged(); });
}

void ScheduleImportDialog::SetFile(const QString& path) { file_->setText(path); }

void ScheduleImportDialog::InputsChanged() {
  shown_plan_.clear();
  writes_ = 0;
  apply_button_->setEnabled(false);
  if (!plan_->toPlainText().isEmpty()) status_->setText(QStringLiteral("Os dados mudaram: veja o plano novamente."));
}

bool ScheduleImportDialog::ReadFile(QString* text) {
  QFile f(file_->text());
  if (file_->text().trimmed().isEmpty()) {
    QMessageBox::warning(this, windowTitle(), QStringLiteral("Escolha o arquivo SSIM a importar."));
    return false;
  }
  if (!f.open(QIODevice::ReadOnly)) {
    QMessageBox::warning(this, windowTitle(),
                         QStringLiteral("Não foi possível ler o arquivo %1: %2").arg(file_->text(), f.errorString()));
    return false;
  }
  *text = QString::fromUtf8(f.readAll());
  return true;
}

bool ScheduleImportDialog::ShowPlan() {
  QString text;
  if (!ReadFile(&text)) return false;
  auto reply = service_.Plan(target_.Branch()->text().trimmed(), target_.CompanyCode(), text,
                             station_->text().trimmed().toUpper());
  if (!reply.Ok) {
    plan_->clear();
    InputsChanged();
    status_->setText(reply.Message);
    QMessageBox::warning(this, windowTitle(), reply.Message);
    return false;
  }
  plan_->setPlainText(reply.Data.value("plano").toString());
  shown_plan_ = reply.Data.value("plano").toString();
  planned_text_ = text;
  writes_ = reply.Data.value("incluir").toInt() + reply.Data.value("alterar").toInt();
  apply_button_->setEnabled(writes_ > 0);
  // The counts stand out of a table that may run to hundreds of lines.
  const QString counts = QStringLiteral("Incluir: %1, alterar: %2, iguais: %3, ignorados: %4, ausentes do arquivo: %5. ")
                             .arg(reply.Data.value("incluir").toInt())
                             .arg(reply.Data.value("alterar").toInt())
                             .arg(reply.Data.value("iguais").toInt())
                             .arg(reply.Data.value("ignorados").toInt())
                             .arg(reply.Data.value("ausentes").toInt());
  status_->setText(counts + (writes_ > 0 ? QStringLiteral("Confira o plano e use Gravar para incluir e alterar os vôos.")
                                         : QStringLiteral("Nada a gravar: o arquivo não inclui nem altera vôos.")));
  return true;
}

bool ScheduleImportDialog::ApplyPlan() {
  if (shown_plan_.isEmpty() || writes_ == 0) return false;
  const QString question =
      QStringLiteral("Gravar na filial %1 as inclusões e alterações do plano (%2 vôo(s))? Nenhum vôo será excluído.")
          .arg(target_.Branch()->text().trimmed())
          .arg(writes_);
  if (QMessageBox::question(this, windowTitle(), question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) !=
      QMessageBox::Yes)
    return false;
  auto reply = service_.Apply(target_.Branch()->text().trimmed(), target_.CompanyCode(), planned_text_,
                              station_->text().trimmed().toUpper(), shown_plan_);
  apply_button_->setEnabled(false);
  if (!reply.Ok) {
    status_->setText(reply.Message);
    QMessageBox::warning(this, windowTitle(), reply.Message);
    return false;
  }
  status_->setText(QStringLiteral("Gravado: %1 vôo(s) incluído(s), %2 alterado(s); %3 vôo(s) do cadastro ausente(s) "
                                  "do arquivo, mantido(s).")
                       .arg(reply.Data.value("incluidos").toInt())
                       .arg(reply.Data.value("alterados").toInt())
                       .arg(reply.Data.value("ausentes").toInt()));
  shown_plan_.clear();
  writes_ = 0;
  return true;
}

QString ScheduleImportDialog::PlanText() const { return plan_->toPlainText(); }
QString ScheduleImportDialog::StatusText() const { return status_->text(); }
bool ScheduleImportDialog::CanApply() const { return apply_button_->isEnabled(); }

// ------------------------------------------------------------------ export

ScheduleExportDialog::ScheduleExportDialog(const HostContext& context, ScheduleService& service,
                                           const QVector<ScheduleCompany>& companies, QWidget* parent)
    : QDialog(parent),
      service_(service),
      target_(this, context, companies),
      from_(new QDateEdit(this)),
      to_(new QDateEdit(this)),
      file_(new QLineEdit(this)),
      result_(ReadOnlyText(this, "txtSsimResult")) {
  setObjectName("dlgSsimExport");
  setWindowTitle(QStringLiteral("Exportar malha SSIM"));
  const int year = QDate::currentDate().year();
  for (QDateEdit* d : {from_, to_}) {
    d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    d->setCalendarPopup(true);
  }
  from_->setObjectName("depSsimFrom");
  to_->setObjectName("depSsimTo");
  SetSeason(QDate(year, 1, 1), QDate(year, 12, 31));
  file_->setObjectName("edtSsimExportFile");
  auto* choose = new QPushButton(QStringLiteral("&Escolher…"), this);
  auto* run = new QPushButton(QStringLiteral("E&xportar"), this);
  run->setObjectName("btnSsimExport");
  auto* close = new QPushButton(QStringLiteral("&Fechar"), this);

  auto* season = new QWidget(this);
  auto* seasonRow = new QHBoxLayout(season);
  seasonRow->setContentsMargins(0, 0, 0, 0);
  seasonRow->addWidget(from_);
  seasonRow->addWidget(new QLabel(QStringLiteral("até"), season));
  seasonRow->addWidget(to_);
  seasonRow->addStretch(1);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Filial"), target_.Branch());
  form->addRow(QStringLiteral("Companhia"), target_.Company());
  form->addRow(QStringLiteral("Temporada de"), season);
  form->addRow(QStringLiteral("Arquivo"), WithButton(this, file_, choose));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(run);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(result_, 1);
  layout->addLayout(buttons);
  resize(640, 420);

  connect(choose, &QPushButton::clicked, this, [this] {
    QString suggested = file_->text().isEmpty()
                            ? QDir::home().filePath(target_.CompanyDesignator() + QStringLiteral(".ssim"))
                            : file_->text();
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Gravar arquivo SSIM"), suggested,
                                                QStringLiteral("Arquivos SSIM (*.ssim);;Todos (*)"));
    if (!path.isEmpty()) SetFile(path);
  });
  connect(run, &QPushButton::clicked, this, [this] { Export(); });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void ScheduleExportDialog::SetFile(const QString& path) { file_->setText(path); }

void ScheduleExportDialog::SetSeason(const QDate& from, const QDate& to) {
  from_->setDate(from);
  to_->setDate(to);
}

bool ScheduleExportDialog::Export() {
  if (file_->text().trimmed().isEmpty()) {
    QMessageBox::warning(this, windowTitle(), QStringLiteral("Escolha o arquivo a gravar."));
    return false;
  }
  auto reply = service_.Export(target_.Branch()->text().trimmed(), target_.CompanyCode(),
                               from_->date().toString(Qt::ISODate), to_->date().toString(Qt::ISODate));
  if (!reply.Ok) {
    result_->setPlainText(reply.Message);
    QMessageBox::warning(this, windowTitle(), reply.Message);
    return false;
  }
  QFile f(file_->text());
  QByteArray bytes = reply.Data.value("arquivo").toString().toUtf8();
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
    QString message = QStringLiteral("Não foi possível gravar o arquivo %1: %2").arg(file_->text(), f.errorString());
    result_->setPlainText(message);
    QMessageBox::warning(this, windowTitle(), message);
    return false;
  }
  f.close();
  QString text = QStringLiteral("%1 vôo(s) exportado(s) para %2.")
                     .arg(reply.Data.value("exportados").toInt())
                     .arg(file_->text());
  int outside = reply.Data.value("foraDaTemporada").toInt();
  if (outside > 0) text += QStringLiteral("\n%1 vôo(s) Extra fora da temporada.").arg(outside);
  const QJsonArray refused = reply.Data.value("naoExportados").toArray();
  if (!refused.isEmpty()) {
    text += QStringLiteral("\nNão exportado(s):");
    for (const auto& why : refused) text += QStringLiteral("\n  ") + why.toString();
  }
  result_->setPlainText(text);
  return true;
}

QString ScheduleExportDialog::ResultText() const { return result_->toPlainText(); }

}  // namespace zor::desktop
