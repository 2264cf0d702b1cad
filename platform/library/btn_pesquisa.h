// TBtnPesquisa: the lookup button beside an edit. A click runs
// OnBeforePesq (where the screen opens the lookup's dataset), then shows
// the dataset as a pick list titled Title, and after a choice runs
// OnAfterPesq with the dataset on the chosen record (where the screen
// fills the edit). An empty (or closed) dataset shows EmptyError as an
// error instead, without aborting: the click simply ends there. When the
// lookup ends without a choice (list cancelled, or nothing to choose),
// OnCancelPesq runs instead of OnAfterPesq, so that a screen whose
// before-lookup event moved a dataset can put it back.
#pragma once

#include <functional>
#include <string>

#include "platform/controls/speed_button.h"

namespace zor::plat {

class TCustomEdit;
class TDataSource;

// `proceed` starts true; a handler that sets it false ends the click
// before the pick list.
using TBeforePesqEvent = std::function<void(TObject* sender, bool& proceed)>;

class TBtnPesquisa : public TSpeedButton {
 public:
  explicit TBtnPesquisa(TComponent* owner = nullptr);
  ~TBtnPesquisa() override;

  // The edit the lookup fills (by the screen's after-lookup handler); kept
  // for the screens and renderers, dropped when the edit is destroyed.
  TCustomEdit* Associate() const { return associate_; }
  void SetAssociate(TCustomEdit* edit);
  TDataSource* DataSource() const { return data_source_; }
  void SetDataSource(TDataSource* source);
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }
  // Shown when the dataset has no record; a general text when left empty.
  const std::string& EmptyError() const { return empty_error_; }
  void SetEmptyError(const std::string& text) { empty_error_ = text; }

  // Runs OnClick, then the lookup, while the button is enabled.
  void Click() override;
  // The lookup alone; true when a record was chosen (OnAfterPesq has run).
  bool Execute();

  TBeforePesqEvent OnBeforePesq;
  TNotifyEvent OnAfterPesq;
  TNotifyEvent OnCancelPesq;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TCustomEdit* associate_ = nullptr;
  TDataSource* data_source_ = nullptr;
  std::string title_;
  std::string empty_error_;
};

}  // namespace zor::plat
