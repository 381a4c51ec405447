#pragma once
#include <QTest>

// What the platform delivers for a double click: press and release, then the
// double click (QTest's own double click on a widget sends the last one only).
inline void doubleClick(QWidget* widget, const QPoint& at) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
}
