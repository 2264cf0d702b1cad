// The table between a schedule's service type letter and the flight
// indicator (CDEXPTIPOVOO) the branch keeps: passenger, cargo, charter,
// positioning. docs/ssim.md lists it.
#pragma once

#include <optional>
#include <string>

namespace zor::server::ssim {

// The flight indicator a service type letter becomes; none for a letter
// the table does not know.
std::optional<std::string> FlightTypeFor(char serviceType);
// The letter written for a flight indicator ("" writes J); '\0' for an
// indicator the table does not know.
char ServiceTypeFor(const std::string& flightType);

}  // namespace zor::server::ssim
