// A small client dataset of flights with persistent fields, an event
// recorder, and a packet to load, shared by the data layer's tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/data/client_data_set.h"
#include "platform/data/field_types.h"

namespace zor::plat::testing {

inline DataPacket FlightPacket() {
  DataPacket p;
  p.Fields = {{"NRVOO", FieldType::String, 5, 0},
              {"SGEQUIP", FieldType::String, 10, 0},
              {"QTDIAS", FieldType::Float, 0, 3},
              {"NRORDEM", FieldType::Integer, 0, 0}};
  p.Rows = {{Variant("100"), Variant("B737"), Variant(1.5), Variant(int64_t{1})},
            {Variant("200"), Variant("A320"), Variant(), Variant(int64_t{2})},
            {Variant("300"), Variant("Émbraer"), Variant(2.0), Variant(int64_t{3})}};
  return p;
}

// The form owns the dataset and its persistent fields, as on a screen.
struct FlightForm {
  std::unique_ptr<TComponent> form = std::make_unique<TComponent>();
  TClientDataSet* cds = new TClientDataSet(form.get());
  TStringField* nrvoo = new TStringField(form.get());
  TStringField* sgequip = new TStringField(form.get());
  TFloatField* qtdias = new TFloatField(form.get());
  TIntegerField* nrordem = new TIntegerField(form.get());
  std::vector<std::string> log;

  FlightForm() {
    cds->SetName("cdsVoo");
    nrvoo->SetFieldName("NRVOO");
    nrvoo->SetSize(5);
    sgequip->SetFieldName("SGEQUIP");
    sgequip->SetSize(10);
    qtdias->SetFieldName("QTDIAS");
    qtdias->SetPrecision(3);
    nrordem->SetFieldName("NRORDEM");
    for (TField* f : std::vector<TField*>{nrvoo, sgequip, qtdias, nrordem}) f->SetDataSet(cds);
  }

  void Load() { cds->SetData(FlightPacket()); }

  // Records every dataset event by name, in order.
  void RecordEvents() {
    auto rec = [this](const char* name) { return [this, name](TDataSet*) { log.push_back(name); }; };
    cds->BeforeOpen = rec("BeforeOpen");
    cds->AfterOpen = rec("AfterOpen");
    cds->BeforeClose = rec("BeforeClose");
    cds->AfterClose = rec("AfterClose");
    cds->BeforeInsert = rec("BeforeInsert");
    cds->AfterInsert = rec("AfterInsert");
    cds->BeforeEdit = rec("BeforeEdit");
    cds->AfterEdit = rec("AfterEdit");
    cds->BeforePost = rec("BeforePost");
    cds->AfterPost = rec("AfterPost");
    cds->BeforeCancel = rec("BeforeCancel");
    cds->AfterCancel = rec("AfterCancel");
    cds->BeforeDelete = rec("BeforeDelete");
    cds->AfterDelete = rec("AfterDelete");
    cds->BeforeScroll = rec("BeforeScroll");
    cds->AfterScroll = rec("AfterScroll");
    cds->OnNewRecord = rec("OnNewRecord");
  }

  std::string Events() {
    std::string out;
    for (const auto& e : log) out += (out.empty() ? "" : " ") + e;
    log.clear();
    return out;
  }

  // NRVOO of every record, in order.
  std::string Flights() {
    std::string out;
    for (int i = 0; i < cds->RowCount(); ++i) out += (out.empty() ? "" : ",") + cds->ValueAt(i, nrvoo).AsString();
    return out;
  }
};

}  // namespace zor::plat::testing
