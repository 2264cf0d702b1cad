// The data-aware date edit: typed dates, the date check, the weekday and
// what reaches the field.
#include <gtest/gtest.h>

#include "db_fixture.h"
#include "platform/controls/edit.h"
#include "platform/core/exceptions.h"
#include "platform/dbcontrols/db_date_edit.h"

namespace zor::plat::testing {
namespace {

class DbDateEditTest : public DbFixture {
 protected:
  void SetUp() override {
    DbFixture::SetUp();
    date = Make<TDBDateEditPlus>("depDtIniVigVoo");
    other = Make<TEdit>("edtOutro");
    date->SetDataSource(dts);
    date->SetDataField("DTINIVIGVOO");
    Load();
  }
  TDBDateEditPlus* date = nullptr;
  TEdit* other = nullptr;
};

TEST_F(DbDateEditTest, ShowsTheFieldsDateOnly) {
  EXPECT_EQ(date->Text(), "01/05/2024");
  cds->Edit();
  dtini->SetAsDateTime(TDateTime{EncodeDate(2024, 5, 2).Val + 0.5});  // midday
  EXPECT_EQ(date->Text(), "02/05/2024");
  cds->Cancel();
  cds->Next();
  EXPECT_TRUE(date->IsEmpty());
  EXPECT_EQ(date->Text(), "") << "an empty date reads as an empty text";
  EXPECT_EQ(date->EditText(), "  /  /    ");
}

TEST_F(DbDateEditTest, GetDateReturnsTheTypedDateOrZeroWhenEmpty) {
  EXPECT_EQ(date->GetDate(), EncodeDate(2024, 5, 1));
  date->SetText("");
  EXPECT_EQ(date->GetDate(), TDateTime{});
  EXPECT_NO_THROW(date->CheckValidDate());
  date->SetText("29/02/2024");
  EXPECT_EQ(date->Date(), EncodeDate(2024, 2, 29));
}

TEST_F(DbDateEditTest, InvalidDatesAreRefusedWithAClearMessage) {
  for (const char* text : {"31/02/2024", "29/02/2023", "12/13/2024", "1 /05/    ", "00/01/2024"}) {
    date->SetEditText(text);
    try {
      date->CheckValidDate();
      ADD_FAILURE() << text << " passed the check";
    } catch (const EConvertError& e) {
      EXPECT_NE(e.Message().find("não é uma data válida."), std::string::npos) << e.Message();
    }
    EXPECT_THROW(date->GetDate(), EConvertError);
  }
  date->SetEditText("31/02/2024");
  try {
    date->CheckValidDate();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "31/02/2024 não é uma data válida.");
  }
}

TEST_F(DbDateEditTest, ShortYearsAndSingleDigitsAreDates) {
  date->SetEditText("1 /5 /24  ");
  EXPECT_EQ(date->GetDate(), EncodeDate(2024, 5, 1));
}

TEST_F(DbDateEditTest, TypedDateReachesTheFieldOnExit) {
  date->SetFocus();
  date->UserSetText("15/08/2025");
  EXPECT_EQ(cds->State(), dsEdit);
  EXPECT_TRUE(form.UserFocus(other));
  EXPECT_EQ(dtini->AsDateTime(), EncodeDate(2025, 8, 15));
}

TEST_F(DbDateEditTest, ClearingTheDateEmptiesTheField) {
  date->SetFocus();
  date->UserSetText("  /  /    ");
  EXPECT_TRUE(form.UserFocus(other));
  EXPECT_TRUE(dtini->IsNull());
}

TEST_F(DbDateEditTest, AnInvalidDateKeepsTheFocusAndTheField) {
  date->SetFocus();
  date->UserSetText("31/02/2024");
  EXPECT_FALSE(form.UserFocus(other));
  EXPECT_EQ(form.ActiveControl(), date);
  EXPECT_EQ(dtini->AsDateTime(), EncodeDate(2024, 5, 1));
  EXPECT_EQ(ui.LastMessage(), "31/02/2024 não é uma data válida.");
}

TEST_F(DbDateEditTest, WeekdayNameOfTheTypedDate) {
  EXPECT_EQ(date->WeekDayName(), "Quarta");  // 01/05/2024
  date->SetText("05/05/2024");
  EXPECT_EQ(date->WeekDayName(), "Domingo");
  date->SetText("11/05/2024");
  EXPECT_EQ(date->WeekDayName(), "Sábado");
  date->SetEditText("31/02/2024");
  EXPECT_EQ(date->WeekDayName(), "");
  EXPECT_EQ(date->ValidColor(), clBlue);
}

}  // namespace
}  // namespace zor::plat::testing
