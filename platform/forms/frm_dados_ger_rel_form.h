// The text of the form definition frm_dados_ger_rel.form, built in.
#pragma once

namespace zor::plat {
extern const char* const kFrmDadosGerRelForm;
}
