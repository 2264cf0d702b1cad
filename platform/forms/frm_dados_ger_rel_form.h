// The text of the form definition frm_dados_ger_rel.form, built in.
#pragma once

namespace plat {
extern const char* const kFrmDadosGerRelForm;
}
