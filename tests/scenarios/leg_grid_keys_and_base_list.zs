# flags: --branch 0001
# The leg grid keeps its legs from Ctrl+Delete and its coded columns from
# typing and Delete; its base columns offer the list of bases through the
# ellipsis button or a double click, and the base picked goes through the
# same checks as a typed one.
open
type medSgCia ABR
focus dbgPadrao
select pgcPadrao tshFormulario
expect cdstrechoo.RecordCount 4

cell dbgVooTrecho 2 SGBASEORI
key dbgVooTrecho Delete ctrl
expect no-message
expect cdstrechoo.RecordCount 4

cell dbgVooTrecho 1 IDSITVOOTRE
key dbgVooTrecho I
key dbgVooTrecho Delete
cell dbgVooTrecho 1 IDTIPAJUSFAT
key dbgVooTrecho x
key dbgVooTrecho Delete
cell dbgVooTrecho 1 HRDECOLVOO
expect cdstrechoo.IDSITVOOTRE:value 1
expect cdstrechoo.IDTIPAJUSFAT:value 1
expect no-message

# A double click on a time only starts editing the leg.
dblclick dbgVooTrecho
expect cdstrechoo.State dsEdit
expect no-message

# The origin from the list: GIG (the bases are listed by abbreviation).
cell dbgVooTrecho 1 SGBASEORI
pick 8
ellipsis dbgVooTrecho
expect cdstrechoo.SGBASEORI:value GIG
expect cdstrechoo.CDBASEORI:value 0003
expect dbgVooTrecho.SelectedField SGBASEORI
expect dbgVooTrecho.EditorMode true

# The destination's base as origin is refused.
pick 2
dblclick dbgVooTrecho
expect message "Base de destino não pode ser igual à de origem."
expect cdstrechoo.SGBASEORI:value GIG

answer yes
click sbtCancelar
expect cdstrechoo.SGBASEORI:value GRU
