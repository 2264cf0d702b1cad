// The search dialog, answered by Locate.
#include "platform/library/procurar.h"

#include <algorithm>

#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"
#include "platform/data/data_set.h"
#include "platform/library/dialog_caption.h"
#include "platform/ui/ui_port.h"

namespace zor::plat::Procurar {

bool Procura(TDataSet* dataSet) {
  if (!dataSet || !dataSet->Active() || dataSet->IsEmpty()) return false;

  SearchRequest request;
  request.Title = PlatformText("caption.search");
  for (TField* f : dataSet->Fields())
    if (f->Visible()) {
      request.FieldLabels.push_back(f->DisplayLabel());
      request.FieldNames.push_back(f->FieldName());
    }
  if (request.FieldNames.empty()) return false;

  std::optional<SearchAnswer> answer = Ui().Search(request);
  if (!answer) return false;
  // Only the fields offered may be searched.
  auto& names = request.FieldNames;
  if (std::find(names.begin(), names.end(), answer->FieldName) == names.end()) return false;

  bool found = false;
  try {
    found = dataSet->Locate(answer->FieldName, Variant(answer->Value), {loCaseInsensitive, loPartialKey});
  } catch (const EConvertError&) {
    found = false;  // "abc" in a number field matches no record
  } catch (const EVariantError&) {
    found = false;
  }
  if (!found) Ui().ShowInfo(DialogCaption(PlatformText("caption.search")), PlatformText("search.not_found"));
  return found;
}

}  // namespace zor::plat::Procurar
