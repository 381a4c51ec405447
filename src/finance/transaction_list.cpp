#include "finance/fin_module.h"

namespace FinModule {

// The transaction list's query. Until the list is built, a fill changes nothing.
void FillTransactionGrid() {}

}  // namespace FinModule
