#pragma once
#include "common/form.h"
#include "controls/image.h"
#include "controls/label.h"

// The notice "Transaction Added .....": a small window without caption or
// title-bar buttons, shown for a moment when an entry is recorded. It is only
// ever shown and hidden, and it takes the activation from no window.
class FinForm7 : public Form {
    Q_OBJECT
public:
    FinForm7();

    Image* Image1;
    Label* Label1;  // "Transaction Added ....."

    // Shows the notice over the middle of the window of `opener`, to which it belongs.
    void showOver(const QWidget& opener);
};
