// Registration of the data-aware controls and the base form's data-aware pieces.
#include "platform/dbcontrols/db_classes.h"

#include "platform/core/platform_texts.h"
#include "platform/data/data_set.h"
#include "platform/data/data_source.h"
#include "platform/dbcontrols/db_check_box.h"
#include "platform/dbcontrols/db_combo_box.h"
#include "platform/dbcontrols/db_date_edit.h"
#include "platform/dbcontrols/db_edit.h"
#include "platform/dbcontrols/db_grid.h"
#include "platform/dbcontrols/db_navigator.h"
#include "platform/dbcontrols/db_radio_group.h"
#include "platform/dbcontrols/db_text.h"
#include "platform/dbcontrols/frm_padrao_dados_form.h"
#include "platform/forms/component_classes.h"
#include "platform/forms/frm_padrao.h"
#include "platform/library/procurar.h"

namespace zor::plat {

namespace {

template <typename E>
using Names = std::vector<std::pair<std::string, E>>;

const Names<TAlignment> kAlignments = {
    {"taLeftJustify", taLeftJustify}, {"taRightJustify", taRightJustify}, {"taCenter", taCenter}};

TColor ColorValue(const DefValue& v, LoadContext& ctx) {
  std::string text = v.kind == DefValue::Kind::Integer ? std::to_string(v.integer) : ctx.Name(v);
  TColor color;
  if (!ColorFromName(text, color)) ctx.Fail(PlatformText("form.unknown_colour", {text}));
  return color;
}

template <typename E>
E EnumValue(const DefValue& v, const Names<E>& names, const std::string& property, LoadContext& ctx) {
  const std::string& n = ctx.Name(v);
  for (const auto& [text, value] : names)
    if (text == n) return value;
  ctx.Fail(PlatformText("form.bad_property_value", {n, property}));
}

// A set property: "=" replaces the set, "+=" adds to it.
template <typename E>
TSet<E> SetValue(TSet<E> current, const DefProperty& p, const Names<E>& names, LoadContext& ctx) {
  if (p.value.kind != DefValue::Kind::List) ctx.Fail(PlatformText("form.list_expected", {p.name}));
  TSet<E> out = p.append ? current : TSet<E>{};
  for (const DefValue& v : p.value.list) out.Include(EnumValue(v, names, p.name, ctx));
  return out;
}

void SetStrings(TStrings& strings, const std::vector<std::string>& texts, bool append) {
  strings.BeginUpdate();
  if (!append) strings.Clear();
  for (const auto& t : texts) strings.Add(t);
  strings.EndUpdate();
}

// The common properties of the single-field controls.
template <typename T>
void FieldControl(ComponentClass& cls) {
  cls.template Ref<T, TDataSource>("DataSource", &T::SetDataSource)
      .template Text<T>("DataField", &T::SetDataField)
      .template Bool<T>("ReadOnly", &T::SetReadOnly);
}

// A property of the column added last.
ComponentClass& ColumnProp(ComponentClass& cls, const std::string& name,
                           std::function<void(TColumn&, const DefProperty&, LoadContext&)> fn) {
  return cls.Prop<TDBGrid>("Column." + name, [fn, name](TDBGrid& g, const DefProperty& p, LoadContext& ctx) {
    if (g.Columns().State() != csCustomized || g.Columns().Count() == 0)
      ctx.Fail(PlatformText("form.column_without_column", {name}));
    fn(*g.Columns()[g.Columns().Count() - 1], p, ctx);
  });
}

void RegisterGrid(ComponentClassRegistry& r) {
  const Names<TDBGridOption> options = {
      {"dgEditing", dgEditing},       {"dgAlwaysShowEditor", dgAlwaysShowEditor},
      {"dgTitles", dgTitles},         {"dgIndicator", dgIndicator},
      {"dgColumnResize", dgColumnResize}, {"dgColLines", dgColLines},
      {"dgRowLines", dgRowLines},     {"dgTabs", dgTabs},
      {"dgRowSelect", dgRowSelect},   {"dgAlwaysShowSelection", dgAlwaysShowSelection},
      {"dgConfirmDelete", dgConfirmDelete}, {"dgCancelOnExit", dgCancelOnExit}};
  auto titleFont = [](auto change) {
    return [change](TDBGrid& g, const DefProperty& p, LoadContext& ctx) {
      TFont f = g.TitleFont();
      change(f, p.value, ctx);
      g.SetTitleFont(f);
    };
  };
  ComponentClass& grid =
      r.Register<TDBGrid>("TDBGrid", "TWinControl")
          .Ref<TDBGrid, TDataSource>("DataSource", &TDBGrid::SetDataSource)
          .Prop<TDBGrid>("Options",
                         [options](TDBGrid& g, const DefProperty& p, LoadContext& ctx) {
                           g.SetOptions(SetValue(g.Options(), p, options, ctx));
                         })
          .Bool<TDBGrid>("ReadOnly", &TDBGrid::SetReadOnly)
          .Bool<TDBGrid>("DefaultDrawing", &TDBGrid::SetDefaultDrawing)
          .Int<TDBGrid>("DefaultRowHeight", &TDBGrid::SetDefaultRowHeight)
          .Prop<TDBGrid>("TitleFont.Bold", titleFont([](TFont& f, const DefValue& v, LoadContext& ctx) {
                           f.Bold = ctx.Bool(v);
                         }))
          .Prop<TDBGrid>("TitleFont.Italic", titleFont([](TFont& f, const DefValue& v, LoadContext& ctx) {
                           f.Italic = ctx.Bool(v);
                         }))
          .Prop<TDBGrid>("TitleFont.Color", titleFont([](TFont& f, const DefValue& v, LoadContext& ctx) {
                           f.Color = ColorValue(v, ctx);
                         }))
          .Prop<TDBGrid>("TitleFont.Name", titleFont([](TFont& f, const DefValue& v, LoadContext& ctx) {
                           f.Name = ctx.Text(v);
                         }))
          .Prop<TDBGrid>("TitleFont.Size", titleFont([](TFont& f, const DefValue& v, LoadContext& ctx) {
                           f.Size = static_cast<int>(ctx.Integer(v));
                         }))
          .Prop<TDBGrid>("Columns",
                         [](TDBGrid& g, const DefProperty& p, LoadContext& ctx) {
                           if (!p.append) g.Columns().Clear();
                           for (const std::string& name : ctx.Texts(p.value)) {
                             if (name.empty()) continue;
                             g.Columns().Add()->SetFieldName(name);
                           }
                         })
          .Event<TDBGrid, TDrawColumnCellEvent>("OnDrawColumnCell", &TDBGrid::OnDrawColumnCell)
          .Event<TDBGrid, TNotifyEvent>("OnEditButtonClick", &TDBGrid::OnEditButtonClick)
          .Event<TDBGrid, TNotifyEvent>("OnColEnter", &TDBGrid::OnColEnter)
          .Event<TDBGrid, TNotifyEvent>("OnColExit", &TDBGrid::OnColExit)
          .Event<TDBGrid, TDBGridClickEvent>("OnCellClick", &TDBGrid::OnCellClick)
          .Event<TDBGrid, TDBGridClickEvent>("OnTitleClick", &TDBGrid::OnTitleClick);

  auto font = [](TFont f, const DefValue& v, LoadContext& ctx, const std::string& part) {
    if (part == "Bold") f.Bold = ctx.Bool(v);
    if (part == "Italic") f.Italic = ctx.Bool(v);
    if (part == "Color") f.Color = ColorValue(v, ctx);
    return f;
  };
  ColumnProp(grid, "FieldName", [](TColumn& c, const DefProperty& p, LoadContext& ctx) {
    c.SetFieldName(ctx.Text(p.value));
  });
  ColumnProp(grid, "Title.Caption", [](TColumn& c, const DefProperty& p, LoadContext& ctx) {
    c.Title().SetCaption(ctx.Text(p.value));
  });
  ColumnProp(grid, "Title.Alignment", [](TColumn& c, const DefProperty& p, LoadContext& ctx) {
    c.Title().SetAlignment(EnumValue(p.value, kAlignments, p.name, ctx));
  });
  ColumnProp(grid, "Title.Color", [](TColumn& c, const DefProperty& p, LoadContext& ctx) {
    c.Title().SetColor(ColorValue(p.value, ctx));
  });
  for (const char* part : {"Bold", "Italic", "Color"}) {
    std::string name = part;
    ColumnProp(grid, "Title.Font." + name, [font, name](TColumn& c, const DefProperty& p, LoadContext& ctx) {
      c.Title().SetFont(font(c.Title().Font(), p.value, ctx, name));
    });
    ColumnProp(grid, "Font." + name, [font, name](TColumn& c, const DefProperty& p, LoadContext& ctx) {
      c.SetFont(font(c.Font(), p.value, ctx, name));
    });
  }
  ColumnProp(grid, "PickList", [](TColumn& c, const DefProperty& p, LoadContext& ctx) {
    SetStrings(c.PickList(), ctx.Texts(p.value), p.append);
  });
  ColumnProp(grid, "ButtonStyle", [](TColumn& c, const DefProperty& p, LoadContext& ctx) {
    c.SetButtonStyle(EnumValue<TColumnButtonStyle>(
        p.value, {{"cbsAuto", cbsAuto}, {"cbsEllipsis", cbsEllipsis}, {"cbsNone", cbsNone}}, p.name, ctx));
  });
  ColumnProp(grid, "ReadOnly", [](TColumn& c, const DefProperty& p, LoadContext& ctx) {
    c.SetReadOnly(ctx.Bool(p.value));
  });
  ColumnProp(grid, "Width", [](TColumn& c, const DefProperty& p, LoadContext& ctx) {
    c.SetWidth(static_cast<int>(ctx.Integer(p.value)));
  });
  ColumnProp(grid, "Alignment", [](TColumn& c, const DefProperty& p, LoadContext& ctx) {
    c.SetAlignment(EnumValue(p.value, kAlignments, p.name, ctx));
  });
  ColumnProp(grid, "Visible", [](TColumn& c, const DefProperty& p, LoadContext& ctx) {
    c.SetVisible(ctx.Bool(p.value));
  });
  ColumnProp(grid, "Color", [](TColumn& c, const DefProperty& p, LoadContext& ctx) {
    c.SetColor(ColorValue(p.value, ctx));
  });
}

void RegisterControls(ComponentClassRegistry& r) {
  if (!r.Find("TDataSource"))
    r.Register<TDataSource>("TDataSource", "TComponent")
        .Ref<TDataSource, TDataSet>("DataSet", &TDataSource::SetDataSet)
        .Bool<TDataSource>("AutoEdit", &TDataSource::SetAutoEdit)
        .Bool<TDataSource>("Enabled", &TDataSource::SetEnabled)
        .Event<TDataSource, TNotifyEvent>("OnStateChange", &TDataSource::OnStateChange)
        .Event<TDataSource, TDataChangeEvent>("OnDataChange", &TDataSource::OnDataChange)
        .Event<TDataSource, TNotifyEvent>("OnUpdateData", &TDataSource::OnUpdateData);

  ComponentClass& edit = r.Register<TDBEdit>("TDBEdit", "TMaskEdit");
  FieldControl<TDBEdit>(edit);
  edit.Text<TDBEdit>("EditMask", &TDBEdit::SetEditMask);

  r.Register<TDBDateEditPlus>("TDBDateEditPlus", "TDBEdit")
      .Prop<TDBDateEditPlus>("ValidColor",
                             [](TDBDateEditPlus& d, const DefProperty& p, LoadContext& ctx) {
                               d.SetValidColor(ColorValue(p.value, ctx));
                             })
      .Prop<TDBDateEditPlus>("DayNames", [](TDBDateEditPlus& d, const DefProperty& p, LoadContext& ctx) {
        std::vector<std::string> names = ctx.Texts(p.value);
        if (names.size() != 7) ctx.Fail(PlatformText("form.day_names"));
        std::array<std::string, 7> days;
        std::copy(names.begin(), names.end(), days.begin());
        d.SetDayNames(days);
      });

  r.Register<TDBText>("TDBText", "TLabel")
      .Ref<TDBText, TDataSource>("DataSource", &TDBText::SetDataSource)
      .Text<TDBText>("DataField", &TDBText::SetDataField);

  ComponentClass& check = r.Register<TDBCheckBox>("TDBCheckBox", "TCheckBox");
  FieldControl<TDBCheckBox>(check);
  check.Text<TDBCheckBox>("ValueChecked", &TDBCheckBox::SetValueChecked)
      .Text<TDBCheckBox>("ValueUnchecked", &TDBCheckBox::SetValueUnchecked);

  ComponentClass& combo = r.Register<TDBComboBox>("TDBComboBox", "TComboBox");
  FieldControl<TDBComboBox>(combo);

  ComponentClass& radio = r.Register<TDBRadioGroup>("TDBRadioGroup", "TRadioGroup");
  FieldControl<TDBRadioGroup>(radio);
  radio.Lines<TDBRadioGroup>("Values", [](TDBRadioGroup& g, std::vector<std::string> t, bool a) {
    SetStrings(g.Values(), t, a);
  });

  const Names<TNavigateBtn> buttons = {{"nbFirst", nbFirst},   {"nbPrior", nbPrior},   {"nbNext", nbNext},
                                       {"nbLast", nbLast},     {"nbInsert", nbInsert}, {"nbDelete", nbDelete},
                                       {"nbEdit", nbEdit},     {"nbPost", nbPost},     {"nbCancel", nbCancel},
                                       {"nbRefresh", nbRefresh}};
  r.Register<TDBNavigator>("TDBNavigator", "TWinControl")
      .Ref<TDBNavigator, TDataSource>("DataSource", &TDBNavigator::SetDataSource)
      .Prop<TDBNavigator>("VisibleButtons",
                          [buttons](TDBNavigator& n, const DefProperty& p, LoadContext& ctx) {
                            n.SetVisibleButtons(SetValue(n.VisibleButtons(), p, buttons, ctx));
                          })
      .Bool<TDBNavigator>("ConfirmDelete", &TDBNavigator::SetConfirmDelete)
      .Event<TDBNavigator, TNavClickEvent>("BeforeAction", &TDBNavigator::BeforeAction)
      .Event<TDBNavigator, TNavClickEvent>("OnClick", &TDBNavigator::OnNavClick);

  RegisterGrid(r);

  // The base maintenance form learns which data source its Change and Find
  // commands act on.
  const std::string base = r.Find("TfrmPadrao") ? "TfrmPadrao" : "TForm";
  r.Register<TfrmPadrao>("TfrmPadrao", base, false)
      .Prop<TfrmPadrao>("DataSource", [](TfrmPadrao& form, const DefProperty& p, LoadContext& ctx) {
        TComponent* target = ctx.Component(p.value);
        auto* source = dynamic_cast<TDataSource*>(target);
        if (target && !source) ctx.Fail(PlatformText("form.not_a_data_source", {ctx.Name(p.value)}));
        if (!source) {
          form.EditDataSet = nullptr;
          form.SearchDataSet = nullptr;
          return;
        }
        // The form owns the data source: it outlives these commands.
        form.EditDataSet = [source] {
          if (TDataSet* ds = source->DataSet(); ds && ds->Active()) ds->Edit();
        };
        form.SearchDataSet = [source] { Procurar::Procura(source->DataSet()); };
      });
}

}  // namespace

void RegisterDataControls() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterControls(ComponentClasses());
  TfrmPadrao::AddBaseDefinition({"frm_padrao_dados.form", kFrmPadraoDadosForm});
}

}  // namespace zor::plat
