// The caller form of the one-flight opening (see caller_form.h).
#include "desktop/script/caller_form.h"

#include "platform/controls/mask_edit.h"
#include "platform/data/client_data_set.h"

namespace zor::script {

CallerForm::CallerForm() : plat::TForm(nullptr) {
  SetName("frmChamador");
  SetCaption("Tela chamadora");
  med_filial_ = new plat::TMaskEdit(this);
  med_filial_->SetName("medFilial");
  med_filial_->SetParent(this);
  data_set_ = new plat::TClientDataSet(this);
  data_set_->SetName(kDataSetName);
}

void CallerForm::Prepare(const std::string& branch, const std::string& company, const std::string& flight) {
  med_filial_->SetText(branch);
  plat::DataPacket packet;
  packet.Fields = {{"CDFILIAL", plat::FieldType::String, 4, 0},
                   {"SGCIA", plat::FieldType::String, 5, 0},
                   {"NRVOO", plat::FieldType::String, 5, 0}};
  packet.Rows = {{plat::Variant(branch), plat::Variant(company), plat::Variant(flight)}};
  data_set_->SetData(packet);
}

}  // namespace zor::script
