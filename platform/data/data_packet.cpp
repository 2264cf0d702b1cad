// Data packets and deltas of variants through the wire's codec.
#include "platform/data/data_packet.h"

#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"
#include "wire/packet_reader.h"
#include "wire/packet_writer.h"

namespace zor::plat {

namespace {

void CheckWidth(const std::vector<Variant>& row, const std::vector<FieldDef>& fields) {
  if (row.size() != fields.size())
    throw EDatabaseError(
        PlatformText("data.row_width", {std::to_string(row.size()), std::to_string(fields.size())}));
}

// `notJson`: the key of the message for a value that holds no JSON text.
std::string TextOf(const Variant& value, std::string_view notJson) {
  if (value.Type() == VarType::Json) return value.AsJson().Text;
  if (value.Type() == VarType::String) return value.AsString();
  throw EDatabaseError(PlatformText(notJson));
}

}  // namespace

JsonText PacketToJsonText(const DataPacket& packet) {
  for (const auto& row : packet.Rows) CheckWidth(row, packet.Fields);
  return JsonText{wire::EncodePacket(packet)};
}

DataPacket PacketFromJsonText(const JsonText& text) {
  try {
    return wire::DecodePacket<Variant>(text.Text);
  } catch (const wire::DecodeError& e) {
    throw EDatabaseError(e.what());
  }
}

JsonText DeltaToJsonText(const DeltaPacket& delta) {
  for (const DeltaRow& c : delta.Changes) {
    if (c.Kind != ChangeKind::Insert) CheckWidth(c.Old, delta.Fields);
    if (c.Kind != ChangeKind::Delete) CheckWidth(c.New, delta.Fields);
  }
  return JsonText{wire::EncodeDelta(delta)};
}

DeltaPacket DeltaFromJsonText(const JsonText& text) {
  try {
    return wire::DecodeDeltaText<Variant>(text.Text);
  } catch (const wire::DecodeError& e) {
    throw EDatabaseError(e.what());
  }
}

Variant PacketToVariant(const DataPacket& packet) { return Variant(PacketToJsonText(packet)); }

DataPacket PacketFromVariant(const Variant& value) {
  if (value.Type() == VarType::Packet) return *value.AsPacket();
  return PacketFromJsonText(JsonText{TextOf(value, "data.packet_not_json")});
}

DataPacket PacketFromVariant(Variant&& value) {
  if (value.Type() == VarType::Packet && value.AsPacket().use_count() == 1) return std::move(*value.AsPacket());
  return PacketFromVariant(static_cast<const Variant&>(value));
}

Variant DeltaToVariant(const DeltaPacket& delta) { return Variant(DeltaToJsonText(delta)); }

DeltaPacket DeltaFromVariant(const Variant& value) { return DeltaFromJsonText(JsonText{TextOf(value, "data.delta_not_json")}); }

}  // namespace zor::plat
