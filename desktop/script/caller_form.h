// The form of "another screen" that opens the flight screen on one flight:
// it owns a mask edit "medFilial" with the branch code and a dataset whose
// current row holds the company abbreviation "SGCIA" and the flight
// number "NRVOO", as the one-flight opening expects of its caller.
#pragma once

#include <string>

#include "platform/forms/form.h"

namespace zor::plat {
class TClientDataSet;
class TMaskEdit;
}  // namespace zor::plat

namespace zor::script {

class CallerForm : public plat::TForm {
 public:
  static constexpr const char* kDataSetName = "cdsVooOrigem";

  CallerForm();

  // Puts the flight on the dataset's one row and the branch in medFilial.
  void Prepare(const std::string& branch, const std::string& company, const std::string& flight);

  plat::TMaskEdit* medFilial() const { return med_filial_; }
  plat::TClientDataSet* DataSet() const { return data_set_; }

 private:
  plat::TMaskEdit* med_filial_;
  plat::TClientDataSet* data_set_;
};

}  // namespace zor::script
