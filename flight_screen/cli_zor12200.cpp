// TfrmVoo: construction, handler and component binding, form definitions.
#include "flight_screen/cli_zor12200.h"

#include "data_access/lookup_queries.h"
#include "flight_screen/frm_voo_form.h"
#include "platform/classes/library_classes.h"
#include "platform/dbcontrols/db_classes.h"

using namespace plat;

namespace {

// A handler bound by name: a callable of the event's exact type that calls
// the screen's method.
template <typename... A>
std::function<void(A...)> Method(TfrmVoo* form, void (TfrmVoo::*method)(A...)) {
  return [form, method](A... args) { (form->*method)(args...); };
}

}  // namespace

TfrmVoo::TfrmVoo(TComponent* owner) : TfrmPadrao(owner) {
  RegisterLibraryClasses();
  RegisterDataControls();
  CreateLookupQueries();
  BindScreenHandlers();
}

TfrmVoo::~TfrmVoo() {
  for (TTipoVoo* t : tipos_voo_) delete t;
}

std::vector<FormDefinitionSource> TfrmVoo::Definitions() const {
  std::vector<FormDefinitionSource> defs = TfrmPadrao::Definitions();
  defs.push_back({"frm_voo.form", kFrmVooForm});
  return defs;
}

void TfrmVoo::CreateLookupQueries() {
  for (const data_access::QueryDefinition& def : data_access::QueryCatalogue())
    data_access::CreateLookupQuery(this, def);
}

void TfrmVoo::BindScreenHandlers() {
  BindHandler("FormCreate", Method(this, &TfrmVoo::FormCreate));
  BindHandler("FormShow", Method(this, &TfrmVoo::FormShow));
  BindHandler("FormActivate", Method(this, &TfrmVoo::FormActivate));
  BindHandler("FormClose", Method(this, &TfrmVoo::FormClose));
  BindHandler("FormKeyDown", Method(this, &TfrmVoo::FormKeyDown));
  BindHandler("sbtConfirmaClick", Method(this, &TfrmVoo::sbtConfirmaClick));
  BindHandler("sbtCancelClick", Method(this, &TfrmVoo::sbtCancelClick));
  BindHandler("netVooTrechoBeforeConnect", Method(this, &TfrmVoo::netVooTrechoBeforeConnect));
  BindHandler("sbtImprimirClick", Method(this, &TfrmVoo::sbtImprimirClick));
  BindHandler("medCdFilialChange", Method(this, &TfrmVoo::medCdFilialChange));
  BindHandler("medCdFilialExit", Method(this, &TfrmVoo::medCdFilialExit));
  BindHandler("btnPesqFilialBeforePesq", Method(this, &TfrmVoo::btnPesqFilialBeforePesq));
  BindHandler("btnPesqFilialAfterPesq", Method(this, &TfrmVoo::btnPesqFilialAfterPesq));
  BindHandler("medSgCiaChange", Method(this, &TfrmVoo::medSgCiaChange));
  BindHandler("medSgCiaExit", Method(this, &TfrmVoo::medSgCiaExit));
  BindHandler("btpCompanhiaBeforePesq", Method(this, &TfrmVoo::btpCompanhiaBeforePesq));
  BindHandler("btpCompanhiaAfterPesq", Method(this, &TfrmVoo::btpCompanhiaAfterPesq));
  BindHandler("btpCompanhiaCancelPesq", Method(this, &TfrmVoo::btpCompanhiaCancelPesq));
  BindHandler("panPlaVooCiaEnter", Method(this, &TfrmVoo::panPlaVooCiaEnter));
  BindHandler("panPlaVooCiaExit", Method(this, &TfrmVoo::panPlaVooCiaExit));
  BindHandler("sbtIncluirClick", Method(this, &TfrmVoo::sbtIncluirClick));
  BindHandler("sbtAlterarClick", Method(this, &TfrmVoo::sbtAlterarClick));
  BindHandler("sbtExcluirClick", Method(this, &TfrmVoo::sbtExcluirClick));
  BindHandler("sbtProcurarClick", Method(this, &TfrmVoo::sbtProcurarClick));
  BindHandler("sbtVerificarClick", Method(this, &TfrmVoo::sbtVerificarClick));
  BindHandler("sbtCancelarClick", Method(this, &TfrmVoo::sbtCancelarClick));
  BindHandler("sbtConfirmarClick", Method(this, &TfrmVoo::sbtConfirmarClick));
  BindHandler("dtsPadraoStateChange", Method(this, &TfrmVoo::dtsPadraoStateChange));
  BindHandler("dtsVooStateChange", Method(this, &TfrmVoo::dtsVooStateChange));
  BindHandler("dtsVooDataChange", Method(this, &TfrmVoo::dtsVooDataChange));
  BindHandler("dtsTrechoStateChange", Method(this, &TfrmVoo::dtsTrechoStateChange));
  BindHandler("dtsTrechoDataChange", Method(this, &TfrmVoo::dtsTrechoDataChange));
  BindHandler("dtsClasseVooStateChange", Method(this, &TfrmVoo::dtsClasseVooStateChange));
  BindHandler("pgcPadraoChange", Method(this, &TfrmVoo::pgcPadraoChange));
  BindHandler("mnuFolhaDadosClick", Method(this, &TfrmVoo::mnuFolhaDadosClick));
  BindHandler("mnuFormularioClick", Method(this, &TfrmVoo::mnuFormularioClick));
  BindHandler("mnuConfigVooClick", Method(this, &TfrmVoo::mnuConfigVooClick));
  BindHandler("cdsVooIDNACIVOOGetText", Method(this, &TfrmVoo::cdsVooIDNACIVOOGetText));
  BindHandler("cdsVooIDNACIVOOSetText", Method(this, &TfrmVoo::cdsVooIDNACIVOOSetText));
  BindHandler("cdsVooIDSITVOOGetText", Method(this, &TfrmVoo::cdsVooIDSITVOOGetText));
  BindHandler("cdsVooIDSITVOOSetText", Method(this, &TfrmVoo::cdsVooIDSITVOOSetText));
  BindHandler("cdsVooIDTIPVOOChange", Method(this, &TfrmVoo::cdsVooIDTIPVOOChange));
  BindHandler("cdsVooIDTIPVOOGetText", Method(this, &TfrmVoo::cdsVooIDTIPVOOGetText));
  BindHandler("cdsVooIDTIPVOOSetText", Method(this, &TfrmVoo::cdsVooIDTIPVOOSetText));
  BindHandler("cdsVooQTHRKDTCARGetText", Method(this, &TfrmVoo::cdsVooQTHRKDTCARGetText));
  BindHandler("cdsVooQTHRKDTCARSetText", Method(this, &TfrmVoo::cdsVooQTHRKDTCARSetText));
  BindHandler("cdsVooQTHRKDTCARValidate", Method(this, &TfrmVoo::cdsVooQTHRKDTCARValidate));
  BindHandler("cdsVooIDINCDESDESVGetText", Method(this, &TfrmVoo::cdsVooIDINCDESDESVGetText));
  BindHandler("cdsVooIDINCDESDESVSetText", Method(this, &TfrmVoo::cdsVooIDINCDESDESVSetText));
  BindHandler("cdsVooIDINCDESFIXOGetText", Method(this, &TfrmVoo::cdsVooIDINCDESFIXOGetText));
  BindHandler("cdsVooIDINCDESFIXOSetText", Method(this, &TfrmVoo::cdsVooIDINCDESFIXOSetText));
  BindHandler("cdsVooIDINCDESCONDGetText", Method(this, &TfrmVoo::cdsVooIDINCDESCONDGetText));
  BindHandler("cdsVooIDINCDESCONDSetText", Method(this, &TfrmVoo::cdsVooIDINCDESCONDSetText));
  BindHandler("cdsVooNewRecord", Method(this, &TfrmVoo::cdsVooNewRecord));
  BindHandler("ccbDiarioClick", Method(this, &TfrmVoo::ccbDiarioClick));
  BindHandler("dcbSegClick", Method(this, &TfrmVoo::dcbSegClick));
  BindHandler("ccbAbastClick", Method(this, &TfrmVoo::ccbAbastClick));
  BindHandler("ccbAtendClick", Method(this, &TfrmVoo::ccbAtendClick));
  BindHandler("dcbTipoChange", Method(this, &TfrmVoo::dcbTipoChange));
  BindHandler("depDtIniVigVooExit", Method(this, &TfrmVoo::depDtIniVigVooExit));
  BindHandler("depDtFimVigVooExit", Method(this, &TfrmVoo::depDtFimVigVooExit));
  BindHandler("dbeNrVooExit", Method(this, &TfrmVoo::dbeNrVooExit));
  BindHandler("cdsVooAfterInsert", Method(this, &TfrmVoo::cdsVooAfterInsert));
  BindHandler("cdsVooBeforePost", Method(this, &TfrmVoo::cdsVooBeforePost));
  BindHandler("cdsVooAfterPost", Method(this, &TfrmVoo::cdsVooAfterPost));
  BindHandler("cdsVooBeforeCancel", Method(this, &TfrmVoo::cdsVooBeforeCancel));
  BindHandler("cdsVooAfterCancel", Method(this, &TfrmVoo::cdsVooAfterCancel));
  BindHandler("cdsVooAfterDelete", Method(this, &TfrmVoo::cdsVooAfterDelete));
  BindHandler("cdsVooAfterScroll", Method(this, &TfrmVoo::cdsVooAfterScroll));
  BindHandler("btnPesqEquipBeforePesq", Method(this, &TfrmVoo::btnPesqEquipBeforePesq));
  BindHandler("btnPesqEquipAfterPesq", Method(this, &TfrmVoo::btnPesqEquipAfterPesq));
  BindHandler("dbeSgEquipChange", Method(this, &TfrmVoo::dbeSgEquipChange));
  BindHandler("dbeSgEquipExit", Method(this, &TfrmVoo::dbeSgEquipExit));
  BindHandler("btnPesqPrefixoBeforePesq", Method(this, &TfrmVoo::btnPesqPrefixoBeforePesq));
  BindHandler("btnPesqPrefixoAfterPesq", Method(this, &TfrmVoo::btnPesqPrefixoAfterPesq));
  BindHandler("dbeSgPrefixoExit", Method(this, &TfrmVoo::dbeSgPrefixoExit));
  BindHandler("btpTurnoProdBeforePesq", Method(this, &TfrmVoo::btpTurnoProdBeforePesq));
  BindHandler("btpTurnoProdAfterPesq", Method(this, &TfrmVoo::btpTurnoProdAfterPesq));
  BindHandler("dbeTurnoProdChange", Method(this, &TfrmVoo::dbeTurnoProdChange));
  BindHandler("dbeTurnoProdExit", Method(this, &TfrmVoo::dbeTurnoProdExit));
  BindHandler("dbeDiasProducaoKeyPress", Method(this, &TfrmVoo::dbeDiasProducaoKeyPress));
  BindHandler("dbePercentOcupacaoKeyPress", Method(this, &TfrmVoo::dbePercentOcupacaoKeyPress));
  BindHandler("dbePercentOcupacaoExit", Method(this, &TfrmVoo::dbePercentOcupacaoExit));
  BindHandler("cdstrechooHRDECOLVOOGetText", Method(this, &TfrmVoo::cdstrechooHRDECOLVOOGetText));
  BindHandler("cdstrechooHRDECOLVOOSetText", Method(this, &TfrmVoo::cdstrechooHRDECOLVOOSetText));
  BindHandler("cdstrechooHRDECOLVOOValidate", Method(this, &TfrmVoo::cdstrechooHRDECOLVOOValidate));
  BindHandler("cdstrechooHRPOUSOVOOGetText", Method(this, &TfrmVoo::cdstrechooHRPOUSOVOOGetText));
  BindHandler("cdstrechooHRPOUSOVOOSetText", Method(this, &TfrmVoo::cdstrechooHRPOUSOVOOSetText));
  BindHandler("cdstrechooHRPOUSOVOOValidate", Method(this, &TfrmVoo::cdstrechooHRPOUSOVOOValidate));
  BindHandler("cdstrechooIDTIPAJUSFATGetText", Method(this, &TfrmVoo::cdstrechooIDTIPAJUSFATGetText));
  BindHandler("cdstrechooIDTIPAJUSFATSetText", Method(this, &TfrmVoo::cdstrechooIDTIPAJUSFATSetText));
  BindHandler("cdstrechooIDSITVOOTREGetText", Method(this, &TfrmVoo::cdstrechooIDSITVOOTREGetText));
  BindHandler("cdstrechooIDSITVOOTRESetText", Method(this, &TfrmVoo::cdstrechooIDSITVOOTRESetText));
  BindHandler("cdstrechooSGBASEORIValidate", Method(this, &TfrmVoo::cdstrechooSGBASEORIValidate));
  BindHandler("cdstrechooSGBASEDESValidate", Method(this, &TfrmVoo::cdstrechooSGBASEDESValidate));
  BindHandler("cdstrechooCDBASEORIValidate", Method(this, &TfrmVoo::cdstrechooCDBASEORIValidate));
  BindHandler("cdstrechooCDBASEDESValidate", Method(this, &TfrmVoo::cdstrechooCDBASEDESValidate));
  BindHandler("cdstrechooNewRecord", Method(this, &TfrmVoo::cdstrechooNewRecord));
  BindHandler("cdstrechooAfterInsert", Method(this, &TfrmVoo::cdstrechooAfterInsert));
  BindHandler("cdstrechooBeforePost", Method(this, &TfrmVoo::cdstrechooBeforePost));
  BindHandler("cdstrechooAfterPost", Method(this, &TfrmVoo::cdstrechooAfterPost));
  BindHandler("cdstrechooAfterCancel", Method(this, &TfrmVoo::cdstrechooAfterCancel));
  BindHandler("cdstrechooAfterDelete", Method(this, &TfrmVoo::cdstrechooAfterDelete));
  BindHandler("cdstrechooAfterScroll", Method(this, &TfrmVoo::cdstrechooAfterScroll));
  BindHandler("cdstrechooPostError", Method(this, &TfrmVoo::cdstrechooPostError));
  BindHandler("sbtExluTrechoClick", Method(this, &TfrmVoo::sbtExluTrechoClick));
  BindHandler("dbgConfVooEditButtonClick", Method(this, &TfrmVoo::dbgConfVooEditButtonClick));
  BindHandler("cdsClasseVooBeforePost", Method(this, &TfrmVoo::cdsClasseVooBeforePost));
  BindHandler("cdsClasseVooAfterPost", Method(this, &TfrmVoo::cdsClasseVooAfterPost));
  BindHandler("cdsClasseVooAfterDelete", Method(this, &TfrmVoo::cdsClasseVooAfterDelete));
  BindHandler("dbgPadraoDrawColumnCell", Method(this, &TfrmVoo::dbgPadraoDrawColumnCell));
  BindHandler("dbgVooTrechoDrawColumnCell", Method(this, &TfrmVoo::dbgVooTrechoDrawColumnCell));
  BindHandler("dbgVooTrechoDblClick", Method(this, &TfrmVoo::dbgVooTrechoDblClick));
  BindHandler("dbgVooTrechoKeyDown", Method(this, &TfrmVoo::dbgVooTrechoKeyDown));
  BindHandler("dbgVooTrechoKeyPress", Method(this, &TfrmVoo::dbgVooTrechoKeyPress));
  BindHandler("dbgPadraoKeyDown", Method(this, &TfrmVoo::dbgPadraoKeyDown));
  BindHandler("dbgPadraoKeyPress", Method(this, &TfrmVoo::dbgPadraoKeyPress));

  BindField("panBotoes", panBotoes);
  BindField("sbtConfirma", sbtConfirma);
  BindField("sbtCancel", sbtCancel);
  BindField("lblNome", lblNome);
  BindField("dbtNome", dbtNome);
  BindField("dbnPadrao", dbnPadrao);
  BindField("mnuConfigVoo", mnuConfigVoo);
  BindField("tshConfigVoo", tshConfigVoo);
  BindField("netVooTrecho", netVooTrecho);
  BindField("dtsPadrao", dtsPadrao);
  BindField("panPlaVooCia", panPlaVooCia);
  BindField("lblFilial", lblFilial);
  BindField("medCdFilial", medCdFilial);
  BindField("btnPesqFilial", btnPesqFilial);
  BindField("edtNmFilial", edtNmFilial);
  BindField("lblCia", lblCia);
  BindField("medSgCia", medSgCia);
  BindField("btpCompanhia", btpCompanhia);
  BindField("edtNmCia", edtNmCia);
  BindField("cdsVoo", cdsVoo);
  BindField("cdsVooNRVOO", cdsVooNRVOO);
  BindField("cdsVooSGEQUIP", cdsVooSGEQUIP);
  BindField("cdsVooSGPREFIXO", cdsVooSGPREFIXO);
  BindField("cdsVooCDCIA", cdsVooCDCIA);
  BindField("cdsVooCDEQUIP", cdsVooCDEQUIP);
  BindField("cdsVooDSEQUIP", cdsVooDSEQUIP);
  BindField("cdsVooIDNACIVOO", cdsVooIDNACIVOO);
  BindField("cdsVooIDSITVOO", cdsVooIDSITVOO);
  BindField("cdsVooIDTIPVOO", cdsVooIDTIPVOO);
  BindField("cdsVooIDVOODOM", cdsVooIDVOODOM);
  BindField("cdsVooIDVOOQUA", cdsVooIDVOOQUA);
  BindField("cdsVooIDVOOQUI", cdsVooIDVOOQUI);
  BindField("cdsVooIDVOOSAB", cdsVooIDVOOSAB);
  BindField("cdsVooIDVOOSEG", cdsVooIDVOOSEG);
  BindField("cdsVooIDVOOSEX", cdsVooIDVOOSEX);
  BindField("cdsVooIDVOOTER", cdsVooIDVOOTER);
  BindField("cdsVooIDCARREGO", cdsVooIDCARREGO);
  BindField("cdsVooIDDESCAR", cdsVooIDDESCAR);
  BindField("cdsVooIDTRANSLADO", cdsVooIDTRANSLADO);
  BindField("cdsVooIDCARGA", cdsVooIDCARGA);
  BindField("cdsVooIDABASATEN", cdsVooIDABASATEN);
  BindField("cdsVooIDBASETRAN", cdsVooIDBASETRAN);
  BindField("cdsVooQTHRKDTDES", cdsVooQTHRKDTDES);
  BindField("cdsVooQTHRKDTCAR", cdsVooQTHRKDTCAR);
  BindField("cdsVooIDVOOSELE", cdsVooIDVOOSELE);
  BindField("cdsVooDTINIVIGVOO", cdsVooDTINIVIGVOO);
  BindField("cdsVooDTFIMVIGVOO", cdsVooDTFIMVIGVOO);
  BindField("cdsVooIDINCDESDESV", cdsVooIDINCDESDESV);
  BindField("cdsVooIDINCDESFIXO", cdsVooIDINCDESFIXO);
  BindField("cdsVooIDINCDESCOND", cdsVooIDINCDESCOND);
  BindField("cdsVooCDFILIAL", cdsVooCDFILIAL);
  BindField("cdsVooCDEXPTIPOVOO", cdsVooCDEXPTIPOVOO);
  BindField("cdsVooNMTIPOVOO", cdsVooNMTIPOVOO);
  BindField("cdsVooDSTURNO", cdsVooDSTURNO);
  BindField("cdsVooVRPEROCUPACAO", cdsVooVRPEROCUPACAO);
  BindField("cdsVooQTDIASPROD", cdsVooQTDIASPROD);
  BindField("cdsVooNRTURNOPROD", cdsVooNRTURNOPROD);
  BindField("dtsVoo", dtsVoo);
  BindField("dbgPadrao", dbgPadrao);
  BindField("cdsTipoVoo", cdsTipoVoo);
  BindField("panTipoVoo", panTipoVoo);
  BindField("lblTipoVoo", lblTipoVoo);
  BindField("cbbTipoVoo", cbbTipoVoo);
  BindField("panVoo", panVoo);
  BindField("dbeNrVoo", dbeNrVoo);
  BindField("dbeSgEquip", dbeSgEquip);
  BindField("btnPesqEquip", btnPesqEquip);
  BindField("dbeSgPrefixo", dbeSgPrefixo);
  BindField("btnPesqPrefixo", btnPesqPrefixo);
  BindField("dcbNacionalidade", dcbNacionalidade);
  BindField("dcbSituacao", dcbSituacao);
  BindField("dcbTipo", dcbTipo);
  BindField("grbKDT", grbKDT);
  BindField("dbeKDTCarrego", dbeKDTCarrego);
  BindField("dbeKDTDescarrego", dbeKDTDescarrego);
  BindField("grbVig", grbVig);
  BindField("lblDtInicio", lblDtInicio);
  BindField("lblDtFim", lblDtFim);
  BindField("depDtIniVigVoo", depDtIniVigVoo);
  BindField("depDtFimVigVoo", depDtFimVigVoo);
  BindField("ccbAbast", ccbAbast);
  BindField("ccbAtend", ccbAtend);
  BindField("drgBaseTrans", drgBaseTrans);
  BindField("dcbCarga", dcbCarga);
  BindField("dcbDescarrego", dcbDescarrego);
  BindField("dcbCarrego", dcbCarrego);
  BindField("dcbTranslado", dcbTranslado);
  BindField("grbfrequencia", grbfrequencia);
  BindField("dcbSeg", dcbSeg);
  BindField("dcbTer", dcbTer);
  BindField("dcbQua", dcbQua);
  BindField("dcbQui", dcbQui);
  BindField("dcbSex", dcbSex);
  BindField("dcbSab", dcbSab);
  BindField("dcbDom", dcbDom);
  BindField("ccbDiario", ccbDiario);
  BindField("grbMapaProd", grbMapaProd);
  BindField("dbeTurnoProd", dbeTurnoProd);
  BindField("btpTurnoProd", btpTurnoProd);
  BindField("dbeDiasProducao", dbeDiasProducao);
  BindField("dbePercentOcupacao", dbePercentOcupacao);
  BindField("dbeDsTurno", dbeDsTurno);
  BindField("cdsPesqTurno", cdsPesqTurno);
  BindField("dtsPesqTurno", dtsPesqTurno);
  BindField("cdstrechoo", cdstrechoo);
  BindField("cdstrechooCDFILIAL", cdstrechooCDFILIAL);
  BindField("cdstrechooCDCIA", cdstrechooCDCIA);
  BindField("cdstrechooNRVOO", cdstrechooNRVOO);
  BindField("cdstrechooCDTRECHO", cdstrechooCDTRECHO);
  BindField("cdstrechooCDBASEORI", cdstrechooCDBASEORI);
  BindField("cdstrechooCDBASEDES", cdstrechooCDBASEDES);
  BindField("cdstrechooHRDECOLVOO", cdstrechooHRDECOLVOO);
  BindField("cdstrechooHRPOUSOVOO", cdstrechooHRPOUSOVOO);
  BindField("cdstrechooIDTIPAJUSFAT", cdstrechooIDTIPAJUSFAT);
  BindField("cdstrechooIDSITVOOTRE", cdstrechooIDSITVOOTRE);
  BindField("cdstrechooDTULTATUTREC", cdstrechooDTULTATUTREC);
  BindField("cdstrechooQTHRPREPVOO", cdstrechooQTHRPREPVOO);
  BindField("cdstrechooSGBASEORI", cdstrechooSGBASEORI);
  BindField("cdstrechooSGBASEDES", cdstrechooSGBASEDES);
  BindField("dtsTrecho", dtsTrecho);
  BindField("GroupBox1", GroupBox1);
  BindField("dbgVooTrecho", dbgVooTrecho);
  BindField("Panel3", Panel3);
  BindField("sbtExluTrecho", sbtExluTrecho);
  BindField("Panel6", Panel6);
  BindField("dbgTrecho", dbgTrecho);
  BindField("cdsClasseVoo", cdsClasseVoo);
  BindField("cdsClasseVooCDCIA", cdsClasseVooCDCIA);
  BindField("cdsClasseVooNRVOO", cdsClasseVooNRVOO);
  BindField("cdsClasseVooCDCLASSE", cdsClasseVooCDCLASSE);
  BindField("cdsClasseVooSGCLASSE", cdsClasseVooSGCLASSE);
  BindField("cdsClasseVooNRMULSERV", cdsClasseVooNRMULSERV);
  BindField("cdsClasseVooCDFILIAL", cdsClasseVooCDFILIAL);
  BindField("cdsClasseVooCDTRECHO", cdsClasseVooCDTRECHO);
  BindField("dtsClasseVoo", dtsClasseVoo);
  BindField("Panel4", Panel4);
  BindField("ScrollBox1", ScrollBox1);
  BindField("dbgConfVoo", dbgConfVoo);
  BindField("qryFilial", qryFilial);
  BindField("qryCompanhia", qryCompanhia);
  BindField("qryEquipCia", qryEquipCia);
  BindField("qryPrefixoCia", qryPrefixoCia);
  BindField("qryBase", qryBase);
  BindField("qryValidBase", qryValidBase);
  BindField("qryValidClass", qryValidClass);
  BindField("qryTestaVoo", qryTestaVoo);
  BindField("qryPesqClasse", qryPesqClasse);
  BindField("qryEquipPesq", qryEquipPesq);
  BindField("qryPrefPesq", qryPrefPesq);
  BindField("dtsFilial", dtsFilial);
  BindField("dtsCompanhia", dtsCompanhia);
  BindField("dtsEquipCia", dtsEquipCia);
  BindField("dtsPrefixoCia", dtsPrefixoCia);
  BindField("dtsBase", dtsBase);
  BindField("dtsValidBase", dtsValidBase);
  BindField("dtsValidClass", dtsValidClass);
  BindField("dtsTestaVoo", dtsTestaVoo);
  BindField("dtsPesqClasse", dtsPesqClasse);
  BindField("dtsEquipPesq", dtsEquipPesq);
  BindField("dtsPrefPesq", dtsPrefPesq);
  BindField("qryCompanhiaCDCIA", qryCompanhiaCDCIA);
  BindField("qryBaseCDBASE", qryBaseCDBASE);
}
