// The host's shared connection and the queries' default.
#include "platform/sql/dtm_db_geral.h"

#include "platform/sql/adoib_query.h"

namespace zor::plat {

TdtmDBGeral* dtmDBGeral = nullptr;

TdtmDBGeral::TdtmDBGeral(TComponent* owner) : TComponent(owner) {
  if (!dtmDBGeral) dtmDBGeral = this;
}

TdtmDBGeral::~TdtmDBGeral() {
  Disconnect();
  if (dtmDBGeral == this) dtmDBGeral = nullptr;
}

void TdtmDBGeral::Connect(std::string_view url) {
  Disconnect();
  Attach(std::shared_ptr<DbConnection>(OpenConnection(url)));
}

void TdtmDBGeral::Attach(std::shared_ptr<DbConnection> connection) {
  Disconnect();
  connection_ = std::move(connection);
  TADOIBQuery::SetDefaultConnection(connection_);
}

void TdtmDBGeral::Disconnect() {
  if (!connection_) return;
  // Only our own connection is withdrawn as the default: a host may have
  // set another one meanwhile.
  if (TADOIBQuery::DefaultConnection() == connection_) TADOIBQuery::SetDefaultConnection(nullptr);
  connection_->Close();
  connection_.reset();
}

}  // namespace zor::plat
