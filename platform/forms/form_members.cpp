// Generating a form class's members from its form definition.
#include "platform/forms/form_members.h"

#include <map>
#include <set>
#include <sstream>

#include "platform/core/platform_texts.h"

namespace zor::plat {

namespace {

// The parameters of a handler, by the event it is named for. Fields and
// datasets have events of their own; every other component shares one
// table. An event missing here must be added before a definition names it.
const char* const kNotify = "plat::TObject* Sender";

bool IsField(const std::string& cls) { return cls.size() > 5 && cls.ends_with("Field"); }
bool IsDataSet(const std::string& cls) { return cls.ends_with("DataSet") || cls.ends_with("Query"); }

const char* FieldEvent(const std::string& event) {
  static const std::map<std::string, const char*> kEvents = {
      {"OnChange", "plat::TField* Sender"},
      {"OnValidate", "plat::TField* Sender"},
      {"OnGetText", "plat::TField* Sender, std::string& Text, bool DisplayText"},
      {"OnSetText", "plat::TField* Sender, const std::string& Text"},
  };
  auto it = kEvents.find(event);
  return it == kEvents.end() ? nullptr : it->second;
}

const char* DataSetEvent(const std::string& event) {
  static const std::set<std::string> kNotifies = {
      "BeforeOpen",   "AfterOpen",   "BeforeClose",  "AfterClose",  "BeforeInsert", "AfterInsert",
      "BeforeEdit",   "AfterEdit",   "BeforePost",   "AfterPost",   "BeforeCancel", "AfterCancel",
      "BeforeDelete", "AfterDelete", "BeforeScroll", "AfterScroll", "OnNewRecord",  "OnCalcFields"};
  if (kNotifies.count(event)) return "plat::TDataSet* DataSet";
  if (event == "OnPostError" || event == "OnDeleteError" || event == "OnEditError")
    return "plat::TDataSet* DataSet, plat::EDatabaseError& E, plat::TDataAction& Action";
  return nullptr;
}

const char* ComponentEvent(const std::string& event) {
  static const std::map<std::string, const char*> kEvents = {
      {"OnClick", kNotify},
      {"OnDblClick", kNotify},
      {"OnEnter", kNotify},
      {"OnExit", kNotify},
      {"OnChange", kNotify},
      {"OnCreate", kNotify},
      {"OnShow", kNotify},
      {"OnHide", kNotify},
      {"OnActivate", kNotify},
      {"OnDeactivate", kNotify},
      {"OnDestroy", kNotify},
      {"OnStateChange", kNotify},
      {"OnUpdateData", kNotify},
      {"OnEditButtonClick", kNotify},
      {"OnAfterPesq", kNotify},
      {"OnCancelPesq", kNotify},
      {"BeforeConnect", kNotify},
      {"AfterConnect", kNotify},
      {"BeforeDisconnect", kNotify},
      {"AfterDisconnect", kNotify},
      {"OnClose", "plat::TObject* Sender, plat::TCloseAction& Action"},
      {"OnCloseQuery", "plat::TObject* Sender, bool& CanClose"},
      {"OnKeyDown", "plat::TObject* Sender, plat::Word& Key, plat::TShiftState Shift"},
      {"OnKeyUp", "plat::TObject* Sender, plat::Word& Key, plat::TShiftState Shift"},
      {"OnKeyPress", "plat::TObject* Sender, char& Key"},
      {"OnDataChange", "plat::TObject* Sender, plat::TField* Field"},
      {"OnBeforePesq", "plat::TObject* Sender, bool& Proceed"},
      {"OnChanging", "plat::TObject* Sender, bool& AllowChange"},
      {"BeforeGetQueryParams", "plat::TParams& Params, bool& Handled"},
      {"OnDrawColumnCell",
       "plat::TObject* Sender, const plat::TRect& Rect, int DataCol, plat::TColumn* Column, "
       "plat::TGridDrawState State"},
  };
  auto it = kEvents.find(event);
  return it == kEvents.end() ? nullptr : it->second;
}

bool IsEventName(const std::string& property) {
  return property.starts_with("On") || property.starts_with("Before") || property.starts_with("After");
}

const char* HandlerParameters(const std::string& cls, const std::string& event) {
  if (IsField(cls)) return FieldEvent(event);
  if (IsDataSet(cls)) return DataSetEvent(event);
  return ComponentEvent(event);
}

}  // namespace

namespace {

void CollectInto(FormMembers& members, std::map<std::string, size_t>& handlerAt, const FormDefinition& definition,
                 bool withComponents) {
  for (const DefEntry& e : definition.entries) {
    if (withComponents && !e.is_form && !e.class_name.empty()) members.components.push_back({e.name, e.class_name});
    for (const DefProperty& p : e.properties) {
      if (!IsEventName(p.name) || p.value.kind != DefValue::Kind::Name) continue;
      const std::string& handler = p.value.text;
      if (handler.empty() || handler == "nil") continue;
      const char* parameters = HandlerParameters(e.class_name, p.name);
      if (!parameters)
        throw EFormDefinitionError(definition.source, p.line,
                                   PlatformText("form.event_shape_unknown", {p.name, e.name}));
      auto [at, added] = handlerAt.emplace(handler, members.handlers.size());
      if (added) {
        members.handlers.push_back({handler, parameters});
      } else if (members.handlers[at->second].parameters != parameters) {
        throw EFormDefinitionError(definition.source, p.line, PlatformText("form.handler_two_shapes", {handler}));
      }
    }
  }
}

}  // namespace

FormMembers CollectFormMembers(const FormDefinition& definition, const std::vector<FormDefinition>& pieces) {
  FormMembers members;
  std::map<std::string, size_t> handlerAt;
  CollectInto(members, handlerAt, definition, true);
  for (const FormDefinition& piece : pieces) CollectInto(members, handlerAt, piece, false);
  return members;
}

std::string FormMembersDeclarations(const FormMembers& members, const std::string& source) {
  std::ostringstream out;
  out << "// Generated from " << source << " by zor-form-members: do not edit.\n"
      << "// Included inside the form class: its components and handlers.\n\n";
  out << "// NOLINTBEGIN(readability-identifier-naming): named by the form definition\n";
  for (const auto& c : members.components) out << "plat::" << c.class_name << "* " << c.name << " = nullptr;\n";
  out << "\n";
  for (const auto& h : members.handlers) out << "void " << h.name << "(" << h.parameters << ");\n";
  out << "// NOLINTEND(readability-identifier-naming)\n";
  out << "\n// Binds the handlers and component pointers above by name.\nvoid BindFormMembers();\n";
  return out.str();
}

std::string FormMembersBindings(const FormMembers& members, const std::string& source, const std::string& formClass,
                                const std::string& header) {
  std::ostringstream out;
  out << "// Generated from " << source << " by zor-form-members: do not edit.\n"
      << "#include \"" << header << "\"\n\n"
      << "#include <functional>\n\n"
      << "namespace {\n\n"
      << "// A handler bound by name: a callable of the event's exact type that\n"
      << "// calls the form's method.\n"
      << "template <typename... A>\n"
      << "std::function<void(A...)> Method(" << formClass << "* form, void (" << formClass
      << "::*method)(A...)) {\n"
      << "  return [form, method](A... args) { (form->*method)(args...); };\n"
      << "}\n\n"
      << "}  // namespace\n\n"
      << "void " << formClass << "::BindFormMembers() {\n";
  for (const auto& h : members.handlers)
    out << "  BindHandler(\"" << h.name << "\", Method(this, &" << formClass << "::" << h.name << "));\n";
  for (const auto& c : members.components) out << "  BindField(\"" << c.name << "\", " << c.name << ");\n";
  out << "}\n";
  return out.str();
}

}  // namespace zor::plat
