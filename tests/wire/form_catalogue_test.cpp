// The screen's persistent fields, the server's dataset catalogue and the
// schema describe the same columns three times, and the screen's form names
// the module the server serves; this keeps them in step: a field renamed,
// retyped or resized in one place and not the others fails here instead of
// when a desk loads a packet or a save is refused.
#include <gtest/gtest.h>

#include <map>

#include "platform/forms/form_definition.h"
#include "server/dataset_catalog.h"
#include "server/flight_module.h"
#include "server/schema.h"
#include "wire/module.h"

namespace zor::wire {

namespace {

using wire::FieldType;

const std::map<std::string, FieldType> kFieldClasses = {
    {"TStringField", FieldType::String},     {"TIntegerField", FieldType::Integer},
    {"TFloatField", FieldType::Float},       {"TDateTimeField", FieldType::DateTime},
    {"TBooleanField", FieldType::Boolean},
};

// A float field that states no precision shows the platform's default,
// which the catalogue writes out.
constexpr int kDefaultPrecision = 15;

// The persistent fields of one dataset of the form, in the form's order.
std::vector<wire::FieldDef> FormFields(const plat::FormDefinition& form, const std::string& dataset) {
  std::vector<wire::FieldDef> out;
  for (const plat::DefEntry& e : form.entries) {
    auto cls = kFieldClasses.find(e.class_name);
    if (cls == kFieldClasses.end() || e.parent != dataset) continue;
    wire::FieldDef f{"", cls->second, 0, 0};
    for (const plat::DefProperty& p : e.properties) {
      if (p.name == "FieldName") f.Name = p.value.text;
      if (p.name == "Size") f.Size = static_cast<int>(p.value.integer);
      if (p.name == "Precision") f.Precision = static_cast<int>(p.value.integer);
    }
    if (f.Type == FieldType::Float && f.Precision == 0) f.Precision = kDefaultPrecision;
    out.push_back(f);
  }
  return out;
}

TEST(WireContract, TheFormsFieldsAreTheCataloguesAndTheSchemasColumns) {
  const plat::FormDefinition form = plat::ParseFormDefinition(plat::LoadFormDefinitionFile(ZOR_FLIGHT_FORM));
  using namespace zor::server;
  for (const DatasetDef* d : {&TipoVooDataset(), &VooDataset(), &PesqTurnoDataset(), &TrechoDataset(),
                              &ClasseVooDataset()}) {
    SCOPED_TRACE(d->name);
    std::vector<wire::FieldDef> catalogue(d->fields.begin(), d->fields.end());
    EXPECT_EQ(FormFields(form, d->name), catalogue);
    if (d->table.empty()) continue;
    const TableDef& table = SchemaTable(d->table);
    for (const DatasetField& f : d->fields) {
      if (!f.stored) continue;
      SCOPED_TRACE(f.Name);
      const ColumnDef* col = table.Column(f.Name);
      ASSERT_NE(col, nullptr) << "no column in " << d->table;
      switch (f.Type) {
        case FieldType::String:
          EXPECT_EQ(col->type, ColumnType::Text);
          EXPECT_EQ(col->size, f.Size);
          break;
        case FieldType::Float: EXPECT_EQ(col->type, ColumnType::Real); break;
        case FieldType::DateTime: EXPECT_EQ(col->type, ColumnType::Timestamp); break;
        case FieldType::Integer:
        case FieldType::Boolean: EXPECT_EQ(col->type, ColumnType::Integer); break;
      }
    }
    // Every column of the table travels in the dataset.
    for (const ColumnDef& col : table.columns) EXPECT_GE(d->IndexOf(col.name), 0) << col.name;
  }
}

// The screen's connection asks for the module the server serves.
TEST(WireContract, TheFormsConnectionNamesTheServersModule) {
  const plat::FormDefinition form = plat::ParseFormDefinition(plat::LoadFormDefinitionFile(ZOR_FLIGHT_FORM));
  int named = 0;
  for (const plat::DefEntry& e : form.entries)
    for (const plat::DefProperty& p : e.properties)
      if (p.name == "ServerName") {
        EXPECT_EQ(p.value.text, wire::kModuleName) << e.name;
        ++named;
      }
  EXPECT_EQ(named, 1);
  EXPECT_STREQ(zor::server::FlightModule::kName, wire::kModuleName);
}

}  // namespace

}  // namespace zor::wire
