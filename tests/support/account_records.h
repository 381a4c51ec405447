#pragma once
#include <QCoreApplication>
#include <QTest>
#include <QtEndian>

#include "common/conversions.h"
#include "common/money.h"
#include "finance/account_settings_window.h"
#include "finance/debit_order_dialogs.h"
#include "support/finance_test.h"

// A created portfolio "Home" whose account files and settings a test fills
// record by record, as another program would, and whose debit orders and
// settings it reads back byte by byte.
class AccountRecordsTest : public FinanceTest {
protected:
    void SetUp() override {
        FinanceTest::SetUp();
        createPortfolio(QStringLiteral("Home"));
        ASSERT_TRUE(portfolioOpen());
        messages->texts.clear();
    }

    static QByteArray dateBytes(const QDate& day) {
        QByteArray b(8, '\0');
        qToLittleEndian<double>(Conversions::toSerialDate(day), b.data());
        return b;
    }
    static QByteArray moneyBytes(const QString& amount) {
        QByteArray b(8, '\0');
        qToLittleEndian<qint64>(Money::parse(amount).value().scaled(), b.data());
        return b;
    }

    QString account(int a) const { return acc(QStringLiteral("Home"), a); }
    static int slotRecord(int slot, int field) { return 10 * (slot - 1) + field; }

    // Transaction k of an account, and the count of its transactions.
    void storeTransaction(int a, int k, const QDate& date, const QString& amount,
                          const QString& description = QStringLiteral("Groceries"),
                          const QString& category = QStringLiteral("Food")) {
        writeRecord(account(a), slotRecord(k, 1), dateBytes(date));
        writeRecord(account(a), slotRecord(k, 2), stringBytes(category));
        writeRecord(account(a), slotRecord(k, 3), stringBytes(description));
        writeRecord(account(a), slotRecord(k, 4), moneyBytes(amount));
        writeRecord(account(a), slotRecord(k, 5), stringBytes(QStringLiteral("%1-%2").arg(a).arg(k)));
    }
    void storeTransactionCount(int a, int count) { writeRecord(account(a), 10, taggedInteger(qint16(count))); }

    // Debit order j of an account, and the count of its debit orders.
    void storeDebitOrder(int a, int j, const QDate& start, const QDate& end, const QString& description,
                         const QString& amount) {
        writeRecord(account(a), slotRecord(j, 6), dateBytes(start));
        writeRecord(account(a), slotRecord(j, 7), dateBytes(end));
        writeRecord(account(a), slotRecord(j, 8), stringBytes(description));
        writeRecord(account(a), slotRecord(j, 9), moneyBytes(amount));
    }
    void storeDebitOrderCount(int a, int count) { writeRecord(account(a), 20, taggedInteger(qint16(count))); }

    // Account a's settings: overdraft, high alarm, low alarm (flags -1 on, 0 off).
    void storeSettings(int a, const QString& overdraft, qint16 highOn, const QString& high, qint16 lowOn,
                       const QString& low) {
        const int r = 20 + 5 * a;
        writeRecord(pwb("Home"), r + 1, moneyBytes(overdraft));
        writeRecord(pwb("Home"), r + 2, int16Bytes(highOn));
        writeRecord(pwb("Home"), r + 3, moneyBytes(high));
        writeRecord(pwb("Home"), r + 4, int16Bytes(lowOn));
        writeRecord(pwb("Home"), r + 5, moneyBytes(low));
    }

    // The stored debit order j of an account: the bytes of its four records.
    QByteArray storedDebitOrder(int a, int j) const {
        return bytesOf(account(a)).mid(qint64(slotRecord(j, 6) - 1) * RecordLength, 4 * RecordLength)
            .leftJustified(4 * RecordLength, '\0');
    }
    // Everything of an account file but its debit orders (records +6 to +9 of
    // each slot, and their count in record 20).
    QByteArray withoutDebitOrders(int a) const {
        const QByteArray bytes = bytesOf(account(a));
        QByteArray rest;
        for (qint64 index = 0; index * RecordLength < bytes.size(); ++index)
            if ((index % 10 < 5 || index % 10 == 9) && index != 19) rest += bytes.mid(index * RecordLength, RecordLength);
        return rest;
    }
    // The value at the start of a record: 2-byte integer, date, money, string.
    qint16 storedInteger(const QString& path, int number) const {
        return qFromLittleEndian<qint16>(record(path, number).constData());
    }
    QDate storedDate(const QString& path, int number) const {
        return Conversions::fromSerialDate(qFromLittleEndian<double>(record(path, number).constData())).date();
    }
    QString storedMoney(const QString& path, int number) const {
        return Money::fromScaled(qFromLittleEndian<qint64>(record(path, number).constData())).text();
    }

    // The summary's balance and available balance of account a.
    QStringList summaryOf(int a) {
        FinForm4& summary = app().window<FinForm4>();
        return {summary.Label6[a]->Caption(), summary.Label7[a]->Caption()};
    }
    // Grid rows from row 2 on, cells joined by "|".
    static QStringList listedRows(const FlexGrid* grid) {
        QStringList rows;
        for (int r = 2; r < grid->Rows(); ++r) {
            QStringList cells;
            for (int c = 0; c < grid->Cols(); ++c) cells << grid->TextMatrix(r, c);
            rows << cells.join(u'|');
        }
        return rows;
    }
    static QString date(int year, int month, int day) { return Conversions::dateText(QDate(year, month, day)); }

    // Clicks a cell of a grid as the user does.
    static void clickCell(FlexGrid* grid, int row, int col = 2) {
        QCoreApplication::processEvents();
        const QPoint at = grid->visualRect(grid->model()->index(row - 1, col)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    }
};
