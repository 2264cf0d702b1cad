// The text of the screen's form definition (frm_voo.form), built in.
#pragma once

extern const char* const kFrmVooForm;
