#include "common/seams.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "common/application.h"

void QtMessageBox::show(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, Application::Title, text, QMessageBox::Ok);
    box.exec();
}

QString QtOpenFileDialog::qtFilter(const QString& filter) {
    // Pairs of description and patterns, all separated by "|".
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const QString patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts).join(u' ');
        const qsizetype paren = description.indexOf(u'(');
        if (paren >= 0) description = description.left(paren).trimmed();
        entries << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return entries.join(QStringLiteral(";;"));
}

std::optional<QString> QtOpenFileDialog::open(const QString& title, const QString& filter) {
    const QString path = QFileDialog::getOpenFileName(nullptr, title, QString(), qtFilter(filter));
    if (path.isEmpty()) return std::nullopt;
    return path;
}
