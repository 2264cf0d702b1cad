// The schedule exchange commands (see ssim_cli.h).
#include "server/ssim/ssim_cli.h"

#include <fstream>
#include <iostream>
#include <regex>
#include <sstream>

#include "server/db_fault_text.h"
#include "server/delta_apply.h"
#include "server/schema.h"
#include "server/ssim/schedule_apply.h"
#include "server/ssim/schedule_export.h"
#include "server/ssim/schedule_plan.h"
#include "server/ssim/ssim_file.h"

namespace zor::server::ssim {

namespace {

// aaaa-mm-dd or dd/mm/aaaa.
std::optional<Date> CommandLineDate(const std::string& text) {
  std::smatch m;
  if (std::regex_match(text, m, std::regex("([0-9]{2})/([0-9]{2})/([0-9]{4})")))
    return MakeDate(std::stoi(m[3]), std::stoi(m[2]), std::stoi(m[1]));
  if (text.size() == 10) return ParseIsoDate(text);
  return std::nullopt;
}

struct Season {
  std::optional<Date> from, to;
};

// Both dates or neither; throws with the message for the person.
Season ReadSeason(const std::string& from, const std::string& to) {
  Season s;
  if (from.empty() != to.empty()) throw std::invalid_argument("Informe --from e --to juntos.");
  if (from.empty()) return s;
  s.from = CommandLineDate(from);
  s.to = CommandLineDate(to);
  if (!s.from) throw std::invalid_argument("Data inválida em --from: " + from + " (use aaaa-mm-dd ou dd/mm/aaaa).");
  if (!s.to) throw std::invalid_argument("Data inválida em --to: " + to + " (use aaaa-mm-dd ou dd/mm/aaaa).");
  if (*s.to < *s.from) throw std::invalid_argument("A data de --to é anterior à de --from.");
  return s;
}

std::unique_ptr<Connection> OpenMigrated(const std::string& db) {
  auto c = OpenConnection(db);
  Migrate(*c);
  return c;
}

}  // namespace

SsimCommands::SsimCommands(CLI::App& app) {
  ssim_ = app.add_subcommand("ssim", "Troca de malhas de vôos com as companhias (arquivos SSIM, capítulo 7)");
  ssim_->require_subcommand(1);
  ssim_->fallthrough();

  export_ = ssim_->add_subcommand("export", "Grava os vôos da companhia na filial num arquivo SSIM");
  export_->fallthrough();
  export_->add_option("--branch", branch_, "Filial (CDFILIAL)")->required();
  export_->add_option("--company", company_, "Companhia (CDCIA)")->required();
  export_->add_option("--from", from_, "Início da temporada (aaaa-mm-dd); padrão: 1º de janeiro deste ano");
  export_->add_option("--to", to_, "Fim da temporada (aaaa-mm-dd); padrão: 31 de dezembro deste ano");
  export_->add_option("-o,--output", output_, "Arquivo a gravar (padrão: a saída)");

  import_ = ssim_->add_subcommand("import", "Compara um arquivo SSIM com os vôos da filial e, com --apply, grava");
  import_->fallthrough();
  import_->add_option("file", file_, "Arquivo SSIM")->required();
  import_->add_option("--branch", branch_, "Filial (CDFILIAL)")->required();
  import_->add_option("--company", company_, "Companhia (CDCIA)")->required();
  import_->add_option("--station", station_, "Só os vôos com trecho saindo ou chegando nesta base (código IATA)");
  import_->add_option("--from", from_, "Início da temporada (padrão: o período do registro da companhia)");
  import_->add_option("--to", to_, "Fim da temporada");
  import_->add_flag("--apply", apply_, "Grava as inclusões e alterações (sem ela, só mostra o plano)");
}

bool SsimCommands::Chosen() const { return ssim_->parsed(); }

int SsimCommands::Run(const std::string& db, std::ostream& out, std::ostream& err) const {
  try {
    return export_->parsed() ? RunExport(db, out, err) : RunImport(db, out, err);
  } catch (const SaveRefused& e) {
    err << "ERRO nada foi gravado: " << e.what() << "\n";
  } catch (const DbError& e) {
    err << "ERRO " << DbFaultMessage(e) << "\n";
  } catch (const std::exception& e) {
    err << "ERRO " << e.what() << "\n";
  }
  return 1;
}

int SsimCommands::RunExport(const std::string& db, std::ostream& out, std::ostream& err) const {
  Season season = ReadSeason(from_, to_);
  Date now = Today();
  ExportOptions o;
  o.branch = branch_;
  o.company = company_;
  o.seasonFrom = season.from ? *season.from : Date{now.year, 1, 1};
  o.seasonTo = season.to ? *season.to : Date{now.year, 12, 31};
  o.created = now;
  auto t = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&t, &utc);
  o.createdMinutes = utc.tm_hour * 60 + utc.tm_min;

  auto c = OpenMigrated(db);
  ExportResult r = ExportSchedule(*c, o);
  for (const auto& why : r.refused) err << "não exportado: " << why << "\n";
  if (output_.empty()) {
    out << r.file;
  } else {
    std::ofstream f(output_, std::ios::binary);
    f << r.file;
    f.close();
    if (!f) throw std::runtime_error("Não foi possível gravar o arquivo " + output_ + ".");
  }
  err << r.flights << " vôo(s) exportado(s)";
  if (!r.refused.empty()) err << ", " << r.refused.size() << " não exportado(s)";
  if (r.outsideSeason) err << ", " << r.outsideSeason << " Extra fora da temporada";
  err << ".\n";
  return 0;
}

int SsimCommands::RunImport(const std::string& db, std::ostream& out, std::ostream& err) const {
  Season season = ReadSeason(from_, to_);
  std::ifstream in(file_, std::ios::binary);
  if (!in) throw std::runtime_error("Não foi possível ler o arquivo " + file_ + ".");
  std::stringstream text;
  text << in.rdbuf();
  Document doc = ReadSchedule(text.str());

  auto c = OpenMigrated(db);
  ImportOptions o{branch_, company_, station_, season.from, season.to};
  Plan plan = PlanImport(*c, doc, o);
  out << PlanTable(plan);
  if (!apply_) {
    out << "Nada foi gravado (use --apply para gravar).\n";
    return 0;
  }
  const Caller server = Caller::Internal();  // the recorder keeps a reference
  AuditRecorder audit(*c, server, "ssim import");
  ApplyResult r = ApplyPlan(*c, plan, branch_, company_, &audit);
  out << "Gravado: " << r.created << " vôo(s) incluído(s), " << r.changed << " alterado(s); "
      << plan.Count(Action::Absent) << " vôo(s) do cadastro ausente(s) do arquivo, mantido(s).\n";
  (void)err;
  return 0;
}

}  // namespace zor::server::ssim
