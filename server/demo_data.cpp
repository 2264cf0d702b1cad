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
void insertRows(Connection& c, const std::string& table, const std::vector<std::string>& cols, const Rows& rows) {
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
    c.execute(sql, params);
  }
}

// A small linear congruential generator: the same data on every run and
// every platform.
class Sequence {
 public:
  unsigned next(unsigned bound) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<unsigned>((state_ >> 33) % bound);
  }
  bool chance(unsigned percent) { return next(100) < percent; }

 private:
  unsigned long long state_ = 20260131ULL;
};

std::string code4(int n) {
  char b[16];
  std::snprintf(b, sizeof b, "%04d", n);
  return b;
}

std::string hhmm(int minutes) {
  minutes %= 24 * 60;
  char b[16];
  std::snprintf(b, sizeof b, "%02d%02d", minutes / 60, minutes % 60);
  return b;
}

const SqlValue null = std::monostate{};

struct Link {  // a company at a branch, with its equipment and classes
  std::string filial, cia;
  std::vector<int> equip;
  std::vector<int> classes;
};

const std::vector<Link>& links() {
  static const std::vector<Link> l = {
      {"0001", "0001", {2, 3, 4, 6}, {1, 2, 3, 4}}, {"0001", "0002", {1, 2, 5}, {2, 4}},
      {"0001", "0003", {6, 7, 8}, {4}},             {"0001", "0005", {5}, {4}},
      {"0002", "0001", {2, 4}, {2, 4}},             {"0002", "0002", {1, 2}, {4}},
      {"0002", "0004", {4, 8}, {3, 4}},             {"0003", "0001", {3, 5}, {1, 2, 4}},
      {"0003", "0002", {2, 5}, {2, 4}},             {"0003", "0005", {5}, {4}},
      {"0004", "0001", {2, 6}, {2, 4}},             {"0004", "0003", {6, 8}, {4}},
      {"0005", "0001", {2}, {4}},                   {"0005", "0004", {4, 8}, {4}},
  };
  return l;
}

std::string prefix(int cia, int equip, int k) {
  std::string p = "PR-";
  p += static_cast<char>('A' + cia - 1);
  p += static_cast<char>('A' + equip);
  p += static_cast<char>('A' + k);
  if (k == 2)  // some fleets were registered in lower case
    for (auto& ch : p) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return p;
}

// The base each branch works at (the first leg of its flights leaves there).
int homeBase(const std::string& filial) {
  if (filial == "0001") return 1;  // GRU
  if (filial == "0002") return 2;  // CGH
  if (filial == "0003") return 3;  // GIG
  if (filial == "0004") return 6;  // CNF
  return 8;                        // REC
}

void addFlights(const Link& link, int count, int firstNumber, Sequence& seq, Rows& voo, Rows& legs, Rows& classes) {
  for (int i = 0; i < count; ++i) {
    std::string nr = std::to_string(firstNumber + i);
    int equip = link.equip[seq.next(static_cast<unsigned>(link.equip.size()))];
    int cia = std::stoi(link.cia);
    SqlValue pref = seq.chance(80) ? SqlValue(prefix(cia, equip, static_cast<int>(seq.next(3)))) : null;
    bool extra = seq.chance(15);
    bool daily = seq.chance(40);
    std::vector<SqlValue> days;
    bool any = false;
    for (int d = 0; d < 7; ++d) {
      bool on = daily || seq.chance(50);
      if (d == 6 && !any) on = true;
      any = any || on;
      days.push_back(std::string(on ? "1" : "2"));
    }
    int abast = 1 + static_cast<int>(seq.next(3));
    std::vector<std::string> tipos = {"1", "1", "1", "2", "3"};
    std::vector<double> occupancy = {72.5, 80.0, 65.25, 90.0, 100.0};
    voo.push_back({link.filial, link.cia, nr, code4(equip), pref,
                   std::string(seq.chance(80) ? "1" : "2"),   // IDNACIVOO
                   std::string(seq.chance(90) ? "1" : "2"),   // IDSITVOO
                   std::string(extra ? "2" : "1"),            // IDTIPVOO
                   days[0], days[1], days[2], days[3], days[4], days[5], days[6],
                   std::string(seq.chance(70) ? "1" : "2"), std::string(seq.chance(70) ? "1" : "2"),
                   std::string(seq.chance(20) ? "1" : "2"), std::string(seq.chance(30) ? "1" : "2"),
                   std::to_string(abast), std::string(seq.chance(60) ? "1" : "2"),
                   hhmm(15 + 15 * static_cast<int>(seq.next(6))), hhmm(15 + 15 * static_cast<int>(seq.next(6))),
                   std::string("2"),
                   extra ? SqlValue(std::string("2026-01-01T00:00:00")) : null,
                   extra ? SqlValue(std::string("2026-03-31T00:00:00")) : null,
                   std::string("1"), std::string(seq.chance(80) ? "1" : "2"), std::string("1"),
                   tipos[seq.next(5)], occupancy[seq.next(5)], static_cast<double>(20 + seq.next(11)),
                   "0" + std::to_string(1 + seq.next(3))});
    int nLegs = 1 + static_cast<int>(seq.next(4));
    int from = homeBase(link.filial);
    int time = 5 * 60 + 5 * static_cast<int>(seq.next(200));
    std::vector<int> visited = {from};
    for (int l = 1; l <= nLegs; ++l) {
      int to;
      do to = 1 + static_cast<int>(seq.next(15));
      while (std::find(visited.begin(), visited.end(), to) != visited.end());
      visited.push_back(to);
      int landing = time + 50 + 5 * static_cast<int>(seq.next(30));
      legs.push_back({link.filial, link.cia, nr, code4(l), code4(from), code4(to), hhmm(time), hhmm(landing),
                      std::string("1"), std::string("1"), std::string("2026-01-15T10:00:00"), 1.5});
      for (int cl : link.classes) {
        if (cl != 4 && seq.chance(40)) continue;  // economy on every leg, others on some
        classes.push_back({link.filial, link.cia, nr, code4(l), code4(cl), cl == 4 ? 1.0 : 1.5});
      }
      from = to;
      time = landing + 40;
    }
  }
}

}  // namespace

bool loadDemoData(Connection& c, const DemoOptions& options) {
  if (options.flights < 0 || options.flights > 98999)
    throw std::invalid_argument("O número de vôos de demonstração deve estar entre 0 e 98999.");
  if (!c.query("SELECT 1 FROM FILIAL").rows.empty()) return false;
  WriteTransaction tx(c);

  insertRows(c, "FILIAL", {"CDFILIAL", "NMFILIAL", "IDCNTRRESC"},
             {{"0001", "Guarulhos", "N"},
              {"0002", "Congonhas", "N"},
              {"0003", "Galeão", "N"},
              {"0004", "Confins", "N"},
              {"0005", "Recife", "S"}});
  insertRows(c, "COMPANHIA", {"CDCIA", "SGCIA", "NMCIA"},
             {{"0001", "ABR", "Aerobrasil Linhas Aéreas"},
              {"0002", "CRZ", "Cruzeiro do Sul Transportes Aéreos"},
              {"0003", "PNT", "Pantanal Linhas Aéreas"},
              {"0004", "NRD", "Nordeste Linhas Aéreas"},
              {"0005", "AMZ", "Amazônia Cargas Aéreas"}});
  insertRows(c, "EQUIPAMENTO", {"CDEQUIP", "SGEQUIP", "DSEQUIP", "CDIATA"},
             {{"0001", "A319", "Airbus A319", "319"},
              {"0002", "A320", "Airbus A320", "320"},
              {"0003", "A321", "Airbus A321", "321"},
              {"0004", "B737", "Boeing 737-800", "738"},
              {"0005", "B767", "Boeing 767-300ER", "763"},
              {"0006", "E190", "Embraer 190", "E90"},
              {"0007", "E195", "Embraer 195", "E95"},
              {"0008", "ATR72", "ATR 72-600", "AT7"}});
  insertRows(c, "BASE", {"CDBASE", "SGBASE", "DSBASE"},
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
  insertRows(c, "CLASSE", {"CDCLASSE", "SGCLASSE", "DSCLASSE"},
             {{"0001", "F", "Primeira"},
              {"0002", "J", "Executiva"},
              {"0003", "W", "Econômica Premium"},
              {"0004", "Y", "Econômica"}});
  insertRows(c, "TIPOVOO", {"CDEXPTIPOVOO", "NMTIPOVOO"},
             {{"1", "Passageiros"}, {"2", "Cargueiro"}, {"3", "Fretamento"}, {"4", "Posicionamento"}});
  insertRows(c, "TURNO", {"NRTURNO", "DSTURNO"},
             {{"01", "Manhã (06h às 14h)"}, {"02", "Tarde (14h às 22h)"}, {"03", "Noite (22h às 06h)"},
              {"04", "Administrativo"}});

  Rows ciafili, equipcia, prefixos, classecia;
  for (const auto& l : links()) {
    ciafili.push_back({l.cia, l.filial});
    for (int e : l.equip) {
      equipcia.push_back({l.filial, l.cia, code4(e)});
      for (int k = 0; k < 3; ++k) prefixos.push_back({l.filial, l.cia, code4(e), prefix(std::stoi(l.cia), e, k)});
    }
    for (int cl : l.classes) classecia.push_back({l.filial, l.cia, code4(cl)});
  }
  insertRows(c, "CIAFILI", {"CDCIA", "CDFILIAL"}, ciafili);
  insertRows(c, "EQUIPCIA", {"CDFILIAL", "CDCIA", "CDEQUIP"}, equipcia);
  insertRows(c, "PREFIXOCIA", {"CDFILIAL", "CDCIA", "CDEQUIP", "SGPREFIXO"}, prefixos);
  insertRows(c, "CLASSECIA", {"CDFILIAL", "CDCIA", "CDCLASSE"}, classecia);

  Sequence seq;
  Rows voo, legs, classes;
  const auto& l = links();
  addFlights(l[0], options.flights, 1000, seq, voo, legs, classes);  // 0001 at 0001: the big one
  addFlights(l[1], 2, 3100, seq, voo, legs, classes);                // 0002 at 0001
  addFlights(l[2], 3, 4200, seq, voo, legs, classes);                // 0003 at 0001
  addFlights(l[4], 5, 1500, seq, voo, legs, classes);                // 0001 at 0002
  insertRows(c, "VOO",
             {"CDFILIAL",   "CDCIA",       "NRVOO",       "CDEQUIP",      "SGPREFIXO",    "IDNACIVOO",
              "IDSITVOO",   "IDTIPVOO",    "IDVOOSEG",    "IDVOOTER",     "IDVOOQUA",     "IDVOOQUI",
              "IDVOOSEX",   "IDVOOSAB",    "IDVOODOM",    "IDCARREGO",    "IDDESCAR",     "IDTRANSLADO",
              "IDCARGA",    "IDABASATEN",  "IDBASETRAN",  "QTHRKDTDES",   "QTHRKDTCAR",   "IDVOOSELE",
              "DTINIVIGVOO", "DTFIMVIGVOO", "IDINCDESDESV", "IDINCDESFIXO", "IDINCDESCOND", "CDEXPTIPOVOO",
              "VRPEROCUPACAO", "QTDIASPROD", "NRTURNOPROD"},
             voo);
  insertRows(c, "VOOTRECHO",
             {"CDFILIAL", "CDCIA", "NRVOO", "CDTRECHO", "CDBASEORI", "CDBASEDES", "HRDECOLVOO", "HRPOUSOVOO",
              "IDTIPAJUSFAT", "IDSITVOOTRE", "DTULTATUTREC", "QTHRPREPVOO"},
             legs);
  insertRows(c, "CLASSEVOO", {"CDFILIAL", "CDCIA", "NRVOO", "CDTRECHO", "CDCLASSE", "NRMULSERV"}, classes);
  tx.commit();
  return true;
}

}  // namespace zor::server
