#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "controls/command_button.h"
#include "controls/text_box.h"

namespace {

// A maximum length bounds what the user types or pastes; a text that the
// program puts into the box stays whole, however long.
TEST(TextBoxTest, TheMaximumLengthBoundsTypingNotTheProgram) {
    auto window = std::make_unique<QWidget>();
    auto* box = new TextBox(window.get(), QStringLiteral("Text1"), QStringLiteral("100"));
    box->setMaxLength(10);
    QLineEdit* line = box->findChild<QLineEdit*>();
    ASSERT_NE(line, nullptr);

    line->selectAll();
    box->typeText(QStringLiteral("123456789012"));
    EXPECT_EQ(box->Text(), "1234567890");
    line->setCursorPosition(3);
    box->typeText(QStringLiteral("x"));
    EXPECT_EQ(box->Text(), "1234567890") << "a full box takes no more";

    const QString longer = QStringLiteral("Transfer from Check Account to Credit Card");
    box->setText(longer);
    EXPECT_EQ(box->Text(), longer);
    line->setCursorPosition(int(longer.size()));
    QTest::keyClick(line, Qt::Key_Backspace);
    EXPECT_EQ(box->Text(), longer.chopped(1)) << "shortened by the user";
    box->typeText(QStringLiteral("dd"));
    EXPECT_EQ(box->Text(), longer.chopped(1)) << "but not lengthened";

    line->selectAll();
    box->typeText(QStringLiteral("short"));
    EXPECT_EQ(box->Text(), "short");
    box->typeText(QStringLiteral("123456789"));
    EXPECT_EQ(box->Text(), "short12345");
}

// A box with the classic vertical scroll bar shows it always; it serves only
// while the text is longer than the box.
TEST(TextBoxTest, TheClassicScrollBarShowsAlwaysAndServesOnlyALongText) {
    QWidget window;
    auto* box = new TextBox(&window, QStringLiteral("Text7"), QString(), TextBox::Lines::Multi);
    box->Move(0, 0, 2895, 1335);
    box->setVerticalScrollBar(TextBox::ScrollBar::Always);
    window.show();
    QScrollBar* bar = box->findChild<QPlainTextEdit*>()->verticalScrollBar();
    box->setText(QStringLiteral("Plays chess."));
    QCoreApplication::processEvents();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_FALSE(bar->isEnabled());
    box->setText(QStringLiteral("line\r\n").repeated(20));
    QCoreApplication::processEvents();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(bar->isEnabled());
}

// Return and the keypad's Enter press the button that has the focus, as Space
// does; in a text box they press no button.
TEST(CommandButtonTest, ReturnOrEnterPressesTheFocusedButtonButNoneFromATextBox) {
    QWidget window;
    auto* box = new TextBox(&window, QStringLiteral("Text1"));
    auto* ok = new CommandButton(&window, QStringLiteral("OKButton"), QStringLiteral("OK"));
    ok->Move(0, 600, 1215, 375);
    int pressed = 0;
    QObject::connect(ok, &CommandButton::Click, [&pressed] { ++pressed; });
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    ok->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(pressed, 3);
    QTest::keyEvent(QTest::KeyAction::Press, QApplication::focusWidget(), Qt::Key_Return, {}, -1);
    QKeyEvent held(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(QApplication::focusWidget(), &held);
    EXPECT_EQ(pressed, 4) << "a key held down presses once";

    box->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(pressed, 4) << "no default button";
}

}  // namespace
