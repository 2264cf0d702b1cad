// Fields: validation, text events, typed access, size, old values.
#include <gtest/gtest.h>

#include "platform/core/exceptions.h"
#include "platform/core/format_settings.h"
#include "platform/core/sysutils.h"
#include "tests/platform/data/data_fixture.h"

namespace zor::plat {
namespace {

using testing::FlightForm;

TEST(FieldValidate, RejectingKeepsTheOldValueAndSeesTheNewOne) {
  FlightForm f;
  f.Load();
  std::string seenInside;
  int changes = 0;
  f.sgequip->OnValidate = [&](TField* s) {
    seenInside = s->AsString();
    if (s->AsString() == "BAD") Abort();
  };
  f.sgequip->OnChange = [&](TField*) { ++changes; };
  f.cds->Edit();
  EXPECT_THROW(f.sgequip->SetAsString("BAD"), EAbort);
  EXPECT_EQ(seenInside, "BAD");
  EXPECT_EQ(f.sgequip->AsString(), "B737");
  EXPECT_EQ(changes, 0);
  EXPECT_FALSE(f.cds->Modified());
  f.sgequip->SetAsString("GOOD");
  EXPECT_EQ(f.sgequip->AsString(), "GOOD");
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(f.cds->Modified());
}

TEST(FieldValidate, ANestedAssignmentRejectedRejectsTheOuterOne) {
  // A code field set from the validate handler of an abbreviation field:
  // when the code is refused, the abbreviation is refused with it.
  FlightForm f;
  f.Load();
  f.nrvoo->OnValidate = [](TField* s) {
    if (s->AsString() == "999") throw EDatabaseError("igual");
  };
  f.sgequip->OnValidate = [&](TField* s) { f.nrvoo->SetAsString(s->AsString() == "DUP" ? "999" : "123"); };
  f.cds->Edit();
  EXPECT_THROW(f.sgequip->SetAsString("DUP"), EDatabaseError);
  EXPECT_EQ(f.sgequip->AsString(), "B737");
  EXPECT_EQ(f.nrvoo->AsString(), "100");
  f.sgequip->SetAsString("OK");
  EXPECT_EQ(f.nrvoo->AsString(), "123");
}

TEST(FieldText, GetTextDecidesBothTextsAndSetTextStores) {
  FlightForm f;
  f.Load();
  std::vector<bool> flags;
  f.nrordem->OnGetText = [&](TField* s, std::string& t, bool display) {
    EXPECT_TRUE(t.empty());
    flags.push_back(display);
    t = s->AsInteger() == 1 ? "Ativo" : "Inativo";
  };
  f.nrordem->OnSetText = [](TField* s, const std::string& t) { s->SetAsInteger(Trim(t) == "Inativo" ? 2 : 1); };
  EXPECT_EQ(f.nrordem->DisplayText(), "Ativo");
  EXPECT_EQ(f.nrordem->Text(), "Ativo");
  EXPECT_EQ(flags, (std::vector<bool>{true, false}));
  EXPECT_EQ(f.nrordem->AsString(), "1");  // AsString does not run the event
  f.cds->Edit();
  f.nrordem->SetText(" Inativo ");
  EXPECT_EQ(f.nrordem->AsInteger(), 2);
  // Without handlers the field formats and parses itself.
  f.qtdias->SetText("2,75");
  EXPECT_DOUBLE_EQ(f.qtdias->AsFloat(), 2.75);
  EXPECT_THROW(f.qtdias->SetText("abc"), EConvertError);
  EXPECT_DOUBLE_EQ(f.qtdias->AsFloat(), 2.75);
}

TEST(FieldText, SettingTextOutsideEditFails) {
  FlightForm f;
  f.Load();
  EXPECT_THROW(f.nrvoo->SetAsString("1"), EDatabaseError);
  f.nrvoo->SetReadOnly(true);
  f.cds->Edit();
  try {
    f.nrvoo->SetAsString("1");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "O campo 'NRVOO' não pode ser modificado.");
  }
}

TEST(FieldString, LongerThanSizeIsRefusedNotCut) {
  FlightForm f;
  f.Load();
  f.nrvoo->SetDisplayLabel("Vôo");
  f.cds->Edit();
  f.nrvoo->SetAsString("ÁÉÍÓÚ");  // five characters, ten bytes
  EXPECT_EQ(f.nrvoo->AsString(), "ÁÉÍÓÚ");
  try {
    f.nrvoo->SetAsString("123456");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "O valor '123456' excede o tamanho do campo 'Vôo' (5 caracteres).");
  }
  EXPECT_EQ(f.nrvoo->AsString(), "ÁÉÍÓÚ");
}

TEST(FieldString, EmptyTextIsNull) {
  FlightForm f;
  f.Load();
  f.cds->Edit();
  f.sgequip->SetAsString("");
  EXPECT_TRUE(f.sgequip->IsNull());
  f.sgequip->SetValue(Variant(std::string()));
  EXPECT_TRUE(f.sgequip->IsNull());
  f.sgequip->SetAsString("X");
  f.sgequip->Clear();
  EXPECT_TRUE(f.sgequip->IsNull());
  EXPECT_EQ(f.sgequip->AsString(), "");
}

TEST(FieldConversions, TypedAccessAcrossTypes) {
  FlightForm f;
  f.Load();
  f.cds->Edit();
  f.nrvoo->SetAsInteger(7);
  EXPECT_EQ(f.nrvoo->Value(), Variant("7"));
  EXPECT_EQ(f.nrvoo->AsInteger(), 7);
  f.nrordem->SetAsString(" 42 ");
  EXPECT_EQ(f.nrordem->Value(), Variant(int64_t{42}));
  try {
    f.nrordem->SetAsString("4x");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'4x' não é um valor inteiro válido.");
  }
  f.qtdias->SetAsInteger(3);
  EXPECT_EQ(f.qtdias->Value(), Variant(3.0));
  f.nrvoo->SetAsString("ab");
  EXPECT_THROW(f.nrvoo->AsInteger(), EConvertError);
  // Null reads as the empty value of each type.
  f.qtdias->Clear();
  EXPECT_EQ(f.qtdias->AsFloat(), 0.0);
  EXPECT_EQ(f.qtdias->AsString(), "");
}

TEST(FieldConversions, DateTimeAndBooleanFields) {
  TComponent form;
  TClientDataSet cds(&form);
  auto* dt = new TDateTimeField(&form);
  dt->SetFieldName("DTINICIO");
  dt->SetDataSet(&cds);
  auto* ok = new TBooleanField(&form);
  ok->SetFieldName("IDOK");
  ok->SetDataSet(&cds);
  cds.CreateDataSet();
  cds.Insert();
  dt->SetAsString("31/01/2026");
  EXPECT_EQ(dt->AsDateTime(), EncodeDate(2026, 1, 31));
  EXPECT_EQ(dt->DisplayText(), "31/01/2026");
  dt->SetDisplayFormat("dd/mm/yy hh:nn");
  EXPECT_EQ(dt->DisplayText(), "31/01/26 00:00");
  EXPECT_THROW(dt->SetAsString("32/01/2026"), EConvertError);
  ok->SetText("sim");
  EXPECT_TRUE(ok->AsBoolean());
  EXPECT_EQ(ok->DisplayText(), "Sim");
  ok->SetText("Não");
  EXPECT_FALSE(ok->AsBoolean());
  EXPECT_THROW(ok->SetText("talvez"), EConvertError);
}

TEST(FieldFloat, DisplayPrecisionAndFormat) {
  FlightForm f;
  f.Load();
  f.cds->Edit();
  f.qtdias->SetAsFloat(85.123456);
  EXPECT_EQ(f.qtdias->Text(), "85,123456");  // editing shows every decimal
  f.qtdias->SetPrecision(3);
  EXPECT_EQ(f.qtdias->DisplayText(), "85,123");
  f.qtdias->SetAsFloat(100);
  EXPECT_EQ(f.qtdias->DisplayText(), "100");
  f.qtdias->SetDisplayFormat("0.00");
  EXPECT_EQ(f.qtdias->DisplayText(), "100,00");
  f.qtdias->SetDisplayFormat("0.##");
  f.qtdias->SetAsFloat(2.5);
  EXPECT_EQ(f.qtdias->DisplayText(), "2,5");
}

TEST(FieldOldValue, IsTheLoadedValueWhileEditingAndAfterPosts) {
  FlightForm f;
  f.Load();
  f.cds->Edit();
  f.sgequip->SetAsString("X");
  EXPECT_EQ(f.sgequip->OldValue(), Variant("B737"));
  f.cds->Post();
  EXPECT_EQ(f.sgequip->OldValue(), Variant("B737"));  // not merged yet
  f.cds->MergeChangeLog();
  EXPECT_EQ(f.sgequip->OldValue(), Variant("X"));
  f.cds->Insert();
  EXPECT_TRUE(f.sgequip->OldValue().IsNull());
}

TEST(FieldProperties, DefaultsFollowTheType) {
  FlightForm f;
  EXPECT_EQ(f.nrvoo->DisplayLabel(), "NRVOO");
  EXPECT_EQ(f.nrvoo->DisplayWidth(), 5);
  EXPECT_EQ(f.nrvoo->Alignment(), taLeftJustify);
  EXPECT_EQ(f.qtdias->Alignment(), taRightJustify);
  EXPECT_TRUE(f.nrvoo->CanModify());
  f.cds->SetReadOnly(true);
  EXPECT_FALSE(f.nrvoo->CanModify());
}

}  // namespace
}  // namespace zor::plat
