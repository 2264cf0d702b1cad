# flags: --branch 0001
# Change on the grid tab puts the current flight into edit: the record tab
# comes forward with the equipment field focused, the grid tab closes, the
# flight number stays locked and so does the context strip. Confirm with
# only the flight in edit posts it where it stands, without reloading.
open
type medSgCia ABR
focus dbgPadrao
cell dbgPadrao 5 NRVOO
expect cdsVoo.NRVOO 1004

click sbtAlterar
expect cdsVoo.State dsEdit
expect pgcPadrao.ActivePage tshFormulario
expect tshFolhaDados.Enabled false
expect dbeSgEquip.Focused true
expect dbeNrVoo.Enabled false
expect sbtIncluir.Enabled false
expect sbtAlterar.Enabled false
expect sbtExcluir.Enabled false
expect sbtProcurar.Enabled false
expect sbtVerificar.Enabled false
expect sbtConfirmar.Enabled true
expect sbtCancelar.Enabled true
expect mnuConfirmar.Enabled true
expect mnuCancelar.Enabled true
expect dbnPadrao.Enabled false
expect tshConfigVoo.Enabled false
expect mnuConfigVoo.Enabled false
expect medSgCia.Enabled false
expect btpCompanhia.Enabled false
expect medCdFilial.Enabled false
expect btnPesqFilial.Enabled false
# The flight is still the one chosen, and its legs stay browsable.
expect cdstrechoo.State dsBrowse
expect cdstrechoo.NRVOO 1004

click sbtConfirmar
expect no-message
expect cdsVoo.State dsBrowse
expect cdsVoo.NRVOO 1004
expect cdsVoo.RecordCount 300
expect pgcPadrao.ActivePage tshFormulario
expect tshFolhaDados.Enabled true
expect sbtIncluir.Enabled true
expect sbtAlterar.Enabled true
expect sbtConfirmar.Enabled false
expect sbtCancelar.Enabled false
expect dbnPadrao.Enabled true
expect tshConfigVoo.Enabled true
expect medSgCia.Enabled true
expect medCdFilial.Enabled true

# Change on the record tab edits the flight too; Cancel on the record tab
# asks and leaves it as it was.
click sbtAlterar
expect cdsVoo.State dsEdit
expect cdstrechoo.State dsBrowse
answer yes
click sbtCancelar
expect question "Deseja cancelar as alterações?"
expect cdsVoo.State dsBrowse
expect cdsVoo.NRVOO 1004
expect sbtAlterar.Enabled true
