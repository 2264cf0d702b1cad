// The text of the form definition frm_padrao.form, built in.
#pragma once

namespace zor::plat {
extern const char* const kFrmPadraoForm;
}
