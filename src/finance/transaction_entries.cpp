#include <bit>
#include <optional>

#include "common/application.h"
#include "common/conversions.h"
#include "common/record_range.h"
#include "common/storable_text.h"
#include "common/take_back.h"
#include "finance/add_transactions_window.h"
#include "finance/debit_orders_window.h"
#include "finance/edit_entry_dialog.h"
#include "finance/fin_module.h"
#include "finance/transactions_window.h"

namespace FinModule {

bool StoredTransaction::operator==(const StoredTransaction& other) const {
    return std::bit_cast<quint64>(date) == std::bit_cast<quint64>(other.date) && category == other.category &&
           description == other.description && amount == other.amount && id == other.id;
}

StoredTransaction readTransaction(int account, qint32 position) {
    const RecordFile& file = accountFile(account);
    return {file.readDate(slotRecord(position, TransactionField::Date)),
            file.readString(slotRecord(position, TransactionField::Category)),
            file.readString(slotRecord(position, TransactionField::Description)),
            file.readMoney(slotRecord(position, TransactionField::Amount)),
            file.readString(slotRecord(position, TransactionField::Id))};
}

namespace {
const QString Incomplete = QStringLiteral("Form Incomplete. Transaction not added.");
const QString SameAccounts = QStringLiteral("Please select two different accounts for an inter account transfer");
const QString NotAdded = QStringLiteral(" Transaction not added.");
const QString NotSaved = QStringLiteral(" Transaction not saved.");
const QString RowOutOfDate = QStringLiteral(
    "The selected transaction is no longer stored as the list shows it. The list has been brought up to date; "
    "nothing was changed.");
const QString EditOutOfDate = QStringLiteral(
    "The transaction being edited has been changed or deleted since it was opened. Nothing was saved.");

// What a transaction's slot stores, but for its ID.
struct TransactionFields {
    double date = 0;
    QString category;
    QString description;
    Money amount;
};

bool fits(const RecordFile& file, const TransactionFields& fields) {
    const int most = RecordFile::maxStringLength(file.recordLength());
    return fields.category.size() <= most && fields.description.size() <= most;
}

// A transaction into slot k of its account, in one write: its four fields
// and the ID that the position calls for.
bool writeTransaction(int account, qint32 slot, const TransactionFields& fields) {
    RecordFile& file = accountFile(account);
    if (!fits(file, fields)) return false;
    RecordRange range(file, slotRecord(slot, TransactionField::Date), 5);
    range.setDate(slotRecord(slot, TransactionField::Date), fields.date);
    range.setString(slotRecord(slot, TransactionField::Category), fields.category);
    range.setString(slotRecord(slot, TransactionField::Description), fields.description);
    range.setMoney(slotRecord(slot, TransactionField::Amount), fields.amount);
    range.setString(slotRecord(slot, TransactionField::Id), TransactionId(account, slot));
    return range.writeTo(file) == RecordFile::Write::Done;
}

// A new transaction into the slot after its account's last, beyond the count.
bool placeTransaction(int account, const TransactionFields& fields) {
    return writeTransaction(account, readCount(accountFile(account), TransactionCountRecord) + 1, fields);
}

// The count that takes in the transaction placed after the last.
bool countPlacedTransaction(int account) {
    RecordFile& file = accountFile(account);
    const qint32 count = readCount(file, TransactionCountRecord);
    return file.writeTagged(TransactionCountRecord, TaggedValue::ofInteger(qint16(count + 1))) ==
           RecordFile::Write::Done;
}

// Transaction k of an account out of its list: the later ones move down one
// slot in one write, then the count drops, then the slot left over is blanked.
// The debit orders that share the slots stay where they are, and so do the
// IDs: each slot's ID already names its position.
bool removeTransaction(int account, qint32 position) {
    RecordFile& file = accountFile(account);
    const qint32 count = readCount(file, TransactionCountRecord);
    if (position < count) {
        const qint32 first = slotRecord(position, TransactionField::Date);
        RecordRange range(file, first, slotRecord(count, TransactionField::Amount) - first + 1);
        for (qint32 j = position; j < count; ++j)
            range.copyRecords(slotRecord(j + 1, TransactionField::Date), slotRecord(j, TransactionField::Date), 4);
        range.truncate(slotRecord(count - 1, TransactionField::Amount) - first + 1);
        if (range.writeTo(file) != RecordFile::Write::Done) return false;
    }
    if (file.writeTagged(TransactionCountRecord, TaggedValue::ofInteger(qint16(count - 1))) != RecordFile::Write::Done)
        return false;
    if (position == count) return true;  // the last one: its slot keeps its values beyond the count
    // Blanks: a 2-byte integer 0, which reads as an empty text too.
    RecordRange leftOver(file, slotRecord(count, TransactionField::Date), 5);
    for (int field = TransactionField::Date; field <= TransactionField::Id; ++field)
        leftOver.setInteger(slotRecord(count, field), 0);
    return leftOver.writeTo(file) == RecordFile::Write::Done;
}

// After a change: the IDs, then the list.
void renumberAndRefill() {
    RenumberTransactionIds();
    if (app().ending()) return;
    FillTransactionGrid();
}

// The amount typed into a box; nothing when it is no amount, which is told
// with what is not done.
std::optional<Money> typedAmount(const TextBox& box, const QString& notDone) {
    std::optional<Money> amount = Money::parse(box.Text());
    if (!amount) app().message(notAnAmountMessage(box.Text()) + notDone);
    return amount;
}

// Whether the account has room for one more transaction; says so when not.
bool roomFor(int account) {
    if (readCount(accountFile(account), TransactionCountRecord) < MaxTransactions) return true;
    app().message(QStringLiteral("The account \"%1\" holds %2 transactions, as many as an account can hold.")
                      .arg(nameText(vars().AccountNames[account]))
                      .arg(MaxTransactions) +
                  NotAdded);
    return false;
}

// The basic panel's entry, or nothing when it is refused (told in a message).
std::optional<std::pair<int, TransactionFields>> basicEntry() {
    FinForm6& form = app().window<FinForm6>();
    if (form.Combo1[0]->Text().isEmpty() || form.Combo2->Text().isEmpty() || form.Text2[0]->Text().isEmpty() ||
        form.Text1->Text().isEmpty()) {
        app().message(Incomplete);
        return std::nullopt;
    }
    if (!CheckStorableText({form.Text1->Text()})) return std::nullopt;
    const std::optional<Money> typed = typedAmount(*form.Text2[0], NotAdded);
    if (!typed) return std::nullopt;
    const int account = chosenAccount(*form.Combo1[0]);
    if (account == 0) {
        app().message(Incomplete);
        return std::nullopt;
    }
    if (!roomFor(account)) return std::nullopt;
    // Income as typed, an expense with its sign turned.
    const Money amount = form.Option1->Value() ? *typed : typed->negated();
    if (!SumsStayInRange({{account, amount}}, NotAdded)) return std::nullopt;
    // The picker's day without any time of day.
    return std::pair{account, TransactionFields{Conversions::toSerialDate(form.DTPicker1[0]->Value()),
                                                form.Combo2->Text(), form.Text1->Text(), amount}};
}

struct Transfer {
    int from = 0, to = 0;
    TransactionFields out, in;
};

// The transfer panel's entry, or nothing when it is refused (told in a message).
std::optional<Transfer> transferEntry() {
    FinForm6& form = app().window<FinForm6>();
    const QString from = form.Combo1[1]->Text(), to = form.Combo1[2]->Text();
    if (from.isEmpty() || to.isEmpty() || form.Text2[1]->Text().isEmpty()) {
        app().message(Incomplete);
        return std::nullopt;
    }
    if (from == to) {
        app().message(SameAccounts);
        return std::nullopt;
    }
    const std::optional<Money> typed = typedAmount(*form.Text2[1], NotAdded);
    if (!typed) return std::nullopt;
    Transfer transfer;
    transfer.from = chosenAccount(*form.Combo1[1]);
    transfer.to = chosenAccount(*form.Combo1[2]);
    if (transfer.from == 0 || transfer.to == 0) {
        app().message(Incomplete);
        return std::nullopt;
    }
    const QString category = QStringLiteral("Inter Account Transfer");
    const double date = Conversions::toSerialDate(form.DTPicker1[1]->Value());
    transfer.out = {date, category, QStringLiteral("Transfer from ") + from + QStringLiteral(" to ") + to,
                    typed->negated()};
    transfer.in = {date, category, QStringLiteral("Transfer to ") + to + QStringLiteral(" from ") + from, *typed};
    // Account names longer than the boxes allow (written by another program)
    // could make a description too long for its record.
    const int fits = RecordFile::maxStringLength(accountFile(transfer.from).recordLength());
    if (transfer.out.description.size() > fits || transfer.in.description.size() > fits) {
        app().message(QStringLiteral("The account names are too long for the transfer's descriptions.") + NotAdded);
        return std::nullopt;
    }
    if (!roomFor(transfer.from) || !roomFor(transfer.to) ||
        !SumsStayInRange({{transfer.from, transfer.out.amount}, {transfer.to, transfer.in.amount}}, NotAdded))
        return std::nullopt;
    return transfer;
}

// The account and position that a transaction ID names ("a-k"), or nothing.
std::optional<std::pair<int, qint32>> positionOf(const QString& id) {
    bool accountOk = false, positionOk = false;
    const int account = id.left(1).toInt(&accountOk);
    const qint32 position = id.mid(2).toInt(&positionOk);
    if (!accountOk || !positionOk || account < 1 || account > AccountCount || position < 1) return std::nullopt;
    return std::pair{account, position};
}

// The transaction of a list row as its slot stores it, found by the row's ID
// and checked against what the row shows. A row that no longer shows what is
// stored (the files were changed underneath the list) is told, and the list
// is refilled.
std::optional<OpenedTransaction> transactionOfRow(int row) {
    FlexGrid* grid = app().window<FinForm1>().MSFlexGrid1;
    const QString id = grid->TextMatrix(row, IdColumn);
    if (const auto at = positionOf(id);
        at && at->second <= readCount(accountFile(at->first), TransactionCountRecord)) {
        OpenedTransaction opened{vars().PortfolioBase, at->first, at->second, readTransaction(at->first, at->second)};
        const StoredTransaction& s = opened.stored;
        const QString date = Conversions::dateText(Conversions::dayOfSerialDate(s.date));
        if (s.id == id && date == grid->TextMatrix(row, DateColumn) &&
            Conversions::trimSpaces(s.category) == grid->TextMatrix(row, CategoryColumn) &&
            Conversions::trimSpaces(s.description) == grid->TextMatrix(row, DescriptionColumn) &&
            s.amount.text() == grid->TextMatrix(row, AmountColumn))
            return opened;
    }
    app().message(RowOutOfDate);
    FillTransactionGrid();
    return std::nullopt;
}

// The ID of the list's current row, with its Id cell made current.
QString currentRowId(FlexGrid* grid) {
    grid->setCol(IdColumn);
    return grid->Text();
}

bool isDebitOrderRow(const QString& id) { return id.endsWith(QLatin1String("DO")); }

// The Edit Entry dialog's fields as they would be stored, or nothing when
// they cannot be (told in a message). No category chosen keeps the stored one.
// The amount takes the place of the one the dialog was opened with (a
// dialog of a portfolio since closed saves nothing, as the save tells).
std::optional<TransactionFields> editedEntry() {
    FinDialog2& dialog = app().window<FinDialog2>();
    if (!CheckStorableText({dialog.Text1->Text()})) return std::nullopt;
    const std::optional<Money> amount = typedAmount(*dialog.Text2, NotSaved);
    if (!amount) return std::nullopt;
    QString category;
    const QString typed = dialog.Combo1->Text();
    const int chosen = dialog.Combo1->ListIndex();
    if (chosen >= 0 && dialog.Combo1->List(chosen) == typed) {
        category = typed;
    } else if (typed.isEmpty()) {
        if (dialog.Opened) category = dialog.Opened->stored.category;
    } else if (dialog.Combo1->findText(typed, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0) {
        category = typed;
    } else {
        app().message(QStringLiteral("Please choose the category from the list, or leave it empty to keep the "
                                     "transaction's category.") +
                      NotSaved);
        return std::nullopt;
    }
    const std::optional<OpenedTransaction>& opened = dialog.Opened;
    if (opened && opened->portfolio == vars().PortfolioBase &&
        !SumsStayInRange({{opened->account, opened->stored.amount, -1}, {opened->account, *amount}}, NotSaved))
        return std::nullopt;
    return TransactionFields{Conversions::toSerialDate(dialog.DTPicker1->Value()), category, dialog.Text1->Text(),
                             *amount};
}
}  // namespace

bool CheckTransactionEntry() { return basicEntry().has_value(); }

bool CheckTransferEntry() { return transferEntry().has_value(); }

void AddTransaction() {
    const auto entry = basicEntry();
    if (!entry || !placeTransaction(entry->first, entry->second) || !countPlacedTransaction(entry->first)) return;
    renumberAndRefill();
}

// Both halves into their slots first, then the two counts: a failure before
// the second count takes the first one back, so that no half is left alone.
void AddTransfer() {
    const std::optional<Transfer> transfer = transferEntry();
    if (!transfer) return;
    {
        TakeBack change(app().files().gate());
        change.keep(accountFile(transfer->from), TransactionCountRecord, 1);
        if (!placeTransaction(transfer->from, transfer->out) || !placeTransaction(transfer->to, transfer->in) ||
            !countPlacedTransaction(transfer->from) || !countPlacedTransaction(transfer->to))
            return;
    }
    renumberAndRefill();
}

void ShowDebitOrdersOf(int account) {
    FinForm9& debitOrders = app().window<FinForm9>();
    debitOrders.ShowMaximized();
    if (account >= 1 && account <= debitOrders.Combo1->ListCount()) debitOrders.Combo1->setListIndex(account - 1);
}

void EditSelectedTransaction() {
    FlexGrid* grid = app().window<FinForm1>().MSFlexGrid1;
    const int row = grid->Row();
    const QString id = currentRowId(grid);
    if (isDebitOrderRow(id)) {
        ShowDebitOrdersOf(id.left(1).toInt());
        return;
    }
    if (row < FirstEntryRow) return;
    std::optional<OpenedTransaction> opened = transactionOfRow(row);
    if (!opened) return;

    FinDialog2& dialog = app().window<FinDialog2>();
    dialog.DTPicker1->setValue(Conversions::dayOfSerialDate(opened->stored.date));
    // No category chosen: a save keeps the stored one unless another is picked.
    dialog.Combo1->setText(QString());
    dialog.Combo1->setListIndex(-1);
    dialog.Text1->setText(grid->TextMatrix(row, DescriptionColumn));
    dialog.Text2->setText(grid->TextMatrix(row, AmountColumn));
    dialog.Text3->setText(id);
    dialog.Opened = std::move(opened);
    dialog.Show(*grid);
}

bool CheckEditedEntry() { return editedEntry().has_value(); }

void SaveEditedTransaction() {
    FinDialog2& dialog = app().window<FinDialog2>();
    const std::optional<TransactionFields> fields = editedEntry();
    if (!fields) return;
    // The dialog names its transaction by position; an add or a delete since
    // Edit may have put another one there, and the dialog outlives the
    // portfolio it was opened in.
    const auto at = positionOf(dialog.Text3->Text());
    if (!at || !dialog.Opened || !vars().PortfolioOpen || dialog.Opened->portfolio != vars().PortfolioBase ||
        dialog.Opened->account != at->first || dialog.Opened->position != at->second ||
        at->second > readCount(accountFile(at->first), TransactionCountRecord) ||
        readTransaction(at->first, at->second) != dialog.Opened->stored) {
        app().message(EditOutOfDate);
        return;
    }
    if (!writeTransaction(at->first, at->second, *fields)) return;
    dialog.Opened->stored = readTransaction(at->first, at->second);
    FillTransactionGrid();
}

void DeleteSelectedTransaction() {
    FlexGrid* grid = app().window<FinForm1>().MSFlexGrid1;
    const int row = grid->Row();
    if (row < FirstEntryRow) return;
    const QString id = currentRowId(grid);
    if (isDebitOrderRow(id)) {
        ShowDebitOrdersOf(id.left(1).toInt());
        return;
    }
    const std::optional<OpenedTransaction> doomed = transactionOfRow(row);
    if (!doomed || !removeTransaction(doomed->account, doomed->position)) return;
    renumberAndRefill();
}

}  // namespace FinModule
