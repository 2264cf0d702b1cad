// The registry of component classes that form definitions may name: how
// to make one, how each property is set from a definition value, which
// events it has and how it is put inside a parent. The standard controls
// and forms are registered here; other layers register their own classes
// (datasets, fields, data sources, queries, message tables, data-aware
// controls) by calling ComponentClasses().Register<T>(...) at start-up,
// before the first form that names them is created.
#pragma once

#include <any>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/component.h"
#include "platform/core/platform_texts.h"
#include "platform/forms/form_definition.h"

namespace zor::plat {

class TStrings;

// What a property setter gets besides the value: the form being built, the
// handler table, and error reporting with the definition's line.
class LoadContext {
 public:
  LoadContext(TForm& form, const THandlerTable& handlers, const std::string& source)
      : form_(form), handlers_(handlers), source_(source) {}
  TForm& Form() const { return form_; }
  const THandlerTable& Handlers() const { return handlers_; }
  int Line() const { return line_; }
  void SetLine(int line) { line_ = line; }
  [[noreturn]] void Fail(const std::string& message) const { throw EFormDefinitionError(source_, line_, message); }

  // Value conversions; each fails with a clear message on a wrong kind.
  std::string Text(const DefValue& v) const;
  int64_t Integer(const DefValue& v) const;
  bool Bool(const DefValue& v) const;
  const std::string& Name(const DefValue& v) const;
  // A component of the form by name ("form" is the form itself); null for
  // "nil" or an empty name.
  TComponent* Component(const DefValue& v) const;
  // A list of texts (a list value, or one text split at line breaks).
  std::vector<std::string> Texts(const DefValue& v) const;

 private:
  TForm& form_;
  const THandlerTable& handlers_;
  std::string source_;
  int line_ = 0;
};

using PropertySetter = std::function<void(TComponent& component, const DefProperty& property, LoadContext& ctx)>;
using ParentAttacher = std::function<void(TComponent& child, TComponent& parent, LoadContext& ctx)>;

class ComponentClass {
 public:
  ComponentClass(std::string name, const ComponentClass* base, std::function<TComponent*(TComponent*)> create,
                 std::function<bool(const TComponent*)> isInstance)
      : name_(std::move(name)), base_(base), create_(std::move(create)), is_instance_(std::move(isInstance)) {}

  const std::string& Name() const { return name_; }
  const ComponentClass* Base() const { return base_; }
  int Depth() const { return base_ ? base_->Depth() + 1 : 0; }
  bool CanCreate() const { return static_cast<bool>(create_); }
  TComponent* Create(TComponent* owner) const { return create_(owner); }
  bool IsInstance(const TComponent* c) const { return is_instance_(c); }
  // Looked up here, then in the base classes; names without regard to case.
  const PropertySetter* FindProperty(const std::string& name) const;
  const ParentAttacher* FindAttacher() const;

  // ---- registration ----
  ComponentClass& Property(const std::string& name, PropertySetter setter);
  template <typename T>
  ComponentClass& Prop(const std::string& name, std::function<void(T&, const DefProperty&, LoadContext&)> fn) {
    return Property(name, [fn](TComponent& c, const DefProperty& p, LoadContext& ctx) {
      fn(static_cast<T&>(dynamic_cast<T&>(c)), p, ctx);
    });
  }
  template <typename T>
  ComponentClass& Text(const std::string& name, void (T::*setter)(const std::string&)) {
    return Prop<T>(name, [setter](T& c, const DefProperty& p, LoadContext& ctx) { (c.*setter)(ctx.Text(p.value)); });
  }
  template <typename T>
  ComponentClass& Int(const std::string& name, void (T::*setter)(int)) {
    return Prop<T>(name, [setter](T& c, const DefProperty& p, LoadContext& ctx) {
      (c.*setter)(static_cast<int>(ctx.Integer(p.value)));
    });
  }
  template <typename T>
  ComponentClass& Bool(const std::string& name, void (T::*setter)(bool)) {
    return Prop<T>(name, [setter](T& c, const DefProperty& p, LoadContext& ctx) { (c.*setter)(ctx.Bool(p.value)); });
  }
  template <typename T, typename E>
  ComponentClass& Enum(const std::string& name, void (T::*setter)(E), std::vector<std::pair<std::string, E>> names) {
    return Prop<T>(name, [setter, names](T& c, const DefProperty& p, LoadContext& ctx) {
      const std::string& n = ctx.Name(p.value);
      for (const auto& [text, value] : names)
        if (text == n) return (c.*setter)(value);
      ctx.Fail(PlatformText("form.bad_property_value", {n, p.name}));
    });
  }
  // A reference to another component of the form, of class R.
  template <typename T, typename R>
  ComponentClass& Ref(const std::string& name, void (T::*setter)(R*)) {
    return Prop<T>(name, [setter](T& c, const DefProperty& p, LoadContext& ctx) {
      TComponent* target = ctx.Component(p.value);
      R* r = dynamic_cast<R*>(target);
      if (target && !r) ctx.Fail(PlatformText("form.wrong_component", {ctx.Name(p.value), p.name}));
      (c.*setter)(r);
    });
  }
  // A list of texts: "=" replaces it, "+=" appends.
  template <typename T>
  ComponentClass& Lines(const std::string& name, std::function<void(T&, std::vector<std::string>, bool append)> fn) {
    return Prop<T>(name, [fn](T& c, const DefProperty& p, LoadContext& ctx) { fn(c, ctx.Texts(p.value), p.append); });
  }
  // An event: the value names a handler of the form class, whose type must be E.
  template <typename T, typename E>
  ComponentClass& Event(const std::string& name, E T::*member) {
    return Prop<T>(name, [member](T& c, const DefProperty& p, LoadContext& ctx) {
      const std::string& handler = ctx.Name(p.value);
      if (handler.empty() || handler == "nil") {
        c.*member = nullptr;
        return;
      }
      const std::any* found = ctx.Handlers().Find(handler);
      if (!found) ctx.Fail(PlatformText("form.unknown_handler", {handler, p.name}));
      const E* typed = std::any_cast<E>(found);
      if (!typed) ctx.Fail(PlatformText("form.handler_shape", {handler, p.name}));
      c.*member = *typed;
    });
  }
  template <typename T>
  ComponentClass& Attach(std::function<void(T&, TComponent&, LoadContext&)> fn) {
    attacher_ = [fn](TComponent& child, TComponent& parent, LoadContext& ctx) {
      fn(dynamic_cast<T&>(child), parent, ctx);
    };
    return *this;
  }

 private:
  std::string name_;
  const ComponentClass* base_;
  std::function<TComponent*(TComponent*)> create_;
  std::function<bool(const TComponent*)> is_instance_;
  std::map<std::string, PropertySetter> properties_;  // lower-case names
  ParentAttacher attacher_;
};

class ComponentClassRegistry {
 public:
  // Registers (or replaces) a class. `base` names a registered class whose
  // properties, events and parent rule it inherits. Classes that cannot be
  // made from a definition (abstract ones) pass creatable = false.
  template <typename T>
  ComponentClass& Register(const std::string& name, const std::string& base = "", bool creatable = true) {
    std::function<TComponent*(TComponent*)> create;
    if constexpr (std::is_constructible_v<T, TComponent*>)
      if (creatable) create = [](TComponent* owner) -> TComponent* { return new T(owner); };
    return Add(std::make_unique<ComponentClass>(
        name, base.empty() ? nullptr : Find(base), std::move(create),
        [](const TComponent* c) { return dynamic_cast<const T*>(c) != nullptr; }));
  }
  const ComponentClass* Find(const std::string& name) const;
  // The most derived registered class the component belongs to.
  const ComponentClass* ClassOf(const TComponent* c) const;

 private:
  ComponentClass& Add(std::unique_ptr<ComponentClass> cls);
  std::vector<std::unique_ptr<ComponentClass>> classes_;
};

// The registry, with the standard controls, menus and forms registered.
ComponentClassRegistry& ComponentClasses();

}  // namespace zor::plat
