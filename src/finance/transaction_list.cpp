#include <QHash>
#include <QLocale>
#include <QVarLengthArray>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <limits>
#include <vector>

#include "common/application.h"
#include "common/conversions.h"
#include "common/text1252.h"
#include "finance/debit_order_occurrences.h"
#include "finance/fin_module.h"
#include "finance/transactions_window.h"

namespace FinModule {

namespace {
constexpr quint32 DarkBlue = 0xC00000;
constexpr quint32 LightCyan = 0xFFFF80;

// A row of the list as the query finds it, before it goes into the grid.
struct FoundRow {
    QDate day;  // invalid for a stored date that is no date
    QString category;
    QString description;
    Money amount;
    QString id;
};

// The texts the list is made of, kept from fill to fill: a list repeats its
// days and categories many times over, and it is refilled after every change
// while showing mostly what it showed before. A refill shares these texts
// instead of making them anew (the locale's date conversion is slow, and
// hundreds of thousands of fresh texts cost more to make and to drop than
// the reading of the records). Whatever the records hold now is compared
// with what a text was made from, so nothing shown is ever stale.
class ListTexts {
public:
    // Starts afresh when the locale's forms changed; forgets the texts of
    // the transactions when another portfolio is open.
    void check() {
        const QString form = QLocale().name() + u'|' + Conversions::shortDateFormat();
        if (form != form_) {
            *this = ListTexts();
            form_ = form;
            separator_ = Conversions::decimalSeparator();
        }
        if (portfolio_ != vars().PortfolioBase) {
            portfolio_ = vars().PortfolioBase;
            accounts_ = {};
        }
    }

    const QString& separator() const { return separator_; }

    QString dateText(const QDate& day) { return day.isValid() ? formsOf(day).text : QString(); }

    // The sort key of a day: its year, month and day as one number
    // (yyyymmdd); empty for no day, so that it sorts first.
    QString sortKey(const QDate& day) { return day.isValid() ? formsOf(day).key : QString(); }

    // Invalid for a text that is no date.
    QDate day(const QString& text) const {
        if (text.isEmpty()) return {};
        if (const auto known = days_.constFind(text); known != days_.cend()) return QDate::fromJulianDay(*known);
        return Conversions::parseDate(text);
    }

    // A stored category as shown, trimmed; from its stored bytes.
    const QString& category(QByteArrayView stored) {
        if (lastCategory_ < categories_.size() && Text1252::equals(stored, categories_[lastCategory_].first))
            return categories_[lastCategory_].second;
        for (lastCategory_ = 0; lastCategory_ < categories_.size(); ++lastCategory_)
            if (Text1252::equals(stored, categories_[lastCategory_].first)) return categories_[lastCategory_].second;
        const QString text = Text1252::decode(stored.data(), stored.size());
        categories_.emplace_back(text, Conversions::trimSpaces(text));
        return categories_.back().second;
    }

    // The texts of a transaction as shown, from its records as stored now:
    // made afresh only where the stored bytes changed.
    struct Transaction {
        QString storedDescription, description;
        QString id;
    };
    const Transaction& transaction(int account, qint32 position, QByteArrayView description, QByteArrayView id) {
        std::vector<Transaction>& kept = accounts_[size_t(account)];
        if (kept.size() < size_t(position)) kept.resize(size_t(position));
        Transaction& shown = kept[size_t(position - 1)];
        if (!Text1252::equals(description, shown.storedDescription) || shown.storedDescription.isNull()) {
            shown.storedDescription = Text1252::decode(description.data(), description.size());
            shown.description = Conversions::trimSpaces(shown.storedDescription);
        }
        if (!Text1252::equals(id, shown.id) || shown.id.isNull()) shown.id = Text1252::decode(id.data(), id.size());
        return shown;
    }
    // An account whose list grew shorter lets the texts beyond it go.
    void keepTransactions(int account, qint32 count) {
        std::vector<Transaction>& kept = accounts_[size_t(account)];
        if (kept.size() > size_t(count)) kept.resize(size_t(count));
    }

private:
    struct Forms {
        QString text, key;
    };
    // Days are kept in one run from the first one asked for, grown at either
    // end; a day too far out is made afresh each time.
    static constexpr qint64 MaxSpan = 200000;

    const Forms& formsOf(const QDate& day) {
        const qint64 julian = day.toJulianDay();
        if (forms_.empty()) first_ = julian;
        if (julian < first_ && first_ + qint64(forms_.size()) - julian <= MaxSpan) {
            forms_.insert(forms_.begin(), size_t(first_ - julian), Forms());
            first_ = julian;
        } else if (julian >= first_ + qint64(forms_.size()) && julian - first_ < MaxSpan) {
            forms_.resize(size_t(julian - first_ + 1));
        }
        if (julian < first_ || julian >= first_ + qint64(forms_.size())) {
            spare_ = make(day);
            return spare_;
        }
        Forms& forms = forms_[size_t(julian - first_)];
        if (forms.text.isEmpty()) {
            forms = make(day);
            days_.insert(forms.text, julian);
        }
        return forms;
    }

    static Forms make(const QDate& day) {
        return {Conversions::dateText(day),
                QString::number(qint64(day.year()) * 10000 + day.month() * 100 + day.day())};
    }

    QString form_;
    QString separator_;
    QString portfolio_;
    qint64 first_ = 0;
    std::vector<Forms> forms_;
    Forms spare_;
    QHash<QString, qint64> days_;
    std::vector<std::pair<QString, QString>> categories_;  // as stored, as shown
    size_t lastCategory_ = 0;
    std::array<std::vector<Transaction>, AccountCount + 1> accounts_;
};

ListTexts& listTexts() {
    ListTexts& texts = app().state<ListTexts>();
    texts.check();
    return texts;
}

QDate dayOfSortKey(const QString& key) {
    bool ok = false;
    const qint64 number = key.toLongLong(&ok);
    if (!ok) return {};
    return QDate(int(number / 10000), int(number / 100 % 100), int(number % 100));
}

// The list item that a filter's text names: the chosen item when the text is
// its own, else the first item of that text; -1 for a text that names none.
int namedItem(const ComboBox* list) {
    const QString text = list->Text();
    if (list->ListIndex() >= 0 && list->List(list->ListIndex()) == text) return list->ListIndex();
    for (int i = 0; i < list->ListCount(); ++i)
        if (list->List(i) == text) return i;
    return -1;
}

// The rows of one account: its transactions of the category in slot order,
// then, when debit orders are listed, every occurrence of each debit order up
// to the last day listed.
void findAccountRows(int account, const QString& category, const QDate& lastDay, ListTexts& texts,
                     std::vector<FoundRow>& rows) {
    const bool allCategories = category == QLatin1String("All Categories");
    const RecordFile& file = accountFile(account);
    // The texts are looked at as stored; only what changed is decoded.
    const int length = file.recordLength();
    QVarLengthArray<char, 3 * 128> records(3 * length);
    auto peekString = [&](qint32 record, int into) {
        char* at = records.data() + into * length;
        file.peek(record, at, length);
        const int size = std::min<int>(qFromLittleEndian<quint16>(at), RecordFile::maxStringLength(length));
        return QByteArrayView(at + 2, size);
    };
    const qint32 transactions = readCount(file, TransactionCountRecord);
    texts.keepTransactions(account, transactions);
    for (qint32 k = 1; k <= transactions; ++k) {
        const QByteArrayView stored = peekString(slotRecord(k, TransactionField::Category), 0);
        if (!allCategories && !Text1252::equals(stored, category)) continue;
        const ListTexts::Transaction& shown =
            texts.transaction(account, k, peekString(slotRecord(k, TransactionField::Description), 1),
                              peekString(slotRecord(k, TransactionField::Id), 2));
        rows.push_back({Conversions::dayOfSerialDate(file.readDate(slotRecord(k, TransactionField::Date))),
                        texts.category(stored), shown.description,
                        file.readMoney(slotRecord(k, TransactionField::Amount)), shown.id});
    }

    if (!allCategories && category != QLatin1String("Debit Orders")) return;
    const qint32 debitOrders = readCount(file, DebitOrderCountRecord);
    const QString debitOrder = QStringLiteral("Debit Order");
    const QString id = QString::number(account) + QStringLiteral(" - DO");
    for (qint32 j = 1; j <= debitOrders; ++j) {
        const double start = file.readDate(slotRecord(j, DebitOrderField::Start));
        const double end = file.readDate(slotRecord(j, DebitOrderField::End));
        const QString description =
            Conversions::trimSpaces(file.readString(slotRecord(j, DebitOrderField::Description)));
        const Money amount = file.readMoney(slotRecord(j, DebitOrderField::Amount)).negated();
        ForEachDebitOrderOccurrence(start, end, lastDay, [&](double date) {
            rows.push_back({Conversions::dayOfSerialDate(date), debitOrder, description, amount, id});
        });
    }
}

// The positions of the found rows in date order, the rows of one date in the
// order found (rows without a date first): counted out by day where the days
// span no more than a few times the rows, else sorted.
std::vector<qint32> dateOrder(const std::vector<FoundRow>& rows) {
    std::vector<qint32> order;
    order.reserve(rows.size());
    qint64 first = std::numeric_limits<qint64>::max(), last = std::numeric_limits<qint64>::min();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].day.isValid()) {
            order.push_back(qint32(i));
            continue;
        }
        first = std::min(first, rows[i].day.toJulianDay());
        last = std::max(last, rows[i].day.toJulianDay());
    }
    const size_t undated = order.size();
    if (undated == rows.size()) return order;
    if (last - first < 4 * qint64(rows.size()) + 1024) {
        std::vector<qint32> start(size_t(last - first + 2), 0);
        for (const FoundRow& row : rows)
            if (row.day.isValid()) ++start[size_t(row.day.toJulianDay() - first + 1)];
        for (size_t d = 1; d < start.size(); ++d) start[d] += start[d - 1];
        order.resize(rows.size());
        for (size_t i = 0; i < rows.size(); ++i) {
            if (!rows[i].day.isValid()) continue;
            order[undated + size_t(start[size_t(rows[i].day.toJulianDay() - first)]++)] = qint32(i);
        }
    } else {
        for (size_t i = 0; i < rows.size(); ++i)
            if (rows[i].day.isValid()) order.push_back(qint32(i));
        std::stable_sort(order.begin() + qsizetype(undated), order.end(),
                         [&rows](qint32 a, qint32 b) { return rows[size_t(a)].day < rows[size_t(b)].day; });
    }
    return order;
}

// The found rows into the grid in the order that the date sort leaves them,
// so that the sort finds nothing to move.
void appendRows(FlexGrid* grid, std::vector<FoundRow>& rows, ListTexts& texts) {
    const std::vector<qint32> order = dateOrder(rows);
    constexpr size_t Ahead = 16;
    for (size_t i = 0; i < order.size(); ++i) {
        // Date order jumps about the found rows; each is asked for from
        // memory a few rows before it is needed.
        if (i + Ahead < order.size()) __builtin_prefetch(&rows[size_t(order[i + Ahead])]);
        FoundRow& found = rows[size_t(order[i])];
        const int row = grid->Rows();
        grid->AddItem(texts.dateText(found.day));
        grid->setTextMatrix(row, CategoryColumn, std::move(found.category));
        grid->setTextMatrix(row, DescriptionColumn, std::move(found.description));
        grid->setTextMatrix(row, AmountColumn, found.amount.text(texts.separator()));
        grid->setTextMatrix(row, IdColumn, std::move(found.id));
    }
}
}  // namespace

void FillTransactionGrid() {
    FinForm1& form = app().window<FinForm1>();
    FlexGrid* grid = form.MSFlexGrid1;
    grid->setVisibleFlag(false);
    ClearTransactionGrid();
    if (form.Combo1->Text().isEmpty() || form.Combo2->Text().isEmpty()) return;
    // An account text typed that names no item of the list reads nothing. A
    // category is matched as typed, list item or not: a name that no item
    // shows any more still finds what is stored under it.
    const int accounts = namedItem(form.Combo1);
    if (accounts < 0 || !vars().PortfolioOpen) return;

    const QString category = form.Combo2->Text();
    // Rows later than the last day shown would only be filtered out again.
    const QDate lastDay = form.DTPicker2->Value();
    ListTexts& texts = listTexts();
    std::vector<FoundRow> found;
    for (int a = accounts == 0 ? 1 : accounts; a <= (accounts == 0 ? AccountCount : accounts); ++a)
        findAccountRows(a, category, lastDay, texts, found);
    appendRows(grid, found, texts);

    SortTransactionGridByDate();
    FilterTransactionGridByDates();
    ComputeGridBalances();
    RefreshAccountBalances();
    grid->setVisibleFlag(true);
}

void ClearTransactionGrid() {
    FlexGrid* grid = app().window<FinForm1>().MSFlexGrid1;
    grid->setRow(SummaryRow);
    grid->setCol(BalanceColumn);
    grid->setText(QStringLiteral("0"));
    // Every row below the summary row goes, from the bottom up, in one step.
    if (grid->Rows() > FirstEntryRow) grid->setRows(FirstEntryRow);
}

void SortTransactionGridByDate() {
    FlexGrid* grid = app().window<FinForm1>().MSFlexGrid1;
    const int last = grid->Rows() - 1;
    if (last < FirstEntryRow) return;
    ListTexts& texts = listTexts();
    // Rows that stand in date order already, as a fill puts them, stay.
    bool sorted = true;
    QDate previous = texts.day(grid->TextMatrix(FirstEntryRow, DateColumn));
    for (int r = FirstEntryRow + 1; r <= last && sorted; ++r) {
        const QDate day = texts.day(grid->TextMatrix(r, DateColumn));
        sorted = !(day < previous);
        previous = day;
    }
    if (sorted) return;
    for (int r = FirstEntryRow; r <= last; ++r)
        grid->setTextMatrix(r, DateColumn, texts.sortKey(texts.day(grid->TextMatrix(r, DateColumn))));
    grid->setCol(DateColumn);
    grid->setColSel(DateColumn);
    grid->setRow(FirstEntryRow);
    grid->setRowSel(last);
    grid->setSort(FlexGrid::GenericAscending);
    for (int r = FirstEntryRow; r <= last; ++r)
        grid->setTextMatrix(r, DateColumn, texts.dateText(dayOfSortKey(grid->TextMatrix(r, DateColumn))));
}

void FilterTransactionGridByDates() {
    FinForm1& form = app().window<FinForm1>();
    FlexGrid* grid = form.MSFlexGrid1;
    const QDate from = form.DTPicker1->Value(), to = form.DTPicker2->Value();
    const ListTexts& texts = listTexts();
    // The rows are in date order; a row whose date cell is empty ends each
    // walk, as row 1 does at the top.
    auto dateOf = [&](int row) { return texts.day(grid->TextMatrix(row, DateColumn)); };
    while (grid->Rows() > FirstEntryRow) {
        const QDate day = dateOf(FirstEntryRow);
        if (!day.isValid() || day >= from) break;
        grid->RemoveItem(FirstEntryRow);
    }
    while (grid->Rows() > FirstEntryRow) {
        const QDate day = dateOf(grid->Rows() - 1);
        if (!day.isValid() || day <= to) break;
        grid->RemoveItem(grid->Rows() - 1);
    }
}

void ComputeGridBalances() {
    FlexGrid* grid = app().window<FinForm1>().MSFlexGrid1;
    const QString separator = listTexts().separator();
    // The amounts are money texts, summed exactly. Each reads back but the
    // type's minimum (a damaged file's), which lies beyond the range too.
    MoneySum sum;
    for (int r = FirstEntryRow; r < grid->Rows(); ++r) {
        sum.add(Money::parse(grid->TextMatrix(r, AmountColumn), separator).value_or(Money::fromScaled(INT64_MIN)));
        grid->setTextMatrix(r, BalanceColumn, sum.text(separator));
    }
    grid->setRow(SummaryRow);
    grid->setCol(BalanceColumn);
    grid->setText(sum.text(separator));
    grid->setCellForeColor(DarkBlue);
    grid->setCellBackColor(LightCyan);
}

}  // namespace FinModule
