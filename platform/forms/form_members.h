// The members a form class keeps for its form definition, generated from
// the definition itself so that the two cannot disagree: a pointer for
// every component the definition creates (or names with its class), a
// declaration for every handler its events name, and the code that binds
// both by name. Pieces that another layer applies over every form of the
// class (the base form's data-aware parts) name handlers the class binds
// too; their components belong to that layer and get no pointer. The build
// runs it through the zor-form-members tool.
#pragma once

#include <string>
#include <vector>

#include "platform/forms/form_text.h"

namespace zor::plat {

struct FormMembers {
  struct Component {
    std::string name;
    std::string class_name;
  };
  struct Handler {
    std::string name;
    std::string parameters;  // "plat::TObject* Sender"
  };
  std::vector<Component> components;  // in the definition's order
  std::vector<Handler> handlers;      // each once, where first named
};

// Raises EFormDefinitionError on an event whose handler shape is not known
// here, or on one handler named for events of different shapes.
FormMembers CollectFormMembers(const FormDefinition& definition, const std::vector<FormDefinition>& pieces = {});

// The member declarations, to be included inside the class body.
std::string FormMembersDeclarations(const FormMembers& members, const std::string& source);
// The definition of `form_class`::BindFormMembers, which binds every handler
// and component pointer by name; `header` declares the class.
std::string FormMembersBindings(const FormMembers& members, const std::string& source, const std::string& formClass,
                                const std::string& header);

}  // namespace zor::plat
