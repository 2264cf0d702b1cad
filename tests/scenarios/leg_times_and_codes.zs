# flags: --branch 0001
# The leg grid on the record tab: times show with the separator and are
# typed through the hh:mm mask, blank positions become zeros, an impossible
# time is refused with the time as typed and the cell stays open; the time
# reference and the situation are chosen from their pick lists.
open
type medSgCia ABR
focus dbgPadrao
select pgcPadrao tshFormulario
expect cdstrechoo.HRDECOLVOO 11:15
expect cdstrechoo.HRDECOLVOO:value 1115
expect cdstrechoo.HRPOUSOVOO 13:10

# Minutes only: the hours become 00.
cell dbgVooTrecho 1 HRPOUSOVOO
type dbgVooTrecho "  :15"
cell dbgVooTrecho 1 HRDECOLVOO
expect no-message
expect cdstrechoo.State dsEdit
expect cdstrechoo.HRPOUSOVOO:value 0015
expect cdstrechoo.HRPOUSOVOO 00:15

# 9_:3_ reads 90:30, which is no time of day. The refused text stays in
# the cell; Delete empties it before the next time is typed.
type dbgVooTrecho "9 :3 "
cell dbgVooTrecho 1 IDTIPAJUSFAT
expect message "90:30 não é uma hora válida."
expect dbgVooTrecho.SelectedField HRDECOLVOO
expect cdstrechoo.HRDECOLVOO:value 1115
key dbgVooTrecho Delete
type dbgVooTrecho 24:00
cell dbgVooTrecho 1 IDTIPAJUSFAT
expect message "24:00 não é uma hora válida."
key dbgVooTrecho Delete
type dbgVooTrecho 23:60
cell dbgVooTrecho 1 IDTIPAJUSFAT
expect message "23:60 não é uma hora válida."
key dbgVooTrecho Delete
type dbgVooTrecho 23:59
cell dbgVooTrecho 1 IDTIPAJUSFAT
expect no-message
expect cdstrechoo.HRDECOLVOO:value 2359
expect dbgVooTrecho.SelectedField IDTIPAJUSFAT

# The time reference is the position of the item picked.
select dbgVooTrecho "Plano Vôo GMT"
expect cdstrechoo.IDTIPAJUSFAT:value 2
expect cdstrechoo.IDTIPAJUSFAT "Plano Vôo GMT"
select dbgVooTrecho "Plano Vôo Atual"
expect cdstrechoo.IDTIPAJUSFAT:value 1

# The situation: only Inativo makes the leg inactive.
cell dbgVooTrecho 1 IDSITVOOTRE
select dbgVooTrecho Inativo
expect cdstrechoo.IDSITVOOTRE:value 2
expect cdstrechoo.IDSITVOOTRE Inativo
select dbgVooTrecho Ativo
expect cdstrechoo.IDSITVOOTRE:value 1

# All four positions blank empties the time, shown as the separator alone.
cell dbgVooTrecho 1 HRPOUSOVOO
type dbgVooTrecho "  :  "
cell dbgVooTrecho 1 HRDECOLVOO
expect no-message
expect cdstrechoo.HRPOUSOVOO:value null
expect cdstrechoo.HRPOUSOVOO ":"

# Cancel gives the stored leg back.
answer yes
click sbtCancelar
expect cdstrechoo.State dsBrowse
expect cdstrechoo.HRDECOLVOO:value 1115
expect cdstrechoo.HRPOUSOVOO:value 1310
