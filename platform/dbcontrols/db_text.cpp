// Data-aware labels.
#include "platform/dbcontrols/db_text.h"

#include "platform/data/field.h"

namespace zor::plat {

TDBText::TDBText(TComponent* owner) : TLabel(owner) {
  link_.SetControl(this);
  link_.OnDataChange = [this](TObject*) { ShowField(); };
}

TDBText::~TDBText() {
  link_.OnDataChange = nullptr;
  link_.SetDataSource(nullptr);
}

void TDBText::SetDataSource(TDataSource* source) {
  link_.SetDataSource(source);
  ShowField();
}

void TDBText::SetDataField(const std::string& name) {
  link_.SetFieldName(name);
  ShowField();
}

void TDBText::ShowField() {
  TField* f = link_.Field();
  SetCaption(f ? f->DisplayText() : std::string());
}

}  // namespace zor::plat
