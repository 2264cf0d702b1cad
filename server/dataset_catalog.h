// The datasets the desktop screen fills from this server: each one's fields
// in the screen's order with type and size, where each field is read from
// (a column of the dataset's table, or a column joined from a lookup table)
// and the key that identifies a row. Packets and deltas are checked and
// built against these definitions.
#pragma once

#include <string>
#include <vector>

#include "wire/field.h"

namespace zor::server {

// A field as packets carry it (name, type, size, precision), where the
// dataset's select reads it from, and whether it is a column of the
// dataset's own table.
struct DatasetField : wire::FieldDef {
  std::string source;  // SQL expression in the dataset's select
  bool stored = true;
};

// What saving a row of a dataset must know beyond its columns: how the
// person's messages name the row, and the rules of the dataset's table.
// "{FIELD}" in a message stands for the row's value of FIELD.
struct SaveRules {
  std::string subject;        // how messages name a row: "O vôo {NRVOO}"
  bool feminine = false;      // "foi alterada" rather than "foi alterado"
  std::string duplicate;      // an insert that repeats a key, or the siblings' unique fields
  std::string missingParent;  // the row refers to a parent that is not there
  std::string stillReferred;  // a key change refused because other rows refer to the row ("": missingParent)
  std::vector<std::pair<std::string, std::string>> missingKey;  // key field, the screen's words when it is empty
  // A key field the server numbers on insert when it comes blank: the next
  // number after the highest among the rows of the same parent (the row of
  // parentTable under the key less this field, locked meanwhile).
  std::string numberedKey;
  std::string parentTable;
  std::string numbersExhausted;
  // Fields that may not repeat together among one parent's rows (of a numbered dataset).
  std::vector<std::string> uniqueAmongSiblings;
  std::vector<std::string> cascade;  // tables whose rows under the row's key go with it, children first
  // A key the person types, stored as given: it may not begin or end with a blank.
  std::string unpaddedKey;
  std::string paddedKeyMessage;
};

struct DatasetDef {
  std::string name;      // the receiving client dataset
  std::string table;     // table written by the dataset's delta ("" when read only)
  std::string from;      // FROM clause of the select, joins included
  std::string orderBy;
  std::vector<DatasetField> fields;
  std::vector<std::string> key;
  SaveRules save = {};  // datasets a delta writes

  int IndexOf(const std::string& field) const;  // -1 when absent
};

const DatasetDef& TipoVooDataset();    // cdsTipoVoo
const DatasetDef& VooDataset();        // cdsVoo
const DatasetDef& PesqTurnoDataset();  // cdsPesqTurno
const DatasetDef& TrechoDataset();     // cdstrechoo
const DatasetDef& ClasseVooDataset();  // cdsClasseVoo

}  // namespace zor::server
