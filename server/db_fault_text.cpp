// Database fault messages (see db_fault_text.h).
#include "server/db_fault_text.h"

namespace zor::server {

std::string DbFaultMessage(const DbError& e) {
  switch (e.Kind()) {
    case DbError::FaultKind::Busy:
      return "O banco de dados está ocupado. Tente novamente em instantes.";
    case DbError::FaultKind::Connection:
      if (e.MayHaveCommitted())
        return "A conexão com o banco de dados caiu ao gravar: a gravação pode ter sido concluída ou não. "
               "Atualize os dados para conferir antes de tentar novamente.";
      return "Não foi possível conectar ao banco de dados: ele está parado ou inacessível. Nada foi gravado. "
             "Avise o suporte.";
    case DbError::FaultKind::ReadOnly:
      return "O banco de dados está aberto somente para leitura: nada foi gravado. Avise o suporte "
             "(permissões do arquivo ou do banco).";
    case DbError::FaultKind::DiskFull:
      return "O disco do banco de dados está cheio: nada foi gravado. Avise o suporte para liberar espaço.";
    default:
      return "Erro ao acessar o banco de dados. Tente novamente ou avise o suporte.";
  }
}

}  // namespace zor::server
