// The data-aware controls in form definitions, and the data-aware pieces of
// the base maintenance form.
//
// RegisterDataControls() registers TDBEdit, TDBDateEditPlus, TDBText,
// TDBCheckBox, TDBComboBox, TDBRadioGroup, TDBNavigator and TDBGrid (and
// TDataSource, when no other layer registered it yet) with the component
// class registry, and adds to every TfrmPadrao the data source dtsPadrao,
// the grid dbgPadrao (in scbFolhaDados), the navigator dbnPadrao and the
// label dbtNome (in panNavigator); the base form's Change and Find
// commands then act on dtsPadrao's dataset (edit, search). It runs by
// itself when the grid's or the edit's code is linked into the program;
// calling it again does nothing.
//
// Properties, beside those of the plain control each class extends:
//   all data-aware controls   DataSource = dtsVoo   DataField = "NRVOO"
//                             ReadOnly = true
//   TDBEdit                   EditMask = "!99:99;1; " (else the field's)
//   TDBDateEditPlus           ValidColor = clBlue
//                             DayNames = ["Domingo", ..., "Sábado"]
//   TDBCheckBox               ValueChecked = "1"   ValueUnchecked = "2"
//   TDBRadioGroup             Values = ["1", "2"]  (one per item)
//   TDBNavigator              VisibleButtons = [nbFirst, nbPrior, nbNext, nbLast]
//                             ConfirmDelete = false
//                             BeforeAction = h   OnClick = h   (TNavClickEvent)
//   TDBGrid                   Options = [dgEditing, dgTitles, ...]  (+= adds)
//                             ReadOnly, DefaultDrawing, DefaultRowHeight
//                             TitleFont.Bold / .Italic / .Color / .Name / .Size
//                             OnDrawColumnCell, OnEditButtonClick, OnColEnter,
//                             OnColExit, OnCellClick, OnTitleClick
//
// Grid columns, one entry per line: `Columns += "FIELD"` adds a column
// showing that field (a list adds several; `Columns = []` goes back to the
// default columns), and the `Column.` properties that follow set the
// column added last:
//
//   dbgVooTrecho: TDBGrid in GroupBox1
//     DataSource = dtsTrecho
//     Columns += "SGBASEORI"
//     Column.ButtonStyle = cbsEllipsis      cbsAuto, cbsEllipsis, cbsNone
//     Columns += "IDTIPAJUSFAT"
//     Column.PickList = ["Plano Vôo Atual", "Plano Vôo GMT"]
//     Column.Title.Caption = "Horário Zulu"
//     Column.Width = 66
//
// Column properties: FieldName, Title.Caption, Title.Alignment,
// Title.Font.Bold, Title.Font.Color, Title.Color, PickList, ButtonStyle,
// ReadOnly, Width, Alignment (taLeftJustify, taRightJustify, taCenter),
// Visible, Color, Font.Bold, Font.Italic, Font.Color.
#pragma once

namespace zor::plat {

void RegisterDataControls();

}  // namespace zor::plat
