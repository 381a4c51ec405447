#include "finance/fin_module.h"

namespace FinModule {

// The Accounts Summary's balances and the balance alarms. Until they are
// built, a refresh changes nothing.
void RefreshAccountBalances() {}

}  // namespace FinModule
