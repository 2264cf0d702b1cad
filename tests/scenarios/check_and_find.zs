# flags: --branch 0001
# Check with the leg grid focused reloads only the legs and keeps the
# flight; anywhere else it reloads the flights and stands on the first.
# Find moves to the flight found and shows its legs.
open
type medSgCia ABR
focus dbgPadrao
cell dbgPadrao 7 NRVOO
expect cdsVoo.NRVOO 1006
select pgcPadrao tshFormulario
focus dbgVooTrecho
click sbtVerificar
expect no-message
expect cdsVoo.NRVOO 1006
expect cdstrechoo.NRVOO 1006
expect cdstrechoo.RecordCount 2

focus dbeSgEquip
click mnuVerificar
expect cdsVoo.NRVOO 1000
expect cdsVoo.RecordCount 300
expect cdstrechoo.NRVOO 1000
expect cdstrechoo.RecordCount 4

find NRVOO 1011
click sbtProcurar
expect cdsVoo.NRVOO 1011
expect cdstrechoo.NRVOO 1011
expect cdstrechoo.RecordCount 4
expect lblNome.Caption 1011

# A search given up leaves everything where it was.
find cancel
click sbtProcurar
expect cdsVoo.NRVOO 1011
expect cdstrechoo.NRVOO 1011
