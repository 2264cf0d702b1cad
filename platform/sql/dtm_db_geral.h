// The host's data module: the one shared database connection that the
// screens' lookup queries run on. The host creates it, opens it from a URL
// (its configuration), and every query without a connection of its own uses
// it. `adcGeral`, `dtbGeral` and `ibtGeral` are the names the screens know
// the connection by; here all three are that one connection.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/core/component.h"
#include "platform/sql/connection.h"

namespace zor::plat {

class TdtmDBGeral : public TComponent {
 public:
  // The first data module created becomes the process-wide `dtmDBGeral`.
  explicit TdtmDBGeral(TComponent* owner = nullptr);
  ~TdtmDBGeral() override;

  // Opens the shared connection (closing any previous one) and makes it the
  // default of every query. Raises EDatabaseError when it cannot be opened;
  // the module is then left disconnected.
  void Connect(std::string_view url);
  // Uses a connection opened elsewhere (tests, a host with its own setup).
  void Attach(std::shared_ptr<DbConnection> connection);
  // Closes the shared connection, also for queries that were given it.
  void Disconnect();
  bool Connected() const { return connection_ && connection_->Connected(); }

  std::shared_ptr<DbConnection> adcGeral() const { return connection_; }
  std::shared_ptr<DbConnection> dtbGeral() const { return connection_; }
  std::shared_ptr<DbConnection> ibtGeral() const { return connection_; }

 private:
  std::shared_ptr<DbConnection> connection_;
};

// The host's data module; null until the host creates one.
extern TdtmDBGeral* dtmDBGeral;

}  // namespace zor::plat
