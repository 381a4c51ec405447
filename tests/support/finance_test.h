#pragma once
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QtEndian>

#include "finance/add_transactions_window.h"
#include "finance/debit_orders_window.h"
#include "finance/fin_module.h"
#include "finance/finance_window.h"
#include "finance/new_portfolio_window.h"
#include "finance/rename_dialogs.h"
#include "finance/summary_window.h"
#include "finance/transactions_window.h"
#include "support/organizer_test.h"

// The finance window as the user meets it: opened as the desk opens it, with
// portfolios created through "New Portfolio" and opened through the answering
// file dialog. Portfolio files are read and written record by record here, so
// that a test can set up a portfolio byte by byte and check what was stored.
class FinanceTest : public OrganizerTest {
protected:
    static constexpr int RecordLength = 128;

    // The finance window, shown at normal size as the desk shows it.
    FinMDIForm1& openFinance() {
        FinMDIForm1& finance = app().window<FinMDIForm1>();
        finance.setNormalState();
        finance.Show();
        QCoreApplication::processEvents();
        return finance;
    }

    // "New Portfolio" from the File menu: the name typed, the folder opened in
    // the folder list (the current folder when none is given), "Save".
    void createPortfolio(const QString& name, const QString& folder = {}) {
        openFinance().New->trigger();
        FinForm3& form = app().window<FinForm3>();
        retype(form.Text1, name);
        if (!folder.isEmpty()) form.Dir1->openFolder(folder);
        form.Command1->click();
        QCoreApplication::processEvents();
    }

    // "Open Portfolio" from the File menu, the dialog answering the path
    // (an empty path cancels).
    void openPortfolio(const QString& path) {
        fileDialog->answers << path;
        openFinance().Open->trigger();
        QCoreApplication::processEvents();
    }

    // Clicks a toolbar button (from 1) as the user does.
    static void clickToolbar(FinMDIForm1& finance, int index) {
        QTest::mouseClick(finance.Toolbar1->buttonWidget(index), Qt::LeftButton);
        QCoreApplication::processEvents();
    }

    // Replaces a box's whole text by typing.
    static void retype(TextBox* box, const QString& text) {
        if (auto* line = box->findChild<QLineEdit*>()) line->selectAll();
        box->typeText(text);
    }

    static bool portfolioOpen() { return FinModule::vars().PortfolioOpen; }
    static QStringList items(const ComboBox* list) {
        QStringList all;
        for (int i = 0; i < list->ListCount(); ++i) all << list->List(i);
        return all;
    }

    // Paths of a portfolio in the data folder: the portfolio file, account a's file.
    QString pwb(const QString& base) const { return dataPath(base + QStringLiteral(".pwb")); }
    QString acc(const QString& base, int account) const {
        return dataPath(QStringLiteral("%1_%2.acc").arg(base).arg(account));
    }

    // Whole files and single records as stored.
    static QByteArray bytesOf(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QByteArray record(const QString& path, int number) {
        return bytesOf(path).mid(qint64(number - 1) * RecordLength, RecordLength).leftJustified(RecordLength, '\0');
    }
    static QString storedString(const QString& path, int number) {
        const QByteArray r = record(path, number);
        return QString::fromLatin1(r.mid(2, qFromLittleEndian<quint16>(r.constData())));
    }
    static QString storedTaggedString(const QString& path, int number) {
        const QByteArray r = record(path, number);
        if (qFromLittleEndian<qint16>(r.constData()) != 8) return QStringLiteral("<not a tagged string>");
        return QString::fromLatin1(r.mid(4, qFromLittleEndian<quint16>(r.constData() + 2)));
    }

    // Encoded values.
    static QByteArray int16Bytes(qint16 value) {
        QByteArray b(2, '\0');
        qToLittleEndian(value, b.data());
        return b;
    }
    static QByteArray stringBytes(const QString& text) {
        return int16Bytes(qint16(text.size())) + text.toLatin1();
    }
    static QByteArray taggedString(const QString& text) { return int16Bytes(8) + stringBytes(text); }
    static QByteArray taggedInteger(qint16 value) { return int16Bytes(2) + int16Bytes(value); }

    // Writes a value into a record of a file, extending it with zeros as
    // needed, as another program would; the organizer's open files see it at
    // their next read.
    void writeRecord(const QString& path, int number, const QByteArray& value) {
        {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::ReadWrite));
            const qint64 at = qint64(number - 1) * RecordLength;
            if (f.size() < at + RecordLength) f.resize(at + RecordLength);
            f.seek(at);
            f.write(value);
        }
        application->files().recheckAll();
    }
};
