# flags: --branch 0001
# backends: sqlite pg
# Browsing flights and legs leaves every command open but Confirm and
# Cancel. Inserting a flight shows the record tab and locks the other
# commands, the navigator, the class tab and the context strip while the
# flight number opens; cancelling (after the question) brings it all back.
open
type medSgCia ABR
focus dbgPadrao
expect cdsVoo.State dsBrowse
expect cdstrechoo.State dsBrowse

# Flights and legs in browse.
expect mnuIncluir.Enabled true
expect sbtIncluir.Enabled true
expect mnuAlterar.Enabled true
expect sbtAlterar.Enabled true
expect mnuExcluir.Enabled true
expect sbtExcluir.Enabled true
expect mnuProcurar.Enabled true
expect sbtProcurar.Enabled true
expect mnuVerificar.Enabled true
expect sbtVerificar.Enabled true
expect mnuConfirmar.Enabled false
expect sbtConfirmar.Enabled false
expect mnuCancelar.Enabled false
expect sbtCancelar.Enabled false
expect dbnPadrao.Enabled true
expect tshConfigVoo.Enabled true
expect mnuConfigVoo.Enabled true
expect medCdFilial.Enabled true
expect btnPesqFilial.Enabled true
expect lblFilial.Enabled true
expect medSgCia.Enabled true
expect btpCompanhia.Enabled true
expect lblCia.Enabled true
expect dbeNrVoo.Enabled false
expect pgcPadrao.ActivePage tshFolhaDados
expect sbtExluTrecho.Enabled true

# A flight being inserted.
click sbtIncluir
expect cdsVoo.State dsInsert
expect pgcPadrao.ActivePage tshFormulario
expect mnuFormulario.Checked true
expect mnuFolhaDados.Checked false
expect mnuIncluir.Enabled false
expect sbtIncluir.Enabled false
expect sbtAlterar.Enabled false
expect sbtExcluir.Enabled false
expect sbtProcurar.Enabled false
expect sbtVerificar.Enabled false
expect mnuVerificar.Enabled false
expect mnuConfirmar.Enabled true
expect sbtConfirmar.Enabled true
expect mnuCancelar.Enabled true
expect sbtCancelar.Enabled true
expect dbnPadrao.Enabled false
expect tshConfigVoo.Enabled false
expect mnuConfigVoo.Enabled false
expect medCdFilial.Enabled false
expect btnPesqFilial.Enabled false
expect medSgCia.Enabled false
expect btpCompanhia.Enabled false
expect lblCia.Enabled false
expect dbeNrVoo.Enabled true
# A new flight has no legs yet, so there is no leg to delete.
expect cdstrechoo.IsEmpty true
expect sbtExluTrecho.Enabled false

# Cancel asks first; No keeps the insertion.
answer no
click sbtCancelar
expect question "Deseja cancelar as alterações?"
expect cdsVoo.State dsInsert
answer yes
click sbtCancelar
expect question "Deseja cancelar as alterações?"
expect cdsVoo.State dsBrowse
expect cdsVoo.RecordCount 300
expect cdsVoo.NRVOO 1000
expect cdstrechoo.NRVOO 1000
expect cdstrechoo.RecordCount 4
expect sbtIncluir.Enabled true
expect sbtAlterar.Enabled true
expect sbtConfirmar.Enabled false
expect sbtCancelar.Enabled false
expect dbnPadrao.Enabled true
expect tshConfigVoo.Enabled true
expect medSgCia.Enabled true
expect medCdFilial.Enabled true
expect dbeNrVoo.Enabled false
expect no-message
