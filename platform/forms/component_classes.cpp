// The class registry and the standard classes: controls, menus, page
// controls, forms and the message table.
#include "platform/forms/component_classes.h"

#include "platform/controls/check_box.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/containers.h"
#include "platform/controls/label.h"
#include "platform/controls/mask_edit.h"
#include "platform/controls/menus.h"
#include "platform/controls/page_control.h"
#include "platform/controls/radio_group.h"
#include "platform/controls/speed_button.h"
#include "platform/controls/strings.h"
#include "platform/core/platform_texts.h"
#include "platform/core/sysutils.h"
#include "platform/library/messages.h"

namespace zor::plat {

// ---- LoadContext -----------------------------------------------------------

std::string LoadContext::Text(const DefValue& v) const {
  if (v.kind == DefValue::Kind::String || v.kind == DefValue::Kind::Name) return v.text;
  if (v.kind == DefValue::Kind::Integer) return std::to_string(v.integer);
  Fail(PlatformText("form.text_expected"));
}

int64_t LoadContext::Integer(const DefValue& v) const {
  if (v.kind != DefValue::Kind::Integer) Fail(PlatformText("form.integer_expected"));
  return v.integer;
}

bool LoadContext::Bool(const DefValue& v) const {
  if (v.kind != DefValue::Kind::Bool) Fail(PlatformText("form.bool_expected"));
  return v.boolean;
}

const std::string& LoadContext::Name(const DefValue& v) const {
  if (v.kind != DefValue::Kind::Name) Fail(PlatformText("form.name_expected"));
  return v.text;
}

TComponent* LoadContext::Component(const DefValue& v) const {
  const std::string& name = Name(v);
  if (name.empty() || name == "nil") return nullptr;
  if (name == "form") return &form_;
  TComponent* c = form_.FindComponent(name);
  if (!c) Fail(PlatformText("form.unknown_component", {name}));
  return c;
}

std::vector<std::string> LoadContext::Texts(const DefValue& v) const {
  std::vector<std::string> out;
  if (v.kind == DefValue::Kind::List) {
    for (const DefValue& item : v.list) out.push_back(Text(item));
    return out;
  }
  std::string text = Text(v);
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    out.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

// ---- ComponentClass / registry ---------------------------------------------

const PropertySetter* ComponentClass::FindProperty(const std::string& name) const {
  std::string key = LowerCase(name);
  for (const ComponentClass* c = this; c; c = c->base_) {
    auto it = c->properties_.find(key);
    if (it != c->properties_.end()) return &it->second;
  }
  return nullptr;
}

const ParentAttacher* ComponentClass::FindAttacher() const {
  for (const ComponentClass* c = this; c; c = c->base_)
    if (c->attacher_) return &c->attacher_;
  return nullptr;
}

ComponentClass& ComponentClass::Property(const std::string& name, PropertySetter setter) {
  properties_[LowerCase(name)] = std::move(setter);
  return *this;
}

ComponentClass& ComponentClassRegistry::Add(std::unique_ptr<ComponentClass> cls) {
  // Older registrations stay alive: classes registered on top of them keep
  // pointing at them as their base.
  classes_.push_back(std::move(cls));
  return *classes_.back();
}

const ComponentClass* ComponentClassRegistry::Find(const std::string& name) const {
  for (auto it = classes_.rbegin(); it != classes_.rend(); ++it)
    if ((*it)->Name() == name) return it->get();
  return nullptr;
}

const ComponentClass* ComponentClassRegistry::ClassOf(const TComponent* c) const {
  const ComponentClass* best = nullptr;
  for (auto it = classes_.rbegin(); it != classes_.rend(); ++it)
    if ((*it)->IsInstance(c) && (!best || (*it)->Depth() > best->Depth())) best = it->get();
  return best;
}

// ---- standard classes ------------------------------------------------------

namespace {

template <typename E>
using Names = std::vector<std::pair<std::string, E>>;

void SetStrings(TStrings& strings, const std::vector<std::string>& texts, bool append) {
  strings.BeginUpdate();
  if (!append) strings.Clear();
  for (const auto& t : texts) strings.Add(t);
  strings.EndUpdate();
}

void RegisterControls(ComponentClassRegistry& r) {
  r.Register<TComponent>("TComponent", "", false).Int<TComponent>("Tag", &TComponent::SetTag);

  const Names<TAlign> aligns = {{"alNone", alNone}, {"alTop", alTop},     {"alBottom", alBottom},
                                {"alLeft", alLeft}, {"alRight", alRight}, {"alClient", alClient}};
  const Names<TCursor> cursors = {{"crDefault", crDefault}, {"crArrow", crArrow},     {"crHourGlass", crHourGlass},
                                  {"crIBeam", crIBeam},     {"crHandPoint", crHandPoint}, {"crNo", crNo},
                                  {"crSQLWait", crSQLWait}, {"crCross", crCross}};
  const Names<TAlignment> alignments = {
      {"taLeftJustify", taLeftJustify}, {"taRightJustify", taRightJustify}, {"taCenter", taCenter}};
  auto font = [](auto change) {
    return [change](TControl& c, const DefProperty& p, LoadContext& ctx) {
      TFont f = c.Font();
      change(f, p.value, ctx);
      c.SetFont(f);
    };
  };

  r.Register<TControl>("TControl", "TComponent", false)
      .Int<TControl>("Left", &TControl::SetLeft)
      .Int<TControl>("Top", &TControl::SetTop)
      .Int<TControl>("Width", &TControl::SetWidth)
      .Int<TControl>("Height", &TControl::SetHeight)
      .Enum<TControl, TAlign>("Align", &TControl::SetAlign, aligns)
      .Prop<TControl>("Anchors",
                      [](TControl& c, const DefProperty& p, LoadContext& ctx) {
                        if (p.value.kind != DefValue::Kind::List)
                          ctx.Fail(PlatformText("form.list_expected", {"Anchors"}));
                        const Names<TAnchorKind> kinds = {
                            {"akLeft", akLeft}, {"akTop", akTop}, {"akRight", akRight}, {"akBottom", akBottom}};
                        TAnchors a;
                        for (const DefValue& v : p.value.list) {
                          bool found = false;
                          for (const auto& [n, k] : kinds)
                            if (n == ctx.Name(v)) a.Include(k), found = true;
                          if (!found) ctx.Fail(PlatformText("form.bad_value_in", {ctx.Name(v), "Anchors"}));
                        }
                        c.SetAnchors(a);
                      })
      .Bool<TControl>("Enabled", &TControl::SetEnabled)
      .Bool<TControl>("Visible", &TControl::SetVisible)
      .Text<TControl>("Caption", &TControl::SetCaption)
      .Text<TControl>("Text", &TControl::SetText)
      .Text<TControl>("Hint", &TControl::SetHint)
      .Bool<TControl>("ShowHint", &TControl::SetShowHint)
      .Prop<TControl>("Color",
                      [](TControl& c, const DefProperty& p, LoadContext& ctx) {
                        TColor color;
                        std::string text = p.value.kind == DefValue::Kind::Integer ? std::to_string(p.value.integer)
                                                                                     : ctx.Name(p.value);
                        if (!ColorFromName(text, color)) ctx.Fail(PlatformText("form.unknown_colour", {text}));
                        c.SetColor(color);
                      })
      .Prop<TControl>("Font.Name", font([](TFont& f, const DefValue& v, LoadContext& ctx) { f.Name = ctx.Text(v); }))
      .Prop<TControl>("Font.Size", font([](TFont& f, const DefValue& v, LoadContext& ctx) {
                        f.Size = static_cast<int>(ctx.Integer(v));
                      }))
      .Prop<TControl>("Font.Bold", font([](TFont& f, const DefValue& v, LoadContext& ctx) { f.Bold = ctx.Bool(v); }))
      .Prop<TControl>("Font.Italic",
                      font([](TFont& f, const DefValue& v, LoadContext& ctx) { f.Italic = ctx.Bool(v); }))
      .Prop<TControl>("Font.Underline",
                      font([](TFont& f, const DefValue& v, LoadContext& ctx) { f.Underline = ctx.Bool(v); }))
      .Prop<TControl>("Font.Color", font([](TFont& f, const DefValue& v, LoadContext& ctx) {
                        std::string text = ctx.Name(v);
                        if (!ColorFromName(text, f.Color)) ctx.Fail(PlatformText("form.unknown_colour", {text}));
                      }))
      .Enum<TControl, TCursor>("Cursor", &TControl::SetCursor, cursors)
      .Event<TControl, TNotifyEvent>("OnClick", &TControl::OnClick)
      .Event<TControl, TNotifyEvent>("OnDblClick", &TControl::OnDblClick)
      .Event<TControl, TNotifyEvent>("OnEnter", &TControl::OnEnter)
      .Event<TControl, TNotifyEvent>("OnExit", &TControl::OnExit)
      .Event<TControl, TKeyEvent>("OnKeyDown", &TControl::OnKeyDown)
      .Event<TControl, TKeyPressEvent>("OnKeyPress", &TControl::OnKeyPress)
      .Attach<TControl>([](TControl& child, TComponent& parent, LoadContext& ctx) {
        auto* w = dynamic_cast<TWinControl*>(&parent);
        if (!w) ctx.Fail(PlatformText("form.not_a_container", {parent.Name()}));
        child.SetParent(w);
      });

  r.Register<TWinControl>("TWinControl", "TControl", false)
      .Int<TWinControl>("TabOrder", &TWinControl::SetTabOrder)
      .Bool<TWinControl>("TabStop", &TWinControl::SetTabStop);

  r.Register<TLabel>("TLabel", "TControl")
      .Ref<TLabel, TWinControl>("FocusControl", &TLabel::SetFocusControl)
      .Enum<TLabel, TAlignment>("Alignment", &TLabel::SetAlignment, alignments)
      .Bool<TLabel>("AutoSize", &TLabel::SetAutoSize)
      .Bool<TLabel>("Transparent", &TLabel::SetTransparent);

  const Names<TEditCharCase> cases = {{"ecNormal", ecNormal}, {"ecUpperCase", ecUpperCase}, {"ecLowerCase", ecLowerCase}};
  r.Register<TCustomEdit>("TCustomEdit", "TWinControl", false)
      .Int<TCustomEdit>("MaxLength", &TCustomEdit::SetMaxLength)
      .Bool<TCustomEdit>("ReadOnly", &TCustomEdit::SetReadOnly)
      .Enum<TCustomEdit, TEditCharCase>("CharCase", &TCustomEdit::SetCharCase, cases)
      .Event<TCustomEdit, TNotifyEvent>("OnChange", &TCustomEdit::OnChange);
  r.Register<TEdit>("TEdit", "TCustomEdit");
  r.Register<TMaskEdit>("TMaskEdit", "TCustomEdit").Text<TMaskEdit>("EditMask", &TMaskEdit::SetEditMask);

  r.Register<TCheckBox>("TCheckBox", "TWinControl")
      .Bool<TCheckBox>("Checked", &TCheckBox::SetChecked)
      .Bool<TCheckBox>("AllowGrayed", &TCheckBox::SetAllowGrayed)
      .Enum<TCheckBox, TCheckBoxState>("State", &TCheckBox::SetState,
                                       {{"cbUnchecked", cbUnchecked}, {"cbChecked", cbChecked}, {"cbGrayed", cbGrayed}});

  r.Register<TComboBox>("TComboBox", "TWinControl")
      .Lines<TComboBox>("Items", [](TComboBox& c, std::vector<std::string> t, bool a) { SetStrings(c.Items(), t, a); })
      .Enum<TComboBox, TComboBoxStyle>(
          "Style", &TComboBox::SetStyle,
          {{"csDropDown", csDropDown}, {"csDropDownList", csDropDownList}, {"csSimple", csSimple}})
      .Int<TComboBox>("ItemIndex", &TComboBox::SetItemIndex)
      .Int<TComboBox>("MaxLength", &TComboBox::SetMaxLength)
      .Int<TComboBox>("DropDownCount", &TComboBox::SetDropDownCount)
      .Event<TComboBox, TNotifyEvent>("OnChange", &TComboBox::OnChange)
      .Event<TComboBox, TNotifyEvent>("OnSelect", &TComboBox::OnSelect);

  r.Register<TRadioGroup>("TRadioGroup", "TWinControl")
      .Lines<TRadioGroup>("Items",
                          [](TRadioGroup& c, std::vector<std::string> t, bool a) { SetStrings(c.Items(), t, a); })
      .Int<TRadioGroup>("ItemIndex", &TRadioGroup::SetItemIndex)
      .Int<TRadioGroup>("Columns", &TRadioGroup::SetColumns);

  const Names<TBevelCut> cuts = {{"bvNone", bvNone}, {"bvLowered", bvLowered}, {"bvRaised", bvRaised}, {"bvSpace", bvSpace}};
  r.Register<TPanel>("TPanel", "TWinControl")
      .Enum<TPanel, TBevelCut>("BevelInner", &TPanel::SetBevelInner, cuts)
      .Enum<TPanel, TBevelCut>("BevelOuter", &TPanel::SetBevelOuter, cuts)
      .Int<TPanel>("BevelWidth", &TPanel::SetBevelWidth)
      .Enum<TPanel, TAlignment>("Alignment", &TPanel::SetAlignment, alignments);
  r.Register<TGroupBox>("TGroupBox", "TWinControl");
  r.Register<TScrollBox>("TScrollBox", "TWinControl");
  r.Register<TBevel>("TBevel", "TControl")
      .Enum<TBevel, TBevelShape>("Shape", &TBevel::SetShape,
                                 {{"bsBox", bsBox}, {"bsFrame", bsFrame}, {"bsTopLine", bsTopLine},
                                  {"bsBottomLine", bsBottomLine}, {"bsLeftLine", bsLeftLine},
                                  {"bsRightLine", bsRightLine}, {"bsSpacer", bsSpacer}});

  r.Register<TSpeedButton>("TSpeedButton", "TControl")
      .Bool<TSpeedButton>("Flat", &TSpeedButton::SetFlat)
      .Text<TSpeedButton>("Glyph", &TSpeedButton::SetGlyph)
      .Int<TSpeedButton>("NumGlyphs", &TSpeedButton::SetNumGlyphs)
      .Int<TSpeedButton>("GroupIndex", &TSpeedButton::SetGroupIndex)
      .Bool<TSpeedButton>("AllowAllUp", &TSpeedButton::SetAllowAllUp)
      .Bool<TSpeedButton>("Down", &TSpeedButton::SetDown);

  r.Register<TMenuItem>("TMenuItem", "TComponent")
      .Text<TMenuItem>("Caption", &TMenuItem::SetCaption)
      .Bool<TMenuItem>("Enabled", &TMenuItem::SetEnabled)
      .Bool<TMenuItem>("Visible", &TMenuItem::SetVisible)
      .Bool<TMenuItem>("Checked", &TMenuItem::SetChecked)
      .Bool<TMenuItem>("RadioItem", &TMenuItem::SetRadioItem)
      .Int<TMenuItem>("GroupIndex", &TMenuItem::SetGroupIndex)
      .Bool<TMenuItem>("AutoCheck", &TMenuItem::SetAutoCheck)
      .Text<TMenuItem>("Hint", &TMenuItem::SetHint)
      .Int<TMenuItem>("ShortCut", &TMenuItem::SetShortCut)
      .Event<TMenuItem, TNotifyEvent>("OnClick", &TMenuItem::OnClick)
      .Attach<TMenuItem>([](TMenuItem& item, TComponent& parent, LoadContext& ctx) {
        if (auto* p = dynamic_cast<TMenuItem*>(&parent))
          p->Add(&item);
        else if (auto* m = dynamic_cast<TMenu*>(&parent))
          m->Items()->Add(&item);
        else
          ctx.Fail(PlatformText("form.menu_item_outside_menu"));
      });
  r.Register<TMainMenu>("TMainMenu", "TComponent");
  r.Register<TPopupMenu>("TPopupMenu", "TComponent");

  r.Register<TPageControl>("TPageControl", "TWinControl")
      .Ref<TPageControl, TTabSheet>("ActivePage", &TPageControl::SetActivePage)
      .Event<TPageControl, TNotifyEvent>("OnChange", &TPageControl::OnChange)
      .Event<TPageControl, TTabChangingEvent>("OnChanging", &TPageControl::OnChanging);
  r.Register<TTabSheet>("TTabSheet", "TWinControl")
      .Bool<TTabSheet>("TabVisible", &TTabSheet::SetTabVisible)
      .Int<TTabSheet>("PageIndex", &TTabSheet::SetPageIndex)
      .Int<TTabSheet>("ImageIndex", &TTabSheet::SetImageIndex)
      .Attach<TTabSheet>([](TTabSheet& sheet, TComponent& parent, LoadContext& ctx) {
        auto* pc = dynamic_cast<TPageControl*>(&parent);
        if (!pc) ctx.Fail(PlatformText("form.sheet_outside_pages"));
        sheet.SetPageControl(pc);
      });

  r.Register<TMessages>("TMessages", "TComponent")
      .Lines<TMessages>("Messages", [](TMessages& m, std::vector<std::string> lines, bool append) {
        if (!append) m.Messages().clear();
        for (auto& l : lines) m.Messages().push_back(std::move(l));
      });
}

void RegisterForms(ComponentClassRegistry& r) {
  r.Register<TForm>("TForm", "TWinControl")
      .Prop<TForm>("Visible",
                   [](TForm&, const DefProperty&, LoadContext& ctx) {
                     ctx.Fail(PlatformText("form.visible_in_definition"));
                   })
      .Enum<TForm, TFormStyle>("FormStyle", &TForm::SetFormStyle,
                               {{"fsNormal", fsNormal}, {"fsMDIChild", fsMDIChild}, {"fsMDIForm", fsMDIForm},
                                {"fsStayOnTop", fsStayOnTop}})
      .Prop<TForm>("BorderIcons",
                   [](TForm& f, const DefProperty& p, LoadContext& ctx) {
                     if (p.value.kind != DefValue::Kind::List)
                       ctx.Fail(PlatformText("form.list_expected", {"BorderIcons"}));
                     const Names<TBorderIcon> icons = {{"biSystemMenu", biSystemMenu},
                                                       {"biMinimize", biMinimize},
                                                       {"biMaximize", biMaximize},
                                                       {"biHelp", biHelp}};
                     TBorderIcons set;
                     for (const DefValue& v : p.value.list) {
                       bool found = false;
                       for (const auto& [n, i] : icons)
                         if (n == ctx.Name(v)) set.Include(i), found = true;
                       if (!found) ctx.Fail(PlatformText("form.bad_value_in", {ctx.Name(v), "BorderIcons"}));
                     }
                     f.SetBorderIcons(set);
                   })
      .Enum<TForm, TWindowState>("WindowState", &TForm::SetWindowState,
                                 {{"wsNormal", wsNormal}, {"wsMinimized", wsMinimized}, {"wsMaximized", wsMaximized}})
      .Enum<TForm, TFormBorderStyle>("BorderStyle", &TForm::SetBorderStyle,
                                     {{"bsNone", bsNone}, {"bsSingle", bsSingle}, {"bsSizeable", bsSizeable},
                                      {"bsDialog", bsDialog}, {"bsToolWindow", bsToolWindow},
                                      {"bsSizeToolWin", bsSizeToolWin}})
      .Enum<TForm, TPosition>("Position", &TForm::SetPosition,
                              {{"poDesigned", poDesigned}, {"poDefault", poDefault},
                               {"poDefaultPosOnly", poDefaultPosOnly}, {"poDefaultSizeOnly", poDefaultSizeOnly},
                               {"poScreenCenter", poScreenCenter}, {"poDesktopCenter", poDesktopCenter},
                               {"poMainFormCenter", poMainFormCenter}, {"poOwnerFormCenter", poOwnerFormCenter}})
      .Text<TForm>("HelpFile", &TForm::SetHelpFile)
      .Int<TForm>("HelpContext", &TForm::SetHelpContext)
      .Bool<TForm>("KeyPreview", &TForm::SetKeyPreview)
      .Int<TForm>("ClientWidth", &TForm::SetWidth)
      .Int<TForm>("ClientHeight", &TForm::SetHeight)
      .Event<TForm, TNotifyEvent>("OnCreate", &TForm::OnCreate)
      .Event<TForm, TNotifyEvent>("OnShow", &TForm::OnShow)
      .Event<TForm, TNotifyEvent>("OnHide", &TForm::OnHide)
      .Event<TForm, TNotifyEvent>("OnActivate", &TForm::OnActivate)
      .Event<TForm, TNotifyEvent>("OnDeactivate", &TForm::OnDeactivate)
      .Event<TForm, TCloseEvent>("OnClose", &TForm::OnClose)
      .Event<TForm, TCloseQueryEvent>("OnCloseQuery", &TForm::OnCloseQuery)
      .Event<TForm, TNotifyEvent>("OnDestroy", &TForm::OnDestroy);
}

}  // namespace

ComponentClassRegistry& ComponentClasses() {
  static ComponentClassRegistry* registry = [] {
    auto* r = new ComponentClassRegistry();
    RegisterControls(*r);
    RegisterForms(*r);
    return r;
  }();
  return *registry;
}

}  // namespace zor::plat
