// Finding a control by what the person reads on it: a script may name a
// button, check box, tab or menu item by its caption or hint ("Confirmar",
// "Diário") when it has no name the writer knows, on any open form.
#pragma once

#include <string>
#include <vector>

namespace zor::plat {
class TComponent;
class TForm;
}  // namespace zor::plat

namespace zor::script {

// The first component of the forms, in their order, whose caption (without
// its '&' marks) or hint is `text`, ignoring letter case; visible controls
// before hidden ones. Null when none.
plat::TComponent* FindByCaption(const std::vector<plat::TForm*>& forms, const std::string& text);

}  // namespace zor::script
