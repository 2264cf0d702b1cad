// Reading what a component shows as the text an expectation compares:
// properties of controls, menu items, forms and datasets, and the fields
// of a dataset's current record. Booleans read "true"/"false", states and
// window states their enumeration names ("dsBrowse", "wsMaximized").
#pragma once

#include <string>

namespace zor::plat {
class TComponent;
class TDataSet;
}  // namespace zor::plat

namespace zor::script {

struct ProbeResult {
  bool Ok = false;
  std::string Value;  // when Ok
  std::string Error;  // when not: why the value cannot be read
};

// A property: Text, Caption, Enabled, Visible, Checked, ItemIndex, Tag,
// ActivePage, Focused, State, RecordCount, IsEmpty, ModalResult,
// WindowState, and ActiveControl, Active, ReadOnly, Hint, Row,
// SelectedField, EditorMode, Count (names without regard to case).
ProbeResult ReadProperty(plat::TComponent* component, const std::string& property);

// True when `property` names a property ReadProperty knows for datasets
// (so DATASET.NAME is that property rather than a field).
bool IsDataSetProperty(const std::string& property);

// The current record's field: its display text, or with `stored` its value
// ("null" for null).
ProbeResult ReadField(plat::TDataSet* dataSet, const std::string& field, bool stored);

// Whether an expected text matches what was read: exact, except booleans
// and enumeration names (case, and the two-letter prefix, aside).
bool ValueMatches(const std::string& property, const std::string& expected, const std::string& seen);

}  // namespace zor::script
