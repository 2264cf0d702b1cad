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

  // ---- frame ----
  plat::TPanel* panBotoes = nullptr;
  plat::TSpeedButton* sbtConfirma = nullptr;
  plat::TSpeedButton* sbtCancel = nullptr;
  plat::TLabel* lblNome = nullptr;
  plat::TDBText* dbtNome = nullptr;
  plat::TDBNavigator* dbnPadrao = nullptr;
  plat::TMenuItem* mnuConfigVoo = nullptr;
  plat::TTabSheet* tshConfigVoo = nullptr;
  plat::TNetConnection* netVooTrecho = nullptr;
  plat::TDataSource* dtsPadrao = nullptr;

  // ---- branch and company strip ----
  plat::TPanel* panPlaVooCia = nullptr;
  plat::TLabel* lblFilial = nullptr;
  plat::TMaskEdit* medCdFilial = nullptr;
  plat::TBtnPesquisa* btnPesqFilial = nullptr;
  plat::TEdit* edtNmFilial = nullptr;
  plat::TLabel* lblCia = nullptr;
  plat::TMaskEdit* medSgCia = nullptr;
  plat::TBtnPesquisa* btpCompanhia = nullptr;
  plat::TEdit* edtNmCia = nullptr;

  // ---- flights ----
  plat::TClientDataSet* cdsVoo = nullptr;
  plat::TStringField* cdsVooNRVOO = nullptr;
  plat::TStringField* cdsVooSGEQUIP = nullptr;
  plat::TStringField* cdsVooSGPREFIXO = nullptr;
  plat::TStringField* cdsVooCDCIA = nullptr;
  plat::TStringField* cdsVooCDEQUIP = nullptr;
  plat::TStringField* cdsVooDSEQUIP = nullptr;
  plat::TStringField* cdsVooIDNACIVOO = nullptr;
  plat::TStringField* cdsVooIDSITVOO = nullptr;
  plat::TStringField* cdsVooIDTIPVOO = nullptr;
  plat::TStringField* cdsVooIDVOODOM = nullptr;
  plat::TStringField* cdsVooIDVOOQUA = nullptr;
  plat::TStringField* cdsVooIDVOOQUI = nullptr;
  plat::TStringField* cdsVooIDVOOSAB = nullptr;
  plat::TStringField* cdsVooIDVOOSEG = nullptr;
  plat::TStringField* cdsVooIDVOOSEX = nullptr;
  plat::TStringField* cdsVooIDVOOTER = nullptr;
  plat::TStringField* cdsVooIDCARREGO = nullptr;
  plat::TStringField* cdsVooIDDESCAR = nullptr;
  plat::TStringField* cdsVooIDTRANSLADO = nullptr;
  plat::TStringField* cdsVooIDCARGA = nullptr;
  plat::TStringField* cdsVooIDABASATEN = nullptr;
  plat::TStringField* cdsVooIDBASETRAN = nullptr;
  plat::TStringField* cdsVooQTHRKDTDES = nullptr;
  plat::TStringField* cdsVooQTHRKDTCAR = nullptr;
  plat::TStringField* cdsVooIDVOOSELE = nullptr;
  plat::TDateTimeField* cdsVooDTINIVIGVOO = nullptr;
  plat::TDateTimeField* cdsVooDTFIMVIGVOO = nullptr;
  plat::TStringField* cdsVooIDINCDESDESV = nullptr;
  plat::TStringField* cdsVooIDINCDESFIXO = nullptr;
  plat::TStringField* cdsVooIDINCDESCOND = nullptr;
  plat::TStringField* cdsVooCDFILIAL = nullptr;
  plat::TStringField* cdsVooCDEXPTIPOVOO = nullptr;
  plat::TStringField* cdsVooNMTIPOVOO = nullptr;
  plat::TStringField* cdsVooDSTURNO = nullptr;
  plat::TFloatField* cdsVooVRPEROCUPACAO = nullptr;
  plat::TFloatField* cdsVooQTDIASPROD = nullptr;
  plat::TStringField* cdsVooNRTURNOPROD = nullptr;
  plat::TDataSource* dtsVoo = nullptr;
  plat::TDBGrid* dbgPadrao = nullptr;

  plat::TClientDataSet* cdsTipoVoo = nullptr;
  plat::TPanel* panTipoVoo = nullptr;
  plat::TLabel* lblTipoVoo = nullptr;
  plat::TDBComboBox* cbbTipoVoo = nullptr;

  // ---- record tab ----
  plat::TPanel* panVoo = nullptr;
  plat::TDBEdit* dbeNrVoo = nullptr;
  plat::TDBEdit* dbeSgEquip = nullptr;
  plat::TBtnPesquisa* btnPesqEquip = nullptr;
  plat::TDBEdit* dbeSgPrefixo = nullptr;
  plat::TBtnPesquisa* btnPesqPrefixo = nullptr;
  plat::TDBComboBox* dcbNacionalidade = nullptr;
  plat::TDBComboBox* dcbSituacao = nullptr;
  plat::TDBComboBox* dcbTipo = nullptr;
  plat::TGroupBox* grbKDT = nullptr;
  plat::TDBEdit* dbeKDTCarrego = nullptr;
  plat::TDBEdit* dbeKDTDescarrego = nullptr;
  plat::TGroupBox* grbVig = nullptr;
  plat::TLabel* lblDtInicio = nullptr;
  plat::TLabel* lblDtFim = nullptr;
  plat::TDBDateEditPlus* depDtIniVigVoo = nullptr;
  plat::TDBDateEditPlus* depDtFimVigVoo = nullptr;
  plat::TCheckBox* ccbAbast = nullptr;
  plat::TCheckBox* ccbAtend = nullptr;
  plat::TDBRadioGroup* drgBaseTrans = nullptr;
  plat::TDBCheckBox* dcbCarga = nullptr;
  plat::TDBCheckBox* dcbDescarrego = nullptr;
  plat::TDBCheckBox* dcbCarrego = nullptr;
  plat::TDBCheckBox* dcbTranslado = nullptr;
  plat::TGroupBox* grbfrequencia = nullptr;
  plat::TDBCheckBox* dcbSeg = nullptr;
  plat::TDBCheckBox* dcbTer = nullptr;
  plat::TDBCheckBox* dcbQua = nullptr;
  plat::TDBCheckBox* dcbQui = nullptr;
  plat::TDBCheckBox* dcbSex = nullptr;
  plat::TDBCheckBox* dcbSab = nullptr;
  plat::TDBCheckBox* dcbDom = nullptr;
  plat::TCheckBox* ccbDiario = nullptr;
  plat::TGroupBox* grbMapaProd = nullptr;
  plat::TDBEdit* dbeTurnoProd = nullptr;
  plat::TBtnPesquisa* btpTurnoProd = nullptr;
  plat::TDBEdit* dbeDiasProducao = nullptr;
  plat::TDBEdit* dbePercentOcupacao = nullptr;
  plat::TDBEdit* dbeDsTurno = nullptr;
  plat::TClientDataSet* cdsPesqTurno = nullptr;
  plat::TDataSource* dtsPesqTurno = nullptr;

  // ---- legs ----
  plat::TClientDataSet* cdstrechoo = nullptr;
  plat::TStringField* cdstrechooCDFILIAL = nullptr;
  plat::TStringField* cdstrechooCDCIA = nullptr;
  plat::TStringField* cdstrechooNRVOO = nullptr;
  plat::TStringField* cdstrechooCDTRECHO = nullptr;
  plat::TStringField* cdstrechooCDBASEORI = nullptr;
  plat::TStringField* cdstrechooCDBASEDES = nullptr;
  plat::TStringField* cdstrechooHRDECOLVOO = nullptr;
  plat::TStringField* cdstrechooHRPOUSOVOO = nullptr;
  plat::TStringField* cdstrechooIDTIPAJUSFAT = nullptr;
  plat::TStringField* cdstrechooIDSITVOOTRE = nullptr;
  plat::TDateTimeField* cdstrechooDTULTATUTREC = nullptr;
  plat::TFloatField* cdstrechooQTHRPREPVOO = nullptr;
  plat::TStringField* cdstrechooSGBASEORI = nullptr;
  plat::TStringField* cdstrechooSGBASEDES = nullptr;
  plat::TDataSource* dtsTrecho = nullptr;
  plat::TGroupBox* GroupBox1 = nullptr;
  plat::TDBGrid* dbgVooTrecho = nullptr;
  plat::TPanel* Panel3 = nullptr;
  plat::TSpeedButton* sbtExluTrecho = nullptr;
  plat::TPanel* Panel6 = nullptr;
  plat::TDBGrid* dbgTrecho = nullptr;

  // ---- classes ----
  plat::TClientDataSet* cdsClasseVoo = nullptr;
  plat::TStringField* cdsClasseVooCDCIA = nullptr;
  plat::TStringField* cdsClasseVooNRVOO = nullptr;
  plat::TStringField* cdsClasseVooCDCLASSE = nullptr;
  plat::TStringField* cdsClasseVooSGCLASSE = nullptr;
  plat::TFloatField* cdsClasseVooNRMULSERV = nullptr;
  plat::TStringField* cdsClasseVooCDFILIAL = nullptr;
  plat::TStringField* cdsClasseVooCDTRECHO = nullptr;
  plat::TDataSource* dtsClasseVoo = nullptr;
  plat::TPanel* Panel4 = nullptr;
  plat::TScrollBox* ScrollBox1 = nullptr;
  plat::TDBGrid* dbgConfVoo = nullptr;

  // ---- lookup queries (built from the query catalogue) ----
  plat::TADOIBQuery* qryFilial = nullptr;
  plat::TADOIBQuery* qryCompanhia = nullptr;
  plat::TADOIBQuery* qryEquipCia = nullptr;
  plat::TADOIBQuery* qryPrefixoCia = nullptr;
  plat::TADOIBQuery* qryBase = nullptr;
  plat::TADOIBQuery* qryValidBase = nullptr;
  plat::TADOIBQuery* qryValidClass = nullptr;
  plat::TADOIBQuery* qryTestaVoo = nullptr;
  plat::TADOIBQuery* qryPesqClasse = nullptr;
  plat::TADOIBQuery* qryEquipPesq = nullptr;
  plat::TADOIBQuery* qryPrefPesq = nullptr;
  plat::TDataSource* dtsFilial = nullptr;
  plat::TDataSource* dtsCompanhia = nullptr;
  plat::TDataSource* dtsEquipCia = nullptr;
  plat::TDataSource* dtsPrefixoCia = nullptr;
  plat::TDataSource* dtsBase = nullptr;
  plat::TDataSource* dtsValidBase = nullptr;
  plat::TDataSource* dtsValidClass = nullptr;
  plat::TDataSource* dtsTestaVoo = nullptr;
  plat::TDataSource* dtsPesqClasse = nullptr;
  plat::TDataSource* dtsEquipPesq = nullptr;
  plat::TDataSource* dtsPrefPesq = nullptr;
  // Result fields read by the handlers, named as the queries' fields.
  plat::TField* qryCompanhiaCDCIA = nullptr;
  plat::TField* qryBaseCDBASE = nullptr;

  // ---- frame_lifecycle.cpp ----
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormActivate(TObject* Sender);
  void FormClose(TObject* Sender, plat::TCloseAction& Action);
  void FormKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
  void sbtConfirmaClick(TObject* Sender);
  void sbtCancelClick(TObject* Sender);
  void netVooTrechoBeforeConnect(TObject* Sender);
  void sbtImprimirClick(TObject* Sender);

  // ---- context_strip.cpp ----
  void Vd_CdFilial(bool flag);
  void Vd_Companhia(bool flag);
  void medCdFilialChange(TObject* Sender);
  void medCdFilialExit(TObject* Sender);
  void btnPesqFilialBeforePesq(TObject* Sender, bool& proceed);
  void btnPesqFilialAfterPesq(TObject* Sender);
  void medSgCiaChange(TObject* Sender);
  void medSgCiaExit(TObject* Sender);
  void btpCompanhiaBeforePesq(TObject* Sender, bool& proceed);
  void btpCompanhiaAfterPesq(TObject* Sender);
  void btpCompanhiaCancelPesq(TObject* Sender);
  void panPlaVooCiaEnter(TObject* Sender);
  void panPlaVooCiaExit(TObject* Sender);
  // Checks the branch and company and loads their flights unless loaded:
  // what leaving the strip does.
  void LeaveContextStrip();

  // ---- command_bar.cpp ----
  void sbtIncluirClick(TObject* Sender);
  void sbtAlterarClick(TObject* Sender);
  void sbtExcluirClick(TObject* Sender);
  void sbtProcurarClick(TObject* Sender);
  void sbtVerificarClick(TObject* Sender);
  void sbtCancelarClick(TObject* Sender);
  void sbtConfirmarClick(TObject* Sender);
  void dtsPadraoStateChange(TObject* Sender);
  void dtsVooStateChange(TObject* Sender);
  void dtsVooDataChange(TObject* Sender, TField* Field);
  void dtsTrechoStateChange(TObject* Sender);
  void dtsTrechoDataChange(TObject* Sender, TField* Field);
  void dtsClasseVooStateChange(TObject* Sender);
  void pgcPadraoChange(TObject* Sender);
  void mnuFolhaDadosClick(TObject* Sender);
  void mnuFormularioClick(TObject* Sender);
  void mnuConfigVooClick(TObject* Sender);
  void ControlaBotoes();
  // Posts what the active tab is editing (the flight before its leg) and
  // reloads after a leg or class was posted: the Confirm command.
  void ConfirmEdits();

  // ---- flight_fields.cpp ----
  void cdsVooIDNACIVOOGetText(TField* Sender, std::string& Text, bool DisplayText);
  void cdsVooIDNACIVOOSetText(TField* Sender, const std::string& Text);
  void cdsVooIDSITVOOGetText(TField* Sender, std::string& Text, bool DisplayText);
  void cdsVooIDSITVOOSetText(TField* Sender, const std::string& Text);
  void cdsVooIDTIPVOOChange(TField* Sender);
  void cdsVooIDTIPVOOGetText(TField* Sender, std::string& Text, bool DisplayText);
  void cdsVooIDTIPVOOSetText(TField* Sender, const std::string& Text);
  void cdsVooQTHRKDTCARGetText(TField* Sender, std::string& Text, bool DisplayText);
  void cdsVooQTHRKDTCARSetText(TField* Sender, const std::string& Text);
  void cdsVooQTHRKDTCARValidate(TField* Sender);
  void cdsVooIDINCDESDESVGetText(TField* Sender, std::string& Text, bool DisplayText);
  void cdsVooIDINCDESDESVSetText(TField* Sender, const std::string& Text);
  void cdsVooIDINCDESFIXOGetText(TField* Sender, std::string& Text, bool DisplayText);
  void cdsVooIDINCDESFIXOSetText(TField* Sender, const std::string& Text);
  void cdsVooIDINCDESCONDGetText(TField* Sender, std::string& Text, bool DisplayText);
  void cdsVooIDINCDESCONDSetText(TField* Sender, const std::string& Text);
  // Refuses stored hours that are not a time of day, the focus on their field.
  void CheckHours(TField* hours);

  // ---- flight_editing_aids.cpp ----
  void cdsVooNewRecord(TDataSet* DataSet);
  void ccbDiarioClick(TObject* Sender);
  void dcbSegClick(TObject* Sender);
  void ccbAbastClick(TObject* Sender);
  void ccbAtendClick(TObject* Sender);
  void dcbTipoChange(TObject* Sender);
  void depDtIniVigVooExit(TObject* Sender);
  void depDtFimVigVooExit(TObject* Sender);

  // ---- flight_saving.cpp ----
  void vd_Voo(bool required);
  void dbeNrVooExit(TObject* Sender);
  void cdsVooAfterInsert(TDataSet* DataSet);
  void cdsVooBeforePost(TDataSet* DataSet);
  void cdsVooAfterPost(TDataSet* DataSet);
  void cdsVooBeforeCancel(TDataSet* DataSet);
  void cdsVooAfterCancel(TDataSet* DataSet);
  void cdsVooAfterDelete(TDataSet* DataSet);
  void cdsVooAfterScroll(TDataSet* DataSet);

  // ---- flight_references.cpp ----
  void Vd_Equipamento(bool required);
  void Vd_Prefixo();
  void vd_Turno(bool required);
  void vd_Ocupacao();
  void btnPesqEquipBeforePesq(TObject* Sender, bool& proceed);
  void btnPesqEquipAfterPesq(TObject* Sender);
  void dbeSgEquipChange(TObject* Sender);
  void dbeSgEquipExit(TObject* Sender);
  void btnPesqPrefixoBeforePesq(TObject* Sender, bool& proceed);
  void btnPesqPrefixoAfterPesq(TObject* Sender);
  void dbeSgPrefixoExit(TObject* Sender);
  void btpTurnoProdBeforePesq(TObject* Sender, bool& proceed);
  void btpTurnoProdAfterPesq(TObject* Sender);
  void dbeTurnoProdChange(TObject* Sender);
  void dbeTurnoProdExit(TObject* Sender);
  void dbeDiasProducaoKeyPress(TObject* Sender, char& Key);
  void dbePercentOcupacaoKeyPress(TObject* Sender, char& Key);
  void dbePercentOcupacaoExit(TObject* Sender);

  // ---- leg_fields.cpp ----
  void cdstrechooHRDECOLVOOGetText(TField* Sender, std::string& Text, bool DisplayText);
  void cdstrechooHRDECOLVOOSetText(TField* Sender, const std::string& Text);
  void cdstrechooHRDECOLVOOValidate(TField* Sender);
  void cdstrechooHRPOUSOVOOGetText(TField* Sender, std::string& Text, bool DisplayText);
  void cdstrechooHRPOUSOVOOSetText(TField* Sender, const std::string& Text);
  void cdstrechooHRPOUSOVOOValidate(TField* Sender);
  void cdstrechooIDTIPAJUSFATGetText(TField* Sender, std::string& Text, bool DisplayText);
  void cdstrechooIDTIPAJUSFATSetText(TField* Sender, const std::string& Text);
  void cdstrechooIDSITVOOTREGetText(TField* Sender, std::string& Text, bool DisplayText);
  void cdstrechooIDSITVOOTRESetText(TField* Sender, const std::string& Text);
  void cdstrechooSGBASEORIValidate(TField* Sender);
  void cdstrechooSGBASEDESValidate(TField* Sender);
  void cdstrechooCDBASEORIValidate(TField* Sender);
  void cdstrechooCDBASEDESValidate(TField* Sender);

  // ---- leg_saving.cpp ----
  void cdstrechooNewRecord(TDataSet* DataSet);
  void cdstrechooAfterInsert(TDataSet* DataSet);
  void cdstrechooBeforePost(TDataSet* DataSet);
  void cdstrechooAfterPost(TDataSet* DataSet);
  void cdstrechooAfterCancel(TDataSet* DataSet);
  void cdstrechooAfterDelete(TDataSet* DataSet);
  void cdstrechooAfterScroll(TDataSet* DataSet);
  void cdstrechooPostError(TDataSet* DataSet, plat::EDatabaseError& E, plat::TDataAction& Action);
  void sbtExluTrechoClick(TObject* Sender);
  // Deletes the current leg, then shows the legs as the server holds them,
  // whether or not the deletion went through.
  void DeleteLegAndCheck();

  // ---- flight_classes.cpp ----
  void dbgConfVooEditButtonClick(TObject* Sender);
  void cdsClasseVooBeforePost(TDataSet* DataSet);
  void cdsClasseVooAfterPost(TDataSet* DataSet);
  void cdsClasseVooAfterDelete(TDataSet* DataSet);

  // ---- grid_presentation.cpp ----
  void dbgPadraoDrawColumnCell(TObject* Sender, const plat::TRect& Rect, int DataCol, plat::TColumn* Column,
                               plat::TGridDrawState State);
  void dbgVooTrechoDrawColumnCell(TObject* Sender, const plat::TRect& Rect, int DataCol, plat::TColumn* Column,
                                  plat::TGridDrawState State);
  void dbgVooTrechoDblClick(TObject* Sender);
  void dbgVooTrechoKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
  void dbgVooTrechoKeyPress(TObject* Sender, char& Key);
  void dbgPadraoKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
  void dbgPadraoKeyPress(TObject* Sender, char& Key);

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
  void BindScreenHandlers();
  void CreateLookupQueries();
  // The flight-type objects attached to cbbTipoVoo, owned by the screen.
  std::vector<TTipoVoo*> tipos_voo_;
  // The branch and company the open flights were loaded for; empty while
  // they are closed.
  std::string loaded_branch_;
  std::string loaded_company_;
};
