# Replayed into the desktop window by zor-host --demo --script: the person
# opens the screen from the menu, takes the branch and the company from
# their pick lists and leaves the strip; the flight grid fills.
open
expect form.Caption "Vôo/Trecho"
pick 1
click btnPesqFilial
expect no-message
pick 1
click btpCompanhia
expect no-message
focus dbgPadrao
expect no-message
expect cdsVoo.State dsBrowse
# The company has flights (at least one row in the grid).
expect cdsVoo.IsEmpty false
