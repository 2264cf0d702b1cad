// Schedule exchange methods (see schedule_methods.h). Faults the person
// must read come back as refusals, like a refused save.
#include "server/ssim/schedule_methods.h"

#include "server/delta_apply.h"
#include "server/ssim/schedule_apply.h"
#include "server/ssim/schedule_export.h"
#include "server/ssim/schedule_plan.h"
#include "server/ssim/ssim_file.h"

namespace zor::server::ssim {

using json = nlohmann::ordered_json;

namespace {

Date ArgumentDate(const std::string& text, const Date& otherwise, const char* which) {
  if (text.empty()) return otherwise;
  auto d = ParseIsoDate(text);
  if (!d || text.size() != 10) throw SaveRefused(std::string("Data ") + which + " inválida: " + text + " (use aaaa-mm-dd).");
  return *d;
}

Plan MakePlan(Connection& c, const std::string& branch, const std::string& company, const std::string& file,
              const std::string& station) {
  try {
    return PlanImport(c, ReadSchedule(file), ImportOptions{branch, company, station, {}, {}});
  } catch (const DbError&) {
    throw;
  } catch (const std::runtime_error& e) {
    throw SaveRefused(e.what());
  }
}

json Counts(const Plan& p) {
  return {{"incluir", p.Count(Action::Create)},   {"alterar", p.Count(Action::Change)},
          {"iguais", p.Count(Action::Same)},      {"ignorados", p.Count(Action::Skip)},
          {"ausentes", p.Count(Action::Absent)}};
}

}  // namespace

json ExportMethod(Connection& c, const std::string& branch, const std::string& company, const std::string& from,
                  const std::string& to) {
  Date now = Today();
  ExportOptions o;
  o.branch = branch;
  o.company = company;
  o.seasonFrom = ArgumentDate(from, Date{now.year, 1, 1}, "inicial");
  o.seasonTo = ArgumentDate(to, Date{now.year, 12, 31}, "final");
  if (o.seasonTo < o.seasonFrom) throw SaveRefused("A data final da temporada é anterior à inicial.");
  o.created = now;
  auto t = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&t, &utc);
  o.createdMinutes = utc.tm_hour * 60 + utc.tm_min;
  ExportResult r;
  try {
    r = ExportSchedule(c, o);
  } catch (const DbError&) {
    throw;
  } catch (const std::runtime_error& e) {
    throw SaveRefused(e.what());
  }
  return {{"arquivo", r.file},
          {"exportados", r.flights},
          {"naoExportados", r.refused},
          {"foraDaTemporada", r.outsideSeason}};
}

json PlanMethod(Connection& c, const std::string& branch, const std::string& company, const std::string& file,
                const std::string& station) {
  Plan p = MakePlan(c, branch, company, file, station);
  json out = {{"plano", PlanTable(p)}};
  out.update(Counts(p));
  return out;
}

json ApplyMethod(Connection& c, AuditRecorder* audit, const std::string& branch, const std::string& company, const std::string& file,
                 const std::string& station, const std::string& shown) {
  Plan p = MakePlan(c, branch, company, file, station);
  std::string table = PlanTable(p);
  if (table != shown)
    throw SaveRefused("Os vôos da filial mudaram desde que o plano foi mostrado; nada foi gravado. Veja o plano novamente.");
  ApplyResult r = ApplyPlan(c, p, branch, company, audit);
  return {{"plano", table}, {"incluidos", r.created}, {"alterados", r.changed}, {"ausentes", p.Count(Action::Absent)}};
}

}  // namespace zor::server::ssim
