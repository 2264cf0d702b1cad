# flags: --branch 0001
# backends: sqlite pg
# The screen opened from the host menu defaults the user's branch, takes a
# company, and on leaving the strip shows the company's flights with the
# legs of the first flight and the classes of its first leg.
open
expect form.Caption "Vôo/Trecho"
expect medCdFilial.Text 0001
expect edtNmFilial.Text Guarulhos
expect medCdFilial.Focused true
expect cdsVoo.Active false
expect no-message

type medSgCia abr
expect medSgCia.Text ABR
focus dbgPadrao
expect no-message
expect edtNmCia.Text "Aerobrasil Linhas Aéreas"
expect cdsVoo.State dsBrowse
expect cdsVoo.RecordCount 300
expect cdsVoo.NRVOO 1000
expect cdsVoo.CDCIA:value 0001

# The first flight's legs, in leg order, leaving the branch's home base.
expect cdstrechoo.RecordCount 4
expect cdstrechoo.NRVOO 1000
expect cdstrechoo.CDTRECHO 0001
expect cdstrechoo.SGBASEORI GRU
# The classes of that first leg.
expect cdsClasseVoo.RecordCount 3
expect cdsClasseVoo.CDTRECHO 0001
expect cdsClasseVoo.SGCLASSE F
