// The text of the screen's form definition (frm_voo.form), built in.
#pragma once

namespace zor::Cli_zor12200 {

extern const char* const kFrmVooForm;

}  // namespace zor::Cli_zor12200
