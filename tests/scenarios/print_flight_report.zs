# flags: --branch 0001
# backends: sqlite pg
# The print button opens the flight report screen modally over the flight
# screen; confirming writes the report of the company's flights at the
# branch and says where; closing it returns to the flight screen as it was.
open
type medSgCia ABR
focus dbgPadrao
cell dbgPadrao 3 NRVOO
click sbtImprimir
expect form.Caption "Vôo/Trecho"
expect lblCodTela.Caption ZOR12201
expect lblCodRel.Caption ZOR122
click sbtConfirmar
expect message "Relatório gerado em ..."
click sbtFechar
expect no-message
expect cdsVoo.NRVOO 1002
expect sbtIncluir.Enabled true

# A second report screen is a fresh one.
click sbtImprimir
expect lblCodRel.Caption ZOR122
click sbtFechar
expect cdsVoo.NRVOO 1002
