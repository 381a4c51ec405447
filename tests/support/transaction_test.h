#pragma once
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QtEndian>
#include <cmath>

#include "common/conversions.h"
#include "finance/edit_entry_dialog.h"
#include "finance/notice_window.h"
#include "support/account_records.h"

// A portfolio "Home" made through "New Portfolio", with transactions and debit
// orders written into its account files byte by byte or entered through the
// Add Transactions window, and the transaction list read back row by row.
class TransactionTest : public AccountRecordsTest {
protected:
    static constexpr quint32 DarkBlue = 0xC00000;
    static constexpr quint32 LightCyan = 0xFFFF80;

    void SetUp() override {
        AccountRecordsTest::SetUp();
        // The list in front, as "View" > "Transactions" shows it.
        app().window<FinMDIForm1>().ViewT->trigger();
        QCoreApplication::processEvents();
    }

    static QByteArray doubleBytes(double value) {
        QByteArray b(8, '\0');
        qToLittleEndian(value, b.data());
        return b;
    }

    // A transaction as stored: date, category, description, amount (x 10000), ID.
    struct Stored {
        QDate date;
        double serial = 0;
        QString category, description;
        qint64 amount = 0;
        QString id;
        friend bool operator==(const Stored&, const Stored&) = default;
    };
    Stored stored(int a, int k) const {
        const QString path = account(a);
        const double serial = qFromLittleEndian<double>(record(path, slotRecord(k, 1)).constData());
        return {Conversions::dayOfSerialDate(serial), serial, storedString(path, slotRecord(k, 2)),
                storedString(path, slotRecord(k, 3)),
                qFromLittleEndian<qint64>(record(path, slotRecord(k, 4)).constData()),
                storedString(path, slotRecord(k, 5))};
    }
    // The transaction count as a tagged integer, -1 when it is none.
    qint16 transactionCount(int a) const {
        return storedInteger(account(a), 10) == 2 ? qFromLittleEndian<qint16>(record(account(a), 10).constData() + 2)
                                                  : qint16(-1);
    }

    // --- the list ---------------------------------------------------------
    static FinForm1& list() { return app().window<FinForm1>(); }
    static FlexGrid* grid() { return list().MSFlexGrid1; }
    static QStringList row(int r) {
        QStringList cells;
        for (int c = 0; c < 6; ++c) cells << grid()->TextMatrix(r, c);
        return cells;
    }
    // The data rows, from row 2 on.
    static std::vector<QStringList> dataRows() {
        std::vector<QStringList> rows;
        for (int r = 2; r < grid()->Rows(); ++r) rows.push_back(row(r));
        return rows;
    }
    static QStringList column(int c) {
        QStringList cells;
        for (int r = 2; r < grid()->Rows(); ++r) cells << grid()->TextMatrix(r, c);
        return cells;
    }
    static QString total() { return grid()->TextMatrix(1, 4); }

    // Picks an item of a filter as the user does (a pick fills the list).
    static void pickFilter(ComboBox* filter, const QString& item) {
        const int index = filter->findText(item, Qt::MatchExactly | Qt::MatchCaseSensitive);
        ASSERT_GE(index, 0) << item.toStdString();
        filter->pick(index);
    }
    // "All Accounts", "All Categories": the list as opening shows it, read afresh.
    static void refill() {
        pickFilter(list().Combo1, QStringLiteral("All Accounts"));
        pickFilter(list().Combo2, QStringLiteral("All Categories"));
    }

    // Scrolls a row into view and clicks it, as the user does.
    static void clickRow(int r) {
        idle();  // the view catches up with the grid
        FlexGrid* g = grid();
        const QModelIndex index = g->model()->index(r - 1, 2);
        g->scrollTo(index);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(index).center());
    }
    static void click(QWidget* button) {
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    // The row of the list that shows a transaction ID.
    static int rowOf(const QString& id) {
        for (int r = 2; r < grid()->Rows(); ++r)
            if (grid()->TextMatrix(r, 5) == id) return r;
        return -1;
    }

    // --- Add Transactions -------------------------------------------------
    static FinForm6& entry() { return app().window<FinForm6>(); }
    static void openEntry() {
        app().window<FinMDIForm1>().Transactions->trigger();
        QCoreApplication::processEvents();
    }
    // The basic panel filled in as the user does, then "Enter Transaction".
    void enterTransaction(int accountItem, const QString& category, const QString& description,
                          const QString& amount, bool income, const QDate& date) {
        openEntry();
        FinForm6& form = entry();
        if (accountItem >= 0) form.Combo1[0]->pick(accountItem);
        if (!category.isEmpty()) pickFilter(form.Combo2, category);
        retype(form.Text1, description);
        retype(form.Text2[0], amount);
        (income ? form.Option1 : form.Option2)->click();
        form.DTPicker1[0]->pick(date);
        click(form.Command1);
    }
    // The transfer panel filled in, then its "Enter Transaction".
    void enterTransfer(int fromItem, int toItem, const QString& amount, const QDate& date) {
        openEntry();
        FinForm6& form = entry();
        if (form.Command3->Caption() == QLatin1String("Inter Account Transfers")) click(form.Command3);
        if (fromItem >= 0) form.Combo1[1]->pick(fromItem);
        if (toItem >= 0) form.Combo1[2]->pick(toItem);
        retype(form.Text2[1], amount);
        form.DTPicker1[1]->pick(date);
        click(form.Command2);
    }
};
