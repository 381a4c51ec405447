#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <memory>

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

}  // namespace
