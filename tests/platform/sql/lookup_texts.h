// The screen's eleven lookup query texts, line for line as the screen keeps
// them, per dialect (empty: the dialect runs SQL). Kept here as test data so
// the drivers are checked against exactly what the screen will send.
#pragma once

#include <string>
#include <vector>

namespace sqltest {

struct LookupText {
  std::string Name;
  std::string Sql, SqlOracle, SqlMsSql, SqlIb;
};

inline const std::vector<LookupText>& LookupTexts() {
  static const std::vector<LookupText> texts = {
      {"qryFilial",
       "SELECT CDFILIAL, NMFILIAL, IDCNTRRESC\n"
       "FROM FILIAL, PARAM(:P_CDFILIAL) P1\n"
       "WHERE CDFILIAL = NVLSTR(P1.PARAM, CDFILIAL)\n"
       "ORDER BY CDFILIAL",
       "SELECT CDFILIAL, NMFILIAL, IDCNTRRESC\n"
       "FROM FILIAL\n"
       "WHERE CDFILIAL = NVL(:P_CDFILIAL, CDFILIAL)\n"
       "ORDER BY CDFILIAL ",
       "SELECT CDFILIAL, NMFILIAL, IDCNTRRESC\n"
       "FROM FILIAL\n"
       "WHERE CDFILIAL = ISNULL(:P_CDFILIAL, CDFILIAL)\n"
       "ORDER BY CDFILIAL",
       "SELECT CDFILIAL, NMFILIAL, IDCNTRRESC\n"
       "FROM FILIAL, PARAM(:P_CDFILIAL) P1\n"
       "WHERE CDFILIAL = NVLSTR(P1.PARAM, CDFILIAL)\n"
       "ORDER BY CDFILIAL"},
      {"qryCompanhia",
       "SELECT CO.CDCIA, UPPER(SGCIA) SGCIA, NMCIA\n"
       "FROM COMPANHIA CO, CIAFILI CI\n"
       "WHERE (CI.CDCIA = CO.CDCIA) AND\n"
       "      ((SGCIA = :P_SGCIA) OR (:P_TSGCIA = 'T')) AND\n"
       "      (CI.CDFILIAL = :P_CDFILIAL)\n"
       "ORDER BY SGCIA",
       "", "", ""},
      {"qryEquipCia",
       "SELECT\n"
       "   EQ.CDEQUIP,\n"
       "   EQ.SGEQUIP,\n"
       "   EQ.DSEQUIP\n"
       "FROM\n"
       "   EQUIPAMENTO EQ,\n"
       "   EQUIPCIA EQC\n"
       "WHERE\n"
       "  (EQ.CDEQUIP = EQC.CDEQUIP) AND\n"
       "  (EQC.CDCIA  = :P_CDCIA) AND\n"
       "  (EQC.CDFILIAL = :P_CDFILIAL)\n"
       "ORDER BY\n"
       "   SGEQUIP",
       "", "",
       "SELECT\n"
       "   EQ.CDEQUIP,\n"
       "   EQ.SGEQUIP,\n"
       "   EQ.DSEQUIP\n"
       "FROM\n"
       "   EQUIPAMENTO EQ,\n"
       "   EQUIPCIA EQC\n"
       "WHERE\n"
       "  (EQ.CDEQUIP = EQC.CDEQUIP) AND\n"
       "  (EQC.CDCIA  = :P_CDCIA) AND\n"
       "  (EQC.CDFILIAL = :P_CDFILIAL)\n"
       "ORDER BY\n"
       "   SGEQUIP"},
      {"qryPrefixoCia",
       "SELECT PF.CDCIA,PF.CDEQUIP,PF.SGPREFIXO,\n"
       "               EQ.SGEQUIP,EQ.DSEQUIP\n"
       "FROM PREFIXOCIA PF, EQUIPAMENTO EQ, PARAM(:P_SGPREFIXO) P1\n"
       "WHERE (PF.CDFILIAL = :P_CDFILIAL) AND\n"
       "               (PF.CDCIA   = :P_CDCIA  ) AND\n"
       "               (PF.CDEQUIP = :P_CDEQUIP) AND\n"
       "               (EQ.CDEQUIP = :P_CDEQUIP) AND\n"
       "               (PF.SGPREFIXO = NVLSTR(P1.PARAM, PF.SGPREFIXO))\n"
       "ORDER BY PF.SGPREFIXO,EQ.SGEQUIP",
       "SELECT PF.CDCIA,PF.CDEQUIP,PF.SGPREFIXO,\n"
       "               EQ.SGEQUIP,EQ.DSEQUIP\n"
       "FROM PREFIXOCIA PF, EQUIPAMENTO EQ\n"
       "WHERE (PF.CDFILIAL = :P_CDFILIAL) AND\n"
       "      (PF.CDCIA   = :P_CDCIA  ) AND\n"
       "      (PF.CDEQUIP = :P_CDEQUIP) AND\n"
       "      (EQ.CDEQUIP = :P_CDEQUIP) AND\n"
       "      (PF.SGPREFIXO = NVL(:P_SGPREFIXO, PF.SGPREFIXO))\n"
       "ORDER BY PF.SGPREFIXO,EQ.SGEQUIP ",
       "SELECT PF.CDCIA,PF.CDEQUIP,PF.SGPREFIXO,\n"
       "               EQ.SGEQUIP,EQ.DSEQUIP\n"
       "FROM PREFIXOCIA PF, EQUIPAMENTO EQ\n"
       "WHERE (PF.CDFILIAL = :P_CDFILIAL) AND\n"
       "               (PF.CDCIA   = :P_CDCIA  ) AND\n"
       "               (PF.CDEQUIP = :P_CDEQUIP) AND\n"
       "               (EQ.CDEQUIP = :P_CDEQUIP) AND\n"
       "               (PF.SGPREFIXO = ISNULL(:P_SGPREFIXO, PF.SGPREFIXO))\n"
       "ORDER BY PF.SGPREFIXO,EQ.SGEQUIP",
       "SELECT PF.CDCIA,PF.CDEQUIP,PF.SGPREFIXO,\n"
       "               EQ.SGEQUIP,EQ.DSEQUIP\n"
       "FROM PREFIXOCIA PF, EQUIPAMENTO EQ, PARAM(:P_SGPREFIXO) P1\n"
       "WHERE (PF.CDFILIAL = :P_CDFILIAL) AND\n"
       "               (PF.CDCIA   = :P_CDCIA  ) AND\n"
       "               (PF.CDEQUIP = :P_CDEQUIP) AND\n"
       "               (EQ.CDEQUIP = :P_CDEQUIP) AND\n"
       "               (PF.SGPREFIXO = NVLSTR(P1.PARAM, PF.SGPREFIXO))\n"
       "ORDER BY PF.SGPREFIXO,EQ.SGEQUIP"},
      {"qryBase",
       "SELECT CDBASE, SGBASE, DSBASE\n"
       "FROM BASE, PARAM(:P_SGBASE) P1\n"
       "WHERE (SGBASE = NVLSTR(P1.PARAM,SGBASE))\n"
       "ORDER BY SGBASE",
       "SELECT CDBASE, SGBASE, DSBASE\n"
       "FROM BASE\n"
       "WHERE (SGBASE = NVL(:P_SGBASE,SGBASE))\n"
       "ORDER BY SGBASE",
       "SELECT CDBASE, SGBASE, DSBASE\n"
       "FROM BASE\n"
       "WHERE (SGBASE = ISNULL(:P_SGBASE,SGBASE))\n"
       "ORDER BY SGBASE",
       "SELECT CDBASE, SGBASE, DSBASE\n"
       "FROM BASE, PARAM(:P_SGBASE) P1\n"
       "WHERE (SGBASE = NVLSTR(P1.PARAM,SGBASE))\n"
       "ORDER BY SGBASE"},
      {"qryValidBase",
       "SELECT\n"
       "   NRVOO\n"
       "FROM\n"
       "   VOOTRECHO\n"
       "WHERE\n"
       "   (CDFILIAL = :P_CDFILIAL) AND\n"
       "   (CDCIA    = :P_CDCIA) AND\n"
       "   (NRVOO    = :P_NRVOO) AND\n"
       "   (CDBASEORI||CDBASEDES = :P_BASES)",
       "", "", ""},
      {"qryValidClass",
       "SELECT CV.CDCLASSE\n"
       "FROM CLASSEVOO CV\n"
       "WHERE (CV.CDFILIAL = :P_CDFILIAL) AND\n"
       "               (CV.CDCIA    = :P_CDCIA   ) AND\n"
       "               (CV.NRVOO    = :P_NRVOO   ) AND\n"
       "               (CV.CDTRECHO = :P_CDTRECHO) AND\n"
       "               (CV.CDCLASSE = :P_CDCLASSE)",
       "", "", ""},
      {"qryTestaVoo",
       "SELECT NRVOO\n"
       "FROM VOO\n"
       "WHERE (CDFILIAL = :CDFILIAL) AND\n"
       "      (CDCIA    = :CDCIA   ) AND\n"
       "      (NRVOO    = :NRVOO   )",
       "", "", ""},
      {"qryPesqClasse",
       "SELECT CL.CDCLASSE,CL.SGCLASSE,CC.CDFILIAL\n"
       "FROM CLASSECIA CC, CLASSE CL\n"
       "WHERE (CC.CDCIA    = :CDCIA) AND\n"
       "      (CC.CDFILIAL = :CDFILIAL) AND\n"
       "      (CC.CDCLASSE = CL.CDCLASSE)",
       "", "", ""},
      {"qryEquipPesq",
       "SELECT EC.CDEQUIP\n"
       "FROM  EQUIPCIA EC, EQUIPAMENTO EQ \n"
       "WHERE \n"
       "      (EC.CDFILIAL = :P_CDFILIAL) AND\n"
       "      (EC.CDCIA   = :P_CDCIA  ) AND\n"
       "      (EC.CDEQUIP = EQ.CDEQUIP) AND\n"
       "      (EQ.SGEQUIP  = :P_SGEQUIP) ",
       "", "", ""},
      {"qryPrefPesq",
       "SELECT PF.CDCIA,PF.CDEQUIP,PF.SGPREFIXO,\n"
       "       EQ.SGEQUIP,EQ.DSEQUIP\n"
       "FROM PREFIXOCIA PF, EQUIPAMENTO EQ\n"
       "WHERE \n"
       "      (PF.CDFILIAL = :P_CDFILIAL) AND\n"
       "      (PF.CDCIA   = :P_CDCIA  ) AND\n"
       "      (PF.CDEQUIP = :P_CDEQUIP) AND\n"
       "      (EQ.CDEQUIP = :P_CDEQUIP) AND\n"
       "      (UPPER(PF.SGPREFIXO) = UPPER(:P_SGPREFIXO))\n"
       "ORDER BY PF.SGPREFIXO,EQ.SGEQUIP",
       "", "", ""},
  };
  return texts;
}

inline const LookupText& LookupTextOf(const std::string& name) {
  for (auto& t : LookupTexts())
    if (t.Name == name) return t;
  throw std::out_of_range(name);
}

}  // namespace sqltest
