// libFuzzer target over what a request body goes through before any
// database work: the guarded JSON decoder, then, for a call carrying a
// delta, the delta reader of each dataset. Any input must end in a value or
// a ProtocolError; a crash, a sanitizer report or another exception is a
// fault. Built by `make fuzz`; `make test` runs it for a bounded time over
// the seed corpus next to this file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "server/dataset_catalog.h"
#include "server/packet.h"
#include "server/request_decoder.h"

using zor::server::ProtocolError;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string body(reinterpret_cast<const char*>(data), size);
  nlohmann::ordered_json request;
  try {
    request = zor::server::decodeRequestBody(body);
  } catch (const ProtocolError&) {
    return 0;
  }
  if (!request.is_object()) return 0;
  auto params = request.find("params");
  if (params == request.end() || !params->is_array() || params->empty()) return 0;
  for (const auto* d : {&zor::server::vooDataset(), &zor::server::trechoDataset(),
                        &zor::server::classeVooDataset()}) {
    try {
      auto changes = zor::server::parseDelta(*d, (*params)[0]);
      (void)changes;
    } catch (const ProtocolError&) {
    }
  }
  return 0;
}
