// Reading components for expectations (see component_probe.h).
#include "desktop/script/component_probe.h"

#include "desktop/script/grid_column_probe.h"

#include <cctype>

#include "platform/controls/check_box.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/control.h"
#include "platform/controls/edit.h"
#include "platform/controls/menus.h"
#include "platform/controls/page_control.h"
#include "platform/controls/radio_group.h"
#include "platform/controls/speed_button.h"
#include "platform/core/sysutils.h"
#include "platform/data/data_set.h"
#include "platform/data/data_source.h"
#include "platform/dbcontrols/db_grid.h"
#include "platform/forms/form.h"

namespace zor::script {

namespace {

using namespace plat;

ProbeResult Value(std::string v) { return {true, std::move(v), {}}; }
ProbeResult Bool(bool v) { return Value(v ? "true" : "false"); }
ProbeResult Int(int64_t v) { return Value(std::to_string(v)); }
ProbeResult Error(std::string why) { return {false, {}, std::move(why)}; }

std::string Lower(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

const char* StateName(TDataSetState s) {
  switch (s) {
    case dsInactive: return "dsInactive";
    case dsBrowse: return "dsBrowse";
    case dsEdit: return "dsEdit";
    case dsInsert: return "dsInsert";
  }
  return "?";
}

const char* WindowStateName(TWindowState s) {
  switch (s) {
    case wsNormal: return "wsNormal";
    case wsMinimized: return "wsMinimized";
    case wsMaximized: return "wsMaximized";
  }
  return "?";
}

const char* CheckStateName(TCheckBoxState s) {
  switch (s) {
    case cbUnchecked: return "cbUnchecked";
    case cbChecked: return "cbChecked";
    case cbGrayed: return "cbGrayed";
  }
  return "?";
}

// The dataset behind a dataset, data source or data-aware grid.
TDataSet* DataSetOf(TComponent* c) {
  if (auto* ds = dynamic_cast<TDataSet*>(c)) return ds;
  if (auto* src = dynamic_cast<TDataSource*>(c)) return src->DataSet();
  if (auto* grid = dynamic_cast<TDBGrid*>(c)) return grid->DataSet();
  return nullptr;
}

bool IsDataHolder(TComponent* c) {
  return dynamic_cast<TDataSet*>(c) || dynamic_cast<TDataSource*>(c) || dynamic_cast<TDBGrid*>(c);
}

std::string ClassOf(TComponent* c) {
  if (dynamic_cast<TForm*>(c)) return "formulário";
  if (dynamic_cast<TDataSet*>(c)) return "conjunto de dados";
  if (dynamic_cast<TMenuItem*>(c)) return "item de menu";
  if (dynamic_cast<TControl*>(c)) return "controle";
  return "componente";
}

ProbeResult Unsupported(TComponent* c, const std::string& property) {
  return Error(c->Name() + " (" + ClassOf(c) + ") não tem a propriedade " + property);
}

}  // namespace

bool IsDataSetProperty(const std::string& property) {
  std::string p = Lower(property);
  return p == "state" || p == "recordcount" || p == "isempty" || p == "tag" || p == "active" || p == "name";
}

ProbeResult ReadProperty(TComponent* c, const std::string& property) {
  if (auto* grid = dynamic_cast<TDBGrid*>(c); grid && IsColumnProperty(property))
    return ReadColumnProperty(*grid, property);
  const std::string p = Lower(property);
  auto* control = dynamic_cast<TControl*>(c);
  auto* win = dynamic_cast<TWinControl*>(c);
  auto* item = dynamic_cast<TMenuItem*>(c);
  auto* form = dynamic_cast<TForm*>(c);

  if (p == "name") return Value(c->Name());
  if (p == "tag") return Int(c->Tag());
  if (p == "text" || p == "caption") {
    if (item) return Value(item->Caption());
    if (control) return Value(p == "text" ? control->Text() : control->Caption());
    return Unsupported(c, property);
  }
  if (p == "enabled") {
    if (item) return Bool(item->Enabled());
    if (control) return Bool(control->Enabled());
    return Unsupported(c, property);
  }
  if (p == "visible") {
    if (item) return Bool(item->Visible());
    if (auto* sheet = dynamic_cast<TTabSheet*>(c)) return Bool(sheet->TabVisible());
    if (control) return Bool(control->Visible());
    return Unsupported(c, property);
  }
  if (p == "checked") {
    if (auto* box = dynamic_cast<TCheckBox*>(c)) return Bool(box->Checked());
    if (item) return Bool(item->Checked());
    if (auto* button = dynamic_cast<TSpeedButton*>(c)) return Bool(button->Down());
    return Unsupported(c, property);
  }
  if (p == "itemindex") {
    if (auto* combo = dynamic_cast<TComboBox*>(c)) return Int(combo->ItemIndex());
    if (auto* radio = dynamic_cast<TRadioGroup*>(c)) return Int(radio->ItemIndex());
    if (auto* pages = dynamic_cast<TPageControl*>(c)) return Int(pages->ActivePageIndex());
    return Unsupported(c, property);
  }
  if (p == "count") {
    if (auto* combo = dynamic_cast<TComboBox*>(c)) return Int(combo->Items().Count());
    if (auto* radio = dynamic_cast<TRadioGroup*>(c)) return Int(radio->Items().Count());
    if (auto* pages = dynamic_cast<TPageControl*>(c)) return Int(pages->PageCount());
    if (item) return Int(item->Count());
    return Unsupported(c, property);
  }
  if (p == "activepage") {
    if (auto* pages = dynamic_cast<TPageControl*>(c))
      return Value(pages->ActivePage() ? pages->ActivePage()->Name() : "");
    return Unsupported(c, property);
  }
  if (p == "focused") {
    if (win) return Bool(win->Focused());
    if (control) return Bool(false);
    return Unsupported(c, property);
  }
  if (p == "activecontrol") {
    if (auto* f = dynamic_cast<TCustomForm*>(c))
      return Value(f->ActiveControl() ? f->ActiveControl()->Name() : "");
    return Unsupported(c, property);
  }
  if (p == "readonly") {
    if (auto* edit = dynamic_cast<TCustomEdit*>(c)) return Bool(edit->ReadOnly());
    if (auto* grid = dynamic_cast<TDBGrid*>(c)) return Bool(grid->ReadOnly());
    if (auto* ds = dynamic_cast<TDataSet*>(c)) return Bool(ds->ReadOnly());
    return Unsupported(c, property);
  }
  if (p == "hint") {
    if (control) return Value(control->Hint());
    if (item) return Value(item->Hint());
    return Unsupported(c, property);
  }
  if (p == "modalresult") {
    if (form) return Int(form->ModalResult());
    return Unsupported(c, property);
  }
  if (p == "windowstate") {
    if (form) return Value(WindowStateName(form->WindowState()));
    return Unsupported(c, property);
  }
  if (p == "row" || p == "selectedfield" || p == "editormode") {
    auto* grid = dynamic_cast<TDBGrid*>(c);
    if (!grid) return Unsupported(c, property);
    if (p == "row") return Int(grid->Row() + 1);
    if (p == "editormode") return Bool(grid->EditorMode());
    TColumn* column = grid->SelectedColumn();
    return Value(column ? column->FieldName() : "");
  }
  if (p == "state") {
    if (auto* box = dynamic_cast<TCheckBox*>(c)) return Value(CheckStateName(box->State()));
    if (IsDataHolder(c)) {
      TDataSet* ds = DataSetOf(c);
      return Value(ds ? StateName(ds->State()) : StateName(dsInactive));
    }
    return Unsupported(c, property);
  }
  if (p == "active" || p == "recordcount" || p == "isempty") {
    if (!IsDataHolder(c)) return Unsupported(c, property);
    TDataSet* ds = DataSetOf(c);
    if (p == "active") return Bool(ds && ds->Active());
    if (!ds || !ds->Active()) return Error(c->Name() + " está fechado");
    if (p == "recordcount") return Int(ds->RecordCount());
    return Bool(ds->IsEmpty());
  }
  return Error("propriedade desconhecida: " + property);
}

ProbeResult ReadField(TDataSet* ds, const std::string& name, bool stored) {
  TField* field = ds->FindField(name);
  if (!field) return Error(ds->Name() + " não tem o campo " + name);
  if (!ds->Active()) return Error(ds->Name() + " está fechado");
  try {
    if (stored) {
      Variant v = field->Value();
      return Value(v.IsNull() ? "null" : v.AsString());
    }
    return Value(field->DisplayText());
  } catch (const std::exception& e) {
    return Error("não foi possível ler " + ds->Name() + "." + name + ": " + e.what());
  }
}

bool ValueMatches(const std::string& property, const std::string& expected, const std::string& seen) {
  if (expected == seen) return true;
  if ((seen == "true" || seen == "false") && Lower(expected) == seen) return true;
  const std::string p = Lower(property);
  if (p == "state" || p == "windowstate") {
    // "browse" or "dsBrowse", "maximized" or "wsMaximized".
    std::string s = Lower(seen).substr(2);
    std::string e = Lower(expected);
    return e == s || e == Lower(seen);
  }
  return false;
}

}  // namespace zor::script
