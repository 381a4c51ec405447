#pragma once
#include <array>

#include "controls/flex_grid.h"
#include "controls/frame.h"
#include "controls/label.h"
#include "controls/mdi_form.h"

// The Accounts Summary: each account's balance as of today and its available
// balance (the balance plus the overdraft facility).
class FinForm4 : public MdiChildForm {
    Q_OBJECT
public:
    FinForm4();

    Frame* Frame1;                 // "Account Balances"
    Label* Label4;                 // "Account Balances as on:"
    Label* Label5;                 // the day of the balances
    Label* Label2;                 // "Balance"
    Label* Label3;                 // "Available Balance"
    std::array<Label*, 6> Label1{};  // 1 to 5: the account names
    std::array<Label*, 6> Label6{};  // 1 to 5: the balances
    std::array<Label*, 6> Label7{};  // 1 to 5: the available balances
    FlexGrid* MSFlexGrid1;         // work list of the balance computation, never shown
};
