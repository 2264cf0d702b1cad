// TfrmVoo: the flight and flight-leg maintenance screen "Vôo/Trecho"
// (ZOR12200). One instance at a time is opened by the package's entry
// points; it shows the flights of one branch and airline company, each
// flight's legs and each leg's service classes, loaded from and saved to the
// application server, with lookups on the shared database.
//
// The handlers are grouped by concern in the .cpp files of this folder:
//   frame_lifecycle.cpp     creation, show, activation, close, modal bar
//   context_strip.cpp       branch and company strip and the full load
//   command_bar.cpp         commands, tabs, menus, the data sources' handlers
//   flight_fields.cpp       the flight record's coded fields
//   flight_editing_aids.cpp defaults and the record tab's linked boxes
//   flight_saving.cpp       flight validation, saving, deletion, leg reload
//   flight_references.cpp   equipment, prefix, shift and occupancy checks
//   leg_fields.cpp          the leg record's times, codes and bases
//   leg_saving.cpp          leg validation, saving, deletion, class reload
//   flight_classes.cpp      the classes of a leg
//   grid_presentation.cpp   grid colours, base lookup and key filters
// What the handlers share has two homes, which call no handler:
//   screen_modes.cpp        the mode rules (RefreshModes) and the command target
//   server_exchange.cpp     every server call: loads, reload, saves
// The components, their properties and the event bindings are in
// frm_voo.form.
#pragma once

#include <string>
#include <vector>

#include "flight_screen/lookup_members.h"
#include "platform/controls/check_box.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/containers.h"
#include "platform/controls/edit.h"
#include "platform/controls/label.h"
#include "platform/controls/mask_edit.h"
#include "platform/controls/menus.h"
#include "platform/controls/page_control.h"
#include "platform/controls/speed_button.h"
#include "platform/data/client_data_set.h"
#include "platform/data/data_source.h"
#include "platform/data/field_types.h"
#include "platform/dbcontrols/db_check_box.h"
#include "platform/dbcontrols/db_combo_box.h"
#include "platform/dbcontrols/db_date_edit.h"
#include "platform/dbcontrols/db_edit.h"
#include "platform/dbcontrols/db_grid.h"
#include "platform/dbcontrols/db_navigator.h"
#include "platform/dbcontrols/db_radio_group.h"
#include "platform/dbcontrols/db_text.h"
#include "platform/forms/frm_padrao.h"
#include "platform/library/btn_pesquisa.h"
#include "platform/library/messages.h"
#include "platform/net/net_connection.h"
#include "platform/sql/adoib_query.h"

namespace zor::Cli_zor12200 {

// One flight-type choice, attached to an entry of the flight-type list.
class TTipoVoo : public plat::TObject {
 public:
  std::string CdExpTipoVoo;  // at most 3 characters
  std::string NmTipoVoo;     // at most 100 characters
};

class TfrmVoo : public plat::TfrmPadrao {
 public:
  using TObject = plat::TObject;
  using TDataSet = plat::TDataSet;
  using TField = plat::TField;
  using Word = plat::Word;
  using TShiftState = plat::TShiftState;

  explicit TfrmVoo(plat::TComponent* owner = nullptr);
  ~TfrmVoo() override;
  std::vector<plat::FormDefinitionSource> Definitions() const override;

  // The components of frm_voo.form and the handlers its events name, in the
  // handlers' files listed above; generated from the definition at build time.
#include "flight_screen/frm_voo_members.h"

  // ---- lookup queries (built from the query catalogue), their data
  // sources and the result fields the handlers read ----
#define ZOR_DECLARE_LOOKUP_MEMBER(Type, name) plat::Type* name = nullptr;
  ZOR_FLIGHT_LOOKUP_MEMBERS(ZOR_DECLARE_LOOKUP_MEMBER)
#undef ZOR_DECLARE_LOOKUP_MEMBER

  // ---- routines of the handlers' files ----
  // context_strip.cpp
  void Vd_CdFilial(bool flag);
  void Vd_Companhia(bool flag);
  // Checks the branch and company and loads their flights unless loaded:
  // what leaving the strip does.
  void LeaveContextStrip();
  // command_bar.cpp
  void ControlaBotoes();
  // Posts what the active tab is editing (the flight before its leg) and
  // reloads after a leg or class was posted: the Confirm command.
  void ConfirmEdits();
  // flight_fields.cpp: refuses stored hours that are not a time of day,
  // the focus on their field.
  void CheckHours(TField* hours);
  // flight_saving.cpp
  void vd_Voo(bool required);
  // flight_references.cpp
  void Vd_Equipamento(bool required);
  void Vd_Prefixo();
  void vd_Turno(bool required);
  void vd_Ocupacao();

 private:
  // The flight grid's number column is selected on a flight that is not
  // being inserted: its number cannot change.
  bool FlightNumberLocked() const;
  // Closes the flights, legs and classes as entering the strip does.
  void CloseContextData();
  // Closes them when open: the strip's codes no longer name their context.
  void CloseDataOfOtherContext();
  // Puts the company query back on the company the strip shows.
  void RestoreContextCompany();
  void BindLookupQueries();
  void CreateLookupQueries();
  // The flight-type objects attached to cbbTipoVoo, owned by the screen.
  std::vector<TTipoVoo*> tipos_voo_;
  // The branch and company the open flights were loaded for; empty while
  // they are closed.
  std::string loaded_branch_;
  std::string loaded_company_;
};

}  // namespace zor::Cli_zor12200
