// The modal pick list over a data source's dataset.
#pragma once

#include <string>

namespace zor::plat {
class TDataSource;
}

namespace zor::plat::Pesquisa {

// Shows the records of the data source's dataset as a pick list titled
// `title`: the visible fields in order under their DisplayLabel (every
// field when `allFields` is true), opening on the current record when
// `startOnCurrent` is true and on the first otherwise. True when a record
// was chosen; the dataset then stands on it (moved as any move does, with
// its scroll events). False, with the dataset where it was, when the list
// was cancelled, and without showing a list when there is no data source,
// no dataset, or the dataset is closed or empty.
bool Pesquisar(TDataSource* dataSource, const std::string& title, bool allFields = false,
               bool startOnCurrent = true);

// True when the data source has an open dataset with at least one record.
bool HasRecords(const TDataSource* dataSource);

}  // namespace zor::plat::Pesquisa
