// The methods of the remote data module (wire/module.h) as the screen calls
// them, with their arguments in the order the wire gives them. Each returns
// the raw result, which the caller passes to Consiste::CheckResultServ.
#pragma once

#include <string>
#include <vector>

#include "platform/core/variant.h"
#include "platform/net/net_connection.h"
#include "wire/module.h"

namespace zor::data_access {

class VooTrechoServer {
 public:
  explicit VooTrechoServer(plat::TNetConnection& connection) : app_(connection.AppServer()) {}

  plat::Variant GetTipoVoo() { return app_.Call(wire::method::GetTipoVoo); }
  plat::Variant GetVoo(const std::string& cdFilial, const std::string& cdCia) {
    return app_.Call(wire::method::GetVoo, cdFilial, cdCia);
  }
  plat::Variant GetTrecho(const std::string& cdCia, const std::string& nrVoo, const std::string& cdFilial) {
    return app_.Call(wire::method::GetTrecho, cdCia, nrVoo, cdFilial);
  }
  plat::Variant GetClasseVoo(const std::string& cdFilial, const std::string& cdCia, const std::string& cdTrecho,
                             const std::string& nrVoo) {
    return app_.Call(wire::method::GetClasseVoo, cdFilial, cdCia, cdTrecho, nrVoo);
  }
  plat::Variant GetTurno(const std::string& nrTurno, const std::string& listFlag) {
    return app_.Call(wire::method::GetTurno, nrTurno, listFlag);
  }
  plat::Variant SetVoo(const plat::Variant& delta) { return app_.Call(wire::method::SetVoo, delta); }
  plat::Variant SetTrecho(const plat::Variant& delta) { return app_.Call(wire::method::SetTrecho, delta); }
  // A leg's changes and the reload of its flight's legs in one request: the
  // second result holds the legs as the server holds them once the first
  // has run (whether it was accepted or not).
  std::vector<plat::Variant> SetTrechoThenGetTrecho(const plat::Variant& delta, const std::string& cdCia,
                                                    const std::string& nrVoo, const std::string& cdFilial) {
    return app_.CallBatch({{wire::method::SetTrecho, {delta}},
                           {wire::method::GetTrecho, {plat::Variant(cdCia), plat::Variant(nrVoo), plat::Variant(cdFilial)}}});
  }
  plat::Variant SetClasseVoo(const plat::Variant& delta) { return app_.Call(wire::method::SetClasseVoo, delta); }
  plat::Variant SetDelTdsTrechos(const std::string& cdFilial, const std::string& cdCia, const std::string& nrVoo) {
    return app_.Call(wire::method::SetDelTdsTrechos, cdFilial, cdCia, nrVoo);
  }

 private:
  plat::TAppServer& app_;
};

}  // namespace zor::data_access
