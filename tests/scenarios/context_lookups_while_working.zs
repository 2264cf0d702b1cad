# flags: --branch 0001
# backends: sqlite pg
# The flights on screen, the codes the screen sends and the branch and
# company the strip shows are always one context. The lookups used while a
# company's flights are open: a cancelled one changes nothing; a pick of
# another company or branch closes the data as entering the strip does,
# and leaving the strip loads the new context; the same company picked
# again keeps everything.
open
type medSgCia CRZ
focus dbgPadrao
expect cdsVoo.RecordCount 2
expect cdsVoo.CDCIA:value 0002

# A cancelled company lookup: Check still reloads CRZ's flights.
pick cancel
click btpCompanhia
expect medSgCia.Text CRZ
expect edtNmCia.Text "Cruzeiro do Sul Transportes Aéreos"
expect cdsVoo.Active true
click sbtVerificar
expect cdsVoo.RecordCount 2
expect cdsVoo.CDCIA:value 0002
expect cdsVoo.NRVOO 3100

# The same company picked again (ABR, AMZ, CRZ, PNT): nothing changes.
pick 3
click btpCompanhia
expect medSgCia.Text CRZ
expect cdsVoo.Active true
click sbtVerificar
expect cdsVoo.RecordCount 2
expect cdsVoo.CDCIA:value 0002

# Another company: the data closes and the strip has the focus.
pick 4
click btpCompanhia
expect medSgCia.Text PNT
expect edtNmCia.Text "Pantanal Linhas Aéreas"
expect cdsVoo.Active false
expect cdstrechoo.Active false
expect medSgCia.Focused true
expect tshFormulario.Enabled false
expect sbtIncluir.Enabled false
expect sbtVerificar.Enabled false
focus dbgPadrao
expect no-message
expect cdsVoo.RecordCount 3
expect cdsVoo.CDCIA:value 0003
expect cdsVoo.NRVOO 4200

# A new flight goes to the company shown.
click sbtIncluir
expect cdsVoo.CDCIA:value 0003
answer yes
click sbtCancelar

# Another branch: the company is cleared with the data; the branch field
# has the focus, where the branch is checked when it is left.
pick 2
click btnPesqFilial
expect medCdFilial.Text 0002
expect edtNmFilial.Text Congonhas
expect medSgCia.Text ""
expect cdsVoo.Active false
expect medCdFilial.Focused true
expect sbtIncluir.Enabled false
type medSgCia ABR
focus dbgPadrao
expect no-message
expect cdsVoo.RecordCount 5
expect cdsVoo.CDFILIAL:value 0002
expect cdsVoo.NRVOO 1500

# A cancelled branch lookup changes nothing either.
pick cancel
click btnPesqFilial
expect medCdFilial.Text 0002
expect medSgCia.Text ABR
expect cdsVoo.Active true
expect cdsVoo.RecordCount 5

# While a leg is being edited the strip is closed: a new context would
# take the typed leg with the data.
cell dbgPadrao 1 NRVOO
select pgcPadrao tshFormulario
cell dbgVooTrecho 1 HRDECOLVOO
type dbgVooTrecho 0800
expect cdstrechoo.State dsEdit
expect btpCompanhia.Enabled false
expect btnPesqFilial.Enabled false
expect medSgCia.Enabled false
answer yes
click sbtCancelar
expect cdstrechoo.State dsBrowse
expect btpCompanhia.Enabled true
