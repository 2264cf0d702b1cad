# flags: --branch 0001
# backends: sqlite pg
# The grid tab's menu item reads "&Vôo(s)". The record tab is open exactly
# while there is a flight to show: deleting the last flight (from the
# record tab itself) closes it and brings the grid tab back, and so does
# a Check that finds no flight.
open
expect mnuFolhaDados.Caption "&Vôo(s)"
type medSgCia CRZ
focus dbgPadrao
expect cdsVoo.RecordCount 2

# Deleting both flights from the record tab.
select pgcPadrao tshFormulario
answer yes
click sbtExcluir
expect question "Este vôo possui trecho(s) que também será(ão) excluído(s). Confirma exclusão?"
expect no-message
expect cdsVoo.RecordCount 1
expect tshFormulario.Enabled true
select pgcPadrao tshFormulario
answer yes
click sbtExcluir
expect question "Este vôo possui trecho(s) que também será(ão) excluído(s). Confirma exclusão?"
expect no-message
expect cdsVoo.IsEmpty true
expect tshFormulario.Enabled false
expect mnuFormulario.Enabled false
expect pgcPadrao.ActivePage tshFolhaDados

# Check on the empty list keeps the record tab closed.
click sbtVerificar
expect cdsVoo.IsEmpty true
expect tshFormulario.Enabled false
expect pgcPadrao.ActivePage tshFolhaDados
