// Registration of datasets, fields, lookup buttons and the server connection
// with the form definitions' class registry.
#include "platform/classes/library_classes.h"

#include "platform/controls/edit.h"
#include "platform/core/platform_texts.h"
#include "platform/data/client_data_set.h"
#include "platform/data/data_source.h"
#include "platform/data/field_types.h"
#include "platform/forms/component_classes.h"
#include "platform/library/btn_pesquisa.h"
#include "platform/net/net_connection.h"

namespace zor::plat {

namespace {

template <typename E>
using Names = std::vector<std::pair<std::string, E>>;

void RegisterDataSets(ComponentClassRegistry& r) {
  ComponentClass& ds = r.Register<TClientDataSet>("TClientDataSet", "TComponent");
  ds.Bool<TClientDataSet>("LogChanges", &TClientDataSet::SetLogChanges)
      .Bool<TClientDataSet>("ReadOnly", &TClientDataSet::SetReadOnly);
  const std::pair<const char*, TDataSetNotifyEvent TDataSet::*> events[] = {
      {"BeforeOpen", &TDataSet::BeforeOpen},     {"AfterOpen", &TDataSet::AfterOpen},
      {"BeforeClose", &TDataSet::BeforeClose},   {"AfterClose", &TDataSet::AfterClose},
      {"BeforeInsert", &TDataSet::BeforeInsert}, {"AfterInsert", &TDataSet::AfterInsert},
      {"BeforeEdit", &TDataSet::BeforeEdit},     {"AfterEdit", &TDataSet::AfterEdit},
      {"BeforePost", &TDataSet::BeforePost},     {"AfterPost", &TDataSet::AfterPost},
      {"BeforeCancel", &TDataSet::BeforeCancel}, {"AfterCancel", &TDataSet::AfterCancel},
      {"BeforeDelete", &TDataSet::BeforeDelete}, {"AfterDelete", &TDataSet::AfterDelete},
      {"BeforeScroll", &TDataSet::BeforeScroll}, {"AfterScroll", &TDataSet::AfterScroll},
      {"OnNewRecord", &TDataSet::OnNewRecord},
  };
  for (const auto& [name, member] : events) ds.Event<TDataSet, TDataSetNotifyEvent>(name, member);
  ds.Event<TDataSet, TDataSetErrorEvent>("OnPostError", &TDataSet::OnPostError)
      .Event<TDataSet, TDataSetErrorEvent>("OnDeleteError", &TDataSet::OnDeleteError)
      .Event<TDataSet, TDataSetErrorEvent>("OnEditError", &TDataSet::OnEditError);
}

template <typename T>
void FieldClass(ComponentClassRegistry& r, const std::string& name) {
  r.Register<T>(name, "TField");
}

void RegisterFields(ComponentClassRegistry& r) {
  const Names<TAlignment> alignments = {
      {"taLeftJustify", taLeftJustify}, {"taRightJustify", taRightJustify}, {"taCenter", taCenter}};
  r.Register<TField>("TField", "TComponent", false)
      .Prop<TField>("FieldName", [](TField& f, const DefProperty& p, LoadContext& ctx) { f.SetFieldName(ctx.Text(p.value)); })
      .Prop<TField>("DisplayLabel",
                    [](TField& f, const DefProperty& p, LoadContext& ctx) { f.SetDisplayLabel(ctx.Text(p.value)); })
      .Prop<TField>("EditMask", [](TField& f, const DefProperty& p, LoadContext& ctx) { f.SetEditMask(ctx.Text(p.value)); })
      .Int<TField>("Size", &TField::SetSize)
      .Int<TField>("DisplayWidth", &TField::SetDisplayWidth)
      .Bool<TField>("Visible", &TField::SetVisible)
      .Bool<TField>("Required", &TField::SetRequired)
      .Bool<TField>("ReadOnly", &TField::SetReadOnly)
      .Enum<TField, TAlignment>("Alignment", &TField::SetAlignment, alignments)
      .Event<TField, TFieldGetTextEvent>("OnGetText", &TField::OnGetText)
      .Event<TField, TFieldSetTextEvent>("OnSetText", &TField::OnSetText)
      .Event<TField, TFieldNotifyEvent>("OnValidate", &TField::OnValidate)
      .Event<TField, TFieldNotifyEvent>("OnChange", &TField::OnChange)
      .Attach<TField>([](TField& field, TComponent& parent, LoadContext& ctx) {
        auto* ds = dynamic_cast<TDataSet*>(&parent);
        if (!ds) ctx.Fail(PlatformText("form.field_outside_dataset"));
        field.SetDataSet(ds);
      });
  FieldClass<TStringField>(r, "TStringField");
  FieldClass<TIntegerField>(r, "TIntegerField");
  r.Register<TFloatField>("TFloatField", "TField")
      .Int<TFloatField>("Precision", &TFloatField::SetPrecision)
      .Prop<TFloatField>("DisplayFormat", [](TFloatField& f, const DefProperty& p, LoadContext& ctx) {
        f.SetDisplayFormat(ctx.Text(p.value));
      });
  r.Register<TDateTimeField>("TDateTimeField", "TField")
      .Prop<TDateTimeField>("DisplayFormat", [](TDateTimeField& f, const DefProperty& p, LoadContext& ctx) {
        f.SetDisplayFormat(ctx.Text(p.value));
      });
  FieldClass<TBooleanField>(r, "TBooleanField");
}

void RegisterLookupButton(ComponentClassRegistry& r) {
  r.Register<TBtnPesquisa>("TBtnPesquisa", "TSpeedButton")
      .Ref<TBtnPesquisa, TCustomEdit>("Associate", &TBtnPesquisa::SetAssociate)
      .Ref<TBtnPesquisa, TDataSource>("DataSource", &TBtnPesquisa::SetDataSource)
      .Text<TBtnPesquisa>("Title", &TBtnPesquisa::SetTitle)
      .Text<TBtnPesquisa>("EmptyError", &TBtnPesquisa::SetEmptyError)
      .Event<TBtnPesquisa, TBeforePesqEvent>("OnBeforePesq", &TBtnPesquisa::OnBeforePesq)
      .Event<TBtnPesquisa, TNotifyEvent>("OnAfterPesq", &TBtnPesquisa::OnAfterPesq)
      .Event<TBtnPesquisa, TNotifyEvent>("OnCancelPesq", &TBtnPesquisa::OnCancelPesq);
}

void RegisterConnection(ComponentClassRegistry& r) {
  r.Register<TNetConnection>("TNetConnection", "TComponent")
      .Prop<TNetConnection>("ServerName",
                            [](TNetConnection& c, const DefProperty& p, LoadContext& ctx) { c.SetServerName(ctx.Text(p.value)); })
      .Prop<TNetConnection>("Host", [](TNetConnection& c, const DefProperty& p, LoadContext& ctx) { c.SetHost(ctx.Text(p.value)); })
      .Int<TNetConnection>("Port", &TNetConnection::SetPort)
      .Bool<TNetConnection>("ThrowException", &TNetConnection::SetThrowException)
      .Event<TNetConnection, TNotifyEvent>("BeforeConnect", &TNetConnection::BeforeConnect)
      .Event<TNetConnection, TNotifyEvent>("AfterConnect", &TNetConnection::AfterConnect)
      .Event<TNetConnection, TNotifyEvent>("AfterDisconnect", &TNetConnection::AfterDisconnect);
}

}  // namespace

void RegisterLibraryClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  ComponentClassRegistry& r = ComponentClasses();
  RegisterDataSets(r);
  RegisterFields(r);
  RegisterLookupButton(r);
  RegisterConnection(r);
}

}  // namespace zor::plat
