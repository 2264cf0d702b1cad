# flags: --branch 0001
# backends: sqlite pg
# A leg added in the leg grid goes into the flight, which is posted ahead of
# it; the take-off time is demanded, the landing time is not; the server
# numbers the new leg and Check reads it back. A new leg may not repeat a
# pair of bases of its flight. A leg of a two-leg flight is deleted with the
# leg delete button and stays deleted; the one left cannot go.
open
type medSgCia ABR
focus dbgPadrao
expect cdsVoo.NRVOO 1000
expect cdstrechoo.RecordCount 4
select pgcPadrao tshFormulario
focus dbgVooTrecho
click sbtIncluir
expect cdstrechoo.State dsInsert
expect cdsVoo.State dsEdit
expect dbgVooTrecho.SelectedField SGBASEORI
expect cdstrechoo.IDTIPAJUSFAT "Plano Vôo Atual"
expect cdstrechoo.IDSITVOOTRE Ativo

type dbgVooTrecho CNF
cell dbgVooTrecho 1 SGBASEDES
type dbgVooTrecho GRU
cell dbgVooTrecho 1 HRPOUSOVOO
click sbtConfirmar
expect message "Hora de decolagem do vôo deve ser informada."
expect dbgVooTrecho.SelectedField HRDECOLVOO
expect cdstrechoo.State dsInsert
type dbgVooTrecho 22:10
click sbtConfirmar
expect no-message
expect cdstrechoo.State dsBrowse
expect cdsVoo.State dsBrowse
expect cdstrechoo.RecordCount 5
expect cdstrechoo.CDTRECHO 0001

# Check reads the legs again from the server: the new leg is there.
focus dbgVooTrecho
click sbtVerificar
expect cdsVoo.NRVOO 1000
expect cdstrechoo.RecordCount 5
cell dbgVooTrecho 5 SGBASEORI
expect cdstrechoo.CDTRECHO 0005
expect cdstrechoo.SGBASEORI CNF
expect cdstrechoo.SGBASEDES GRU
expect cdstrechoo.HRDECOLVOO 22:10
expect cdstrechoo.HRPOUSOVOO:value null

# A repeated pair of bases.
cell dbgVooTrecho 1 SGBASEORI
click sbtIncluir
type dbgVooTrecho GRU
cell dbgVooTrecho 1 SGBASEDES
type dbgVooTrecho BSB
cell dbgVooTrecho 1 HRDECOLVOO
type dbgVooTrecho 09:00
click sbtConfirmar
expect message "Trecho já cadastrado."
expect cdstrechoo.State dsInsert
answer yes
click sbtCancelar
expect cdstrechoo.State dsBrowse
expect cdsVoo.State dsBrowse
expect cdstrechoo.RecordCount 5

# Flight 1001 has two legs: one goes, the last one stays.
find NRVOO 1001
click sbtProcurar
expect cdsVoo.NRVOO 1001
expect cdstrechoo.RecordCount 2
focus dbgVooTrecho
click sbtExluTrecho
expect question "Confirmar exclusão do trecho?"
expect cdstrechoo.RecordCount 2
answer yes
click sbtExluTrecho
expect question "Confirmar exclusão do trecho?"
expect no-message
expect cdstrechoo.RecordCount 1
expect cdsVoo.NRVOO 1001
focus dbgVooTrecho
click sbtVerificar
expect cdstrechoo.RecordCount 1
click sbtExluTrecho
expect message "Exclusão não permitida, pois o vôo só possui este trecho."
expect cdstrechoo.RecordCount 1
