// The platform's message table: one "key|text" line per text.
#include "platform/core/platform_texts.h"

#include <map>
#include <stdexcept>

namespace plat {

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
server.invalid_answer|Resposta inválida do servidor de aplicação.
server.refused|O servidor de aplicação recusou a operação.
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
  static const std::map<std::string, std::string, std::less<>> table = [] {
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
  return table;
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

}  // namespace plat
