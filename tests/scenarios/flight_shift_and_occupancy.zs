# flags: --branch 0001
# The production-map fields: a shift code is widened to two digits and
# shows its description, an unknown one is refused with the focus kept, an
# empty one passes on leaving; the shift button lists every shift. The
# production days take digits only, the occupancy digits and a comma, and
# the occupancy must lie between 0 and 100 at three decimals.
open
type medSgCia ABR
focus dbgPadrao
cell dbgPadrao 2 NRVOO
select pgcPadrao tshFormulario
expect cdsVoo.NRTURNOPROD 01

type dbeTurnoProd 3
expect dbeDsTurno.Text ""
focus dbeDiasProducao
expect no-message
expect dbeTurnoProd.Text 03
expect cdsVoo.NRTURNOPROD:value 03
expect dbeDsTurno.Text "Noite (22h às 06h)"

type dbeTurnoProd 9
focus dbeDiasProducao
expect message "Turno não cadastrado."
expect dbeTurnoProd.Focused true
expect dbeDsTurno.Text ""

type dbeTurnoProd ""
focus dbeDiasProducao
expect no-message

pick 2
click btpTurnoProd
expect dbeTurnoProd.Text 02
expect dbeDsTurno.Text "Tarde (14h às 22h)"
expect cdsVoo.NRTURNOPROD:value 02

# Key filters.
type dbeDiasProducao ""
key dbeDiasProducao 1
key dbeDiasProducao a
key dbeDiasProducao ,
key dbeDiasProducao 2
expect dbeDiasProducao.Text 12
type dbePercentOcupacao ""
key dbePercentOcupacao 5
key dbePercentOcupacao x
key dbePercentOcupacao .
key dbePercentOcupacao ,
key dbePercentOcupacao 5
expect dbePercentOcupacao.Text 5,5
focus dbeDiasProducao
expect no-message
expect cdsVoo.VRPEROCUPACAO:value 5,5

# The occupancy range, at three decimals.
type dbePercentOcupacao 100,001
focus dbeDiasProducao
expect message "Percentual de ocupação deve estar entre 0 e 100%"
expect dbePercentOcupacao.Focused true
type dbePercentOcupacao 100,0004
focus dbeDiasProducao
expect no-message
expect cdsVoo.VRPEROCUPACAO:value 100
type dbePercentOcupacao 0
focus dbeDiasProducao
expect no-message
type dbePercentOcupacao ""
focus dbeDiasProducao
expect no-message
expect cdsVoo.VRPEROCUPACAO:value 0

answer yes
click sbtCancelar
expect cdsVoo.NRTURNOPROD 01
