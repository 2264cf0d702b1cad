// The schedule exchange (SSIM files) as the desktop reaches it: the three
// methods the application server offers for it (GetSsim, GetPlanoSsim,
// SetSsim, described in docs/ssim.md), called over the host's server
// address, and the companies of a branch read from the shared database for
// the dialogs' company lists. The server does the work, so the window runs
// the same code as the command line.
#pragma once

#include <memory>

#include <QJsonObject>
#include <QString>
#include <QVector>

namespace zor::plat {
class TNetConnection;
}

namespace zor::desktop {

struct ScheduleCompany {
  QString Code;        // CDCIA
  QString Designator;  // SGCIA
  QString Name;
};

// The companies that operate at the branch, by code; empty when the shared
// database is not open or the branch has none.
QVector<ScheduleCompany> BranchCompanies(const QString& branch);

class ScheduleService {
 public:
  struct Reply {
    bool Ok = false;
    QString Message;    // the server's refusal or the transport failure
    QJsonObject Data;
  };

  ScheduleService(const QString& host, int port);
  ~ScheduleService();

  Reply Export(const QString& branch, const QString& company, const QString& from, const QString& to);
  Reply Plan(const QString& branch, const QString& company, const QString& file, const QString& station);
  Reply Apply(const QString& branch, const QString& company, const QString& file, const QString& station,
              const QString& shownPlan);

 private:
  Reply Call(const char* method, const QStringList& args);
  std::unique_ptr<plat::TNetConnection> net_;
};

}  // namespace zor::desktop
