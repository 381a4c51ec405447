#pragma once
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>
#include <QtEndian>
#include <map>

#include "common/conversions.h"
#include "common/money.h"
#include "finance/account_settings_window.h"
#include "finance/add_transactions_window.h"
#include "finance/debit_order_dialogs.h"
#include "finance/debit_orders_window.h"
#include "finance/edit_entry_dialog.h"
#include "finance/fin_module.h"
#include "finance/finance_window.h"
#include "finance/new_portfolio_window.h"
#include "finance/notice_window.h"
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
    // "New Portfolio": the name typed into the current folder, "Save".
    void createPortfolio(const QString& name) {
        openFinance().New->trigger();
        FinForm3& form = app().window<FinForm3>();
        retype(form.Text1, name);
        form.Command1->click();
        QCoreApplication::processEvents();
    }
    // "Open Portfolio", the dialog answering the path (an empty path cancels).
    void openPortfolio(const QString& path) {
        fileDialog->answers << path;
        openFinance().Open->trigger();
        QCoreApplication::processEvents();
    }

    static void click(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    // Replaces a box's whole text by typing.
    static void retype(TextBox* box, const QString& text) {
        if (auto* line = box->findChild<QLineEdit*>()) line->selectAll();
        box->typeText(text);
    }
    // The minimize button that a maximized child window puts into the menu bar.
    static void minimizeMaximizedChild() {
        QWidget* buttons = app().window<FinMDIForm1>().menuBar()->cornerWidget(Qt::TopRightCorner);
        ASSERT_TRUE(buttons && buttons->isVisible());
        QTest::mouseClick(buttons, Qt::LeftButton, {}, QPoint(4, buttons->height() / 2));
        QCoreApplication::processEvents();
    }
    static bool portfolioOpen() { return FinModule::vars().PortfolioOpen; }
    static bool financeLocked() { return !app().window<FinMDIForm1>().isEnabled(); }
    bool fileNumbersFree() const {
        for (int n = 1; n <= 6; ++n)
            if (application->files().isOpen(n)) return false;
        return true;
    }
    static QStringList items(const ComboBox* list) {
        QStringList all;
        for (int i = 0; i < list->ListCount(); ++i) all << list->List(i);
        return all;
    }

    // A grid's rows and columns, the transaction list's unless another is named.
    static FinForm1& list() { return app().window<FinForm1>(); }
    static FlexGrid* grid() { return list().MSFlexGrid1; }
    static QStringList row(int r, const FlexGrid* g = grid()) {
        QStringList cells;
        for (int c = 0; c < g->Cols(); ++c) cells << g->TextMatrix(r, c);
        return cells;
    }
    // The data rows, from row 2 on, cells joined by "|".
    static QStringList rows(const FlexGrid* g = grid()) {
        QStringList all;
        for (int r = 2; r < g->Rows(); ++r) all << row(r, g).join(u'|');
        return all;
    }
    static QStringList column(int c, const FlexGrid* g = grid()) {
        QStringList cells;
        for (int r = 2; r < g->Rows(); ++r) cells << g->TextMatrix(r, c);
        return cells;
    }
    static QString total() { return grid()->TextMatrix(1, 4); }
    // Scrolls a row into view and clicks it, as the user does.
    static void clickRow(int r, FlexGrid* g = grid()) {
        idle();  // the view catches up with the grid
        const QModelIndex index = g->model()->index(r - 1, 2);
        g->scrollTo(index);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(index).center());
    }
    // The row of the list that shows a transaction ID.
    static int rowOf(const QString& id) {
        for (int r = 2; r < grid()->Rows(); ++r)
            if (grid()->TextMatrix(r, 5) == id) return r;
        return -1;
    }
    // Picks the item of a list that shows a text, as the user does.
    static void pickItem(ComboBox* box, const QString& item) {
        const int index = box->findText(item, Qt::MatchExactly | Qt::MatchCaseSensitive);
        ASSERT_GE(index, 0) << item.toStdString();
        box->pick(index);
    }
    // "All Accounts", "All Categories": the list as opening shows it, read afresh.
    static void refill() {
        pickItem(list().Combo1, QStringLiteral("All Accounts"));
        pickItem(list().Combo2, QStringLiteral("All Categories"));
    }

    // Paths of a portfolio in the data folder: the portfolio file, account a's file.
    QString pwb(const QString& base) const { return dataPath(base + QStringLiteral(".pwb")); }
    QString acc(const QString& base, int account) const {
        return dataPath(QStringLiteral("%1_%2.acc").arg(base).arg(account));
    }

    // What a new portfolio's files hold: the names in records 1 to 25 of the
    // portfolio file, a tagged 0 in records 10 and 20 of each account file.
    static QByteArray newPortfolioFile() {
        QByteArray bytes(25 * RecordLength, '\0');
        const QStringList accounts = {"Check Account", "Credit Card", "Savings Account", "Home Loan", "Personnal Loan"};
        const QStringList categories = {"Salary",  "Food",     "Vehicle",
                                        "Other Income", "Leisure", "Electronic Equipment",
                                        "Computer Equipment", "D.I.Y. Equipment", "Education",
                                        "Services"};
        auto put = [&](int record, const QByteArray& value) { bytes.replace((record - 1) * RecordLength, value.size(), value); };
        for (int a = 1; a <= 5; ++a) put(a, taggedString(accounts[a - 1]));
        for (int c = 1; c <= 20; ++c) put(c + 5, stringBytes(c <= 10 ? categories[c - 1] : QStringLiteral("No Category")));
        return bytes;
    }
    static QByteArray newAccountFile() {
        QByteArray bytes(20 * RecordLength, '\0');
        bytes.replace(9 * RecordLength, 4, taggedInteger(0));
        bytes.replace(19 * RecordLength, 4, taggedInteger(0));
        return bytes;
    }
    // Every file of the data folder, hidden ones too, with its bytes.
    std::map<QString, QByteArray> folderFiles() const {
        std::map<QString, QByteArray> all;
        for (const QFileInfo& f : QDir(dataDir.path()).entryInfoList(QDir::Files | QDir::Hidden))
            all[f.fileName()] = bytesOf(f.filePath());
        return all;
    }

    // Whole files, single records and the values at their start as stored.
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
    static qint16 storedInteger(const QString& path, int number) {
        return qFromLittleEndian<qint16>(record(path, number).constData());
    }
    static QString storedMoney(const QString& path, int number) {
        return Money::fromScaled(qFromLittleEndian<qint64>(record(path, number).constData())).text();
    }

    // Encoded values.
    static QByteArray int16Bytes(qint16 value) {
        QByteArray b(2, '\0');
        qToLittleEndian(value, b.data());
        return b;
    }
    static QByteArray stringBytes(const QString& text) { return int16Bytes(qint16(text.size())) + text.toLatin1(); }
    static QByteArray taggedString(const QString& text) { return int16Bytes(8) + stringBytes(text); }
    static QByteArray taggedInteger(qint16 value) { return int16Bytes(2) + int16Bytes(value); }
    static QByteArray doubleBytes(double value) {
        QByteArray b(8, '\0');
        qToLittleEndian(value, b.data());
        return b;
    }
    static QByteArray dateBytes(const QDate& day) { return doubleBytes(Conversions::toSerialDate(day)); }
    static QByteArray moneyBytes(const QString& amount) {
        QByteArray b(8, '\0');
        qToLittleEndian<qint64>(Money::parse(amount).value().scaled(), b.data());
        return b;
    }

    // A file's bytes with a value at the start of a record, the rest of the
    // record as it was (zeros where the file was shorter).
    static QByteArray withValue(QByteArray file, int number, const QByteArray& value) {
        const qsizetype at = qsizetype(number - 1) * RecordLength;
        if (file.size() < at + RecordLength) file.resize(at + RecordLength, '\0');
        return file.replace(at, value.size(), value);
    }
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
    void writeFile(const QString& path, const QByteArray& bytes) {
        {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(bytes);
        }
        application->files().recheckAll();
    }
    // Makes a file reach at least to the end of record `number`, zeros after its old end.
    void reachRecord(const QString& path, int number) {
        if (QFileInfo(path).size() < qint64(number) * RecordLength) writeRecord(path, number, QByteArray());
    }
};

// A portfolio "Home" made through "New Portfolio", the transaction list in
// front. Its account files and settings are filled record by record, or
// through the windows as the user does, and read back byte by byte.
class HomePortfolioTest : public FinanceTest {
protected:
    void SetUp() override {
        FinanceTest::SetUp();
        createPortfolio(QStringLiteral("Home"));
        listInFront();
    }
    // A new run of the program, as after an end: the portfolio opened again.
    void nextRun() {
        makeApplication();
        openPortfolio(pwb("Home"));
        listInFront();
    }
    void listInFront() {
        ASSERT_TRUE(portfolioOpen());
        app().window<FinMDIForm1>().ViewT->trigger();
        QCoreApplication::processEvents();
        messages->texts.clear();
    }

    QString account(int a) const { return acc(QStringLiteral("Home"), a); }
    static int slotRecord(int slot, int field) { return 10 * (slot - 1) + field; }
    static QString date(int year, int month, int day) { return Conversions::dateText(QDate(year, month, day)); }

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
    // A count holds the entries it counts: the file reaches at least the
    // first record of the last one (blank, unless stored).
    void storeTransactionCount(int a, int count) {
        writeRecord(account(a), 10, taggedInteger(qint16(count)));
        if (count > 0) reachRecord(account(a), slotRecord(count, 1));
    }
    // Debit order j of an account, and the count of its debit orders.
    void storeDebitOrder(int a, int j, const QDate& start, const QDate& end, const QString& description,
                         const QString& amount) {
        writeRecord(account(a), slotRecord(j, 6), dateBytes(start));
        writeRecord(account(a), slotRecord(j, 7), dateBytes(end));
        writeRecord(account(a), slotRecord(j, 8), stringBytes(description));
        writeRecord(account(a), slotRecord(j, 9), moneyBytes(amount));
    }
    void storeDebitOrderCount(int a, int count) {
        writeRecord(account(a), 20, taggedInteger(qint16(count)));
        if (count > 0) reachRecord(account(a), slotRecord(count, 6));
    }
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

    // A transaction as stored: date, category, description, amount (x 10000), ID.
    struct Stored {
        double serial = 0;
        QString category, description;
        qint64 amount = 0;
        QString id;
        friend bool operator==(const Stored&, const Stored&) = default;
        friend void PrintTo(const Stored& s, std::ostream* os) {
            *os << s.serial << '|' << s.category.toStdString() << '|' << s.description.toStdString() << '|' << s.amount
                << '|' << s.id.toStdString();
        }
    };
    Stored stored(int a, int k) const {
        const QString path = account(a);
        return {qFromLittleEndian<double>(record(path, slotRecord(k, 1)).constData()),
                storedString(path, slotRecord(k, 2)), storedString(path, slotRecord(k, 3)),
                qFromLittleEndian<qint64>(record(path, slotRecord(k, 4)).constData()), storedString(path, slotRecord(k, 5))};
    }
    // The transaction count as a tagged integer, -1 when it is none.
    qint16 transactionCount(int a) const {
        const QByteArray r = record(account(a), 10);
        return r.startsWith(int16Bytes(2)) ? qFromLittleEndian<qint16>(r.constData() + 2) : qint16(-1);
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

    // The summary's balance and available balance of account a.
    static QStringList summaryOf(int a) {
        FinForm4& summary = app().window<FinForm4>();
        return {summary.Label6[a]->Caption(), summary.Label7[a]->Caption()};
    }

    // --- Add Transactions --------------------------------------------------
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
        if (!category.isEmpty()) pickItem(form.Combo2, category);
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
