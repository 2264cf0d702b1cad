// Opening a connection from a URL, and the result helpers shared by the drivers.
#include "platform/sql/connection.h"

#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"
#include "platform/core/sysutils.h"
#include "platform/sql/pg_connection.h"
#include "platform/sql/sqlite_connection.h"

namespace zor::plat {

int SqlResult::ColumnIndex(std::string_view name) const {
  for (size_t i = 0; i < Columns.size(); ++i)
    if (SameText(Columns[i].Name, name)) return static_cast<int>(i);
  return -1;
}

std::unique_ptr<DbConnection> OpenConnection(std::string_view url) {
  std::string_view u = url;
  auto starts = [&](std::string_view prefix) {
    return u.size() >= prefix.size() && SameText(u.substr(0, prefix.size()), prefix);
  };
  if (starts("sqlite:")) {
    std::string_view path = u.substr(7);
    if (path.starts_with("//")) path.remove_prefix(2);  // sqlite:///abs/path
    if (!path.empty()) return std::make_unique<SqliteConnection>(std::string(path));
  } else if (starts("postgresql://") || starts("postgres://")) {
    return std::make_unique<PgConnection>(std::string(url));
  }
  throw EDatabaseError(PlatformText("db.bad_url", {RedactDatabaseUrl(url)}));
}

}  // namespace zor::plat
