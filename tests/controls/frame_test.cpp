#include <gtest/gtest.h>

#include <QImage>

#include "controls/frame.h"

namespace {

// The first row from the top, in one column of a frame's picture, that is not
// the frame's back colour; -1 if there is none.
int firstInkRow(const QImage& picture, int x, QRgb back) {
    for (int y = 0; y < picture.height(); ++y)
        if (picture.pixel(x, y) != back) return y;
    return -1;
}

// The border's top runs through the middle of the caption, above a control
// placed 240 twips below the frame's top; without a caption it is the top row.
TEST(FrameTest, TheBorderRunsThroughTheMiddleOfTheCaption) {
    QWidget window;
    Frame captioned(&window, QStringLiteral("Frame1"), QStringLiteral("Select Account"));
    captioned.Move(120, 120, 3375, 735);
    Frame plain(&window, QStringLiteral("Frame2"));
    plain.Move(120, 960, 3375, 735);
    const QRgb back = window.palette().color(QPalette::Window).rgb();

    const QImage picture = captioned.grab().toImage();
    const QFontMetrics metrics(captioned.font());
    const int line = firstInkRow(picture, picture.width() - 10, back);  // right of the caption
    EXPECT_EQ(line, metrics.height() / 2);
    EXPECT_LT(line, 240 / 15);
    // The caption's letters reach above and below the line.
    int top = picture.height(), bottom = -1;
    for (int x = 2; x < picture.width() - 2; ++x)
        for (int y = 0; y < metrics.height(); ++y)
            if (qGray(picture.pixel(x, y)) < 128) top = std::min(top, y), bottom = std::max(bottom, y);
    EXPECT_LT(top, line);
    EXPECT_GT(bottom, line);

    EXPECT_EQ(firstInkRow(plain.grab().toImage(), plain.width() - 10, back), 0);
}

}  // namespace
