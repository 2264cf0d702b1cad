# flags: --branch 0001
# The leg's bases are typed as abbreviations: a known one sets the hidden
# base code, an unknown one is refused, an emptied one is demanded, and a
# leg can never end at the base it leaves from, whichever side is typed
# last. A refused base keeps the cell open and the former value.
open
type medSgCia ABR
focus dbgPadrao
select pgcPadrao tshFormulario
expect cdstrechoo.SGBASEORI GRU
expect cdstrechoo.SGBASEDES BSB

cell dbgVooTrecho 1 SGBASEDES
type dbgVooTrecho CGH
cell dbgVooTrecho 1 HRPOUSOVOO
expect no-message
expect cdstrechoo.SGBASEDES:value CGH
expect cdstrechoo.CDBASEDES:value 0002

cell dbgVooTrecho 1 SGBASEORI
type dbgVooTrecho XYZ
cell dbgVooTrecho 1 HRPOUSOVOO
expect message "Base não cadastrada."
expect dbgVooTrecho.SelectedField SGBASEORI
expect cdstrechoo.CDBASEORI:value 0001

# The origin made equal to the destination (the refused text is cleared
# with Delete first).
key dbgVooTrecho Delete
type dbgVooTrecho CGH
cell dbgVooTrecho 1 HRPOUSOVOO
expect message "Base de destino não pode ser igual à de origem."
expect cdstrechoo.SGBASEORI:value GRU
expect cdstrechoo.CDBASEORI:value 0001

# And the destination made equal to the origin.
key dbgVooTrecho Delete
type dbgVooTrecho VCP
cell dbgVooTrecho 1 SGBASEDES
expect no-message
expect cdstrechoo.CDBASEORI:value 0015
type dbgVooTrecho VCP
cell dbgVooTrecho 1 HRPOUSOVOO
expect message "Base de destino não pode ser igual à de origem."
expect cdstrechoo.SGBASEDES:value CGH
expect cdstrechoo.CDBASEDES:value 0002

# An emptied base is demanded.
key dbgVooTrecho Delete
cell dbgVooTrecho 1 HRPOUSOVOO
expect message "Base deve ser informada."
expect dbgVooTrecho.SelectedField SGBASEDES
expect cdstrechoo.CDBASEDES:value 0002

answer yes
click sbtCancelar
expect cdstrechoo.SGBASEORI:value GRU
expect cdstrechoo.SGBASEDES:value BSB
