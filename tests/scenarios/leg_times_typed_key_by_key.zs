# flags: --branch 0001
# backends: sqlite pg
# A time typed key by key into the leg grid goes through the field's hh:mm
# mask exactly as in a masked edit: the first key the mask takes replaces
# the cell's text, a typed colon steps over the separator, a key no
# position takes changes nothing, and Backspace empties the position before
# the caret. The time stored always has its four digits.
open
type medSgCia ABR
focus dbgPadrao
select pgcPadrao tshFormulario
expect cdstrechoo.HRDECOLVOO:value 1115

# 1 2 : 3 reads 12:3_, stored as 1230 (never the three characters 123).
cell dbgVooTrecho 1 HRDECOLVOO
key dbgVooTrecho 1
key dbgVooTrecho 2
key dbgVooTrecho :
key dbgVooTrecho 3
cell dbgVooTrecho 1 HRPOUSOVOO
expect no-message
expect cdstrechoo.HRDECOLVOO:value 1230
expect cdstrechoo.HRDECOLVOO 12:30

# The same keys typed in one gesture.
cell dbgVooTrecho 1 HRDECOLVOO
type dbgVooTrecho 10:4
cell dbgVooTrecho 1 HRPOUSOVOO
expect no-message
expect cdstrechoo.HRDECOLVOO:value 1040

# Four digits fill the mask across the separator; a letter is not taken.
type dbgVooTrecho 1x33x5
cell dbgVooTrecho 1 HRDECOLVOO
expect no-message
expect cdstrechoo.HRPOUSOVOO:value 1335
expect cdstrechoo.HRPOUSOVOO 13:35

# Backspace empties the position before the caret; the next digit fills it.
type dbgVooTrecho 0955
key dbgVooTrecho Backspace
key dbgVooTrecho 0
cell dbgVooTrecho 1 HRPOUSOVOO
expect no-message
expect cdstrechoo.HRDECOLVOO:value 0950

# Delete empties the cell: the time becomes empty.
key dbgVooTrecho Delete
cell dbgVooTrecho 1 HRDECOLVOO
expect no-message
expect cdstrechoo.HRPOUSOVOO:value null

answer yes
click sbtCancelar
expect cdstrechoo.HRDECOLVOO:value 1115
expect cdstrechoo.HRPOUSOVOO:value 1310
