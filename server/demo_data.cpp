// Demo data (see demo_data.h).
#include "server/demo_data.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace zor::server {

namespace {

using Rows = std::vector<std::vector<SqlValue>>;

// Multi-row inserts keep a large data set quick on both engines.
void InsertRows(Connection& c, const std::string& table, const std::vector<std::string>& cols, const Rows& rows) {
  constexpr size_t kBatch = 200;
  std::string names, one = "(";
  for (size_t i = 0; i < cols.size(); ++i) {
    names += (i ? ", " : "") + cols[i];
    one += i ? ", ?" : "?";
  }
  one += ")";
  for (size_t start = 0; start < rows.size(); start += kBatch) {
    size_t end = std::min(rows.size(), start + kBatch);
    std::string sql = "INSERT INTO " + table + " (" + names + ") VALUES ";
    std::vector<SqlValue> params;
    for (size_t r = start; r < end; ++r) {
      sql += (r == start ? "" : ", ") + one;
      params.insert(params.end(), rows[r].begin(), rows[r].end());
    }
    c.Execute(sql, params);
  }
}

// A small linear congruential generator: the same data on every run and
// every platform.
class Sequence {
 public:
  unsigned Next(unsigned bound) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<unsigned>((state_ >> 33) % bound);
  }
  bool Chance(unsigned percent) { return Next(100) < percent; }

 private:
  unsigned long long state_ = 20260131ULL;
};

std::string Code4(int n) {
  char b[16];
  std::snprintf(b, sizeof b, "%04d", n);
  return b;
}

std::string Hhmm(int minutes) {
  minutes %= 24 * 60;
  char b[16];
  std::snprintf(b, sizeof b, "%02d%02d", minutes / 60, minutes % 60);
  return b;
}

const SqlValue kNull = std::monostate{};

struct Link {  // a company at a branch, with its equipment and classes
  std::string filial, cia;
  std::vector<int> equip;
  std::vector<int> classes;
};

const std::vector<Link>& Links() {
  static const std::vector<Link> kL = {
      {"0001", "0001", {2, 3, 4, 6}, {1, 2, 3, 4}}, {"0001", "0002", {1, 2, 5}, {2, 4}},
      {"0001", "0003", {6, 7, 8}, {4}},             {"0001", "0005", {5}, {4}},
      {"0002", "0001", {2, 4}, {2, 4}},             {"0002", "0002", {1, 2}, {4}},
      {"0002", "0004", {4, 8}, {3, 4}},             {"0003", "0001", {3, 5}, {1, 2, 4}},
      {"0003", "0002", {2, 5}, {2, 4}},             {"0003", "0005", {5}, {4}},
      {"0004", "0001", {2, 6}, {2, 4}},             {"0004", "0003", {6, 8}, {4}},
      {"0005", "0001", {2}, {4}},                   {"0005", "0004", {4, 8}, {4}},
  };
  return kL;
}

std::string Prefix(int cia, int equip, int k) {
  std::string p = "PR-";
  p += static_cast<char>('A' + cia - 1);
  p += static_cast<char>('A' + equip);
  p += static_cast<char>('A' + k);
  if (k == 2)  // some fleets were registered in lower case
    for (auto& ch : p) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return p;
}

// The base each branch works at (the first leg of its flights leaves there).
int HomeBase(const std::string& filial) {
  if (filial == "0001") return 1;  // GRU
  if (filial == "0002") return 2;  // CGH
  if (filial == "0003") return 3;  // GIG
  if (filial == "0004") return 6;  // CNF
  return 8;                        // REC
}

void AddFlights(const Link& link, int count, int firstNumber, Sequence& seq, Rows& voo, Rows& legs, Rows& classes) {
  for (int i = 0; i < count; ++i) {
    std::string nr = std::to_string(firstNumber + i);
    int equip = link.equip[seq.Next(static_cast<unsigned>(link.equip.size()))];
    int cia = std::stoi(link.cia);
    SqlValue pref = seq.Chance(80) ? SqlValue(Prefix(cia, equip, static_cast<int>(seq.Next(3)))) : kNull;
    bool extra = seq.Chance(15);
    bool daily = seq.Chance(40);
    std::vector<SqlValue> days;
    bool any = false;
    for (int d = 0; d < 7; ++d) {
      bool on = daily || seq.Chance(50);
      if (d == 6 && !any) on = true;
      any = any || on;
      days.push_back(std::string(on ? "1" : "2"));
    }
    int abast = 1 + static_cast<int>(seq.Next(3));
    std::vector<std::string> tipos = {"1", "1", "1", "2", "3"};
    std::vector<double> occupancy = {72.5, 80.0, 65.25, 90.0, 100.0};
    voo.push_back({link.filial, link.cia, nr, Code4(equip), pref,
                   std::string(seq.Chance(80) ? "1" : "2"),   // IDNACIVOO
                   std::string(seq.Chance(90) ? "1" : "2"),   // IDSITVOO
                   std::string(extra ? "2" : "1"),            // IDTIPVOO
                   days[0], days[1], days[2], days[3], days[4], days[5], days[6],
                   std::string(seq.Chance(70) ? "1" : "2"), std::string(seq.Chance(70) ? "1" : "2"),
                   std::string(seq.Chance(20) ? "1" : "2"), std::string(seq.Chance(30) ? "1" : "2"),
                   std::to_string(abast), std::string(seq.Chance(60) ? "1" : "2"),
                   Hhmm(15 + 15 * static_cast<int>(seq.Next(6))), Hhmm(15 + 15 * static_cast<int>(seq.Next(6))),
                   std::string("2"),
                   extra ? SqlValue(std::string("2026-01-01T00:00:00")) : kNull,
                   extra ? SqlValue(std::string("2026-03-31T00:00:00")) : kNull,
                   std::string("1"), std::string(seq.Chance(80) ? "1" : "2"), std::string("1"),
                   tipos[seq.Next(5)], occupancy[seq.Next(5)], static_cast<double>(20 + seq.Next(11)),
                   "0" + std::to_string(1 + seq.Next(3))});
    int nLegs = 1 + static_cast<int>(seq.Next(4));
    int from = HomeBase(link.filial);
    int time = 5 * 60 + 5 * static_cast<int>(seq.Next(200));
    std::vector<int> visited = {from};
    for (int l = 1; l <= nLegs; ++l) {
      int to;
      do to = 1 + static_cast<int>(seq.Next(15));
      while (std::find(visited.begin(), visited.end(), to) != visited.end());
      visited.push_back(to);
      int landing = time + 50 + 5 * static_cast<int>(seq.Next(30));
      legs.push_back({link.filial, link.cia, nr, Code4(l), Code4(from), Code4(to), Hhmm(time), Hhmm(landing),
                      std::string("1"), std::string("1"), std::string("2026-01-15T10:00:00"), 1.5});
      for (int cl : link.classes) {
        if (cl != 4 && seq.Chance(40)) continue;  // economy on every leg, others on some
        classes.push_back({link.filial, link.cia, nr, Code4(l), Code4(cl), cl == 4 ? 1.0 : 1.5});
      }
      from = to;
      time = landing + 40;
    }
  }
}

}  // namespace

bool LoadDemoData(Connection& c, const DemoOptions& options) {
  if (options.flights < 0 || options.flights > 98999)
    throw std::invalid_argument("O número de vôos de demonstração deve estar entre 0 e 98999.");
  if (!c.Query("SELECT 1 FROM FILIAL").rows.empty()) return false;
  WriteTransaction tx(c);

  InsertRows(c, "FILIAL", {"CDFILIAL", "NMFILIAL", "IDCNTRRESC"},
             {{"0001", "Guarulhos", "N"},
              {"0002", "Congonhas", "N"},
              {"0003", "Galeão", "N"},
              {"0004", "Confins", "N"},
              {"0005", "Recife", "S"}});
  InsertRows(c, "COMPANHIA", {"CDCIA", "SGCIA", "NMCIA"},
             {{"0001", "ABR", "Aerobrasil Linhas Aéreas"},
              {"0002", "CRZ", "Cruzeiro do Sul Transportes Aéreos"},
              {"0003", "PNT", "Pantanal Linhas Aéreas"},
              {"0004", "NRD", "Nordeste Linhas Aéreas"},
              {"0005", "AMZ", "Amazônia Cargas Aéreas"}});
  InsertRows(c, "EQUIPAMENTO", {"CDEQUIP", "SGEQUIP", "DSEQUIP", "CDIATA"},
             {{"0001", "A319", "Airbus A319", "319"},
              {"0002", "A320", "Airbus A320", "320"},
              {"0003", "A321", "Airbus A321", "321"},
              {"0004", "B737", "Boeing 737-800", "738"},
              {"0005", "B767", "Boeing 767-300ER", "763"},
              {"0006", "E190", "Embraer 190", "E90"},
              {"0007", "E195", "Embraer 195", "E95"},
              {"0008", "ATR72", "ATR 72-600", "AT7"}});
  InsertRows(c, "BASE", {"CDBASE", "SGBASE", "DSBASE"},
             {{"0001", "GRU", "Guarulhos - São Paulo"},
              {"0002", "CGH", "Congonhas - São Paulo"},
              {"0003", "GIG", "Galeão - Rio de Janeiro"},
              {"0004", "SDU", "Santos Dumont - Rio de Janeiro"},
              {"0005", "BSB", "Brasília"},
              {"0006", "CNF", "Confins - Belo Horizonte"},
              {"0007", "SSA", "Salvador"},
              {"0008", "REC", "Recife"},
              {"0009", "FOR", "Fortaleza"},
              {"0010", "POA", "Porto Alegre"},
              {"0011", "CWB", "Curitiba"},
              {"0012", "MAO", "Manaus"},
              {"0013", "BEL", "Belém"},
              {"0014", "FLN", "Florianópolis"},
              {"0015", "VCP", "Viracopos - Campinas"}});
  InsertRows(c, "CLASSE", {"CDCLASSE", "SGCLASSE", "DSCLASSE"},
             {{"0001", "F", "Primeira"},
              {"0002", "J", "Executiva"},
              {"0003", "W", "Econômica Premium"},
              {"0004", "Y", "Econômica"}});
  InsertRows(c, "TIPOVOO", {"CDEXPTIPOVOO", "NMTIPOVOO"},
             {{"1", "Passageiros"}, {"2", "Cargueiro"}, {"3", "Fretamento"}, {"4", "Posicionamento"}});
  InsertRows(c, "TURNO", {"NRTURNO", "DSTURNO"},
             {{"01", "Manhã (06h às 14h)"}, {"02", "Tarde (14h às 22h)"}, {"03", "Noite (22h às 06h)"},
              {"04", "Administrativo"}});

  Rows ciafili, equipcia, prefixos, classecia;
  for (const auto& l : Links()) {
    ciafili.push_back({l.cia, l.filial});
    for (int e : l.equip) {
      equipcia.push_back({l.filial, l.cia, Code4(e)});
      for (int k = 0; k < 3; ++k) prefixos.push_back({l.filial, l.cia, Code4(e), Prefix(std::stoi(l.cia), e, k)});
    }
    for (int cl : l.classes) classecia.push_back({l.filial, l.cia, Code4(cl)});
  }
  InsertRows(c, "CIAFILI", {"CDCIA", "CDFILIAL"}, ciafili);
  InsertRows(c, "EQUIPCIA", {"CDFILIAL", "CDCIA", "CDEQUIP"}, equipcia);
  InsertRows(c, "PREFIXOCIA", {"CDFILIAL", "CDCIA", "CDEQUIP", "SGPREFIXO"}, prefixos);
  InsertRows(c, "CLASSECIA", {"CDFILIAL", "CDCIA", "CDCLASSE"}, classecia);

  Sequence seq;
  Rows voo, legs, classes;
  const auto& l = Links();
  AddFlights(l[0], options.flights, 1000, seq, voo, legs, classes);  // 0001 at 0001: the big one
  AddFlights(l[1], 2, 3100, seq, voo, legs, classes);                // 0002 at 0001
  AddFlights(l[2], 3, 4200, seq, voo, legs, classes);                // 0003 at 0001
  AddFlights(l[4], 5, 1500, seq, voo, legs, classes);                // 0001 at 0002
  InsertRows(c, "VOO",
             {"CDFILIAL",   "CDCIA",       "NRVOO",       "CDEQUIP",      "SGPREFIXO",    "IDNACIVOO",
              "IDSITVOO",   "IDTIPVOO",    "IDVOOSEG",    "IDVOOTER",     "IDVOOQUA",     "IDVOOQUI",
              "IDVOOSEX",   "IDVOOSAB",    "IDVOODOM",    "IDCARREGO",    "IDDESCAR",     "IDTRANSLADO",
              "IDCARGA",    "IDABASATEN",  "IDBASETRAN",  "QTHRKDTDES",   "QTHRKDTCAR",   "IDVOOSELE",
              "DTINIVIGVOO", "DTFIMVIGVOO", "IDINCDESDESV", "IDINCDESFIXO", "IDINCDESCOND", "CDEXPTIPOVOO",
              "VRPEROCUPACAO", "QTDIASPROD", "NRTURNOPROD"},
             voo);
  InsertRows(c, "VOOTRECHO",
             {"CDFILIAL", "CDCIA", "NRVOO", "CDTRECHO", "CDBASEORI", "CDBASEDES", "HRDECOLVOO", "HRPOUSOVOO",
              "IDTIPAJUSFAT", "IDSITVOOTRE", "DTULTATUTREC", "QTHRPREPVOO"},
             legs);
  InsertRows(c, "CLASSEVOO", {"CDFILIAL", "CDCIA", "NRVOO", "CDTRECHO", "CDCLASSE", "NRMULSERV"}, classes);
  tx.Commit();
  return true;
}

}  // namespace zor::server
