// The data-aware classes in form definitions (grid columns included) and
// the data-aware pieces every base maintenance form gets.
#include <gtest/gtest.h>

#include "platform/data/client_data_set.h"
#include "platform/data/field_types.h"
#include "platform/dbcontrols/db_check_box.h"
#include "platform/dbcontrols/db_classes.h"
#include "platform/dbcontrols/db_date_edit.h"
#include "platform/dbcontrols/db_edit.h"
#include "platform/dbcontrols/db_grid.h"
#include "platform/dbcontrols/db_navigator.h"
#include "platform/dbcontrols/db_radio_group.h"
#include "platform/dbcontrols/db_text.h"
#include "platform/forms/form_definition.h"
#include "platform/forms/frm_padrao.h"
#include "platform/ui/scripted_ui.h"

namespace zor::plat {
namespace {

const char* const kScreen = R"(
dbgPadrao
  Columns += "NRVOO"
  Column.Title.Caption = "Vôo"
  Columns += "IDINCDESDESV"
  Column.PickList = ["Incide  ", "Não Incide"]
  Columns += ["SGEQUIP", "QTDIAS"]
  Column.Width = 66
  Column.Alignment = taRightJustify
  Column.ReadOnly = true
  Column.ButtonStyle = cbsEllipsis
  Options = [dgEditing, dgTitles]
  Options += [dgTabs, dgConfirmDelete]
  TitleFont.Bold = true
  OnDrawColumnCell = dbgPadraoDrawColumnCell
dcbCarga: TDBCheckBox in scbFormulario
  DataSource = dtsPadrao
  DataField = "IDINCDESDESV"
  ValueChecked = "1"
  ValueUnchecked = "2"
drgBaseTrans: TDBRadioGroup in scbFormulario
  DataSource = dtsPadrao
  DataField = "IDINCDESDESV"
  Items = ["Base", "Trânsito"]
  Values = ["1", "2"]
depDtIniVigVoo: TDBDateEditPlus in scbFormulario
  ValidColor = clNavy
dbeNrVoo: TDBEdit in scbFormulario
  DataSource = dtsPadrao
  DataField = "NRVOO"
  CharCase = ecUpperCase
)";

class TfrmTeste : public TfrmPadrao {
 public:
  explicit TfrmTeste(std::string screen = kScreen) : screen_(std::move(screen)) {
    BindHandler<TDrawColumnCellEvent>("dbgPadraoDrawColumnCell",
                                      [this](TObject*, const TRect&, int, TColumn*, TGridDrawState) { ++draws; });
  }
  std::vector<FormDefinitionSource> Definitions() const override {
    auto defs = TfrmPadrao::Definitions();
    defs.push_back({"teste.form", screen_});
    return defs;
  }
  int draws = 0;

 private:
  std::string screen_;
};

class DbClassesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetUi(&ui);
    RegisterDataControls();
  }
  void TearDown() override { SetUi(nullptr); }
  ScriptedUi ui;
};

TEST_F(DbClassesTest, TheBaseFormGetsItsDataAwarePieces) {
  TfrmTeste form;
  form.InitializeForm();
  auto* dts = FindComponentAs<TDataSource>(&form, "dtsPadrao");
  auto* grid = FindComponentAs<TDBGrid>(&form, "dbgPadrao");
  auto* nav = FindComponentAs<TDBNavigator>(&form, "dbnPadrao");
  auto* name = FindComponentAs<TDBText>(&form, "dbtNome");
  ASSERT_TRUE(dts && grid && nav && name);
  EXPECT_EQ(grid->Parent(), form.scbFolhaDados);
  EXPECT_EQ(grid->DataSource(), dts);
  EXPECT_EQ(nav->Parent(), form.panNavigator);
  EXPECT_EQ(nav->DataSource(), dts);
  EXPECT_EQ(name->DataSource(), dts);
  EXPECT_TRUE(static_cast<bool>(grid->OnKeyDown));
  EXPECT_TRUE(static_cast<bool>(dts->OnStateChange));

  // The base Change command edits the dataset of dtsPadrao.
  TClientDataSet cds;
  cds.FieldDefs() = {{"NRVOO", FieldType::String, 5, 0}};
  cds.CreateDataSet();
  cds.Append();
  cds.FieldByName("NRVOO")->SetAsString("100");
  cds.Post();
  dts->SetDataSet(&cds);
  form.sbtAlterarClick(form.sbtAlterar);
  EXPECT_EQ(cds.State(), dsEdit);
  dts->SetDataSet(nullptr);
}

TEST_F(DbClassesTest, ColumnsAndPropertiesComeFromTheDefinition) {
  TfrmTeste form;
  form.InitializeForm();
  auto* grid = FindComponentAs<TDBGrid>(&form, "dbgPadrao");
  ASSERT_EQ(grid->Columns().Count(), 4);
  EXPECT_EQ(grid->Columns().State(), csCustomized);
  EXPECT_EQ(grid->Columns()[0]->Title().Caption(), "Vôo");
  EXPECT_EQ(grid->Columns()[1]->PickList().Count(), 2);
  EXPECT_EQ(grid->Columns()[1]->PickList().Strings(0), "Incide  ");
  EXPECT_TRUE(grid->Columns()[1]->ShowsPickList());
  TColumn* last = grid->Columns()[3];
  EXPECT_EQ(last->FieldName(), "QTDIAS");
  EXPECT_EQ(last->Width(), 66);
  EXPECT_EQ(last->Alignment(), taRightJustify);
  EXPECT_TRUE(last->ReadOnly());
  EXPECT_TRUE(last->ShowsEllipsis());
  EXPECT_FALSE(grid->Columns()[2]->ReadOnly()) << "Column. properties set only the last column";
  EXPECT_EQ(grid->Options(), (TDBGridOptions{dgEditing, dgTitles, dgTabs, dgConfirmDelete}));
  EXPECT_TRUE(grid->TitleFont().Bold);
  EXPECT_TRUE(static_cast<bool>(grid->OnDrawColumnCell));

  auto* check = FindComponentAs<TDBCheckBox>(&form, "dcbCarga");
  ASSERT_TRUE(check);
  EXPECT_EQ(check->ValueChecked(), "1");
  EXPECT_EQ(check->DataField(), "IDINCDESDESV");
  auto* radio = FindComponentAs<TDBRadioGroup>(&form, "drgBaseTrans");
  ASSERT_TRUE(radio);
  EXPECT_EQ(radio->Values().Count(), 2);
  auto* date = FindComponentAs<TDBDateEditPlus>(&form, "depDtIniVigVoo");
  ASSERT_TRUE(date);
  EXPECT_EQ(date->ValidColor(), clNavy);
  auto* edit = FindComponentAs<TDBEdit>(&form, "dbeNrVoo");
  ASSERT_TRUE(edit);
  EXPECT_EQ(edit->CharCase(), ecUpperCase);
}

TEST_F(DbClassesTest, AColumnPropertyWithoutAColumnIsAnError) {
  TfrmTeste form("dbgPadrao\n  Column.Width = 10\n");
  try {
    form.InitializeForm();
    FAIL() << "the definition was accepted";
  } catch (const EFormDefinitionError& e) {
    EXPECT_EQ(e.Line(), 2);
    EXPECT_NE(e.Message().find("Columns += "), std::string::npos) << e.Message();
  }
}

TEST_F(DbClassesTest, UnknownOptionNamesAreErrors) {
  TfrmTeste form("dbgPadrao\n  Options = [dgEditing, dgVoar]\n");
  EXPECT_THROW(form.InitializeForm(), EFormDefinitionError);
}

}  // namespace
}  // namespace zor::plat
