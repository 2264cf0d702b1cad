// What the person at the desk reads when the database fails: which fault
// it is, because each asks for something different (wait and retry, call
// the operator about the disk, the file's permissions or the database
// server). The cause itself goes to the server's log.
#pragma once

#include <string>

#include "server/db_connection.h"

namespace zor::server {

std::string DbFaultMessage(const DbError& e);

}  // namespace zor::server
