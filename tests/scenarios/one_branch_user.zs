# flags: --user ana --branch 0002
# password: senha-da-ana
# setup: user add ana --name Ana --branches 0002
# backends: sqlite pg
# A user who works at branch 0002 only sees that branch's flights; asking
# for another branch's flights is refused by the server with her name and
# the branch, and nothing of that branch is shown.
open
expect medCdFilial.Text 0002
expect edtNmFilial.Text Congonhas
type medSgCia ABR
focus dbgPadrao
expect no-message
expect cdsVoo.RecordCount 5
expect cdsVoo.NRVOO 1500
expect cdsVoo.CDFILIAL 0002

# Branch 0001 exists, but is not hers.
focus medCdFilial
type medCdFilial 0001
focus medSgCia
expect edtNmFilial.Text Guarulhos
type medSgCia ABR
focus dbgPadrao
expect message "O usuário ana não tem acesso à filial 0001."
expect cdsVoo.Active false
