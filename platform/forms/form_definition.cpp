// Applying form definitions to a form.
#include "platform/forms/form_definition.h"

#include "platform/core/platform_texts.h"
#include "platform/forms/component_classes.h"

namespace zor::plat {

void ApplyFormDefinition(TForm& form, const FormDefinition& definition, const THandlerTable& handlers) {
  ComponentClassRegistry& registry = ComponentClasses();
  LoadContext ctx(form, handlers, definition.source);
  struct Pending {
    TComponent* component;
    const ComponentClass* cls;
    const DefEntry* entry;
  };
  std::vector<Pending> pending;

  // First every component exists and stands in its parent, so properties
  // may refer to components defined further down.
  for (const DefEntry& e : definition.entries) {
    ctx.SetLine(e.line);
    TComponent* component = nullptr;
    const ComponentClass* cls = nullptr;
    if (e.is_form) {
      component = &form;
      cls = registry.ClassOf(&form);
    } else {
      TComponent* existing = form.FindComponent(e.name);
      if (!e.class_name.empty()) {
        cls = registry.Find(e.class_name);
        if (!cls) ctx.Fail(PlatformText("form.unknown_class", {e.class_name}));
      }
      if (existing) {
        if (cls && !cls->IsInstance(existing))
          ctx.Fail(PlatformText("form.other_class", {e.name}));
        if (!cls) cls = registry.ClassOf(existing);
        component = existing;
      } else {
        if (!cls) ctx.Fail(PlatformText("form.nothing_to_change", {e.name}));
        if (!cls->CanCreate()) ctx.Fail(PlatformText("form.class_not_creatable", {e.class_name}));
        component = cls->Create(&form);
        try {
          component->SetName(e.name);
        } catch (const EComponentError& err) {
          delete component;
          ctx.Fail(err.Message());
        }
      }
    }
    if (!cls) ctx.Fail(PlatformText("form.class_not_registered", {e.name}));
    if (!e.parent.empty()) {
      TComponent* parent = e.parent == "form" ? &form : form.FindComponent(e.parent);
      if (!parent) ctx.Fail(PlatformText("form.unknown_parent", {e.parent}));
      const ParentAttacher* attach = cls->FindAttacher();
      if (!attach) ctx.Fail(PlatformText("form.no_parent_allowed", {cls->Name()}));
      (*attach)(*component, *parent, ctx);
    }
    pending.push_back({component, cls, &e});
  }

  for (const Pending& p : pending)
    for (const DefProperty& prop : p.entry->properties) {
      ctx.SetLine(prop.line);
      const PropertySetter* setter = p.cls->FindProperty(prop.name);
      if (!setter) ctx.Fail(PlatformText("form.unknown_property", {prop.name, p.cls->Name()}));
      try {
        (*setter)(*p.component, prop, ctx);
      } catch (const EFormDefinitionError&) {
        throw;
      } catch (const std::exception& err) {
        ctx.Fail(std::string(err.what()));
      }
    }
}

}  // namespace zor::plat
