#include "controls/combo_box.h"
#include "finance/fin_module.h"

namespace FinModule {

int chosenAccount(const ComboBox& accounts) {
    const int index = accounts.ListIndex();
    if (index < 0 || index >= AccountCount || accounts.Text() != accounts.List(index)) return 0;
    return index + 1;
}

QString notAnAmountMessage(const QString& typed) {
    return QStringLiteral("\"%1\" is not an amount. Please type a number such as 150 or 99.95.").arg(typed);
}

}  // namespace FinModule
