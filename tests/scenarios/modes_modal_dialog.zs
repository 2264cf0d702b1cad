# flags: --branch 0001
# Opened by another screen as a modal dialog on one flight, the screen
# keeps the company and branch of its caller: the command bar is replaced
# by the dialog's confirm/cancel bar, typing into the flight puts it into
# edit, and the context strip stays closed whatever the flight's state.
# Confirming posts the flight and ends the dialog with result 1.
modal
open-flight ABR 1001 0001
expect cdsVoo.NRVOO 1001
expect pgcPadrao.ActivePage tshFormulario
expect panMenu.Visible false
expect panBotoes.Visible true
expect medSgCia.Enabled false
expect btpCompanhia.Enabled false
expect medCdFilial.Enabled false

type dbeSgPrefixo PR-ACB
expect cdsVoo.State dsEdit
expect medSgCia.Enabled false
expect btpCompanhia.Enabled false
expect lblCia.Enabled false
expect medCdFilial.Enabled false
expect btnPesqFilial.Enabled false
expect dbeNrVoo.Enabled false

focus dbeDiasProducao
expect no-message
expect cdsVoo.SGPREFIXO PR-ACB
click sbtConfirma
expect no-message
expect cdsVoo.State dsBrowse
expect cdsVoo.SGPREFIXO PR-ACB
expect medSgCia.Enabled false
expect btpCompanhia.Enabled false
expect form.ModalResult 1
