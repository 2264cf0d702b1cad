# flags: --branch 0001
# backends: sqlite pg
# Another screen opens this one as a modal dialog on one flight: the
# branch and company come from the caller, the flight is found whatever
# the letter case, the record tab is shown, and the cancel key ends the
# dialog with result 2.
modal
open-flight abr 1002 0001
expect medCdFilial.Text 0001
expect edtNmFilial.Text Guarulhos
expect medSgCia.Text ABR
expect edtNmCia.Text "Aerobrasil Linhas Aéreas"
expect cdsVoo.NRVOO 1002
expect pgcPadrao.ActivePage tshFormulario
expect panBotoes.Visible true
expect panMenu.Visible false
expect cdstrechoo.NRVOO 1002
expect no-message
# Leaving the strip for the flight's fields keeps the flight asked for.
focus dbeSgEquip
expect cdsVoo.NRVOO 1002
expect cdstrechoo.NRVOO 1002
key form Break
expect form.ModalResult 2
