// A form with a client dataset of flights and its data source, shared by
// the data-aware control tests. The dataset has a code field shown through
// text handlers (situation "1"/"2" as "Ativo"/"Inativo"), a time field
// stored as four digits and shown through the mask "!99:99;1; ", a date
// field and a read-only field.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls/custom_form.h"
#include "platform/core/sysutils.h"
#include "platform/data/client_data_set.h"
#include "platform/data/data_source.h"
#include "platform/data/field_types.h"
#include "platform/ui/scripted_ui.h"

namespace zor::plat::testing {

class DbFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    SetUi(&ui);
    cds->SetName("cdsVoo");
    dts->SetName("dtsVoo");
    Field(nrvoo, "NRVOO", 5);
    Field(idsit, "IDSITVOO", 1);
    Field(hrdecol, "HRDECOLVOO", 4);
    Field(sgequip, "SGEQUIP", 10);
    hrdecol->SetEditMask("!99:99;1; ");
    dtini->SetFieldName("DTINIVIGVOO");
    dtini->SetDataSet(cds);
    idsit->OnGetText = [](TField* f, std::string& text, bool) {
      if (f->AsString() == "1") text = "Ativo";
      if (f->AsString() == "2") text = "Inativo";
    };
    idsit->OnSetText = [](TField* f, const std::string& text) { f->SetAsString(Trim(text) == "Inativo" ? "2" : "1"); };
    hrdecol->OnGetText = [](TField* f, std::string& text, bool) {
      std::string v = f->AsString();
      text = v.substr(0, std::min<size_t>(2, v.size())) + ":" + (v.size() > 2 ? v.substr(2) : "");
    };
    hrdecol->OnSetText = [this](TField* f, const std::string& text) {
      set_texts.push_back(text);
      std::string t = text;
      if (Trim(t) == ":") t.clear();
      std::string digits;
      for (char c : t) digits += c == ' ' ? '0' : c;
      if (auto p = digits.find(':'); p != std::string::npos) digits.erase(p, 1);
      f->SetAsString(digits);
    };
    hrdecol->OnValidate = [](TField* f) {
      std::string v = f->AsString();
      if (!v.empty() && (v.size() != 4 || StrToIntDef(v.substr(0, 2), 99) > 23 || StrToIntDef(v.substr(2), 99) > 59))
        throw Exception(v.substr(0, 2) + ":" + v.substr(2) + " não é uma hora válida.");
    };
    dts->SetDataSet(cds);
    form.SetName("frmTeste");
  }

  void TearDown() override { SetUi(nullptr); }

  void Field(TStringField* f, const char* name, int size) {
    f->SetFieldName(name);
    f->SetSize(size);
    f->SetDataSet(cds);
  }

  void Load() {
    DataPacket p;
    p.Fields = {{"NRVOO", FieldType::String, 5, 0},
                {"IDSITVOO", FieldType::String, 1, 0},
                {"HRDECOLVOO", FieldType::String, 4, 0},
                {"SGEQUIP", FieldType::String, 10, 0},
                {"DTINIVIGVOO", FieldType::DateTime, 0, 0}};
    p.Rows = {{Variant("100"), Variant("1"), Variant("0730"), Variant("B737"), Variant(EncodeDate(2024, 5, 1))},
              {Variant("200"), Variant("2"), Variant("1815"), Variant("A320"), Variant()},
              {Variant("300"), Variant("3"), Variant(), Variant("E190"), Variant()}};
    cds->SetData(p);
  }

  // A control owned and parented by the form, named.
  template <typename T>
  T* Make(const std::string& name) {
    T* c = new T(&form);
    c->SetName(name);
    c->SetParent(&form);
    return c;
  }

  ScriptedUi ui;
  TCustomForm form;
  TClientDataSet* cds = new TClientDataSet(&form);
  TDataSource* dts = new TDataSource(&form);
  TStringField* nrvoo = new TStringField(&form);
  TStringField* idsit = new TStringField(&form);
  TStringField* hrdecol = new TStringField(&form);
  TStringField* sgequip = new TStringField(&form);
  TDateTimeField* dtini = new TDateTimeField(&form);
  std::vector<std::string> set_texts;
};

}  // namespace zor::plat::testing
