// libFuzzer target over the wire's decoders: what a request body goes
// through before any database work (the guarded JSON decoder, the JSON-RPC
// envelope and its batches, then, for a call carrying a delta, the delta
// reader of each dataset), and the one-pass
// reader a desk runs over a call's answer and a packet, which must accept
// exactly the documents nlohmann-json accepts. Any input must end
// in a value, a ProtocolError or a DecodeError; a crash, a sanitizer report
// or another exception is a fault. Built by `make fuzz`; `make test` runs it for a bounded time over
// the seed corpus next to this file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "server/dataset_catalog.h"
#include "server/packet.h"
#include "server/request_decoder.h"
#include "server/rpc_dispatch.h"
#include "wire/packet_reader.h"

namespace zor::server {

using zor::server::ProtocolError;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string body(reinterpret_cast<const char*>(data), size);
  // As a desk reads it: an answer carrying a packet, and a packet alone.
  wire::ParsedDocument answer;
  std::string error;
  const bool parsed = wire::ParseDocument(body, {"result", "data"}, answer, error);
  // The wire's own reader accepts exactly what nlohmann-json accepts.
  if (parsed != nlohmann::json::accept(body)) __builtin_trap();
  if (parsed) {
    auto result = answer.Tree.find("result");
    if (answer.Tree.is_object() && result != answer.Tree.end() && result->is_object() && result->contains("data")) {
      try {
        (void)wire::PacketFromParts((*result)["data"], answer);
      } catch (const wire::DecodeError&) {
        wire::RestoreRows((*result)["data"], answer);
      }
    }
  }
  try {
    (void)wire::DecodePacket(body);
  } catch (const wire::DecodeError&) {
  }
  // The envelope, batches included: every body gets JSON back (or nothing,
  // for notifications), never an exception.
  const RpcReply reply = DispatchRpc(
      [](const std::string&, const nlohmann::ordered_json&) {
        return CallOutcome{{{"ok", true}}, "ok", "{\"rows\":[]}"};
      },
      body);
  if (!reply.body.empty() && !nlohmann::json::accept(reply.body)) __builtin_trap();
  nlohmann::ordered_json request;
  try {
    request = zor::server::DecodeRequestBody(body);
  } catch (const ProtocolError&) {
    return 0;
  }
  if (!request.is_object()) return 0;
  auto params = request.find("params");
  if (params == request.end() || !params->is_array() || params->empty()) return 0;
  for (const auto* d : {&zor::server::VooDataset(), &zor::server::TrechoDataset(),
                        &zor::server::ClasseVooDataset()}) {
    try {
      auto changes = zor::server::ParseDelta(*d, (*params)[0]);
      (void)changes;
    } catch (const ProtocolError&) {
    }
  }
  return 0;
}

}  // namespace zor::server
