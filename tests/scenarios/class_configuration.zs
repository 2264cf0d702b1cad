# flags: --branch 0001
# The classes of a leg are chosen through the class column's button from
# the classes the company offers at the branch, once per leg; a class
# confirmed or deleted is saved at once and Check reads it back from the
# server. ABR offers F, J, W and Y at Guarulhos; the first leg of flight
# 1000 has F, J and Y.
open
type medSgCia ABR
focus dbgPadrao
expect cdsVoo.NRVOO 1000
click mnuConfigVoo
expect cdsClasseVoo.RecordCount 3

# A new row needs a class; a new class without a multiplier gets 0.
click sbtIncluir
expect cdsClasseVoo.State dsInsert
click sbtConfirmar
expect message "Classe deve ser informada."
expect cdsClasseVoo.State dsInsert
pick 3
ellipsis dbgConfVoo
expect cdsClasseVoo.SGCLASSE W
click sbtConfirmar
expect no-message
expect cdsClasseVoo.State dsBrowse
expect cdsClasseVoo.RecordCount 4
cell dbgConfVoo 3 NRMULSERV
expect cdsClasseVoo.SGCLASSE W
expect cdsClasseVoo.NRMULSERV:value 0

# A class the leg already has.
click sbtIncluir
pick 2
ellipsis dbgConfVoo
expect cdsClasseVoo.SGCLASSE J
click sbtConfirmar
expect message "Classe já cadastrada."
expect cdsClasseVoo.State dsInsert
answer yes
click sbtCancelar
expect cdsClasseVoo.RecordCount 4

# A deleted class stays deleted.
cell dbgConfVoo 1 SGCLASSE
expect cdsClasseVoo.SGCLASSE F
answer yes
click sbtExcluir
expect question "Confirma a exclusão do registro?"
expect no-message
expect cdsClasseVoo.RecordCount 3
click sbtVerificar
expect cdsClasseVoo.RecordCount 3
expect cdsClasseVoo.SGCLASSE J
