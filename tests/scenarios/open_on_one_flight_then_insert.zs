# flags: --branch 0001
# backends: sqlite pg
# Opened by another screen on one flight, the screen keeps that flight
# loaded while the focus is still in the strip. An Insert made right away
# moves the focus out of the strip to the new flight's number; the context
# is the one the flights were loaded for, so nothing is reloaded and the
# new flight stays.
open-flight ABR 1002
expect cdsVoo.NRVOO 1002
expect medCdFilial.Focused true
click sbtIncluir
expect no-message
expect cdsVoo.State dsInsert
expect dbeNrVoo.Focused true
expect cdsVoo.CDCIA:value 0001
expect pgcPadrao.ActivePage tshFormulario
type dbeNrVoo 7777
expect cdsVoo.State dsInsert
expect dbeNrVoo.Text 7777
answer yes
click sbtCancelar
expect cdsVoo.State dsBrowse
expect cdsVoo.RecordCount 300

# Typing another company in the strip closes the flights of the first.
type medSgCia CRZ
expect cdsVoo.Active false
expect sbtIncluir.Enabled false
focus dbgPadrao
expect cdsVoo.RecordCount 2
expect cdsVoo.CDCIA:value 0002
