// The datasets the desktop screen fills from this server: each one's fields
// in the screen's order with type and size, where each field is read from
// (a column of the dataset's table, or a column joined from a lookup table)
// and the key that identifies a row. Packets and deltas are checked and
// built against these definitions.
#pragma once

#include <string>
#include <vector>

namespace zor::server {

enum class FieldType { string, integer, floating, datetime, boolean };

struct FieldDef {
  std::string name;
  FieldType type;
  int size = 0;       // characters, string fields
  int precision = 0;  // digits shown, float fields
  std::string source; // SQL expression in the dataset's select
  bool stored = true; // a column of the dataset's own table
};

struct DatasetDef {
  std::string name;      // the receiving client dataset
  std::string table;     // table written by the dataset's delta ("" when read only)
  std::string from;      // FROM clause of the select, joins included
  std::string orderBy;
  std::vector<FieldDef> fields;
  std::vector<std::string> key;

  int indexOf(const std::string& field) const;  // -1 when absent
};

const DatasetDef& tipoVooDataset();    // cdsTipoVoo
const DatasetDef& vooDataset();        // cdsVoo
const DatasetDef& pesqTurnoDataset();  // cdsPesqTurno
const DatasetDef& trechoDataset();     // cdstrechoo
const DatasetDef& classeVooDataset();  // cdsClasseVoo

}  // namespace zor::server
