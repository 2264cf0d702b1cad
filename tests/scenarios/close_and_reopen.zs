# flags: --branch 0002
# Closing the screen resets the dialog flags; the next opening is a fresh
# screen in its designed presentation, defaulting the user's branch again.
leg-dialog
open
expect form.Caption "Trecho de um Vôo"
expect panMenu.Visible true
expect panNavigator.Visible false
close
open
expect form.Caption "Vôo/Trecho"
expect panNavigator.Visible true
expect medCdFilial.Text 0002
expect edtNmFilial.Text Congonhas
