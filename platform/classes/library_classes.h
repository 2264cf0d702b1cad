// Form definitions may name the non-visual classes of the data, library and
// server-connection layers once RegisterLibraryClasses() has run:
//
//   cdsVoo: TClientDataSet                 LogChanges, ReadOnly, and the dataset
//     AfterPost = cdsVooAfterPost          events Before/After Open, Close, Insert,
//                                          Edit, Post, Cancel, Delete, Scroll,
//                                          OnNewRecord, OnPostError, OnDeleteError
//   cdsVooNRVOO: TStringField in cdsVoo    a persistent field of that dataset
//     FieldName = "NRVOO"                  TStringField, TIntegerField, TFloatField,
//     Size = 5                             TDateTimeField, TBooleanField
//     DisplayLabel = "Vôo"                 Visible, Required, ReadOnly, EditMask,
//     OnGetText = h   OnSetText = h        DisplayWidth, Alignment, Precision (float),
//     OnValidate = h  OnChange = h         DisplayFormat (float, date-time)
//   btnPesqFilial: TBtnPesquisa in panX    a lookup button: Associate, Title,
//     OnBeforePesq = h  OnAfterPesq = h  OnCancelPesq = h    DataSource, EmptyError (+ speed button)
//   netVooTrecho: TNetConnection           ServerName, Host, Port, ThrowException,
//     BeforeConnect = h                    AfterConnect, AfterDisconnect
//
// Calling it again does nothing.
#pragma once

namespace zor::plat {

void RegisterLibraryClasses();

}  // namespace zor::plat
