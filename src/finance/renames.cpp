#include "common/application.h"
#include "common/storable_text.h"
#include "finance/fin_module.h"
#include "finance/rename_dialogs.h"

namespace FinModule {

// Writes the new name of the account chosen in "Rename Account", then
// refreshes every list. Without a chosen account or a new name nothing changes.
bool ApplyAccountRename() {
    FinDialog& dialog = app().window<FinDialog>();
    if (!vars().PortfolioOpen || dialog.Combo1->Text().isEmpty() || dialog.Text1->Text().isEmpty()) return true;
    const QString name = dialog.Text1->Text();
    if (!CheckStorableText({name})) return false;
    const int account = dialog.Combo1->ListIndex() + 1;
    vars().AccountNames[account] = TaggedValue::ofString(name);
    portfolioFile().writeTagged(accountNameRecord(account), vars().AccountNames[account]);
    RefreshPortfolioLists();
    return true;
}

// Writes the new name of the category chosen in "Change Category". A category
// text typed or edited instead of chosen from the list names no category.
bool ApplyCategoryRename() {
    FinDialog1& dialog = app().window<FinDialog1>();
    const int index = dialog.Combo1->ListIndex();
    const QString chosen = dialog.Combo1->Text();
    if (!vars().PortfolioOpen || chosen.isEmpty() || index < 0 || chosen != dialog.Combo1->List(index)) return true;
    if (dialog.Text1->Text().isEmpty()) return true;
    const QString name = dialog.Text1->Text();
    if (!CheckStorableText({name})) return false;
    const int category = index + 1;
    vars().CategoryNames[category] = name;
    portfolioFile().writeString(categoryNameRecord(category), name);
    RefreshPortfolioLists();
    return true;
}

}  // namespace FinModule
