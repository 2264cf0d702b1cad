# flags: --branch 0001
# backends: sqlite pg
# A new flight typed on the record tab with its first leg typed in the leg
# grid: a number already registered is refused when its edit is left, a
# flight without a leg is refused with the record tab in front and the leg
# grid focused, and once the leg is there Confirm saves both. Check reloads
# from the server and the flight is found there with its leg.
open
type medSgCia ABR
focus dbgPadrao
click sbtIncluir
expect cdsVoo.State dsInsert
expect dbeNrVoo.Focused true
expect ccbDiario.Checked false
expect ccbAbast.Checked true
expect ccbAtend.Checked false

type dbeNrVoo 1000
focus dbeSgEquip
expect message "Vôo já cadastrado."
expect dbeNrVoo.Focused true

type dbeNrVoo 5000
type dbeSgEquip A320
type dbeSgPrefixo PR-ACA
type dbeKDTCarrego 07:30
type dbeKDTDescarrego 08:00
type dbeTurnoProd 01
focus dbeDiasProducao
expect cdsVoo.DSTURNO "Manhã (06h às 14h)"
click dcbSeg
click dcbQua
expect no-message

# No leg yet.
focus dbeNrVoo
click sbtConfirmar
expect message "Vôo deve possuir no mínimo 1 trecho."
expect pgcPadrao.ActivePage tshFormulario
expect dbgVooTrecho.Focused true
expect cdsVoo.State dsInsert

# The first leg, typed in the grid (the command bar is closed while the
# flight is inserted: the grid starts the leg).
key dbgVooTrecho Insert
expect cdstrechoo.State dsInsert
cell dbgVooTrecho 1 SGBASEORI
type dbgVooTrecho GRU
cell dbgVooTrecho 1 SGBASEDES
type dbgVooTrecho SSA
cell dbgVooTrecho 1 HRDECOLVOO
type dbgVooTrecho 10:00
cell dbgVooTrecho 1 HRPOUSOVOO
type dbgVooTrecho 12:20
cell dbgVooTrecho 1 SGBASEORI
expect no-message

click sbtConfirmar
expect no-message
expect cdsVoo.State dsBrowse
expect cdstrechoo.State dsBrowse
expect cdsVoo.NRVOO 5000
expect cdsVoo.RecordCount 301

# Reloaded from the server, the flight is there with its leg.
select pgcPadrao tshFolhaDados
focus dbgPadrao
click sbtVerificar
expect cdsVoo.RecordCount 301
expect cdsVoo.NRVOO 1000
find NRVOO 5000
click sbtProcurar
expect cdsVoo.NRVOO 5000
expect cdsVoo.SGEQUIP A320
expect cdsVoo.SGPREFIXO PR-ACA
expect cdsVoo.QTHRKDTCAR:value 0730
expect cdsVoo.IDVOOSEG:value 1
expect cdsVoo.IDVOOQUA:value 1
expect cdsVoo.IDVOOTER:value 2
expect cdsVoo.IDINCDESDESV Incide
expect cdstrechoo.RecordCount 1
expect cdstrechoo.SGBASEORI GRU
expect cdstrechoo.SGBASEDES SSA
expect cdstrechoo.HRDECOLVOO 10:00
expect no-message
