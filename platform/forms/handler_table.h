// The table of event handlers a form class offers to its form definition,
// by name. Binding a name a second time replaces the handler: a derived
// form's handler of the same name replaces the base form's, and calls the
// base one explicitly when it wants its behaviour.
#pragma once

#include <any>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "platform/core/component.h"

namespace zor::plat {

class THandlerTable {
 public:
  template <typename Event>
  void Bind(const std::string& name, Event handler) {
    handlers_[Key(name)] = Entry{name, std::any(std::move(handler))};
  }
  // The handler, or null when the name is unknown.
  const std::any* Find(std::string_view name) const {
    auto it = handlers_.find(Key(name));
    return it == handlers_.end() ? nullptr : &it->second.handler;
  }

  // Component references the form class keeps as members, filled in by
  // name once the definitions are applied.
  template <typename T>
  void BindField(const std::string& name, T*& field) {
    fields_[Key(name)] = FieldEntry{name, [&field](TComponent* c) {
                                      field = dynamic_cast<T*>(c);
                                      return field != nullptr;
                                    }};
  }
  struct FieldEntry {
    std::string name;
    std::function<bool(TComponent*)> assign;  // false when the component has another class
  };
  const std::map<std::string, FieldEntry>& Fields() const { return fields_; }

 private:
  static std::string Key(std::string_view name) {
    std::string k(name);
    for (char& c : k)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return k;
  }
  struct Entry {
    std::string name;
    std::any handler;
  };
  std::map<std::string, Entry> handlers_;
  std::map<std::string, FieldEntry> fields_;
};

}  // namespace zor::plat
