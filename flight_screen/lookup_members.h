// The lookup queries TfrmVoo uses, their data sources and the result
// fields its handlers read (named query name + field name), as
// X(component type, name): one list from which the screen declares its
// pointers and binds them by name to the components the query catalogue
// creates.
#pragma once

#define ZOR_FLIGHT_LOOKUP_MEMBERS(X) \
  X(TADOIBQuery, qryFilial)     \
  X(TADOIBQuery, qryCompanhia)  \
  X(TADOIBQuery, qryEquipCia)   \
  X(TADOIBQuery, qryPrefixoCia) \
  X(TADOIBQuery, qryBase)       \
  X(TADOIBQuery, qryValidBase)  \
  X(TADOIBQuery, qryValidClass) \
  X(TADOIBQuery, qryTestaVoo)   \
  X(TADOIBQuery, qryPesqClasse) \
  X(TADOIBQuery, qryEquipPesq)  \
  X(TADOIBQuery, qryPrefPesq)   \
  X(TDataSource, dtsFilial)     \
  X(TDataSource, dtsCompanhia)  \
  X(TDataSource, dtsEquipCia)   \
  X(TDataSource, dtsPrefixoCia) \
  X(TDataSource, dtsBase)       \
  X(TDataSource, dtsValidBase)  \
  X(TDataSource, dtsValidClass) \
  X(TDataSource, dtsTestaVoo)   \
  X(TDataSource, dtsPesqClasse) \
  X(TDataSource, dtsEquipPesq)  \
  X(TDataSource, dtsPrefPesq)   \
  X(TField, qryCompanhiaCDCIA)  \
  X(TField, qryBaseCDBASE)
