// The text of the report screen's form definition (frm_rel_voo.form), built in.
#pragma once

namespace zor::Cli_zor12201 {

extern const char* const kFrmRelVooForm;

}  // namespace zor::Cli_zor12201
