// The search dialog over a dataset.
#pragma once

namespace zor::plat {
class TDataSet;
}

namespace zor::plat::Procurar {

// Asks through the search dialog for a visible field and a value, then
// moves the dataset to the first record whose field starts with the value,
// letter case aside. True when found (the dataset stands on it). Not found
// (a value that cannot be of the field's type included): shows the
// information "Registro não encontrado." and leaves the dataset where it
// was. False without a dialog for a missing, closed or empty dataset, and
// false when the person cancelled.
bool Procura(TDataSet* dataSet);

}  // namespace zor::plat::Procurar
