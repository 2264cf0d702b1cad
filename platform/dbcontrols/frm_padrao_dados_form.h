// The text of the base maintenance form's data-aware pieces
// (frm_padrao_dados.form), built in.
#pragma once

namespace zor::plat {
extern const char* const kFrmPadraoDadosForm;
}
