# flags: --branch 0001
# backends: sqlite pg
# A flight keeps its number: typing or Delete in the flight grid's number
# column is refused at the first key with a message about the number, the
# flight does not go into edit and nothing is sent.
open
type medSgCia CRZ
focus dbgPadrao
expect cdsVoo.RecordCount 2

cell dbgPadrao 1 NRVOO
type dbgPadrao 9
expect message "Número do vôo não pode ser alterado; para outro número inclua um novo vôo."
expect cdsVoo.State dsBrowse
expect cdsVoo.NRVOO 3100
expect pgcPadrao.ActivePage tshFolhaDados
key dbgPadrao Delete
expect message "Número do vôo não pode ser alterado; para outro número inclua um novo vôo."
expect cdsVoo.State dsBrowse
expect dbgPadrao.EditorMode false
click sbtVerificar
expect cdsVoo.NRVOO 3100
