#include "finance/notice_window.h"

namespace {
constexpr quint32 Background = 0xFFFFC0;  // light cyan
}

FinForm7::FinForm7() : Form(QStringLiteral("FinForm7")) {
    setFrame(Border::None, false);
    setTakesNoActivation();
    setClientSize(3615, 975);
    setBackground(this, colorFromValue(Background));

    Image1 = new Image(this, QStringLiteral("Image1"));
    Image1->Move(120, 120, 735, 735);
    Image1->setPicture(QPixmap(QStringLiteral(":/assets/finance_coins.png")));
    Label1 = new Label(this, QStringLiteral("Label1"), QStringLiteral("Transaction Added ....."));
    Label1->Move(1080, 360, 2415, 255);
    Label1->setBackColor(Background);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
}

void FinForm7::showOver(const QWidget& opener) {
    if (opener.isVisible()) {
        const QRect over = opener.window()->frameGeometry();
        move(over.center() - QPoint(width() / 2, height() / 2));
    }
    Show(opener);
}
