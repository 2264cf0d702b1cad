# flags: --branch 0001
# The branch and company checks of the context strip: unknown and
# rescinded branches, a code adjusted to four characters, the lookups, a
# missing company and a company not linked to the branch.
open
type medCdFilial 9999
focus medSgCia
expect message "Filial não cadastrada."
expect medCdFilial.Focused true
expect edtNmFilial.Text ""

type medCdFilial 5
focus medSgCia
expect message "Filial com contrato rescindido."
expect medCdFilial.Text 0005
expect medCdFilial.Focused true

# A one-character code is checked as adjusted to four.
type medCdFilial 3
focus medSgCia
expect no-message
expect medCdFilial.Text 0003
expect edtNmFilial.Text Galeão

# Editing the branch clears the company and both names; the lookup fills them.
pick 2
click btnPesqFilial
expect medCdFilial.Text 0002
expect edtNmFilial.Text Congonhas
expect medSgCia.Text ""

# Leaving the strip without a company.
focus dbgPadrao
expect message "Companhia deve ser informada."
expect medSgCia.Focused true
expect cdsVoo.Active false

# A company that exists but is not linked to the branch.
type medSgCia PNT
focus dbgPadrao
expect message "Companhia não cadastrada."
expect medSgCia.Focused true

# The company lookup lists only the branch's companies.
pick 3
click btpCompanhia
expect medSgCia.Text NRD
expect edtNmCia.Text "Nordeste Linhas Aéreas"
focus dbgPadrao
expect no-message
expect cdsVoo.IsEmpty true
