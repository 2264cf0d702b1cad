// Dataset definitions (see dataset_catalog.h).
#include "server/dataset_catalog.h"

namespace zor::server {

namespace {

using wire::FieldType;

DatasetField field(const std::string& name, FieldType type, int size, int precision, const std::string& source,
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
DatasetField str(const std::string& name, int size, const std::string& alias, bool stored = true) {
  return field(name, FieldType::String, size, 0, alias + "." + name, stored);
}
DatasetField num(const std::string& name, int precision, const std::string& alias) {
  return field(name, FieldType::Float, 0, precision, alias + "." + name, true);
}
DatasetField stamp(const std::string& name, const std::string& alias) {
  return field(name, FieldType::DateTime, 0, 0, alias + "." + name, true);
}

// Float fields without a stated display precision show the platform default.
constexpr int kDefaultPrecision = 15;

const std::string kReload = " Atualize os dados e tente novamente.";

const std::vector<std::pair<std::string, std::string>> kFlightKeyWords = {
    {"CDFILIAL", "Filial deve ser informada."},
    {"CDCIA", "Companhia deve ser informada."},
    {"NRVOO", "Número do vôo deve ser informado."},
};

SaveRules flightRules() {
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

SaveRules legRules() {
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

SaveRules classRules() {
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

int DatasetDef::indexOf(const std::string& field) const {
  for (size_t i = 0; i < fields.size(); ++i)
    if (fields[i].Name == field) return static_cast<int>(i);
  return -1;
}

const DatasetDef& tipoVooDataset() {
  static const DatasetDef d{"cdsTipoVoo", "", "TIPOVOO T", "T.CDEXPTIPOVOO",
                            {str("CDEXPTIPOVOO", 1, "T"), str("NMTIPOVOO", 100, "T")},
                            {"CDEXPTIPOVOO"}};
  return d;
}

const DatasetDef& pesqTurnoDataset() {
  static const DatasetDef d{"cdsPesqTurno", "", "TURNO T", "T.NRTURNO",
                            {str("NRTURNO", 2, "T"), str("DSTURNO", 20, "T")},
                            {"NRTURNO"}};
  return d;
}

const DatasetDef& vooDataset() {
  static const DatasetDef d{
      "cdsVoo",
      "VOO",
      "VOO V LEFT JOIN EQUIPAMENTO E ON E.CDEQUIP = V.CDEQUIP"
      " LEFT JOIN TIPOVOO T ON T.CDEXPTIPOVOO = V.CDEXPTIPOVOO"
      " LEFT JOIN TURNO U ON U.NRTURNO = V.NRTURNOPROD",
      "V.NRVOO",
      {str("NRVOO", 5, "V"),
       str("SGEQUIP", 10, "E", false),
       str("SGPREFIXO", 10, "V"),
       str("CDCIA", 4, "V"),
       str("CDEQUIP", 4, "V"),
       str("DSEQUIP", 30, "E", false),
       str("IDNACIVOO", 1, "V"),
       str("IDSITVOO", 1, "V"),
       str("IDTIPVOO", 1, "V"),
       str("IDVOODOM", 1, "V"),
       str("IDVOOQUA", 1, "V"),
       str("IDVOOQUI", 1, "V"),
       str("IDVOOSAB", 1, "V"),
       str("IDVOOSEG", 1, "V"),
       str("IDVOOSEX", 1, "V"),
       str("IDVOOTER", 1, "V"),
       str("IDCARREGO", 1, "V"),
       str("IDDESCAR", 1, "V"),
       str("IDTRANSLADO", 1, "V"),
       str("IDCARGA", 1, "V"),
       str("IDABASATEN", 1, "V"),
       str("IDBASETRAN", 1, "V"),
       str("QTHRKDTDES", 4, "V"),
       str("QTHRKDTCAR", 4, "V"),
       str("IDVOOSELE", 1, "V"),
       stamp("DTINIVIGVOO", "V"),
       stamp("DTFIMVIGVOO", "V"),
       str("IDINCDESDESV", 1, "V"),
       str("IDINCDESFIXO", 1, "V"),
       str("IDINCDESCOND", 1, "V"),
       str("CDFILIAL", 4, "V"),
       str("CDEXPTIPOVOO", 1, "V"),
       str("NMTIPOVOO", 100, "T", false),
       str("DSTURNO", 20, "U", false),
       num("VRPEROCUPACAO", 5, "V"),
       num("QTDIASPROD", 5, "V"),
       str("NRTURNOPROD", 2, "V")},
      {"CDFILIAL", "CDCIA", "NRVOO"},
      flightRules()};
  return d;
}

const DatasetDef& trechoDataset() {
  static const DatasetDef d{
      "cdstrechoo",
      "VOOTRECHO",
      "VOOTRECHO R LEFT JOIN BASE BO ON BO.CDBASE = R.CDBASEORI"
      " LEFT JOIN BASE BD ON BD.CDBASE = R.CDBASEDES",
      "R.CDTRECHO",
      {str("CDFILIAL", 4, "R"),
       str("CDCIA", 4, "R"),
       str("NRVOO", 5, "R"),
       str("CDTRECHO", 4, "R"),
       str("CDBASEORI", 4, "R"),
       str("CDBASEDES", 4, "R"),
       str("HRDECOLVOO", 4, "R"),
       str("HRPOUSOVOO", 4, "R"),
       str("IDTIPAJUSFAT", 1, "R"),
       str("IDSITVOOTRE", 1, "R"),
       stamp("DTULTATUTREC", "R"),
       num("QTHRPREPVOO", kDefaultPrecision, "R"),
       field("SGBASEORI", FieldType::String, 5, 0, "BO.SGBASE", false),
       field("SGBASEDES", FieldType::String, 5, 0, "BD.SGBASE", false)},
      {"CDFILIAL", "CDCIA", "NRVOO", "CDTRECHO"},
      legRules()};
  return d;
}

const DatasetDef& classeVooDataset() {
  static const DatasetDef d{"cdsClasseVoo",
                            "CLASSEVOO",
                            "CLASSEVOO C LEFT JOIN CLASSE L ON L.CDCLASSE = C.CDCLASSE",
                            "C.CDCLASSE",
                            {str("CDCIA", 4, "C"),
                             str("NRVOO", 5, "C"),
                             str("CDCLASSE", 4, "C"),
                             str("SGCLASSE", 5, "L", false),
                             num("NRMULSERV", kDefaultPrecision, "C"),
                             str("CDFILIAL", 4, "C"),
                             str("CDTRECHO", 4, "C")},
                            {"CDFILIAL", "CDCIA", "NRVOO", "CDTRECHO", "CDCLASSE"},
                            classRules()};
  return d;
}

}  // namespace zor::server
