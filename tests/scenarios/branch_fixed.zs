# flags: --branch 0002 --branch-fixed
# When the host fixes the user's branch, the strip keeps it: the branch
# field, its lookup button and its label are disabled and marked, and the
# first activation goes to the company.
open
expect medCdFilial.Text 0002
expect edtNmFilial.Text Congonhas
expect medCdFilial.Enabled false
expect medCdFilial.Tag 99
expect btnPesqFilial.Enabled false
expect btnPesqFilial.Tag 99
expect lblFilial.Enabled false
expect medSgCia.Focused true
expect no-message

type medSgCia CRZ
focus dbgPadrao
expect edtNmCia.Text "Cruzeiro do Sul Transportes Aéreos"
expect cdsVoo.IsEmpty true
