// The text of the report screen's form definition (frm_rel_voo.form), built in.
#pragma once

extern const char* const kFrmRelVooForm;
