// The platform's message table: one "key|text" line per text.
#include "platform/core/platform_texts.h"

#include <map>
#include <stdexcept>

namespace zor::plat {

namespace {

const char* const kTexts = R"(
caption.error|Erro
caption.warning|Atenção
caption.information|Informação
caption.confirmation|Confirmação
caption.search|Procurar
caption.report|Relatório
convert.bad_date_parts|Data inválida: %1/%2/%3
convert.bad_time_parts|Hora inválida: %1:%2
convert.not_integer|'%1' não é um valor inteiro válido
convert.not_number|'%1' não é um valor numérico válido
convert.not_date|'%1' não é uma data válida
convert.not_time|'%1' não é uma hora válida
convert.not_date_typed|%1 não é uma data válida.
component.name_taken|Já existe um componente com o nome %1.
variant.bad_conversion|Conversão de variante inválida: %1
variant.array_to_text|matriz para texto
variant.text_to_integer|'%1' para inteiro
variant.array_to_integer|matriz para inteiro
variant.text_to_number|'%1' para número
variant.array_to_number|matriz para número
variant.array_to_bool|matriz para lógico
variant.text_to_date|'%1' para data
variant.value_to_date|valor para data
variant.not_array|valor não é uma matriz
variant.index_outside|índice %1 fora da matriz
variant.not_json|valor não é um documento JSON
variant.not_packet|valor não é um pacote de dados
list.index_out_of_bounds|Índice de lista fora dos limites (%1).
mask.incomplete|Valor inválido: preencha todas as posições obrigatórias.
grid.confirm_delete|Confirma a exclusão do registro?
navigator.first|Primeiro
navigator.prior|Anterior
navigator.next|Próximo
navigator.last|Último
navigator.insert|Incluir
navigator.delete|Excluir
navigator.edit|Alterar
navigator.post|Confirmar
navigator.cancel|Cancelar
navigator.refresh|Atualizar
lookup.no_records|Não há registros para pesquisar.
search.not_found|Registro não encontrado.
data.unnamed|sem nome
data.field_not_found|Campo '%1' não encontrado.
data.field_added_while_open|Não é possível incluir o campo '%1' com o conjunto de dados '%2' aberto.
data.field_twice|Campo '%1' duplicado no conjunto de dados '%2'.
data.field_renamed_while_open|Não é possível renomear o campo '%1' com o conjunto de dados aberto.
data.field_bad_size|Tamanho inválido para o campo '%1'.
data.field_without_dataset|O campo '%1' não está ligado a um conjunto de dados.
data.field_current_record_only|O campo '%1' só pode ser alterado no registro atual.
data.field_read_only|O campo '%1' não pode ser modificado.
data.field_unbound|O campo '%1' não está ligado aos dados.
data.field_required|Campo '%1' deve ser informado.
data.not_editing|Os dados não estão em inclusão nem em alteração: use Incluir ou Alterar antes de informar um valor.
data.closed|Não é possível realizar esta operação com o conjunto de dados '%1' fechado.
data.read_only|Não é possível modificar o conjunto de dados '%1': é somente leitura.
data.delete_empty|Não é possível excluir: o conjunto de dados '%1' está vazio.
data.locate_without_fields|Nenhum campo informado para a busca.
data.locate_values|A busca pede um valor para cada campo informado.
data.value_not_convertible|O valor '%1' do campo '%2' não pode ser convertido.
data.text_too_long_one|O valor '%1' excede o tamanho do campo '%2' (%3 caractere).
data.text_too_long|O valor '%1' excede o tamanho do campo '%2' (%3 caracteres).
data.not_integer|'%1' não é um valor inteiro válido.
data.not_number|'%1' não é um valor numérico válido.
data.not_date_time|'%1' não é uma data e hora válida.
data.not_boolean|'%1' não é um valor lógico válido.
data.not_value|'%1' não é um valor válido.
data.boolean_values|Sim;Não
data.packet_not_json|Pacote de dados inválido: o valor não contém um documento JSON.
data.delta_not_json|Delta inválido: o valor não contém um documento JSON.
data.row_width|Linha com %1 valores para %2 campos.
data.packet_row_width|Pacote de dados inválido: linha com %1 valores para %2 campos.
data.packet_field_missing|Campo '%1' não encontrado no pacote de dados de '%2'.
data.empty_packet_without_fields|Pacote de dados vazio para o conjunto de dados '%1', que não tem campos.
data.no_fields_defined|O conjunto de dados '%1' não tem campos definidos.
data.nothing_to_open|O conjunto de dados '%1' não tem dados nem campos para ser aberto.
server.invalid_answer|Resposta inválida do servidor de aplicação.
server.refused|O servidor de aplicação recusou a operação.
net.connect_failed|Não foi possível conectar ao servidor de aplicação em %1%2.
net.certificate_unknown| (o certificado do servidor não foi reconhecido)
net.tls_failed| (falha na conexão segura)
net.not_open|A conexão com o servidor de aplicação não está aberta.
net.no_server_name|O servidor de aplicação da conexão não foi informado.
net.no_answer|O servidor de aplicação em %1 não respondeu em %2.
net.one_second|%1 segundo
net.seconds|%1 segundos
net.milliseconds|%1 milissegundos
net.interrupted|A conexão com o servidor de aplicação em %1 foi interrompida.
net.communication_failed|Falha na comunicação com o servidor de aplicação em %1 (%2).
net.invalid_answer_from|Resposta inválida do servidor de aplicação em %1.
net.http_error|O servidor de aplicação respondeu com o erro HTTP %1.
net.answer_not_understood|O servidor de aplicação deu uma resposta que não se entende.
net.request_refused|O servidor de aplicação recusou a requisição.
net.server_error|Erro do servidor.
net.bad_number_to_send|Valor numérico inválido para envio ao servidor.
net.bad_packet_to_send|Pacote de dados inválido para envio ao servidor.
net.login_failed|Não foi possível entrar no sistema.
net.user_without_branches|O usuário %1 não tem nenhuma filial liberada.
net.user_branch_refused|O usuário %1 não tem acesso à filial %2.
db.not_connected|Não foi possível ler os dados: o programa não está ligado a um banco de dados. Verifique o endereço do banco na configuração.
db.query_without_text|Não foi possível ler os dados: a consulta %1 não tem texto. Avise o suporte.
db.read_refused|Não foi possível ler os dados. %1
db.read_failed|Não foi possível ler os dados do banco de dados. %1
db.bad_url|Endereço de banco de dados inválido: "%1". Use sqlite:CAMINHO, sqlite::memory: ou postgresql://usuário@servidor/banco.
db.param_not_found|Parâmetro '%1' não encontrado.
db.param_no_list|O parâmetro %1 não aceita uma lista de valores.
db.pg_connect_failed|Não foi possível conectar ao banco de dados PostgreSQL %1: %2
db.pg_out_of_memory|memória insuficiente
db.pg_database_at|%1 em %2:%3
db.no_utf8|O banco de dados %1 não aceita a codificação UTF8.
db.closed|A conexão com o banco de dados %1 está fechada.
db.connection_lost|A conexão com o banco de dados %1 foi perdida: %2
db.error|Erro no banco de dados %1: %2
db.error_in_step|Erro no banco de dados %1 (%2): %3
db.write_refused|Erro no banco de dados %1: o comando altera dados, e aqui só é permitido ler.
db.sqlite_open_failed|Não foi possível abrir o banco de dados SQLite %1: %2
db.step_functions|registro das funções NVLSTR e PARAM
db.step_prepare_query|preparação da consulta
db.step_read_result|leitura do resultado
db.step_prepare_command|preparação do comando
db.step_run_command|execução do comando
db.step_run_script|execução do script
db.one_statement|O texto SQL deve conter um único comando.
form.unreadable|Não foi possível ler a definição do formulário.
form.value_expected|Valor esperado.
form.unclosed_quote|Texto sem aspas de fechamento.
form.list_separator_expected|',' ou ']' esperado na lista.
form.bad_value|Valor inválido.
form.component_name_expected|Nome de componente esperado.
form.class_expected|Classe esperada depois de ':'.
form.in_expected|'in' esperado antes do componente pai.
form.parent_expected|Componente pai esperado depois de 'in'.
form.text_after_line|Texto inesperado no fim da linha.
form.property_outside_component|Propriedade fora de um componente.
form.property_name_expected|Nome de propriedade esperado.
form.assignment_expected|'=' ou '+=' esperado depois de %1.
form.text_expected|Texto esperado.
form.integer_expected|Número inteiro esperado.
form.bool_expected|true ou false esperado.
form.name_expected|Nome esperado.
form.list_expected|Lista esperada em %1.
form.unknown_component|Componente desconhecido '%1'.
form.unknown_class|Classe de componente desconhecida '%1'.
form.other_class|O componente '%1' já existe com outra classe.
form.nothing_to_change|O componente '%1' não existe para ser alterado.
form.class_not_creatable|A classe '%1' não pode ser criada.
form.class_not_registered|A classe do componente '%1' não está registrada.
form.unknown_parent|Componente pai desconhecido '%1'.
form.no_parent_allowed|Um componente da classe %1 não fica dentro de outro.
form.unknown_property|Propriedade desconhecida '%1' da classe %2.
form.bad_property_value|Valor '%1' inválido para a propriedade %2.
form.bad_value_in|Valor '%1' inválido em %2.
form.unknown_colour|Cor desconhecida '%1'.
form.wrong_component|O componente '%1' não serve para a propriedade %2.
form.unknown_handler|Manipulador de evento desconhecido '%1' para %2.
form.handler_shape|O manipulador '%1' não tem a forma do evento %2.
form.event_shape_unknown|Evento sem forma conhecida: %1 de '%2'.
form.handler_two_shapes|O manipulador '%1' serve a eventos de formas diferentes.
form.not_a_container|O componente '%1' não pode conter controles.
form.menu_item_outside_menu|Um item de menu fica dentro de um menu ou de outro item.
form.sheet_outside_pages|Uma folha fica dentro de um controle de páginas.
form.field_outside_dataset|Um campo fica dentro de um conjunto de dados.
form.visible_in_definition|A visibilidade do formulário é decidida ao exibi-lo, não na definição.
form.column_without_column|Column.%1 sem uma coluna: acrescente antes Columns += "CAMPO".
form.day_names|DayNames pede os sete nomes, de domingo a sábado.
form.not_a_data_source|O componente '%1' não é uma fonte de dados.
form.member_missing|O componente '%1' não está definido no formulário.
form.member_of_other_class|O componente '%1' não é da classe esperada.
form.already_modal|O formulário já está sendo exibido de forma modal.
form.modal_while_visible|Não é possível exibir de forma modal uma janela já visível.
menu.contains_itself|Um item de menu não pode conter a si mesmo.
report.bad_definition|Definição de relatório inválida (linha %1): %2
report.def_quoted|%1 vai entre aspas.
report.def_unclosed_quote|aspas sem fim em %1.
report.def_no_field|falta o campo.
report.def_total_name|o nome do total
report.def_column_without_field|coluna sem campo.
report.def_column_title|o título da coluna
report.def_no_inactive_code|falta o código depois de 'inactive'.
report.def_code_without_key|código sem chave de mensagem: '%1'.
report.def_unexpected_option|esperado 'group', 'time', 'codes' ou 'inactive' e não '%1'.
report.def_time_and_codes|uma coluna não pode ter 'time' e 'codes'.
report.def_unknown_item|item desconhecido '%1'.
report.def_no_sql|falta a consulta (sql).
report.def_no_column|nenhuma coluna.
report.def_detail_without_group|'detail' pede um 'group'.
report.write_failed|Não foi possível gravar o relatório em '%1'.
report.write_failed_because|Não foi possível gravar o relatório em '%1': %2.
report.names_exhausted|Não foi possível gravar o relatório em '%1': nomes de arquivo esgotados.
report.no_home|Não foi possível achar a pasta pessoal para gravar o relatório (HOME não definida).
report.folder_failed|Não foi possível criar a pasta de relatórios '%1': %2.
report.writes_refused|A definição do relatório '%1'%2 tenta alterar dados e foi recusada: um relatório só pode ler o banco de dados.
report.writes_refused_file| (arquivo '%1')
report.no_document_format|Nenhum formato de documento foi instalado para o relatório '%1'.
report.written|Relatório gerado em %1.
report.heading_report|Relatório
report.heading_user|Usuário
report.heading_issued|Emitido em
report.detail_lines|Linhas
)";

const std::map<std::string, std::string, std::less<>>& Table() {
  static const std::map<std::string, std::string, std::less<>> kTable = [] {
    std::map<std::string, std::string, std::less<>> t;
    std::string_view rest(kTexts);
    while (!rest.empty()) {
      const size_t end = rest.find('\n');
      const std::string_view line = rest.substr(0, end);
      rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
      const size_t bar = line.find('|');
      if (bar == std::string_view::npos) continue;
      // A key written twice would hide one of its texts.
      if (!t.emplace(std::string(line.substr(0, bar)), std::string(line.substr(bar + 1))).second)
        throw std::logic_error("platform text '" + std::string(line.substr(0, bar)) + "' is in the table twice");
    }
    return t;
  }();
  return kTable;
}

}  // namespace

const std::string& PlatformText(std::string_view key) {
  const auto& table = Table();
  auto it = table.find(key);
  if (it == table.end()) throw std::out_of_range("no platform text '" + std::string(key) + "'");
  return it->second;
}

std::string PlatformText(std::string_view key, std::initializer_list<std::string_view> args) {
  const std::string& text = PlatformText(key);
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
      const size_t n = static_cast<size_t>(text[i + 1] - '1');
      if (n < args.size()) {
        out += *(args.begin() + n);
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}

std::vector<std::string> PlatformTextKeys() {
  std::vector<std::string> keys;
  for (const auto& [key, text] : Table()) keys.push_back(key);
  return keys;
}

}  // namespace zor::plat
