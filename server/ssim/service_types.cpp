// Service types against flight indicators (see service_types.h).
#include "server/ssim/service_types.h"

namespace zor::server::ssim {

std::optional<std::string> FlightTypeFor(char serviceType) {
  switch (serviceType) {
    case 'J': case 'S': return "1";  // scheduled passenger, shuttle
    case 'F': case 'H': return "2";  // scheduled cargo, cargo charter
    case 'C': return "3";            // passenger charter
    case 'P': return "4";            // positioning, no revenue
    default: return std::nullopt;
  }
}

char ServiceTypeFor(const std::string& flightType) {
  if (flightType.empty() || flightType == "1") return 'J';
  if (flightType == "2") return 'F';
  if (flightType == "3") return 'C';
  if (flightType == "4") return 'P';
  return '\0';
}

}  // namespace zor::server::ssim
