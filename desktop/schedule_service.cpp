// Schedule exchange calls (see schedule_service.h).
#include "desktop/schedule_service.h"

#include <QJsonDocument>
#include <QStringList>

#include "platform/core/platform_texts.h"
#include "platform/net/net_connection.h"
#include "platform/net/server_result.h"
#include "platform/sql/dtm_db_geral.h"
#include "wire/module.h"

namespace zor::desktop {

QVector<ScheduleCompany> BranchCompanies(const QString& branch) {
  QVector<ScheduleCompany> out;
  if (!plat::dtmDBGeral || !plat::dtmDBGeral->Connected()) return out;
  try {
    auto rows = plat::dtmDBGeral->adcGeral()->QueryReadOnly(
        "SELECT C.CDCIA, C.SGCIA, C.NMCIA FROM CIAFILI F JOIN COMPANHIA C ON C.CDCIA = F.CDCIA"
        " WHERE F.CDFILIAL = :CDFILIAL ORDER BY C.CDCIA",
        {{"CDFILIAL", plat::Variant(branch.toStdString())}});
    for (const auto& r : rows.Rows)
      out.push_back({QString::fromStdString(r[0].AsString()), QString::fromStdString(r[1].AsString()),
                     QString::fromStdString(r[2].AsString())});
  } catch (const std::exception&) {
    out.clear();  // the dialog then asks for the code
  }
  return out;
}

ScheduleService::ScheduleService(const QString& host, int port) : net_(std::make_unique<plat::TNetConnection>()) {
  net_->SetServerName(wire::kModuleName);
  net_->SetHost(host.toStdString());
  net_->SetPort(port);
}

ScheduleService::~ScheduleService() = default;

ScheduleService::Reply ScheduleService::Call(const char* method, const QStringList& args) {
  std::vector<plat::Variant> values;
  for (const QString& a : args) values.emplace_back(a.toStdString());
  // A server that was down is tried again at every call.
  if (!net_->Connected()) net_->Open();
  plat::Variant result = net_->AppServer().Call(method, std::move(values));
  Reply reply;
  if (!plat::IsServerResult(result)) {
    reply.Message = QString::fromStdString(plat::PlatformText("net.answer_not_understood"));
    return reply;
  }
  if (!plat::IsGoodResult(result)) {
    reply.Message = QString::fromStdString(result[1].AsString());
    return reply;
  }
  reply.Ok = true;
  if (result[1].Type() == plat::VarType::Json)
    reply.Data = QJsonDocument::fromJson(QByteArray::fromStdString(result[1].AsJson().Text)).object();
  return reply;
}

ScheduleService::Reply ScheduleService::Export(const QString& branch, const QString& company, const QString& from,
                                               const QString& to) {
  return Call(wire::method::GetSsim, {branch, company, from, to});
}

ScheduleService::Reply ScheduleService::Plan(const QString& branch, const QString& company, const QString& file,
                                             const QString& station) {
  return Call(wire::method::GetPlanoSsim, {branch, company, file, station});
}

ScheduleService::Reply ScheduleService::Apply(const QString& branch, const QString& company, const QString& file,
                                              const QString& station, const QString& shownPlan) {
  return Call(wire::method::SetSsim, {branch, company, file, station, shownPlan});
}

}  // namespace zor::desktop
