# flags: --branch 0001
# The class tab has its own modes. The configuration menu shows it with the
# classes of the current leg and checks only its own item; while a class is
# inserted only Confirm and Cancel stay open and the other two tabs close;
# after the last class is deleted only Insert stays open. Back on another
# tab the flight modes return.
open
type medSgCia ABR
focus dbgPadrao
expect cdstrechoo.CDTRECHO 0001

click mnuConfigVoo
expect pgcPadrao.ActivePage tshConfigVoo
expect mnuConfigVoo.Checked true
expect mnuFolhaDados.Checked false
expect mnuFormulario.Checked false
expect cdsClasseVoo.RecordCount 3
expect cdsClasseVoo.CDTRECHO 0001
expect sbtIncluir.Enabled true
expect sbtAlterar.Enabled true
expect sbtExcluir.Enabled true
expect sbtProcurar.Enabled true
expect sbtVerificar.Enabled true
expect sbtConfirmar.Enabled false
expect sbtCancelar.Enabled false
expect dbnPadrao.Enabled true
expect tshFolhaDados.Enabled true
expect tshFormulario.Enabled true

# A class being inserted.
click sbtIncluir
expect cdsClasseVoo.State dsInsert
expect cdsVoo.State dsBrowse
expect sbtIncluir.Enabled false
expect sbtAlterar.Enabled false
expect sbtExcluir.Enabled false
expect sbtProcurar.Enabled false
expect sbtVerificar.Enabled false
expect sbtConfirmar.Enabled true
expect sbtCancelar.Enabled true
expect dbnPadrao.Enabled false
expect tshFolhaDados.Enabled false
expect tshFormulario.Enabled false
expect mnuFolhaDados.Enabled false
expect mnuFormulario.Enabled false

answer no
click sbtCancelar
expect question "Deseja cancelar as alterações?"
expect cdsClasseVoo.State dsInsert
answer yes
click sbtCancelar
expect cdsClasseVoo.State dsBrowse
expect cdsClasseVoo.RecordCount 3
expect sbtIncluir.Enabled true
expect sbtAlterar.Enabled true
expect sbtConfirmar.Enabled false
expect tshFolhaDados.Enabled true
expect mnuFormulario.Enabled true

# A class being changed.
click sbtAlterar
expect cdsClasseVoo.State dsEdit
expect sbtIncluir.Enabled false
expect sbtConfirmar.Enabled true
expect tshFormulario.Enabled false
answer yes
click sbtCancelar
expect cdsClasseVoo.State dsBrowse

# Deleting every class asks each time; then only Insert is left.
answer no
click sbtExcluir
expect question "Confirma a exclusão do registro?"
expect cdsClasseVoo.RecordCount 3
answer yes
click sbtExcluir
answer yes
click sbtExcluir
answer yes
click sbtExcluir
expect cdsClasseVoo.IsEmpty true
expect sbtIncluir.Enabled true
expect mnuIncluir.Enabled true
expect sbtAlterar.Enabled false
expect sbtExcluir.Enabled false
expect sbtProcurar.Enabled false
expect sbtVerificar.Enabled false
expect sbtConfirmar.Enabled false
expect sbtCancelar.Enabled false

# The grid tab from its menu item: the flight modes are back.
click mnuFolhaDados
expect pgcPadrao.ActivePage tshFolhaDados
expect mnuFolhaDados.Checked true
expect mnuConfigVoo.Checked false
expect sbtAlterar.Enabled true
expect sbtExcluir.Enabled true
expect sbtConfirmar.Enabled false
