// Locale settings as a Brazilian desk has them, changeable for tests.
#pragma once

#include <string>

namespace zor::plat {

struct TFormatSettings {
  char TimeSeparator = ':';
  char DateSeparator = '/';
  char DecimalSeparator = ',';
  char ThousandSeparator = '.';
  std::string ShortDateFormat = "dd/mm/yyyy";
  std::string ShortTimeFormat = "hh:nn";
  std::string LongTimeFormat = "hh:nn:ss";
  // Sunday first, as DayOfWeek counts.
  std::string ShortDayNames[7] = {"dom", "seg", "ter", "qua", "qui", "sex", "sáb"};
  std::string LongDayNames[7] = {"domingo", "segunda-feira", "terça-feira", "quarta-feira",
                                 "quinta-feira", "sexta-feira", "sábado"};
};

// The process-wide settings every conversion reads.
TFormatSettings& FormatSettings();

// Restores the Brazilian defaults on destruction; for tests that change them.
class ScopedFormatSettings {
 public:
  ScopedFormatSettings() : saved_(FormatSettings()) {}
  ~ScopedFormatSettings() { FormatSettings() = saved_; }

 private:
  TFormatSettings saved_;
};

}  // namespace zor::plat
