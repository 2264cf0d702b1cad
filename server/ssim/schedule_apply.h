// Writing an import plan: the flights to create and the changes to held
// flights, all in one transaction, through the same checks and writes as
// the screen's saves. Nothing is deleted: legs and classes the file lacks
// stay, and flights absent from the file are only listed by the plan.
#pragma once

#include "server/audit_trail.h"
#include "server/db_connection.h"
#include "server/ssim/schedule_plan.h"

namespace zor::server::ssim {

struct ApplyResult {
  int created = 0, changed = 0;
};

// Throws SaveRefused ("Vôo 1234: <the check's message>") when any check
// refuses, or DbError; either way nothing is written. A flight changed by
// someone else since the plan was made is refused the same way.
// Every row written is recorded on `audit` (when given) in the same transaction.
ApplyResult ApplyPlan(Connection& c, const Plan& plan, const std::string& branch, const std::string& company,
                      AuditRecorder* audit = nullptr);

}  // namespace zor::server::ssim
