# flags: --branch 0001
# A company without flights at the branch: the record and class tabs stay
# closed, Delete says there is nothing to delete without asking, and a
# flight being inserted opens the record tab only until it is cancelled.
open
type medSgCia AMZ
focus dbgPadrao
expect no-message
expect cdsVoo.IsEmpty true
expect tshFormulario.Enabled false
expect mnuFormulario.Enabled false
expect tshConfigVoo.Enabled false
expect mnuConfigVoo.Enabled false
expect sbtIncluir.Enabled true

click sbtExcluir
expect message "Não existem dados a serem excluídos."

click sbtIncluir
expect cdsVoo.State dsInsert
expect pgcPadrao.ActivePage tshFormulario
expect tshFormulario.Enabled true
expect tshConfigVoo.Enabled false
answer yes
click sbtCancelar
expect cdsVoo.IsEmpty true
expect tshFormulario.Enabled false
expect mnuFormulario.Enabled false
expect pgcPadrao.ActivePage tshFolhaDados
expect tshFolhaDados.Enabled true
expect sbtIncluir.Enabled true
