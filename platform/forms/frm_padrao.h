// TfrmPadrao: the base maintenance form. It carries the toolbar with the
// command buttons and their menu twins, the page control with the grid tab
// and the record tab, the navigator strip, the screen-code label and the
// two message tables; a screen derives from it, appends its own form
// definition and replaces handlers by binding the same names (calling the
// base handlers below explicitly when it wants their behaviour).
//
// Data-aware parts are extension points: the data source dtsPadrao, the
// grid dbgPadrao (inside scbFolhaDados) and the navigator dbnPadrao/dbtNome
// (inside panNavigator) are added by the layer that provides them through
// AddBaseDefinition, and the dataset operations of the Change and Find
// commands go through EditDataSet / SearchDataSet.
#pragma once

#include <functional>
#include <vector>

#include "platform/controls/containers.h"
#include "platform/controls/label.h"
#include "platform/controls/menus.h"
#include "platform/controls/page_control.h"
#include "platform/controls/speed_button.h"
#include "platform/forms/form.h"
#include "platform/library/messages.h"

namespace zor::plat {

class TfrmPadrao : public TForm {
 public:
  explicit TfrmPadrao(TComponent* owner = nullptr);

  std::vector<FormDefinitionSource> Definitions() const override;
  // A definition applied to every base maintenance form right after the
  // base's own (data sources, grid and navigator from the data-aware layer).
  static void AddBaseDefinition(FormDefinitionSource source);

  // The components of frm_padrao.form and the handlers its events name,
  // with those the data-aware layer's pieces of this form name
  // (platform/dbcontrols/frm_padrao_dados.form), generated from the
  // definitions at build time. A screen replaces a handler by binding the
  // same name, and calls the one here explicitly when it wants its behaviour.
#include "platform/forms/frm_padrao_members.h"

  // Dataset operations of the base commands, wired by the data layer or the screen.
  std::function<void()> EditDataSet;
  std::function<void()> SearchDataSet;
};

}  // namespace zor::plat
