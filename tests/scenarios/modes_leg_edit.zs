# flags: --branch 0001
# With the leg grid focused, Insert starts a leg of the current flight,
# not a flight: the commands, the navigator and the class tab lock, the
# flight goes into edit with its new leg (so that it is posted ahead of it),
# which locks the context strip and keeps its number locked, and the record
# tab stays where it is. Change with the leg grid focused edits the flight
# and the leg, which locks the strip as well.
open
type medSgCia ABR
focus dbgPadrao
cell dbgPadrao 2 NRVOO
expect cdsVoo.NRVOO 1001
expect cdstrechoo.RecordCount 2
select pgcPadrao tshFormulario
focus dbgVooTrecho

# A leg being inserted.
click sbtIncluir
expect cdstrechoo.State dsInsert
expect cdsVoo.State dsEdit
expect cdsVoo.NRVOO 1001
expect pgcPadrao.ActivePage tshFormulario
expect sbtIncluir.Enabled false
expect sbtAlterar.Enabled false
expect sbtExcluir.Enabled false
expect sbtProcurar.Enabled false
expect sbtVerificar.Enabled false
expect mnuIncluir.Enabled false
expect mnuVerificar.Enabled false
expect sbtConfirmar.Enabled true
expect sbtCancelar.Enabled true
expect dbnPadrao.Enabled false
expect tshConfigVoo.Enabled false
expect mnuConfigVoo.Enabled false
expect medSgCia.Enabled false
expect btpCompanhia.Enabled false
expect medCdFilial.Enabled false
expect dbeNrVoo.Enabled false

# One question cancels the leg and the flight's edit.
answer yes
click sbtCancelar
expect question "Deseja cancelar as alterações?"
expect cdstrechoo.State dsBrowse
expect cdsVoo.State dsBrowse
expect cdstrechoo.RecordCount 2
expect medSgCia.Enabled true
expect sbtIncluir.Enabled true
expect sbtConfirmar.Enabled false
expect dbnPadrao.Enabled true
expect tshConfigVoo.Enabled true

# A leg being edited, with its flight.
focus dbgVooTrecho
click sbtAlterar
expect cdsVoo.State dsEdit
expect cdstrechoo.State dsEdit
expect sbtIncluir.Enabled false
expect sbtAlterar.Enabled false
expect sbtConfirmar.Enabled true
expect sbtCancelar.Enabled true
expect dbnPadrao.Enabled false
expect tshConfigVoo.Enabled false
expect tshFolhaDados.Enabled false
expect medSgCia.Enabled false
expect medCdFilial.Enabled false
expect dbeNrVoo.Enabled false
expect pgcPadrao.ActivePage tshFormulario

# One question cancels both.
answer yes
click sbtCancelar
expect question "Deseja cancelar as alterações?"
expect cdstrechoo.State dsBrowse
expect cdsVoo.State dsBrowse
expect tshFolhaDados.Enabled true
expect tshConfigVoo.Enabled true
expect medSgCia.Enabled true
expect sbtAlterar.Enabled true
