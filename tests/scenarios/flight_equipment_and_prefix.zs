# flags: --branch 0001
# backends: sqlite pg
# The flight's equipment and prefix on the record tab: the equipment is
# checked against the company's equipment at the branch when it is left,
# an empty one passes there; a new equipment drops the prefix; the prefix is
# optional, checked against the equipment's prefixes whatever its letter
# case, and its registered form is kept. The lookup buttons fill both.
open
type medSgCia ABR
focus dbgPadrao
cell dbgPadrao 2 NRVOO
expect cdsVoo.NRVOO 1001
expect cdsVoo.SGEQUIP A320
expect cdsVoo.SGPREFIXO PR-ACA
select pgcPadrao tshFormulario

# Leaving the equipment while only browsing checks nothing.
focus dbeSgEquip
focus dbeSgPrefixo
expect no-message
expect cdsVoo.State dsBrowse

# An equipment the company does not have here.
type dbeSgEquip a319
expect dbeSgEquip.Text A319
expect cdsVoo.State dsEdit
expect cdsVoo.SGPREFIXO:value null
expect cdsVoo.CDEQUIP:value null
focus dbeSgPrefixo
expect message "Equipamento não cadastrado."
expect dbeSgEquip.Focused true

# Empty: nothing said on leaving; the prefix button asks for it.
type dbeSgEquip ""
focus dbeSgPrefixo
expect no-message
click btnPesqPrefixo
expect message "Equipamento deve ser informado."
expect dbeSgEquip.Focused true

type dbeSgEquip a321
focus dbeSgPrefixo
expect no-message
expect cdsVoo.CDEQUIP:value 0003

# A prefix of another equipment is refused; an empty one passes.
type dbeSgPrefixo PR-ACA
focus dbeTurnoProd
expect message "Prefixo não cadastrado."
expect dbeSgPrefixo.Focused true
type dbeSgPrefixo ""
focus dbeTurnoProd
expect no-message

# Typed in capitals, found in lower case, kept as registered.
type dbeSgPrefixo pr-adc
expect dbeSgPrefixo.Text PR-ADC
focus dbeTurnoProd
expect no-message
expect cdsVoo.SGPREFIXO:value pr-adc

# The prefix button lists the equipment's prefixes.
pick 2
click btnPesqPrefixo
expect cdsVoo.SGPREFIXO:value PR-ADB
expect no-message

# The equipment button sets abbreviation and code, and drops the prefix.
pick 4
click btnPesqEquip
expect cdsVoo.SGEQUIP:value E190
expect cdsVoo.CDEQUIP:value 0006
expect cdsVoo.SGPREFIXO:value null
expect no-message

answer yes
click sbtCancelar
expect cdsVoo.State dsBrowse
expect cdsVoo.SGEQUIP A320
expect cdsVoo.SGPREFIXO PR-ACA
