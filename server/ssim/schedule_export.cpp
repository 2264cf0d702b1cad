// Export of a branch's flights (see schedule_export.h).
#include "server/ssim/schedule_export.h"

#include <algorithm>
#include <regex>
#include <stdexcept>

#include "server/ssim/held_schedule.h"
#include "server/ssim/service_types.h"
#include "server/ssim/ssim_file.h"

namespace zor::server::ssim {

namespace {

struct Refusal {
  std::string reason;
};

int Minutes(const std::string& hhmm) { return std::stoi(hhmm.substr(0, 2)) * 60 + std::stoi(hhmm.substr(2, 2)); }

// Compiled once: building a regex costs more than exporting a flight.
const std::regex kTime("([01][0-9]|2[0-3])[0-5][0-9]");
const std::regex kNumber("[0-9]{1,4}[A-Z]?");
const std::regex kStation("[A-Z]{3}");
const std::regex kLetter("[A-Z]");

bool IsTime(const std::string& t) { return std::regex_match(t, kTime); }

// Days after the flight's first departure on which each leg leaves and
// arrives: a time earlier than the one before it is on the next day.
void SetDateVariations(std::vector<Leg>& legs) {
  int day = 0, previous = -1;
  for (auto& l : legs) {
    int dep = Minutes(l.departure), arr = Minutes(l.arrival);
    if (previous >= 0 && dep < previous) ++day;
    l.departureDay = day;
    if (arr < dep) ++day;
    l.arrivalDay = day;
    previous = arr;
  }
  if (!legs.empty() && legs.back().arrivalDay > 9) throw Refusal{"o vôo dura mais de nove dias."};
}

Flight ToScheduleFlight(const HeldFlight& h, const References& refs, const ExportOptions& o, char timeMode) {
  Flight f;
  f.airline = refs.airline;
  if (!std::regex_match(h.number, kNumber) || std::stoi(h.number) == 0)
    throw Refusal{"o número do vôo não é de 1 a 4 algarismos (seguidos ou não de uma letra)."};
  f.number = std::to_string(std::stoi(h.number)) + (std::isalpha(static_cast<unsigned char>(h.number.back()))
                                                        ? h.number.substr(h.number.size() - 1)
                                                        : "");
  f.serviceType = ServiceTypeFor(h.flightType);
  if (!f.serviceType) throw Refusal{"o indicador do vôo \"" + h.flightType + "\" não tem tipo de serviço correspondente."};
  f.days = h.days;
  if (std::none_of(h.days.begin(), h.days.end(), [](bool b) { return b; }))
    throw Refusal{"o vôo não tem dia de operação."};
  if (h.kind == "2") {
    auto from = ParseIsoDate(h.validFrom), to = ParseIsoDate(h.validTo);
    if (!from || !to) throw Refusal{"vôo Extra sem as datas de vigência."};
    f.from = *from;
    f.to = *to;
  } else {
    f.from = o.seasonFrom;
    f.to = o.seasonTo;
  }
  auto eq = refs.equipment.find(h.equipment);
  if (eq == refs.equipment.end()) throw Refusal{"o equipamento " + h.equipment + " não está cadastrado para a companhia na filial."};
  if (eq->second.iataType.empty())
    throw Refusal{"o equipamento " + eq->second.abbreviation + " não tem código IATA de tipo de aeronave."};
  if (h.legs.empty()) throw Refusal{"o vôo não tem trechos."};
  for (const auto& l : h.legs) {
    std::string name = "o trecho " + l.from + "-" + l.to;
    if (!IsTime(l.departure) || !IsTime(l.arrival)) throw Refusal{name + " não tem horário de decolagem e de pouso."};
    if (!std::regex_match(l.from, kStation) || !std::regex_match(l.to, kStation))
      throw Refusal{name + " tem base cuja sigla não é um código IATA de 3 letras."};
    bool gmt = l.timeReference == "2";
    if (gmt != (timeMode == 'U'))
      throw Refusal{name + (gmt ? " tem horário GMT num arquivo em horário local."
                                : " tem horário local num arquivo em horário GMT.")};
    Leg leg;
    leg.from = l.from;
    leg.to = l.to;
    leg.departure = l.departure;
    leg.arrival = l.arrival;
    leg.aircraftType = eq->second.iataType;
    for (const auto& k : l.classes) {
      if (!std::regex_match(k.letter, kLetter))
        throw Refusal{name + " tem a classe \"" + k.letter + "\", que não é uma só letra."};
      leg.classes += k.letter;
    }
    if (leg.classes.size() > 20) throw Refusal{name + " tem mais de 20 classes."};
    f.legs.push_back(leg);
  }
  SetDateVariations(f.legs);
  return f;
}

// Flight numbers in numeric order, the suffix after the plain number.
bool NumberOrder(const Flight& a, const Flight& b) {
  long na = std::stol(a.number), nb = std::stol(b.number);
  return na != nb ? na < nb : a.number < b.number;
}

}  // namespace

ExportResult ExportSchedule(Connection& c, const ExportOptions& o) {
  References refs = ReadReferences(c, o.branch, o.company);
  if (refs.airline.size() < 2 || refs.airline.size() > 3)
    throw std::runtime_error("A sigla da companhia (\"" + refs.airline +
                             "\") não é um código de companhia aérea de 2 ou 3 caracteres.");
  auto held = ReadHeldFlights(c, o.branch, o.company);
  // Times are written in one mode: GMT only when every leg is in GMT.
  bool allGmt = true, anyLeg = false;
  for (const auto& h : held)
    for (const auto& l : h.legs) {
      anyLeg = true;
      allGmt = allGmt && l.timeReference == "2";
    }
  char timeMode = anyLeg && allGmt ? 'U' : 'L';

  ExportResult result;
  std::vector<Flight> flights;
  for (const auto& h : held) {
    if (h.kind == "2") {
      auto from = ParseIsoDate(h.validFrom), to = ParseIsoDate(h.validTo);
      if (from && to && (*to < o.seasonFrom || *from > o.seasonTo)) {
        ++result.outsideSeason;
        continue;
      }
    }
    try {
      flights.push_back(ToScheduleFlight(h, refs, o, timeMode));
    } catch (const Refusal& r) {
      result.refused.push_back("Vôo " + h.number + ": " + r.reason);
    }
  }
  std::stable_sort(flights.begin(), flights.end(), NumberOrder);
  result.flights = static_cast<int>(flights.size());
  result.file = WriteSchedule(FileHeader{refs.airline, timeMode, o.seasonFrom, o.seasonTo, o.created, o.createdMinutes},
                              flights);
  return result;
}

}  // namespace zor::server::ssim
