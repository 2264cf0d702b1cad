// Generating a form class's members from its definition: which components
// get a pointer, the shape each handler is declared with, and the
// definitions the generator refuses.
#include <gtest/gtest.h>

#include <map>

#include "platform/forms/form_members.h"

namespace zor::plat {
namespace {

FormMembers Collect(const std::string& text) { return CollectFormMembers(ParseFormDefinition({"t.form", text})); }

TEST(FormMembersTest, ComponentsNamedWithTheirClassGetAPointerAndEveryHandlerOneDeclaration) {
  const FormMembers m = Collect(R"(form
  OnCreate = FormCreate
  OnClose = FormClose
sbtImprimir
  OnClick = sbtImprimirClick
dtsPadrao: TDataSource
  OnStateChange = dtsPadraoStateChange
cdsVoo: TClientDataSet
  AfterScroll = cdsVooAfterScroll
  OnPostError = cdsVooPostError
cdsVooHR: TStringField in cdsVoo
  OnChange = cdsVooHRChange
  OnGetText = cdsVooHRGetText
cdsVooHR2: TStringField in cdsVoo
  OnGetText = cdsVooHRGetText
edtNome: TEdit in form
  OnChange = edtNomeChange
  OnKeyDown = FormKeyDown
)");
  ASSERT_EQ(m.components.size(), 5u);  // not the form, not the inherited button
  EXPECT_EQ(m.components[0].name, "dtsPadrao");
  EXPECT_EQ(m.components[4].class_name, "TEdit");

  std::map<std::string, std::string> shapes;
  for (const auto& h : m.handlers) shapes[h.name] = h.parameters;
  EXPECT_EQ(m.handlers.size(), 10u);  // cdsVooHRGetText once for two fields
  EXPECT_EQ(shapes["FormClose"], "plat::TObject* Sender, plat::TCloseAction& Action");
  EXPECT_EQ(shapes["sbtImprimirClick"], "plat::TObject* Sender");
  EXPECT_EQ(shapes["cdsVooAfterScroll"], "plat::TDataSet* DataSet");
  EXPECT_EQ(shapes["cdsVooPostError"], "plat::TDataSet* DataSet, plat::EDatabaseError& E, plat::TDataAction& Action");
  // A field's change event differs from a control's.
  EXPECT_EQ(shapes["cdsVooHRChange"], "plat::TField* Sender");
  EXPECT_EQ(shapes["edtNomeChange"], "plat::TObject* Sender");

  const std::string declarations = FormMembersDeclarations(m, "t.form");
  EXPECT_NE(declarations.find("plat::TStringField* cdsVooHR = nullptr;"), std::string::npos);
  EXPECT_NE(declarations.find("void cdsVooHRGetText(plat::TField* Sender, std::string& Text, bool DisplayText);"),
            std::string::npos);
  const std::string bindings = FormMembersBindings(m, "t.form", "TfrmX", "x/frm_x.h");
  EXPECT_NE(bindings.find("BindHandler(\"FormKeyDown\", Method(this, &TfrmX::FormKeyDown));"), std::string::npos);
  EXPECT_NE(bindings.find("BindField(\"edtNome\", edtNome);"), std::string::npos);
}

// Pieces another layer applies over the form: the class declares and binds
// the handlers they name, but holds no pointer to components whose classes
// live in that layer. A handler both name is declared once.
TEST(FormMembersTest, PiecesOfAnotherLayerAddTheirHandlersButNoComponents) {
  const FormDefinition base = ParseFormDefinition({"base.form", R"(form
  OnCreate = FormCreate
panGrade: TPanel in form
  OnExit = panGradeExit
)"});
  const FormDefinition pieces = ParseFormDefinition({"pieces.form", R"(dtsBase: TDataSource
  OnStateChange = dtsBaseStateChange
dbgBase: TDBGrid in panGrade
  OnKeyDown = dbgBaseKeyDown
  OnExit = panGradeExit
)"});
  const FormMembers m = CollectFormMembers(base, {pieces});
  ASSERT_EQ(m.components.size(), 1u);
  EXPECT_EQ(m.components[0].name, "panGrade");
  ASSERT_EQ(m.handlers.size(), 4u);
  EXPECT_EQ(m.handlers[2].name, "dtsBaseStateChange");
  EXPECT_EQ(m.handlers[3].parameters, "plat::TObject* Sender, plat::Word& Key, plat::TShiftState Shift");
  const std::string bindings = FormMembersBindings(m, "base.form and pieces.form", "TfrmBase", "x/frm_base.h");
  EXPECT_NE(bindings.find("BindHandler(\"dbgBaseKeyDown\", Method(this, &TfrmBase::dbgBaseKeyDown));"),
            std::string::npos);
  EXPECT_EQ(bindings.find("BindField(\"dbgBase\""), std::string::npos);

  // A piece that gives a handler of the form another shape is refused,
  // naming the piece.
  const FormDefinition clash = ParseFormDefinition({"clash.form", "edtX: TEdit in form\n  OnKeyPress = FormCreate\n"});
  try {
    CollectFormMembers(base, {clash});
    FAIL() << "two shapes accepted";
  } catch (const EFormDefinitionError& e) {
    EXPECT_NE(std::string(e.what()).find("clash.form:2"), std::string::npos) << e.what();
  }
}

TEST(FormMembersTest, AHandlerForTwoShapesOrAnEventOfUnknownShapeIsRefusedWithItsLine) {
  try {
    Collect("edtA: TEdit in form\n  OnExit = Handle\n  OnKeyPress = Handle\n");
    FAIL() << "two shapes accepted";
  } catch (const EFormDefinitionError& e) {
    EXPECT_EQ(e.Line(), 3);
  }
  try {
    Collect("edtA: TEdit in form\n  OnMouseWheel = edtAMouseWheel\n");
    FAIL() << "unknown event accepted";
  } catch (const EFormDefinitionError& e) {
    EXPECT_EQ(e.Line(), 2);
  }
}

}  // namespace
}  // namespace zor::plat
