// Applying form definitions (form_text.h reads them) to a form: its
// components are created or modified, their properties set and their events
// bound to the handlers of the form class's table.
#pragma once

#include "platform/forms/form.h"
#include "platform/forms/form_text.h"

namespace zor::plat {

// Creates and modifies the form's components, sets their properties and
// binds their events to the handlers of the table.
void ApplyFormDefinition(TForm& form, const FormDefinition& definition, const THandlerTable& handlers);

}  // namespace zor::plat
