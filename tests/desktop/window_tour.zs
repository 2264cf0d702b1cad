# The flight screen in the desktop window, state by state, as a person
# meets it: each state is checked the way a person looks at it (every
# control visible, of some size, inside its container, with its whole
# caption) and pictured. `make screenshots` replays it into docs/screenshots;
# the desktop tests replay it with the check only.
open
check-window
screenshot 01-tela-aberta.png

# A company with flights.
type medSgCia ABR
focus dbgPadrao
expect cdsVoo.IsEmpty false
check-window
screenshot 02-voos-listados.png

# The record tab with the flight's legs.
click mnuFormulario
expect pgcPadrao.ActivePage tshFormulario
check-window
screenshot 03-formulario.png
focus dbgVooTrecho
check-window
screenshot 04-trechos.png

# A flight being inserted, from the flight list.
click mnuFolhaDados
focus dbgPadrao
click sbtIncluir
expect cdsVoo.State dsInsert
check-window
screenshot 05-incluindo.png
answer yes
click sbtCancelar
expect cdsVoo.State dsBrowse

# The classes of the first leg.
click mnuConfigVoo
expect pgcPadrao.ActivePage tshConfigVoo
check-window
screenshot 06-classes.png

# The report screen over the flight screen.
click mnuFolhaDados
click sbtImprimir
expect lblCodRel.Caption ZOR122
check-window
screenshot 07-relatorio.png
click sbtConfirmar
expect message "Relatório gerado em ..."
click sbtFechar
expect no-message

# A company without flights.
type medSgCia AMZ
focus dbgPadrao
expect cdsVoo.IsEmpty true
expect pgcPadrao.ActivePage tshFolhaDados
check-window
screenshot 08-companhia-sem-voos.png
