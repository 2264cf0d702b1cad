// The pick list: the dataset's rows as text, through the ui port.
#include "platform/library/pesquisa.h"

#include <algorithm>

#include "platform/data/data_set.h"
#include "platform/data/data_source.h"
#include "platform/ui/ui_port.h"

namespace zor::plat::Pesquisa {

bool HasRecords(const TDataSource* dataSource) {
  TDataSet* ds = dataSource ? dataSource->DataSet() : nullptr;
  return ds && ds->Active() && !ds->IsEmpty();
}

bool Pesquisar(TDataSource* dataSource, const std::string& title, bool allFields, bool startOnCurrent) {
  if (!HasRecords(dataSource)) return false;
  TDataSet* ds = dataSource->DataSet();

  std::vector<TField*> columns;
  for (TField* f : ds->Fields())
    if (allFields || f->Visible()) columns.push_back(f);

  PickListRequest request;
  request.Title = title;
  for (TField* f : columns) request.ColumnLabels.push_back(f->DisplayLabel());
  // RecordCount leaves out a record being inserted, which is no choice yet.
  const int rows = ds->RecordCount();
  for (int r = 0; r < rows; ++r) {
    std::vector<std::string> cells;
    for (TField* f : columns) cells.push_back(ds->DisplayTextAt(r, f));
    request.Rows.push_back(std::move(cells));
  }
  request.CurrentRow = startOnCurrent ? std::clamp(ds->CurrentRow(), 0, rows - 1) : 0;

  std::optional<int> chosen = Ui().PickRow(request);
  if (!chosen || *chosen < 0 || *chosen >= rows) return false;
  ds->SetRecNo(*chosen + 1);
  return ds->RecNo() == *chosen + 1;
}

}  // namespace zor::plat::Pesquisa
