# flags: --branch 0001
# Confirming a changed flight runs its checks in order: only the first
# failure is shown, the focus goes to its control and the flight stays in
# edit with what was typed. Once valid, the change is saved and survives
# Check.
open
type medSgCia ABR
focus dbgPadrao
cell dbgPadrao 2 NRVOO
expect cdsVoo.NRVOO 1001
click sbtAlterar
expect cdsVoo.State dsEdit

# Emptied KDT hours and no service: the hours come first.
type dbeKDTCarrego "  :  "
focus dbeKDTDescarrego
expect no-message
click ccbAbast
click ccbAtend
expect ccbAbast.Checked false
expect ccbAtend.Checked false
click sbtConfirmar
expect message "Horas de KDT carrego deve ser informada."
expect dbeKDTCarrego.Focused true
expect cdsVoo.State dsEdit

type dbeKDTCarrego 09:45
click sbtConfirmar
expect message "Informe abastecimento e/ou atendimento."
expect ccbAbast.Focused true

# An occasional flight needs its validity period.
click ccbAtend
expect cdsVoo.IDABASATEN:value 2
select dcbTipo Extra
expect grbVig.Enabled true
click sbtConfirmar
expect message "Data inicial de vigência deve ser informada."
expect depDtIniVigVoo.Focused true
type depDtIniVigVoo 01/06/2027
type depDtFimVigVoo 01/05/2027
click sbtConfirmar
expect message "Data final deve ser maior ou igual à data inicial'."
expect depDtFimVigVoo.Focused true

# Back to a regular flight: the period goes away and the save passes.
select dcbTipo Regular
expect grbVig.Enabled false
expect depDtIniVigVoo.Text ""
click sbtConfirmar
expect no-message
expect cdsVoo.State dsBrowse

select pgcPadrao tshFolhaDados
focus dbgPadrao
click sbtVerificar
cell dbgPadrao 2 NRVOO
expect cdsVoo.NRVOO 1001
expect cdsVoo.QTHRKDTCAR:value 0945
expect cdsVoo.IDABASATEN:value 2
expect cdsVoo.IDTIPVOO:value 1
expect cdsVoo.DTINIVIGVOO:value null
expect no-message
