// The import plan (see schedule_plan.h).
#include "server/ssim/schedule_plan.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <regex>
#include <set>
#include <stdexcept>

#include "server/ssim/service_types.h"

namespace zor::server::ssim {

namespace {

std::string LineRef(int line) { return "linha " + std::to_string(line) + ": "; }

std::string BrDate(const std::string& iso) {
  if (iso.size() < 10) return iso;
  return iso.substr(8, 2) + "/" + iso.substr(5, 2) + "/" + iso.substr(0, 4);
}

std::string Time(const std::string& hhmm) {
  return hhmm.size() == 4 ? hhmm.substr(0, 2) + ":" + hhmm.substr(2, 2) : (hhmm.empty() ? "--:--" : hhmm);
}

std::string KindText(const std::string& kind, const std::string& from, const std::string& to) {
  if (kind == "2") return "Extra de " + BrDate(from) + " a " + BrDate(to);
  return "Regular";
}

std::string DaysShown(const std::array<bool, 7>& days) {
  std::string s = DaysText(days);
  std::replace(s.begin(), s.end(), ' ', '.');
  return s;
}

// The number a held flight is matched by: without leading zeros.
std::string MatchNumber(const std::string& nr) {
  static const std::regex kNumber("0*([0-9]{1,4})([A-Z]?)");
  std::smatch m;
  if (std::regex_match(nr, m, kNumber) && !m[1].str().empty())
    return std::to_string(std::stoi(m[1].str())) + m[2].str();
  return nr;
}

bool Touches(const std::vector<Leg>& legs, const std::string& station) {
  for (const auto& l : legs)
    if (l.from == station || l.to == station) return true;
  return false;
}
bool Touches(const HeldFlight& h, const std::string& station) {
  for (const auto& l : h.legs)
    if (l.from == station || l.to == station) return true;
  return false;
}

// The file's flight in the branch's codes, or the reasons it cannot be.
WantedFlight Translate(const Flight& f, const References& refs, const Date& seasonFrom, const Date& seasonTo,
                       char timeMode, std::vector<std::string>& errors) {
  WantedFlight w;
  w.number = f.number;
  w.days = f.days;
  int firstLine = f.legs.empty() ? 0 : f.legs.front().line;
  Date to = f.openEnded ? seasonTo : f.to;
  if (f.from <= seasonFrom && to >= seasonTo) {
    w.kind = "1";
  } else {
    w.kind = "2";
    w.validFrom = f.from.Iso();
    w.validTo = to.Iso();
  }
  auto type = FlightTypeFor(f.serviceType);
  if (!type)
    errors.push_back(LineRef(firstLine) + "tipo de serviço \"" + std::string(1, f.serviceType) +
                     "\" sem indicador de vôo correspondente.");
  else if (std::find(refs.flightTypes.begin(), refs.flightTypes.end(), *type) == refs.flightTypes.end())
    errors.push_back(LineRef(firstLine) + "indicador de vôo " + *type + " (tipo de serviço " +
                     std::string(1, f.serviceType) + ") não cadastrado.");
  else
    w.flightType = *type;
  w.timeReference = timeMode == 'U' ? "2" : "1";

  std::set<std::string> types;
  for (const auto& l : f.legs) types.insert(l.aircraftType);
  if (types.size() > 1) {
    std::string list;
    for (const auto& t : types) list += (list.empty() ? "" : ", ") + t;
    errors.push_back(LineRef(firstLine) + "os trechos usam tipos de aeronave diferentes (" + list +
                     "); o cadastro guarda um equipamento por vôo.");
  } else if (types.size() == 1) {
    auto found = refs.WithIataType(*types.begin());
    if (found.empty())
      errors.push_back(LineRef(firstLine) + "tipo de aeronave " + *types.begin() +
                       " sem equipamento da companhia na filial.");
    else if (found.size() > 1)
      errors.push_back(LineRef(firstLine) + "tipo de aeronave " + *types.begin() +
                       " corresponde a mais de um equipamento da companhia (" + found[0]->abbreviation + ", " +
                       found[1]->abbreviation + ").");
    else {
      w.equipment = found[0]->code;
      w.equipmentAbbreviation = found[0]->abbreviation;
    }
  }

  std::set<std::pair<std::string, std::string>> pairs;
  for (const auto& l : f.legs) {
    WantedLeg wl;
    wl.from = l.from;
    wl.to = l.to;
    wl.departure = l.departure;
    wl.arrival = l.arrival;
    for (const auto* side : {&l.from, &l.to}) {
      auto it = refs.stationCodes.find(*side);
      if (it == refs.stationCodes.end()) errors.push_back(LineRef(l.line) + "base " + *side + " não cadastrada.");
      else (side == &l.from ? wl.fromCode : wl.toCode) = it->second;
    }
    if (l.from == l.to) errors.push_back(LineRef(l.line) + "base de destino igual à de origem (" + l.from + ").");
    if (!pairs.insert({l.from, l.to}).second)
      errors.push_back(LineRef(l.line) + "trecho " + l.from + "-" + l.to + " repetido no vôo.");
    std::set<char> seen;
    for (char letter : l.classes) {
      if (!seen.insert(letter).second) continue;  // a letter given twice is one class
      auto it = refs.classCodes.find(std::string(1, letter));
      if (it == refs.classCodes.end()) {
        errors.push_back(LineRef(l.line) + "classe " + std::string(1, letter) +
                         " não cadastrada para a companhia na filial.");
        continue;
      }
      wl.letters.push_back(std::string(1, letter));
      wl.classCodes.push_back(it->second);
    }
    w.legs.push_back(std::move(wl));
  }
  if (w.legs.empty()) errors.push_back("o vôo não tem trechos.");
  return w;
}

std::string Route(const WantedFlight& w) {
  std::string r;
  for (const auto& l : w.legs) r += (r.empty() ? l.from : "") + "-" + l.to;
  return r;
}

std::string LegText(const std::string& from, const std::string& to, const std::string& dep, const std::string& arr) {
  return from + "-" + to + " " + Time(dep) + "-" + Time(arr);
}

// What would change in a held flight; `writes` tells whether anything
// must be written (notes about what is kept do not count).
std::vector<std::string> Differences(const HeldFlight& h, const WantedFlight& w, const References& refs, bool& writes) {
  std::vector<std::string> out;
  auto change = [&](const std::string& s) {
    out.push_back(s);
    writes = true;
  };
  std::string heldKind = h.kind == "2" ? "2" : "1";
  if (heldKind != w.kind || (w.kind == "2" && (h.validFrom != w.validFrom || h.validTo != w.validTo)))
    change("tipo: " + KindText(heldKind, h.validFrom, h.validTo) + " → " + KindText(w.kind, w.validFrom, w.validTo));
  if (h.days != w.days) change("frequência: " + DaysShown(h.days) + " → " + DaysShown(w.days));
  if (h.equipment != w.equipment) {
    auto it = refs.equipment.find(h.equipment);
    change("equipamento: " + (it == refs.equipment.end() ? h.equipment : it->second.abbreviation) + " → " +
           w.equipmentAbbreviation);
  }
  if (h.flightType != w.flightType) change("indicador: " + (h.flightType.empty() ? "(nenhum)" : h.flightType) + " → " + w.flightType);
  for (size_t i = 0; i < w.legs.size(); ++i) {
    const WantedLeg& wl = w.legs[i];
    std::string n = "trecho " + std::to_string(i + 1);
    if (i >= h.legs.size()) {
      std::string cls;
      for (const auto& k : wl.letters) cls += k;
      change(n + " novo: " + LegText(wl.from, wl.to, wl.departure, wl.arrival) + (cls.empty() ? "" : " classes " + cls));
      continue;
    }
    const HeldLeg& hl = h.legs[i];
    if (hl.fromCode != wl.fromCode || hl.toCode != wl.toCode || hl.departure != wl.departure ||
        hl.arrival != wl.arrival)
      change(n + ": " + LegText(hl.from, hl.to, hl.departure, hl.arrival) + " → " +
             LegText(wl.from, wl.to, wl.departure, wl.arrival));
    if (hl.timeReference != w.timeReference)
      change(n + ": horário " + (w.timeReference == "2" ? "local → GMT" : "GMT → local"));
    for (size_t k = 0; k < wl.classCodes.size(); ++k)
      if (std::none_of(hl.classes.begin(), hl.classes.end(), [&](const HeldClass& c) { return c.code == wl.classCodes[k]; }))
        change(n + ": nova classe " + wl.letters[k]);
    for (const auto& c : hl.classes)
      if (std::find(wl.classCodes.begin(), wl.classCodes.end(), c.code) == wl.classCodes.end())
        out.push_back(n + ": classe " + c.letter + " não consta do arquivo (mantida)");
  }
  for (size_t i = w.legs.size(); i < h.legs.size(); ++i)
    out.push_back("trecho " + std::to_string(i + 1) + " (" + h.legs[i].from + "-" + h.legs[i].to +
                  ") não consta do arquivo (mantido)");
  return out;
}

}  // namespace

int Plan::Count(Action a) const {
  return static_cast<int>(std::count_if(items.begin(), items.end(), [a](const PlanItem& i) { return i.action == a; }));
}

Plan PlanImport(Connection& c, const Document& doc, const ImportOptions& options) {
  ImportOptions o = options;
  for (auto& ch : o.station) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));  // "gru" is GRU
  Plan plan;
  plan.refs = ReadReferences(c, o.branch, o.company);
  plan.airline = plan.refs.airline;
  for (const auto& i : doc.issues) plan.issues.push_back(i.message);

  std::vector<const Carrier*> carriers;
  std::string others;
  for (const auto& car : doc.carriers) {
    if (car.airline == plan.airline) carriers.push_back(&car);
    else if (others.find(car.airline) == std::string::npos) others += (others.empty() ? "" : ", ") + car.airline;
  }
  if (carriers.empty())
    throw std::runtime_error("O arquivo não traz vôos da companhia " + plan.airline +
                             (others.empty() ? std::string(" (não há registro de companhia).")
                                             : " (companhias no arquivo: " + others + ")."));
  Date seasonFrom, seasonTo;
  if (o.seasonFrom && o.seasonTo) {
    seasonFrom = *o.seasonFrom;
    seasonTo = *o.seasonTo;
  } else if (carriers.front()->hasPeriod) {
    seasonFrom = carriers.front()->validFrom;
    seasonTo = carriers.front()->validTo;
  } else {
    throw std::runtime_error("O registro da companhia (linha " + std::to_string(carriers.front()->line) +
                             ") não traz um período de validade legível; informe a temporada com --from e --to.");
  }

  plan.held = ReadHeldFlights(c, o.branch, o.company);
  std::map<std::string, int> heldByNumber;
  for (size_t i = 0; i < plan.held.size(); ++i) heldByNumber.emplace(MatchNumber(plan.held[i].number), static_cast<int>(i));
  std::set<int> present;
  std::set<std::string> numbers;

  for (const Carrier* car : carriers) {
    for (const auto& f : car->flights) {
      if (!o.station.empty() && !Touches(f.legs, o.station)) continue;
      PlanItem item;
      item.number = f.number;
      auto held = heldByNumber.find(f.number);
      if (held != heldByNumber.end()) {
        item.held = held->second;
        present.insert(held->second);
      }
      std::vector<std::string> errors = f.errors;
      if (!numbers.insert(f.number).second) errors.push_back("o vôo aparece mais de uma vez no arquivo.");
      if (errors.empty()) item.wanted = Translate(f, plan.refs, seasonFrom, seasonTo, car->timeMode, errors);
      if (errors.empty() && item.held < 0 && plan.refs.firstShift.empty())
        errors.push_back("não há turno cadastrado para o vôo novo.");
      if (!errors.empty()) {
        item.action = Action::Skip;
        item.details = errors;
      } else if (item.held < 0) {
        item.action = Action::Create;
        const auto& w = item.wanted;
        item.details.push_back(Route(w) + ", " + w.equipmentAbbreviation + ", " + DaysShown(w.days) + ", " +
                               KindText(w.kind, w.validFrom, w.validTo));
      } else {
        bool writes = false;
        item.details = Differences(plan.held[item.held], item.wanted, plan.refs, writes);
        item.action = writes ? Action::Change : Action::Same;
      }
      plan.items.push_back(std::move(item));
    }
  }
  for (size_t i = 0; i < plan.held.size(); ++i) {
    if (present.count(static_cast<int>(i))) continue;
    if (!o.station.empty() && !Touches(plan.held[i], o.station)) continue;
    PlanItem item;
    item.action = Action::Absent;
    item.number = plan.held[i].number;
    item.held = static_cast<int>(i);
    item.details.push_back("consta do cadastro e não do arquivo (mantido)");
    plan.items.push_back(std::move(item));
  }
  return plan;
}

std::string PlanTable(const Plan& plan) {
  static const std::map<Action, std::string> kNames = {{Action::Create, "incluir"},
                                                      {Action::Change, "alterar"},
                                                      {Action::Same, "igual"},
                                                      {Action::Skip, "ignorado"},
                                                      {Action::Absent, "ausente"}};
  std::string out;
  for (const auto& i : plan.issues) out += "aviso: " + i + "\n";
  auto pad = [](std::string s, size_t w) {
    // Pads by characters, not bytes (the labels may be accented).
    size_t chars = 0;
    for (unsigned char ch : s) chars += (ch & 0xC0) != 0x80;
    if (chars < w) s.append(w - chars, ' ');
    return s;
  };
  out += pad("Ação", 10) + pad("Vôo", 7) + "Detalhes\n";
  for (const auto& item : plan.items) {
    std::string head = pad(kNames.at(item.action), 10) + pad(item.number, 7);
    if (item.details.empty()) out += head + "\n";
    for (size_t k = 0; k < item.details.size(); ++k) out += (k == 0 ? head : std::string(17, ' ')) + item.details[k] + "\n";
  }
  out += "Incluir: " + std::to_string(plan.Count(Action::Create)) +
         ", alterar: " + std::to_string(plan.Count(Action::Change)) +
         ", iguais: " + std::to_string(plan.Count(Action::Same)) +
         ", ignorados: " + std::to_string(plan.Count(Action::Skip)) +
         ", ausentes do arquivo: " + std::to_string(plan.Count(Action::Absent)) + "\n";
  return out;
}

}  // namespace zor::server::ssim
