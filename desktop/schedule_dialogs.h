// The host's dialogs for the schedule exchange, under its "Arquivo" menu:
// import (choose the file, see the plan, confirm, write) and export (choose
// the season and the file). Both run the server's schedule methods.
#pragma once

#include <QDialog>
#include <QVector>

#include "desktop/host_context.h"
#include "desktop/schedule_service.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zor::desktop {

// Branch and company fields shared by both dialogs.
class ScheduleTarget {
 public:
  ScheduleTarget(QWidget* parent, const HostContext& context, const QVector<ScheduleCompany>& companies);
  QLineEdit* Branch() const { return branch_; }
  QComboBox* Company() const { return company_; }
  // The company code chosen (or typed when the list is empty).
  QString CompanyCode() const;
  QString CompanyDesignator() const;

 private:
  QLineEdit* branch_;
  QComboBox* company_;
  QVector<ScheduleCompany> companies_;
};

class ScheduleImportDialog : public QDialog {
  Q_OBJECT
 public:
  ScheduleImportDialog(const HostContext& context, ScheduleService& service, const QVector<ScheduleCompany>& companies,
                       QWidget* parent = nullptr);

  void SetFile(const QString& path);
  // Asks the server for the plan of the chosen file and shows it.
  bool ShowPlan();
  // Asks for confirmation, then has the server write the plan shown.
  bool ApplyPlan();

  QString PlanText() const;
  QString StatusText() const;
  bool CanApply() const;

 private:
  void InputsChanged();
  bool ReadFile(QString* text);

  ScheduleService& service_;
  ScheduleTarget target_;
  QLineEdit* file_;
  QLineEdit* station_;
  QPushButton* plan_button_;
  QPushButton* apply_button_;
  QPlainTextEdit* plan_;
  QLabel* status_;
  QString shown_plan_;   // as the server wrote it, confirmed as such
  QString planned_text_; // the file's text the plan was made from
  int writes_ = 0;
};

class ScheduleExportDialog : public QDialog {
  Q_OBJECT
 public:
  ScheduleExportDialog(const HostContext& context, ScheduleService& service, const QVector<ScheduleCompany>& companies,
                       QWidget* parent = nullptr);

  void SetFile(const QString& path);
  void SetSeason(const QDate& from, const QDate& to);
  // Has the server write the file's text and saves it.
  bool Export();
  QString ResultText() const;

 private:
  ScheduleService& service_;
  ScheduleTarget target_;
  QDateEdit* from_;
  QDateEdit* to_;
  QLineEdit* file_;
  QPlainTextEdit* result_;
};

}  // namespace zor::desktop
