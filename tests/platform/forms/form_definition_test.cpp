// Form definitions: parsing, base + derived, handlers by name, classes
// registered by other layers, and errors that name the line.
#include <gtest/gtest.h>

#include <string>

#include "forms_fixture.h"
#include "platform/controls/check_box.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/containers.h"
#include "platform/controls/label.h"
#include "platform/controls/mask_edit.h"
#include "platform/controls/menus.h"
#include "platform/controls/page_control.h"
#include "platform/forms/component_classes.h"
#include "platform/forms/form_definition.h"

namespace zor::plat {
namespace {

const char* const kBase = R"(# base
form
  Caption = "Base"
  Width = 300
  OnCreate = FormCreate
panTop: TPanel in form
  Align = alTop
  Height = 30
  Color = clBtnFace
  OnExit = panTopExit
lblNome: TLabel in panTop
  Caption = "Nome"
  Font.Bold = true
  FocusControl = medNome
medNome: TMaskEdit in panTop
  EditMask = ">aaaa;0; "
  TabOrder = 0
  Color = clInfoBk
)";

const char* const kDerived = R"(form
  Caption = "Derivado"
  BorderIcons = [biSystemMenu]
  FormStyle = fsMDIChild
panTop
  Height = 55
cbbTipo: TComboBox in panTop
  Style = csDropDownList
  Items = ["Regular", "Extra"]
  Items += "Charter"
  ItemIndex = 1
  OnChange = cbbTipoChange
)";

class TDefForm : public TForm {
 public:
  explicit TDefForm(TComponent* owner, std::vector<FormDefinitionSource> defs = {{"base.form", kBase}})
      : TForm(owner), defs_(std::move(defs)) {
    BindHandler<TNotifyEvent>("FormCreate", [this](TObject*) { ++creates; });
    BindHandler<TNotifyEvent>("panTopExit", [this](TObject*) { ++exits; });
    BindHandler<TNotifyEvent>("cbbTipoChange", [this](TObject*) { ++changes; });
  }
  std::vector<FormDefinitionSource> Definitions() const override { return defs_; }
  int creates = 0, exits = 0, changes = 0;

 private:
  std::vector<FormDefinitionSource> defs_;
};

class FormDefinitionTest : public FormsTest {};

TEST_F(FormDefinitionTest, BaseThenDerivedDefinition) {
  TDefForm form(nullptr, {{"base.form", kBase}, {"derived.form", kDerived}});
  form.InitializeForm();
  form.DoCreate();
  EXPECT_EQ(form.creates, 1);
  EXPECT_EQ(form.Caption(), "Derivado");
  EXPECT_EQ(form.Width(), 300);
  EXPECT_EQ(form.FormStyle(), fsMDIChild);
  EXPECT_EQ(form.BorderIcons(), TBorderIcons{biSystemMenu});
  auto* pan = FindComponentAs<TPanel>(&form, "panTop");
  ASSERT_NE(pan, nullptr);
  EXPECT_EQ(pan->Height(), 55);  // modified by the derived definition
  EXPECT_EQ(pan->Align(), alTop);
  auto* med = FindComponentAs<TMaskEdit>(&form, "medNome");
  auto* lbl = FindComponentAs<TLabel>(&form, "lblNome");
  EXPECT_EQ(lbl->FocusControl(), med);
  EXPECT_TRUE(lbl->Font().Bold);
  EXPECT_EQ(med->Parent(), pan);
  EXPECT_EQ(med->Color(), clInfoBk);
  EXPECT_EQ(med->EditMask(), ">aaaa;0; ");
  auto* cbb = FindComponentAs<TComboBox>(&form, "cbbTipo");
  ASSERT_NE(cbb, nullptr);
  EXPECT_EQ(cbb->Items().Count(), 3);
  EXPECT_EQ(cbb->Text(), "Extra");
  cbb->UserSelect(0);
  EXPECT_EQ(form.changes, 1);
  // Events bound by name run the form class's handlers.
  auto* other = new TMaskEdit(&form);
  other->SetParent(&form);
  med->SetFocus();
  other->SetFocus();
  EXPECT_EQ(form.exits, 1);
}

// A definition may leave a control's size out: the control keeps its
// class's own size (a check box of no height could be neither seen nor
// clicked), and a size given in part replaces only that part.
TEST_F(FormDefinitionTest, ControlsWithoutASizeKeepTheirClassSize) {
  const char* const kSizes = R"(form
  Caption = "Tamanhos"
ccbDiario: TCheckBox in form
  Left = 8
  Top = 8
  Width = 70
  Caption = "Diário"
ccbSemTamanho: TCheckBox in form
  Caption = "Abastecimento"
medHora: TMaskEdit in form
  Top = 40
cbbTipo: TComboBox in form
  Height = 30
)";
  TDefForm form(nullptr, {{"sizes.form", kSizes}});
  form.InitializeForm();
  auto* daily = FindComponentAs<TCheckBox>(&form, "ccbDiario");
  ASSERT_NE(daily, nullptr);
  EXPECT_EQ(daily->Width(), 70);
  EXPECT_EQ(daily->Height(), 17);
  auto* bare = FindComponentAs<TCheckBox>(&form, "ccbSemTamanho");
  EXPECT_EQ(bare->Width(), 97);
  EXPECT_EQ(bare->Height(), 17);
  auto* time = FindComponentAs<TMaskEdit>(&form, "medHora");
  EXPECT_EQ(time->Width(), 121);
  EXPECT_EQ(time->Height(), 21);
  EXPECT_EQ(time->Top(), 40);
  auto* kind = FindComponentAs<TComboBox>(&form, "cbbTipo");
  EXPECT_EQ(kind->Width(), 145);
  EXPECT_EQ(kind->Height(), 30);
}

TEST_F(FormDefinitionTest, DerivedHandlerOfTheSameNameReplacesTheBase) {
  class TDerived : public TDefForm {
   public:
    explicit TDerived(TComponent* o) : TDefForm(o) {
      BindHandler<TNotifyEvent>("FormCreate", [this](TObject*) { ++derived_creates; });
    }
    int derived_creates = 0;
  };
  TDerived form(nullptr);
  form.InitializeForm();
  form.DoCreate();
  EXPECT_EQ(form.derived_creates, 1);
  EXPECT_EQ(form.creates, 0);
}

void ExpectError(const std::string& text, int line, const std::string& fragment) {
  TDefForm form(nullptr, {{"broken.form", text}});
  try {
    form.InitializeForm();
    FAIL() << "no error for: " << text;
  } catch (const EFormDefinitionError& e) {
    EXPECT_EQ(e.Line(), line) << e.what();
    EXPECT_EQ(e.Source(), "broken.form");
    EXPECT_NE(std::string(e.what()).find(fragment), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("broken.form:" + std::to_string(line)), std::string::npos);
  }
}

TEST_F(FormDefinitionTest, ErrorsNameTheLine) {
  ExpectError("form\n  Caption = \"x\"\npanX: TPainel in form\n", 3, "Classe de componente desconhecida 'TPainel'");
  ExpectError("panX: TPanel in form\n  Colour = clRed\n", 2, "Propriedade desconhecida 'Colour'");
  ExpectError("panX: TPanel in form\n\n  OnExit = panXSair\n", 3, "Manipulador de evento desconhecido 'panXSair'");
  ExpectError("form\n  OnClose = FormCreate\n", 2, "não tem a forma do evento OnClose");
  ExpectError("panX: TPanel in nada\n", 1, "Componente pai desconhecido 'nada'");
  ExpectError("panX\n  Height = 3\n", 1, "não existe");
  ExpectError("panX: TPanel in form\n  Align = alMeio\n", 2, "Valor 'alMeio' inválido");
  ExpectError("panX: TPanel in form\n  Height = \"alto\"\n", 2, "inteiro");
  ExpectError("panX: TPanel in form\n  Caption = \"sem fim\n", 2, "aspas");
  ExpectError("  Caption = \"x\"\n", 1, "fora de um componente");
  ExpectError("lblX: TLabel in form\n  FocusControl = lblX\n", 2, "não serve");
  ExpectError("mnuX: TMenuItem in form\n", 1, "menu");
  ExpectError("panX: TPanel in form\npanX: TLabel\n", 2, "outra classe");
  ExpectError("cbbX: TComboBox in form\n  Items = [\"a\"]\n  ItemIndex = 3\n", 3, "fora dos limites");
}

TEST_F(FormDefinitionTest, BoundFieldsMustExistWithTheirClass) {
  class TFields : public TDefForm {
   public:
    explicit TFields(TComponent* o) : TDefForm(o) { BindField("panTop", lbl); }
    TLabel* lbl = nullptr;
  };
  TFields form(nullptr);
  EXPECT_THROW(form.InitializeForm(), EFormDefinitionError);
}

// A non-visual component as another layer (datasets, data sources) would register it.
class TFakeSource : public TComponent {
 public:
  explicit TFakeSource(TComponent* owner) : TComponent(owner) {}
  void SetAutoEdit(bool v) { auto_edit = v; }
  void SetTarget(TComponent* t) { target = t; }
  bool auto_edit = true;
  TComponent* target = nullptr;
  TNotifyEvent OnStateChange;
};

TEST_F(FormDefinitionTest, OtherLayersRegisterTheirClasses) {
  ComponentClasses()
      .Register<TFakeSource>("TFakeSource", "TComponent")
      .Bool<TFakeSource>("AutoEdit", &TFakeSource::SetAutoEdit)
      .Ref<TFakeSource, TComponent>("Target", &TFakeSource::SetTarget)
      .Event<TFakeSource, TNotifyEvent>("OnStateChange", &TFakeSource::OnStateChange);
  TDefForm form(nullptr, {{"base.form", kBase},
                          {"data.form",
                           "dtsFake: TFakeSource\n  AutoEdit = false\n  Target = panTop\n"
                           "  OnStateChange = FormCreate\n  Tag = 99\n"}});
  form.InitializeForm();
  auto* source = FindComponentAs<TFakeSource>(&form, "dtsFake");
  ASSERT_NE(source, nullptr);
  EXPECT_FALSE(source->auto_edit);
  EXPECT_EQ(source->target, form.FindComponent("panTop"));
  EXPECT_EQ(source->Tag(), 99);
  source->OnStateChange(source);
  EXPECT_EQ(form.creates, 1);
}

TEST_F(FormDefinitionTest, PagesMenusAndValues) {
  const char* text = R"(pgc: TPageControl in form
  ActivePage = tsh2
tsh1: TTabSheet in pgc
  Caption = "Um"
tsh2: TTabSheet in pgc
  Caption = "Dois"
  TabVisible = false
mnu: TMainMenu
mnuA: TMenuItem in mnu
  Caption = "&A"
mnuB: TMenuItem in mnuA
  Caption = "Texto com \"aspas\" e \\ barra"
  RadioItem = true
  Checked = true
)";
  TDefForm form(nullptr, {{"pages.form", text}});
  form.InitializeForm();
  auto* pgc = FindComponentAs<TPageControl>(&form, "pgc");
  EXPECT_EQ(pgc->PageCount(), 2);
  EXPECT_EQ(pgc->ActivePage(), form.FindComponent("tsh2"));
  auto* menu = FindComponentAs<TMainMenu>(&form, "mnu");
  ASSERT_EQ(menu->Items()->Count(), 1);
  TMenuItem* b = menu->Items()->Items(0)->Items(0);
  EXPECT_EQ(b->Caption(), "Texto com \"aspas\" e \\ barra");
  EXPECT_TRUE(b->Checked());
}

}  // namespace
}  // namespace zor::plat
