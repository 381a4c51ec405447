#include "finance/summary_window.h"

#include "common/application.h"
#include "finance/finance_window.h"

FinForm4::FinForm4() : MdiChildForm(QStringLiteral("FinForm4"), app().window<FinMDIForm1>()) {
    setCaption(QStringLiteral("Accounts Summary"));

    Frame1 = new Frame(this, QStringLiteral("Frame1"), QStringLiteral("Account Balances"));
    Frame1->Move(120, 120, 6735, 3135);
    auto label = [this](const QString& name, const QString& caption, int left, int top, int width, int height,
                        bool bold = false) {
        auto* l = new Label(Frame1, name, caption);
        l->Move(left, top, width, height);
        if (bold) {
            QFont font = l->font();
            font.setBold(true);
            l->setFont(font);
        }
        return l;
    };
    Label4 = label(QStringLiteral("Label4"), QStringLiteral("Account Balances as on:"), 120, 360, 1935, 255);
    Label5 = label(QStringLiteral("Label5"), QString(), 2280, 360, 2055, 255, true);
    Label2 = label(QStringLiteral("Label2"), QStringLiteral("Balance"), 2280, 840, 2055, 255, true);
    Label3 = label(QStringLiteral("Label3"), QStringLiteral("Available Balance"), 4560, 840, 2055, 255, true);
    for (int a = 1; a <= 5; ++a) {
        Label1[a] = label(QStringLiteral("Label1(%1)").arg(a), QStringLiteral("Account"), 120, 960 + 360 * a, 3015, 255);
        Label6[a] = label(QStringLiteral("Label6(%1)").arg(a), QStringLiteral("0"), 2400, 840 + 360 * a, 2055, 375);
        Label7[a] = label(QStringLiteral("Label7(%1)").arg(a), QStringLiteral("0"), 4560, 840 + 360 * a, 2055, 375);
    }

    MSFlexGrid1 = new FlexGrid(Frame1, QStringLiteral("MSFlexGrid1"), 2, 2, 1, 0);
    MSFlexGrid1->Move(3960, 360, 1455, 975);
    MSFlexGrid1->setVisibleFlag(false);
    showCreated(7095, 3495);
}
