// The lookup queries of the flight screen: for each, its SQL text per
// database dialect exactly as stored (line by line, trailing blanks
// included), its result fields and the data source that shows it.
// Generated once from the query designs; edit with care, the texts are
// compared line by line by the tests.
#include "data_access/query_catalogue.h"

namespace zor::data_access {

const std::vector<QueryDefinition>& QueryCatalogue() {
  static const std::vector<QueryDefinition> kCatalogue = {
      {"qryFilial",
       "dtsFilial",
       /*SQL*/ {"SELECT CDFILIAL, NMFILIAL, IDCNTRRESC", "FROM FILIAL, PARAM(:P_CDFILIAL) P1", "WHERE CDFILIAL = NVLSTR(P1.PARAM, CDFILIAL)", "ORDER BY CDFILIAL"},
       /*SQL_ORACLE*/ {"SELECT CDFILIAL, NMFILIAL, IDCNTRRESC", "FROM FILIAL", "WHERE CDFILIAL = NVL(:P_CDFILIAL, CDFILIAL)", "ORDER BY CDFILIAL "},
       /*SQL_MSSQL*/ {"SELECT CDFILIAL, NMFILIAL, IDCNTRRESC", "FROM FILIAL", "WHERE CDFILIAL = ISNULL(:P_CDFILIAL, CDFILIAL)", "ORDER BY CDFILIAL"},
       /*SQL_IB*/ {"SELECT CDFILIAL, NMFILIAL, IDCNTRRESC", "FROM FILIAL, PARAM(:P_CDFILIAL) P1", "WHERE CDFILIAL = NVLSTR(P1.PARAM, CDFILIAL)", "ORDER BY CDFILIAL"},
       {{"CDFILIAL", 4, "Código", true, false}, {"NMFILIAL", 30, "Nome", true, false}, {"IDCNTRRESC", 1, "", false, false}}},
      {"qryCompanhia",
       "dtsCompanhia",
       /*SQL*/ {"SELECT CO.CDCIA, UPPER(SGCIA) SGCIA, NMCIA", "FROM COMPANHIA CO, CIAFILI CI", "WHERE (CI.CDCIA = CO.CDCIA) AND", "      ((SGCIA = :P_SGCIA) OR (:P_TSGCIA = 'T')) AND", "      (CI.CDFILIAL = :P_CDFILIAL)", "ORDER BY SGCIA"},
       /*SQL_ORACLE*/ {},
       /*SQL_MSSQL*/ {},
       /*SQL_IB*/ {},
       {{"CDCIA", 4, "", false, false}, {"SGCIA", 5, "Sigla", true, false}, {"NMCIA", 50, "Nome", true, false}}},
      {"qryEquipCia",
       "dtsEquipCia",
       /*SQL*/ {"SELECT", "   EQ.CDEQUIP,", "   EQ.SGEQUIP,", "   EQ.DSEQUIP", "FROM", "   EQUIPAMENTO EQ,", "   EQUIPCIA EQC", "WHERE", "  (EQ.CDEQUIP = EQC.CDEQUIP) AND", "  (EQC.CDCIA  = :P_CDCIA) AND", "  (EQC.CDFILIAL = :P_CDFILIAL)", "ORDER BY", "   SGEQUIP"},
       /*SQL_ORACLE*/ {},
       /*SQL_MSSQL*/ {},
       /*SQL_IB*/ {"SELECT", "   EQ.CDEQUIP,", "   EQ.SGEQUIP,", "   EQ.DSEQUIP", "FROM", "   EQUIPAMENTO EQ,", "   EQUIPCIA EQC", "WHERE", "  (EQ.CDEQUIP = EQC.CDEQUIP) AND", "  (EQC.CDCIA  = :P_CDCIA) AND", "  (EQC.CDFILIAL = :P_CDFILIAL)", "ORDER BY", "   SGEQUIP"},
       {{"CDEQUIP", 4, "", false, false}, {"SGEQUIP", 10, "Sigla", true, false}, {"DSEQUIP", 30, "Descrição", true, false}}},
      {"qryPrefixoCia",
       "dtsPrefixoCia",
       /*SQL*/ {"SELECT PF.CDCIA,PF.CDEQUIP,PF.SGPREFIXO,", "               EQ.SGEQUIP,EQ.DSEQUIP", "FROM PREFIXOCIA PF, EQUIPAMENTO EQ, PARAM(:P_SGPREFIXO) P1", "WHERE (PF.CDFILIAL = :P_CDFILIAL) AND", "               (PF.CDCIA   = :P_CDCIA  ) AND", "               (PF.CDEQUIP = :P_CDEQUIP) AND", "               (EQ.CDEQUIP = :P_CDEQUIP) AND", "               (PF.SGPREFIXO = NVLSTR(P1.PARAM, PF.SGPREFIXO))", "ORDER BY PF.SGPREFIXO,EQ.SGEQUIP"},
       /*SQL_ORACLE*/ {"SELECT PF.CDCIA,PF.CDEQUIP,PF.SGPREFIXO,", "               EQ.SGEQUIP,EQ.DSEQUIP", "FROM PREFIXOCIA PF, EQUIPAMENTO EQ", "WHERE (PF.CDFILIAL = :P_CDFILIAL) AND", "      (PF.CDCIA   = :P_CDCIA  ) AND", "      (PF.CDEQUIP = :P_CDEQUIP) AND", "      (EQ.CDEQUIP = :P_CDEQUIP) AND", "      (PF.SGPREFIXO = NVL(:P_SGPREFIXO, PF.SGPREFIXO))", "ORDER BY PF.SGPREFIXO,EQ.SGEQUIP "},
       /*SQL_MSSQL*/ {"SELECT PF.CDCIA,PF.CDEQUIP,PF.SGPREFIXO,", "               EQ.SGEQUIP,EQ.DSEQUIP", "FROM PREFIXOCIA PF, EQUIPAMENTO EQ", "WHERE (PF.CDFILIAL = :P_CDFILIAL) AND", "               (PF.CDCIA   = :P_CDCIA  ) AND", "               (PF.CDEQUIP = :P_CDEQUIP) AND", "               (EQ.CDEQUIP = :P_CDEQUIP) AND", "               (PF.SGPREFIXO = ISNULL(:P_SGPREFIXO, PF.SGPREFIXO))", "ORDER BY PF.SGPREFIXO,EQ.SGEQUIP"},
       /*SQL_IB*/ {"SELECT PF.CDCIA,PF.CDEQUIP,PF.SGPREFIXO,", "               EQ.SGEQUIP,EQ.DSEQUIP", "FROM PREFIXOCIA PF, EQUIPAMENTO EQ, PARAM(:P_SGPREFIXO) P1", "WHERE (PF.CDFILIAL = :P_CDFILIAL) AND", "               (PF.CDCIA   = :P_CDCIA  ) AND", "               (PF.CDEQUIP = :P_CDEQUIP) AND", "               (EQ.CDEQUIP = :P_CDEQUIP) AND", "               (PF.SGPREFIXO = NVLSTR(P1.PARAM, PF.SGPREFIXO))", "ORDER BY PF.SGPREFIXO,EQ.SGEQUIP"},
       {{"SGPREFIXO", 10, "Prefixo", true, false}, {"SGEQUIP", 10, "Equipamento", true, false}, {"DSEQUIP", 30, "", false, false}, {"CDCIA", 4, "", false, false}, {"CDEQUIP", 4, "", false, false}}},
      {"qryBase",
       "dtsBase",
       /*SQL*/ {"SELECT CDBASE, SGBASE, DSBASE", "FROM BASE, PARAM(:P_SGBASE) P1", "WHERE (SGBASE = NVLSTR(P1.PARAM,SGBASE))", "ORDER BY SGBASE"},
       /*SQL_ORACLE*/ {"SELECT CDBASE, SGBASE, DSBASE", "FROM BASE", "WHERE (SGBASE = NVL(:P_SGBASE,SGBASE))", "ORDER BY SGBASE"},
       /*SQL_MSSQL*/ {"SELECT CDBASE, SGBASE, DSBASE", "FROM BASE", "WHERE (SGBASE = ISNULL(:P_SGBASE,SGBASE))", "ORDER BY SGBASE"},
       /*SQL_IB*/ {"SELECT CDBASE, SGBASE, DSBASE", "FROM BASE, PARAM(:P_SGBASE) P1", "WHERE (SGBASE = NVLSTR(P1.PARAM,SGBASE))", "ORDER BY SGBASE"},
       {{"CDBASE", 4, "", false, false}, {"SGBASE", 5, "Sigla", true, false}, {"DSBASE", 30, "Descrição", true, false}}},
      {"qryValidBase",
       "dtsValidBase",
       /*SQL*/ {"SELECT", "   NRVOO", "FROM", "   VOOTRECHO", "WHERE", "   (CDFILIAL = :P_CDFILIAL) AND", "   (CDCIA    = :P_CDCIA) AND", "   (NRVOO    = :P_NRVOO) AND", "   (CDBASEORI||CDBASEDES = :P_BASES)"},
       /*SQL_ORACLE*/ {},
       /*SQL_MSSQL*/ {},
       /*SQL_IB*/ {},
       {{"NRVOO", 5, "", true, true}}},
      {"qryValidClass",
       "dtsValidClass",
       /*SQL*/ {"SELECT CV.CDCLASSE", "FROM CLASSEVOO CV", "WHERE (CV.CDFILIAL = :P_CDFILIAL) AND", "               (CV.CDCIA    = :P_CDCIA   ) AND", "               (CV.NRVOO    = :P_NRVOO   ) AND", "               (CV.CDTRECHO = :P_CDTRECHO) AND", "               (CV.CDCLASSE = :P_CDCLASSE)"},
       /*SQL_ORACLE*/ {},
       /*SQL_MSSQL*/ {},
       /*SQL_IB*/ {},
       {}},
      {"qryTestaVoo",
       "dtsTestaVoo",
       /*SQL*/ {"SELECT NRVOO", "FROM VOO", "WHERE (CDFILIAL = :CDFILIAL) AND", "      (CDCIA    = :CDCIA   ) AND", "      (NRVOO    = :NRVOO   )"},
       /*SQL_ORACLE*/ {},
       /*SQL_MSSQL*/ {},
       /*SQL_IB*/ {},
       {{"NRVOO", 5, "", true, false}}},
      {"qryPesqClasse",
       "dtsPesqClasse",
       /*SQL*/ {"SELECT CL.CDCLASSE,CL.SGCLASSE,CC.CDFILIAL", "FROM CLASSECIA CC, CLASSE CL", "WHERE (CC.CDCIA    = :CDCIA) AND", "      (CC.CDFILIAL = :CDFILIAL) AND", "      (CC.CDCLASSE = CL.CDCLASSE)"},
       /*SQL_ORACLE*/ {},
       /*SQL_MSSQL*/ {},
       /*SQL_IB*/ {},
       {{"CDCLASSE", 4, "Código", true, false}, {"SGCLASSE", 5, "Sigla", true, false}}},
      {"qryEquipPesq",
       "dtsEquipPesq",
       /*SQL*/ {"SELECT EC.CDEQUIP", "FROM  EQUIPCIA EC, EQUIPAMENTO EQ ", "WHERE ", "      (EC.CDFILIAL = :P_CDFILIAL) AND", "      (EC.CDCIA   = :P_CDCIA  ) AND", "      (EC.CDEQUIP = EQ.CDEQUIP) AND", "      (EQ.SGEQUIP  = :P_SGEQUIP) "},
       /*SQL_ORACLE*/ {},
       /*SQL_MSSQL*/ {},
       /*SQL_IB*/ {},
       {{"CDEQUIP", 4, "", true, true}}},
      {"qryPrefPesq",
       "dtsPrefPesq",
       /*SQL*/ {"SELECT PF.CDCIA,PF.CDEQUIP,PF.SGPREFIXO,", "       EQ.SGEQUIP,EQ.DSEQUIP", "FROM PREFIXOCIA PF, EQUIPAMENTO EQ", "WHERE ", "      (PF.CDFILIAL = :P_CDFILIAL) AND", "      (PF.CDCIA   = :P_CDCIA  ) AND", "      (PF.CDEQUIP = :P_CDEQUIP) AND", "      (EQ.CDEQUIP = :P_CDEQUIP) AND", "      (UPPER(PF.SGPREFIXO) = UPPER(:P_SGPREFIXO))", "ORDER BY PF.SGPREFIXO,EQ.SGEQUIP"},
       /*SQL_ORACLE*/ {},
       /*SQL_MSSQL*/ {},
       /*SQL_IB*/ {},
       {{"CDCIA", 4, "", true, true}, {"CDEQUIP", 4, "", true, false}, {"SGPREFIXO", 10, "", true, true}, {"SGEQUIP", 10, "", true, false}, {"DSEQUIP", 30, "", true, false}}},
  };
  return kCatalogue;
}

const QueryDefinition* FindQueryDefinition(std::string_view name) {
  for (const QueryDefinition& q : QueryCatalogue())
    if (q.Name == name) return &q;
  return nullptr;
}

}  // namespace zor::data_access
