#include "common/application.h"
#include "common/record_range.h"
#include "finance/account_settings_window.h"
#include "finance/fin_module.h"

namespace FinModule {

namespace {
constexpr int SettingsRecords = 5;
constexpr qint16 On = -1;
}  // namespace

// Shows the settings of the account chosen in the window. A text typed into
// the account box names no account: nothing is read and the window stays as
// it is.
void LoadAccountSettings() {
    FinForm5& form = app().window<FinForm5>();
    const int account = chosenAccount(*form.Combo1);
    if (account == 0) return;
    const RecordFile& file = portfolioFile();
    const Money overdraft = file.readMoney(settingsRecord(account, SettingsField::Overdraft));
    const bool highOn = file.readInteger(settingsRecord(account, SettingsField::HighAlarmOn)) == On;
    const Money high = file.readMoney(settingsRecord(account, SettingsField::HighThreshold));
    const bool lowOn = file.readInteger(settingsRecord(account, SettingsField::LowAlarmOn)) == On;
    const Money low = file.readMoney(settingsRecord(account, SettingsField::LowThreshold));

    // These run the boxes' handlers as the user's changes would, so "Apply"
    // is disabled last.
    form.Check1->setValue(overdraft > Money() ? 1 : 0);
    form.Check2->setValue(highOn ? 1 : 0);
    form.Check3->setValue(lowOn ? 1 : 0);
    form.Text1->setText(overdraft.text());
    form.Text2->setText(high.text());
    form.Text3->setText(low.text());
    form.Command3->setEnabled(false);
}

// An empty account box saves nothing. Every amount is converted before the
// first record is written; one that is not a number, or an overdraft that
// would take the available balance past the range of amounts, is told and
// nothing is written. The five settings are written in one write.
bool SaveAccountSettings() {
    FinForm5& form = app().window<FinForm5>();
    if (form.Combo1->Text().isEmpty()) return true;
    const int account = chosenAccount(*form.Combo1);
    if (account == 0) {
        app().message(QStringLiteral("Please select account"));
        return false;
    }
    for (TextBox* box : {form.Text1, form.Text2, form.Text3})
        if (box->Text().isEmpty()) box->setText(QStringLiteral("0"));

    const bool overdraftOn = form.Check1->Value() == 1;
    std::optional<Money> amounts[3] = {overdraftOn ? Money::parse(form.Text1->Text()) : Money(),
                                       Money::parse(form.Text2->Text()), Money::parse(form.Text3->Text())};
    const TextBox* boxes[3] = {form.Text1, form.Text2, form.Text3};
    for (int i = 0; i < 3; ++i) {
        if (!amounts[i]) {
            app().message(notAnAmountMessage(boxes[i]->Text()));
            return false;
        }
    }

    // The new overdraft takes the place of the stored one in the available balance.
    RecordFile& file = portfolioFile();
    const Money stored = file.readMoney(settingsRecord(account, SettingsField::Overdraft));
    if (!SumsStayInRange({{account, stored, -1, true}, {account, *amounts[0], 1, true}},
                         QStringLiteral(" Settings not saved.")))
        return false;

    RecordRange settings(file, settingsRecord(account, SettingsField::Overdraft), SettingsRecords);
    settings.setMoney(settingsRecord(account, SettingsField::Overdraft), *amounts[0]);
    settings.setInteger(settingsRecord(account, SettingsField::HighAlarmOn), form.Check2->Value() == 1 ? On : 0);
    settings.setMoney(settingsRecord(account, SettingsField::HighThreshold), *amounts[1]);
    settings.setInteger(settingsRecord(account, SettingsField::LowAlarmOn), form.Check3->Value() == 1 ? On : 0);
    settings.setMoney(settingsRecord(account, SettingsField::LowThreshold), *amounts[2]);
    if (settings.writeTo(file) != RecordFile::Write::Done) return false;

    form.Command3->setEnabled(false);
    RefreshAccountBalances();
    return true;
}

}  // namespace FinModule
