#include "finance/fin_module.h"

namespace FinModule {

// The account settings window's load. Until the window is built, a load
// changes nothing.
void LoadAccountSettings() {}

}  // namespace FinModule
