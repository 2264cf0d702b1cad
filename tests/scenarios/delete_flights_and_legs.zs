# flags: --branch 0001
# backends: sqlite pg
# Deleting: a flight with legs names them in its question and takes them
# along on the server, then the flights are reloaded from the first one; a
# No changes nothing. With the leg grid focused Delete acts on the leg, and
# the only leg of a flight is refused after the question.
open
type medSgCia ABR
focus dbgPadrao
expect cdsVoo.NRVOO 1000
expect cdstrechoo.RecordCount 4

answer no
click sbtExcluir
expect question "Este vôo possui trecho(s) que também será(ão) excluído(s). Confirma exclusão?"
expect cdsVoo.RecordCount 300
expect cdsVoo.NRVOO 1000
expect cdstrechoo.RecordCount 4

answer yes
click sbtExcluir
expect question "Este vôo possui trecho(s) que também será(ão) excluído(s). Confirma exclusão?"
expect no-message
expect cdsVoo.State dsBrowse
expect cdsVoo.RecordCount 299
expect cdsVoo.NRVOO 1001
expect cdstrechoo.NRVOO 1001
# Check brings the same list back: the flight is gone on the server.
click sbtVerificar
expect cdsVoo.RecordCount 299
expect cdsVoo.NRVOO 1001

# Flight 1017 has a single leg, which cannot go.
find NRVOO 1017
click sbtProcurar
expect cdsVoo.NRVOO 1017
expect cdstrechoo.RecordCount 1
select pgcPadrao tshFormulario
focus dbgVooTrecho
answer no
click sbtExcluir
expect question "Confirmar Exclusão?"
expect no-message
answer yes
click sbtExcluir
expect question "Confirmar Exclusão?"
expect message "Exclusão não permitida, pois o vôo só possui este trecho."
expect cdstrechoo.RecordCount 1
expect cdsVoo.NRVOO 1017
