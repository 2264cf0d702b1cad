// Reading and writing schedule files (see ssim_file.h). Columns are given
// 1-based, as the layout in docs/ssim.md counts them.
#include "server/ssim/ssim_file.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>

namespace zor::server::ssim {

namespace {

// ---------------------------------------------------------------- reading

// Characters from column `from` to column `to` (1-based, inclusive); blanks
// beyond the end of a short record.
std::string Cols(const std::string& rec, size_t from, size_t to) {
  std::string out(to - from + 1, ' ');
  for (size_t c = from; c <= to && c - 1 < rec.size(); ++c) out[c - from] = rec[c - 1];
  return out;
}

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

bool AllDigits(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}
bool AllLetters(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

std::string LineRef(int line) { return "linha " + std::to_string(line) + ": "; }

// HHMM, hours 00-23, minutes 00-59.
bool ValidTime(const std::string& t) {
  return AllDigits(t) && t.size() == 4 && std::stoi(t.substr(0, 2)) < 24 && std::stoi(t.substr(2, 2)) < 60;
}

// A date variation: blank or 0 the same day, 1-9 days later, A the day before.
bool DateVariation(char c, int& out) {
  if (c == ' ' || c == '0') out = 0;
  else if (c >= '1' && c <= '9') out = c - '0';
  else if (c == 'A') out = -1;
  else return false;
  return true;
}

// Splits into records: line ends of either kind, blanks at the end cut.
struct Line {
  int number;
  std::string text;
};
std::vector<Line> SplitLines(const std::string& text) {
  std::vector<Line> out;
  size_t at = 0;
  int n = 0;
  while (at <= text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string s = text.substr(at, end - at);
    ++n;
    while (!s.empty() && (s.back() == '\r' || s.back() == ' ' || s.back() == '\t')) s.pop_back();
    out.push_back({n, s});
    if (end == text.size()) break;
    at = end + 1;
  }
  return out;
}

bool IsFiller(const std::string& s) { return !s.empty() && s.find_first_not_of('0') == std::string::npos; }

// One flight leg record; errors name the line. `number` is empty when the
// record does not even say which flight it belongs to.
struct LegRecord {
  int line;
  std::string airline, number, itinerary;
  char serviceType = ' ';
  Date from, to;
  bool openEnded = false;
  std::array<bool, 7> days{};
  Leg leg;
  std::vector<std::string> errors;
};

LegRecord ReadLegRecord(const Line& l) {
  const std::string& r = l.text;
  LegRecord out;
  out.line = l.number;
  out.leg.line = l.number;
  auto fault = [&](const std::string& m) { out.errors.push_back(LineRef(l.number) + m); };

  out.airline = Trim(Cols(r, 3, 5));
  std::string digits = Trim(Cols(r, 6, 9));
  char suffix = Cols(r, 2, 2)[0];
  if (!AllDigits(digits) || std::stoi(digits) == 0) return out;  // no flight to attach faults to
  if (suffix != ' ' && !(suffix >= 'A' && suffix <= 'Z')) return out;
  out.number = std::to_string(std::stoi(digits)) + (suffix == ' ' ? "" : std::string(1, suffix));

  if (r.size() < 75) {  // the fields after the cut would only repeat the fault
    fault("registro de trecho curto (" + std::to_string(r.size()) +
          " caracteres; o tipo de aeronave termina na coluna 75).");
    return out;
  }
  out.itinerary = Trim(Cols(r, 10, 11));
  std::string seq = Trim(Cols(r, 12, 13));
  if (AllDigits(seq)) out.leg.sequence = std::stoi(seq);
  else fault("número de sequência do trecho inválido (\"" + Cols(r, 12, 13) + "\").");
  out.serviceType = Cols(r, 14, 14)[0];
  if (!(out.serviceType >= 'A' && out.serviceType <= 'Z')) fault("tipo de serviço ausente ou inválido.");

  std::string fromText = Cols(r, 15, 21), toText = Cols(r, 22, 28);
  auto from = ParseSsimDate(fromText);
  if (from) out.from = *from;
  else fault("data inicial do período inválida (\"" + fromText + "\").");
  if (toText == "00XXX00") {
    out.openEnded = true;
  } else if (auto to = ParseSsimDate(toText)) {
    out.to = *to;
    if (from && *to < *from) fault("data final do período (" + toText + ") anterior à inicial (" + fromText + ").");
  } else {
    fault("data final do período inválida (\"" + toText + "\").");
  }

  std::string days = Cols(r, 29, 35);
  bool daysOk = true, any = false;
  for (int d = 0; d < 7; ++d) {
    if (days[d] == ' ') continue;
    if (days[d] != '1' + d) daysOk = false;
    else out.days[d] = any = true;
  }
  if (!daysOk || !any) fault("dias de operação inválidos (\"" + days + "\"; use 1 a 7 na sua posição).");

  char rate = Cols(r, 36, 36)[0];
  if (rate != ' ' && rate != '1')  // the branch keeps weekly flights only
    fault("frequência a cada " + std::string(1, rate) + " semanas não é mantida pelo cadastro (só semanal).");
  out.leg.from = Trim(Cols(r, 37, 39));
  out.leg.to = Trim(Cols(r, 55, 57));
  if (!AllLetters(out.leg.from) || out.leg.from.size() != 3)
    fault("base de partida inválida (\"" + Cols(r, 37, 39) + "\").");
  if (!AllLetters(out.leg.to) || out.leg.to.size() != 3)
    fault("base de chegada inválida (\"" + Cols(r, 55, 57) + "\").");
  out.leg.departure = Cols(r, 44, 47);
  out.leg.arrival = Cols(r, 58, 61);
  if (!ValidTime(out.leg.departure)) fault("horário de partida inválido (\"" + out.leg.departure + "\").");
  if (!ValidTime(out.leg.arrival)) fault("horário de chegada inválido (\"" + out.leg.arrival + "\").");
  out.leg.aircraftType = Trim(Cols(r, 73, 75));
  if (out.leg.aircraftType.empty()) fault("tipo de aeronave não informado.");
  for (char c : Cols(r, 76, 95)) {
    if (c == ' ') continue;
    if (c >= 'A' && c <= 'Z') out.leg.classes += c;
    else {
      fault("classe inválida (\"" + std::string(1, c) + "\") nas classes de reserva.");
      break;
    }
  }
  if (!DateVariation(Cols(r, 193, 193)[0], out.leg.departureDay) ||
      !DateVariation(Cols(r, 194, 194)[0], out.leg.arrivalDay))
    fault("variação de data inválida (\"" + Cols(r, 193, 194) + "\").");
  return out;
}

// Joins the leg records of one flight number into one flight.
Flight JoinLegs(const std::string& airline, const std::vector<LegRecord>& records) {
  Flight f;
  f.airline = airline;
  const LegRecord& first = records.front();
  f.number = first.number;
  f.itinerary = first.itinerary;
  f.serviceType = first.serviceType;
  f.from = first.from;
  f.to = first.to;
  f.openEnded = first.openEnded;
  f.days = first.days;
  bool variations = false;
  for (const auto& rec : records) {
    f.errors.insert(f.errors.end(), rec.errors.begin(), rec.errors.end());
    std::string at = LineRef(rec.line);
    if (&rec == &first) continue;
    variations = variations || rec.itinerary != first.itinerary;
    if (rec.itinerary != first.itinerary)
      f.errors.push_back(at + "o vôo tem mais de uma variação de itinerário (" + first.itinerary + " e " +
                         rec.itinerary + "); o cadastro guarda um só itinerário por vôo.");
    else if (rec.from != first.from || rec.to != first.to || rec.openEnded != first.openEnded ||
             rec.days != first.days)
      f.errors.push_back(at + "período ou dias de operação diferentes dos do primeiro trecho do vôo.");
    if (rec.serviceType != first.serviceType)
      f.errors.push_back(at + "tipo de serviço diferente do do primeiro trecho do vôo.");
  }
  for (const auto& rec : records) f.legs.push_back(rec.leg);
  std::stable_sort(f.legs.begin(), f.legs.end(), [](const Leg& a, const Leg& b) { return a.sequence < b.sequence; });
  for (size_t i = 1; i < f.legs.size() && !variations; ++i)
    if (f.legs[i].sequence == f.legs[i - 1].sequence)
      f.errors.push_back(LineRef(f.legs[i].line) + "número de sequência " + std::to_string(f.legs[i].sequence) +
                         " repetido no vôo.");
  return f;
}

// ---------------------------------------------------------------- writing

// A record being filled: blanks, then fields put at their columns.
class Record {
 public:
  Record() : text_(kRecordLength, ' ') {}
  Record& Put(size_t col, const std::string& value) {
    for (size_t i = 0; i < value.size() && col - 1 + i < kRecordLength; ++i) text_[col - 1 + i] = value[i];
    return *this;
  }
  // Right-justified number with leading zeros.
  Record& Num(size_t col, size_t width, long value) {
    char b[32];
    std::snprintf(b, sizeof b, "%0*ld", static_cast<int>(width), value);
    return Put(col, b);
  }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

char VariationChar(int days) { return days < 0 ? 'A' : static_cast<char>('0' + days); }

class Writer {
 public:
  // Starts a new block: the records so far are completed with zeros.
  void NewBlock() {
    while (count_ % 5 != 0) Add(std::string(kRecordLength, '0'));
  }
  // Adds a numbered record (columns 195-200 carry the serial number).
  void Numbered(Record r) {
    r.Num(195, 6, ++serial_);
    Add(r.Text());
  }
  long Serial() const { return serial_; }
  std::string Take() { return std::move(out_); }

 private:
  void Add(const std::string& rec) {
    out_ += rec;
    out_ += '\n';
    ++count_;
  }
  std::string out_;
  long count_ = 0, serial_ = 0;
};

Record ExportLegRecord(const FileHeader& h, const Flight& f, size_t index) {
  const Leg& leg = f.legs[index];
  std::string digits = f.number, suffix = " ";
  if (!digits.empty() && std::isalpha(static_cast<unsigned char>(digits.back()))) {
    suffix = digits.substr(digits.size() - 1);
    digits.pop_back();
  }
  Record r;
  r.Put(1, "3").Put(2, suffix).Put(3, h.airline).Num(6, 4, std::stol(digits)).Put(10, "01");
  r.Num(12, 2, static_cast<long>(index + 1)).Put(14, std::string(1, f.serviceType));
  r.Put(15, f.from.Ssim()).Put(22, f.to.Ssim()).Put(29, DaysText(f.days));
  r.Put(37, leg.from).Put(40, leg.departure).Put(44, leg.departure);
  r.Put(55, leg.to).Put(58, leg.arrival).Put(62, leg.arrival);
  r.Put(73, leg.aircraftType).Put(76, leg.classes);
  r.Put(193, std::string{VariationChar(leg.departureDay), VariationChar(leg.arrivalDay)});
  return r;
}

}  // namespace

std::string DaysText(const std::array<bool, 7>& days) {
  std::string s(7, ' ');
  for (int d = 0; d < 7; ++d)
    if (days[d]) s[d] = static_cast<char>('1' + d);
  return s;
}

Document ReadSchedule(const std::string& text) {
  Document doc;
  // Leg records of the current carrier by flight number, in file order.
  std::vector<std::string> order;
  std::map<std::string, std::vector<LegRecord>> legs;
  auto closeCarrier = [&] {
    if (doc.carriers.empty()) return;
    for (const auto& nr : order) doc.carriers.back().flights.push_back(JoinLegs(doc.carriers.back().airline, legs[nr]));
    order.clear();
    legs.clear();
  };

  for (const auto& l : SplitLines(text)) {
    const std::string& r = l.text;
    if (r.empty() || IsFiller(r)) continue;
    if (r.size() > kRecordLength) {
      doc.issues.push_back({l.number, LineRef(l.number) + "registro com " + std::to_string(r.size()) +
                                          " caracteres; o máximo é 200."});
      continue;
    }
    switch (r[0]) {
      case '1':
        break;  // header: nothing we need
      case '2': {
        closeCarrier();
        Carrier c;
        c.line = l.number;
        c.timeMode = Cols(r, 2, 2)[0];
        c.airline = Trim(Cols(r, 3, 5));
        auto from = ParseSsimDate(Cols(r, 15, 21)), to = ParseSsimDate(Cols(r, 22, 28));
        if (from && to) {
          c.hasPeriod = true;
          c.validFrom = *from;
          c.validTo = *to;
        }
        if (c.timeMode != 'L' && c.timeMode != 'U')
          doc.issues.push_back({l.number, LineRef(l.number) + "modo de horário \"" + std::string(1, c.timeMode) +
                                              "\" inválido (L ou U); os horários serão lidos como locais."});
        doc.carriers.push_back(c);
        break;
      }
      case '3': {
        if (doc.carriers.empty()) {
          doc.issues.push_back({l.number, LineRef(l.number) + "registro de trecho antes do registro da companhia."});
          break;
        }
        LegRecord rec = ReadLegRecord(l);
        if (rec.number.empty()) {
          doc.issues.push_back({l.number, LineRef(l.number) + "número de vôo inválido (\"" + Cols(r, 2, 2) +
                                              Cols(r, 6, 9) + "\"); registro ignorado."});
          break;
        }
        if (rec.airline != doc.carriers.back().airline) {
          doc.issues.push_back({l.number, LineRef(l.number) + "companhia " + rec.airline +
                                              " diferente da do registro da companhia (" +
                                              doc.carriers.back().airline + "); registro ignorado."});
          break;
        }
        if (!legs.count(rec.number)) order.push_back(rec.number);
        legs[rec.number].push_back(std::move(rec));
        break;
      }
      case '4':
        ++doc.segmentRecords;
        break;
      case '5':
        closeCarrier();
        break;
      default:
        doc.issues.push_back({l.number, LineRef(l.number) + "tipo de registro desconhecido (\"" + r.substr(0, 1) +
                                            "\"); registro ignorado."});
    }
  }
  closeCarrier();
  return doc;
}

std::string WriteSchedule(const FileHeader& h, const std::vector<Flight>& flights) {
  Writer w;
  Record header;
  header.Put(1, "1AIRLINE STANDARD SCHEDULE DATA SET").Put(41, "1").Put(192, "001");
  w.Numbered(header);
  w.NewBlock();

  Record carrier;
  carrier.Put(1, "2").Put(2, std::string(1, h.timeMode)).Put(3, h.airline);
  carrier.Put(15, h.seasonFrom.Ssim()).Put(22, h.seasonTo.Ssim()).Put(29, h.created.Ssim());
  carrier.Put(72, "C");
  carrier.Num(191, 2, h.createdMinutes / 60).Num(193, 2, h.createdMinutes % 60);
  w.Numbered(carrier);
  w.NewBlock();

  for (const auto& f : flights)
    for (size_t i = 0; i < f.legs.size(); ++i) w.Numbered(ExportLegRecord(h, f, i));
  w.NewBlock();

  Record trailer;
  trailer.Put(1, "5").Put(3, h.airline).Num(188, 6, w.Serial()).Put(194, "E");
  w.Numbered(trailer);
  w.NewBlock();
  return w.Take();
}

}  // namespace zor::server::ssim
