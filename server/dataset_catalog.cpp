// Dataset definitions (see dataset_catalog.h).
#include "server/dataset_catalog.h"

namespace zor::server {

namespace {

using wire::FieldType;

DatasetField Field(const std::string& name, FieldType type, int size, int precision, const std::string& source,
                   bool stored) {
  DatasetField f;
  f.Name = name;
  f.Type = type;
  f.Size = size;
  f.Precision = precision;
  f.source = source;
  f.stored = stored;
  return f;
}
DatasetField Str(const std::string& name, int size, const std::string& alias, bool stored = true) {
  return Field(name, FieldType::String, size, 0, alias + "." + name, stored);
}
DatasetField Num(const std::string& name, int precision, const std::string& alias) {
  return Field(name, FieldType::Float, 0, precision, alias + "." + name, true);
}
DatasetField Stamp(const std::string& name, const std::string& alias) {
  return Field(name, FieldType::DateTime, 0, 0, alias + "." + name, true);
}

// Float fields without a stated display precision show the platform default.
constexpr int kDefaultPrecision = 15;

const std::string kReload = " Atualize os dados e tente novamente.";

const std::vector<std::pair<std::string, std::string>> kFlightKeyWords = {
    {"CDFILIAL", "Filial deve ser informada."},
    {"CDCIA", "Companhia deve ser informada."},
    {"NRVOO", "Número do vôo deve ser informado."},
};

SaveRules FlightRules() {
  SaveRules r;
  r.subject = "O vôo {NRVOO}";
  r.duplicate = "Vôo já cadastrado.";
  r.missingParent = "Filial {CDFILIAL} ou companhia {CDCIA} não cadastrada.";
  r.stillReferred = "Vôo possui trecho(s) e não pode ser excluído. Exclua-o(s) primeiro e tente novamente.";
  r.missingKey = kFlightKeyWords;
  r.cascade = {"CLASSEVOO", "VOOTRECHO"};
  r.unpaddedKey = "NRVOO";
  r.paddedKeyMessage = "O número do vôo (\"{NRVOO}\") não pode começar nem terminar com espaço.";
  return r;
}

SaveRules LegRules() {
  SaveRules r;
  r.subject = "O trecho {CDTRECHO} do vôo {NRVOO}";
  r.duplicate = "Trecho já cadastrado.";
  r.missingParent = "O vôo {NRVOO} não está cadastrado." + kReload;
  r.missingKey = kFlightKeyWords;
  r.missingKey.push_back({"CDTRECHO", "Trecho deve ser informado."});
  r.numberedKey = "CDTRECHO";
  r.parentTable = "VOO";
  r.numbersExhausted = "O vôo {NRVOO} já tem o número máximo de trechos.";
  r.uniqueAmongSiblings = {"CDBASEORI", "CDBASEDES"};
  r.cascade = {"CLASSEVOO"};
  return r;
}

SaveRules ClassRules() {
  SaveRules r;
  r.subject = "A classe {CDCLASSE} do trecho {CDTRECHO} do vôo {NRVOO}";
  r.feminine = true;
  r.duplicate = "Classe já cadastrada.";
  r.missingParent =
      "O trecho {CDTRECHO} do vôo {NRVOO} não está cadastrado ou a classe {CDCLASSE} não existe." + kReload;
  r.missingKey = kFlightKeyWords;
  r.missingKey.push_back({"CDTRECHO", "Inclua um trecho no vôo antes de configurar suas classes."});
  r.missingKey.push_back({"CDCLASSE", "Classe deve ser informada."});
  return r;
}

}  // namespace

int DatasetDef::IndexOf(const std::string& field) const {
  for (size_t i = 0; i < fields.size(); ++i)
    if (fields[i].Name == field) return static_cast<int>(i);
  return -1;
}

const DatasetDef& TipoVooDataset() {
  static const DatasetDef kD{"cdsTipoVoo", "", "TIPOVOO T", "T.CDEXPTIPOVOO",
                            {Str("CDEXPTIPOVOO", 1, "T"), Str("NMTIPOVOO", 100, "T")},
                            {"CDEXPTIPOVOO"}};
  return kD;
}

const DatasetDef& PesqTurnoDataset() {
  static const DatasetDef kD{"cdsPesqTurno", "", "TURNO T", "T.NRTURNO",
                            {Str("NRTURNO", 2, "T"), Str("DSTURNO", 20, "T")},
                            {"NRTURNO"}};
  return kD;
}

const DatasetDef& VooDataset() {
  static const DatasetDef kD{
      "cdsVoo",
      "VOO",
      "VOO V LEFT JOIN EQUIPAMENTO E ON E.CDEQUIP = V.CDEQUIP"
      " LEFT JOIN TIPOVOO T ON T.CDEXPTIPOVOO = V.CDEXPTIPOVOO"
      " LEFT JOIN TURNO U ON U.NRTURNO = V.NRTURNOPROD",
      "V.NRVOO",
      {Str("NRVOO", 5, "V"),
       Str("SGEQUIP", 10, "E", false),
       Str("SGPREFIXO", 10, "V"),
       Str("CDCIA", 4, "V"),
       Str("CDEQUIP", 4, "V"),
       Str("DSEQUIP", 30, "E", false),
       Str("IDNACIVOO", 1, "V"),
       Str("IDSITVOO", 1, "V"),
       Str("IDTIPVOO", 1, "V"),
       Str("IDVOODOM", 1, "V"),
       Str("IDVOOQUA", 1, "V"),
       Str("IDVOOQUI", 1, "V"),
       Str("IDVOOSAB", 1, "V"),
       Str("IDVOOSEG", 1, "V"),
       Str("IDVOOSEX", 1, "V"),
       Str("IDVOOTER", 1, "V"),
       Str("IDCARREGO", 1, "V"),
       Str("IDDESCAR", 1, "V"),
       Str("IDTRANSLADO", 1, "V"),
       Str("IDCARGA", 1, "V"),
       Str("IDABASATEN", 1, "V"),
       Str("IDBASETRAN", 1, "V"),
       Str("QTHRKDTDES", 4, "V"),
       Str("QTHRKDTCAR", 4, "V"),
       Str("IDVOOSELE", 1, "V"),
       Stamp("DTINIVIGVOO", "V"),
       Stamp("DTFIMVIGVOO", "V"),
       Str("IDINCDESDESV", 1, "V"),
       Str("IDINCDESFIXO", 1, "V"),
       Str("IDINCDESCOND", 1, "V"),
       Str("CDFILIAL", 4, "V"),
       Str("CDEXPTIPOVOO", 1, "V"),
       Str("NMTIPOVOO", 100, "T", false),
       Str("DSTURNO", 20, "U", false),
       Num("VRPEROCUPACAO", 5, "V"),
       Num("QTDIASPROD", 5, "V"),
       Str("NRTURNOPROD", 2, "V")},
      {"CDFILIAL", "CDCIA", "NRVOO"},
      FlightRules()};
  return kD;
}

const DatasetDef& TrechoDataset() {
  static const DatasetDef kD{
      "cdstrechoo",
      "VOOTRECHO",
      "VOOTRECHO R LEFT JOIN BASE BO ON BO.CDBASE = R.CDBASEORI"
      " LEFT JOIN BASE BD ON BD.CDBASE = R.CDBASEDES",
      "R.CDTRECHO",
      {Str("CDFILIAL", 4, "R"),
       Str("CDCIA", 4, "R"),
       Str("NRVOO", 5, "R"),
       Str("CDTRECHO", 4, "R"),
       Str("CDBASEORI", 4, "R"),
       Str("CDBASEDES", 4, "R"),
       Str("HRDECOLVOO", 4, "R"),
       Str("HRPOUSOVOO", 4, "R"),
       Str("IDTIPAJUSFAT", 1, "R"),
       Str("IDSITVOOTRE", 1, "R"),
       Stamp("DTULTATUTREC", "R"),
       Num("QTHRPREPVOO", kDefaultPrecision, "R"),
       Field("SGBASEORI", FieldType::String, 5, 0, "BO.SGBASE", false),
       Field("SGBASEDES", FieldType::String, 5, 0, "BD.SGBASE", false)},
      {"CDFILIAL", "CDCIA", "NRVOO", "CDTRECHO"},
      LegRules()};
  return kD;
}

const DatasetDef& ClasseVooDataset() {
  static const DatasetDef kD{"cdsClasseVoo",
                            "CLASSEVOO",
                            "CLASSEVOO C LEFT JOIN CLASSE L ON L.CDCLASSE = C.CDCLASSE",
                            "C.CDCLASSE",
                            {Str("CDCIA", 4, "C"),
                             Str("NRVOO", 5, "C"),
                             Str("CDCLASSE", 4, "C"),
                             Str("SGCLASSE", 5, "L", false),
                             Num("NRMULSERV", kDefaultPrecision, "C"),
                             Str("CDFILIAL", 4, "C"),
                             Str("CDTRECHO", 4, "C")},
                            {"CDFILIAL", "CDCIA", "NRVOO", "CDTRECHO", "CDCLASSE"},
                            ClassRules()};
  return kD;
}

}  // namespace zor::server
