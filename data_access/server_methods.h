// The methods of the remote data module "Zor12200.rdmVooTrecho" as the
// screen calls them: names and argument order on the wire. Each returns the
// raw result, which the caller passes to Consiste::CheckResultServ.
#pragma once

#include <string>

#include "platform/core/variant.h"
#include "platform/net/net_connection.h"

namespace data_access {

inline constexpr const char* kRemoteDataModule = "Zor12200.rdmVooTrecho";

class VooTrechoServer {
 public:
  explicit VooTrechoServer(plat::TNetConnection& connection) : app_(connection.AppServer()) {}

  plat::Variant GetTipoVoo() { return app_.Call("GetTipoVoo"); }
  plat::Variant GetVoo(const std::string& cdFilial, const std::string& cdCia) {
    return app_.Call("GetVoo", cdFilial, cdCia);
  }
  plat::Variant GetTrecho(const std::string& cdCia, const std::string& nrVoo, const std::string& cdFilial) {
    return app_.Call("GetTrecho", cdCia, nrVoo, cdFilial);
  }
  plat::Variant GetClasseVoo(const std::string& cdFilial, const std::string& cdCia, const std::string& cdTrecho,
                             const std::string& nrVoo) {
    return app_.Call("GetClasseVoo", cdFilial, cdCia, cdTrecho, nrVoo);
  }
  plat::Variant GetTurno(const std::string& nrTurno, const std::string& listFlag) {
    return app_.Call("GetTurno", nrTurno, listFlag);
  }
  plat::Variant SetVoo(const plat::Variant& delta) { return app_.Call("SetVoo", delta); }
  plat::Variant SetTrecho(const plat::Variant& delta) { return app_.Call("SetTrecho", delta); }
  plat::Variant SetClasseVoo(const plat::Variant& delta) { return app_.Call("SetClasseVoo", delta); }
  plat::Variant SetDelTdsTrechos(const std::string& cdFilial, const std::string& cdCia, const std::string& nrVoo) {
    return app_.Call("SetDelTdsTrechos", cdFilial, cdCia, nrVoo);
  }

 private:
  plat::TAppServer& app_;
};

}  // namespace data_access
