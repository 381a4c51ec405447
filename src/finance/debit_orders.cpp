#include "common/application.h"
#include "common/conversions.h"
#include "common/record_range.h"
#include "common/storable_text.h"
#include "finance/debit_order_dialogs.h"
#include "finance/debit_order_occurrences.h"
#include "finance/debit_orders_window.h"
#include "finance/fin_module.h"

namespace FinModule {

namespace {
constexpr int Fields = 4;  // start, end, description, amount: records +6 to +9 of a slot

struct DebitOrder {
    double start = 0;
    double end = 0;
    QString description;
    Money amount;
};

DebitOrder readDebitOrder(const RecordFile& file, qint32 order) {
    return {file.readDate(slotRecord(order, DebitOrderField::Start)), file.readDate(slotRecord(order, DebitOrderField::End)),
            file.readString(slotRecord(order, DebitOrderField::Description)),
            file.readMoney(slotRecord(order, DebitOrderField::Amount))};
}

QString dateText(double date) { return Conversions::dateText(Conversions::fromSerialDate(date).date()); }

bool setDebitOrderCount(RecordFile& file, qint32 count) {
    return file.writeTagged(DebitOrderCountRecord, TaggedValue::ofInteger(qint16(count))) == RecordFile::Write::Done;
}

// Writes a debit order into its slot in one write, so that it lands whole or
// not at all.
bool writeDebitOrder(RecordFile& file, qint32 slot, const DebitOrder& order) {
    if (order.description.size() > RecordFile::maxStringLength(file.recordLength())) {
        app().message(QStringLiteral("This description is too long to be saved."));
        return false;
    }
    RecordRange records(file, slotRecord(slot, DebitOrderField::Start), Fields);
    records.setDate(slotRecord(slot, DebitOrderField::Start), order.start);
    records.setDate(slotRecord(slot, DebitOrderField::End), order.end);
    records.setString(slotRecord(slot, DebitOrderField::Description), order.description);
    records.setMoney(slotRecord(slot, DebitOrderField::Amount), order.amount);
    return records.writeTo(file) == RecordFile::Write::Done;
}

// The debit orders of slots k + 1 to `count` move down one slot, in one
// write; the transaction records between them, and the counts, are written
// back as they are.
bool moveDebitOrdersDown(RecordFile& file, qint32 k, qint32 count) {
    const qint32 first = slotRecord(k, DebitOrderField::Start);
    // With the last slot, the source of the last move.
    RecordRange range(file, first, slotRecord(count, DebitOrderField::Amount) - first + 1);
    for (qint32 j = k; j < count; ++j)
        range.copyRecords(slotRecord(j + 1, DebitOrderField::Start), slotRecord(j, DebitOrderField::Start), Fields);
    range.truncate(slotRecord(count - 1, DebitOrderField::Amount) - first + 1);
    return range.writeTo(file) == RecordFile::Write::Done;
}

// The debit-order records of a slot beyond the count: two 2-byte zeros for
// the dates, an empty string, a 2-byte zero for the amount; one write.
bool blankDebitOrder(RecordFile& file, qint32 slot) {
    RecordRange records(file, slotRecord(slot, DebitOrderField::Start), Fields);
    records.setInteger(slotRecord(slot, DebitOrderField::Start), 0);
    records.setInteger(slotRecord(slot, DebitOrderField::End), 0);
    records.setString(slotRecord(slot, DebitOrderField::Description), u"");
    records.setInteger(slotRecord(slot, DebitOrderField::Amount), 0);
    return records.writeTo(file) == RecordFile::Write::Done;
}

// The debit order of the list's current row: the one the row lists, found by
// its description without leading and trailing spaces. Two debit orders may
// share a description (an edit can give one another's), so the row's own
// place decides first; only when the file no longer holds the row's debit
// order there is the first of that description taken. 0 when none has it.
qint32 debitOrderOfCurrentRow(const RecordFile& file, qint32 count) {
    FlexGrid& grid = *app().window<FinForm9>().MSFlexGrid1;
    grid.setCol(2);
    const QString description = Conversions::trimSpaces(grid.Text());
    const auto described = [&](qint32 j) {
        return Conversions::trimSpaces(file.readString(slotRecord(j, DebitOrderField::Description))) == description;
    };
    const qint32 listed = grid.Row() - 1;  // debit order j is listed in row j + 1
    if (listed >= 1 && listed <= count && described(listed)) return listed;
    for (qint32 j = 1; j <= count; ++j)
        if (described(j)) return j;
    return 0;
}

// The account of the Debit Orders window; a message when its list names none.
int chosenAccountOrMessage() {
    const int account = chosenAccount(*app().window<FinForm9>().Combo1);
    if (account == 0) app().message(QStringLiteral("Please select account"));
    return account;
}

// How often a debit order takes its amount out, up to the last day the
// transaction list can show.
std::int64_t occurrencesOf(const DebitOrder& order) {
    return DebitOrderOccurrenceCount(order.start, order.end, DatePicker::last());
}

// The debit order typed into a dialog, to be stored for the account in place
// of its debit order `replaced` (0 for a new one). Nothing when its text
// cannot be stored, its amount is no amount, or its occurrences would take
// the account's sums past the range of amounts; each is told in a message.
std::optional<DebitOrder> typedDebitOrder(const DebitOrderForm& form, int account, qint32 replaced,
                                          const QString& notDone) {
    if (!CheckStorableText({form.Text1->Text()})) return std::nullopt;
    const std::optional<Money> money = Money::parse(form.Text2->Text());
    if (!money) {
        app().message(notAnAmountMessage(form.Text2->Text()));
        return std::nullopt;
    }
    const DebitOrder order{Conversions::toSerialDate(form.DTPicker1->Value()),
                           Conversions::toSerialDate(form.DTPicker2->Value()), form.Text1->Text(), *money};
    const DebitOrder old = replaced > 0 ? readDebitOrder(accountFile(account), replaced) : DebitOrder();
    if (!SumsStayInRange({{account, order.amount.negated(), occurrencesOf(order)},
                          {account, old.amount.negated(), replaced > 0 ? -occurrencesOf(old) : 0}},
                         notDone))
        return std::nullopt;
    return order;
}

const QString NotAdded = QStringLiteral(" Debit order not added.");
const QString NotSaved = QStringLiteral(" Debit order not saved.");
}  // namespace

void FillDebitOrderGrid() {
    FinForm9& form = app().window<FinForm9>();
    const int account = chosenAccount(*form.Combo1);
    if (form.Combo1->Text().isEmpty() || account == 0) return;

    FlexGrid& grid = *form.MSFlexGrid1;
    if (grid.Rows() > 2) grid.setRows(2);
    const RecordFile& file = accountFile(account);
    const qint32 count = readCount(file, DebitOrderCountRecord);
    for (qint32 j = 1; j <= count; ++j) {
        const DebitOrder order = readDebitOrder(file, j);
        grid.AddItem(dateText(order.start));
        const int row = grid.Rows() - 1;
        grid.setTextMatrix(row, 1, dateText(order.end));
        grid.setTextMatrix(row, 2, Conversions::trimSpaces(order.description));
        grid.setTextMatrix(row, 3, order.amount.text());
    }
    if (count > 0) {
        grid.setRow(grid.Rows() - 1);
        grid.setCol(3);
    }
    FillTransactionGrid();
}

// What a later add or save would refuse for its text or amount, or for the
// sums, is refused here already, so that the dialog stays open for a
// correction. An account or a row that names none is left to them.
bool CheckDebitOrderEntry() {
    const int account = chosenAccount(*app().window<FinForm9>().Combo1);
    return account == 0 || typedDebitOrder(app().window<FinForm8>(), account, 0, NotAdded).has_value();
}

bool CheckEditedDebitOrder() {
    const int account = chosenAccount(*app().window<FinForm9>().Combo1);
    if (account == 0) return true;
    const RecordFile& file = accountFile(account);
    const qint32 k = debitOrderOfCurrentRow(file, readCount(file, DebitOrderCountRecord));
    return k == 0 || typedDebitOrder(app().window<FinDialog3>(), account, k, NotSaved).has_value();
}

void AddDebitOrder() {
    const int account = chosenAccountOrMessage();
    if (account == 0) return;
    const std::optional<DebitOrder> order = typedDebitOrder(app().window<FinForm8>(), account, 0, NotAdded);
    if (!order) return;

    RecordFile& file = accountFile(account);
    const qint32 count = readCount(file, DebitOrderCountRecord);
    const QString description = Conversions::trimSpaces(order->description);
    for (qint32 j = 1; j <= count; ++j) {
        if (Conversions::trimSpaces(file.readString(slotRecord(j, DebitOrderField::Description))) == description) {
            app().message(QStringLiteral("Another Debit Order exists with the same description !"));
            return;
        }
    }
    if (count >= MaxDebitOrders) {
        app().message(QStringLiteral("This account holds %1 debit orders, as many as it can keep. "
                                     "Delete one before adding another.")
                          .arg(MaxDebitOrders));
        return;
    }
    // The debit order first, the count that includes it last.
    if (!writeDebitOrder(file, count + 1, *order) || !setDebitOrderCount(file, count + 1)) return;
    FillDebitOrderGrid();
}

void DeleteSelectedDebitOrder() {
    if (app().window<FinForm9>().MSFlexGrid1->Row() < 2) return;
    const int account = chosenAccountOrMessage();
    if (account == 0) return;
    RecordFile& file = accountFile(account);
    const qint32 count = readCount(file, DebitOrderCountRecord);
    const qint32 k = debitOrderOfCurrentRow(file, count);
    if (k == 0) return;

    // The later ones move down, then the count falls, then the slot they
    // left is blanked: a failure part way leaves whole debit orders only.
    if (k < count && !moveDebitOrdersDown(file, k, count)) return;
    if (!setDebitOrderCount(file, count - 1)) return;
    if (k < count && !blankDebitOrder(file, count)) return;
    FillDebitOrderGrid();
}

void SaveEditedDebitOrder() {
    const int account = chosenAccountOrMessage();
    if (account == 0) return;
    RecordFile& file = accountFile(account);
    const qint32 k = debitOrderOfCurrentRow(file, readCount(file, DebitOrderCountRecord));
    if (k == 0) return;
    const std::optional<DebitOrder> order = typedDebitOrder(app().window<FinDialog3>(), account, k, NotSaved);
    if (!order || !writeDebitOrder(file, k, *order)) return;
    FillDebitOrderGrid();
}

}  // namespace FinModule
