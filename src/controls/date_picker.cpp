#include "controls/date_picker.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <algorithm>
#include <optional>

#include "common/conversions.h"

namespace {

// Numbers typed into the numeric parts: at most so many digits, within a range.
struct NumberRule {
    int digits, low, high;
};

// Whether digits typed, followed by at least `more` further digits, can still
// give a value of the rule.
bool reachable(const QString& typed, NumberRule rule, int more) {
    if (typed.isEmpty() || typed.size() > rule.digits) return false;
    if (!std::all_of(typed.begin(), typed.end(), [](QChar c) { return c >= u'0' && c <= u'9'; })) return false;
    const int value = typed.toInt();
    int scale = 1;
    for (int i = 0; i < more; ++i) scale *= 10;
    for (; typed.size() + more <= rule.digits; ++more, scale *= 10) {
        const int lowest = value * scale;
        if (lowest + scale - 1 >= rule.low && lowest <= rule.high) return true;
    }
    return false;
}

// Keys that only change what other keys type (Shift for a capital) leave the
// typing as it is.
bool isModifierKey(int key) {
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_Mode_switch: return true;
    default: return false;
    }
}

}  // namespace

// A date typed part by part. The parts are the display format's day, month
// and year, numbered as the picker numbers its sections; the text between
// them is only shown. Each part keeps what was typed into it, whatever the
// others hold, so the date is checked only once it is asked for.
class DatePicker::TypedDate {
public:
    // Typing starts from the date shown, in the given section.
    TypedDate(const QString& format, const QLocale& locale, const QDate& shown, int section);

    // Takes one typed character. A character the current part cannot take
    // ends that part when what it holds is whole and goes on to the next part;
    // a separator ends the part and is spent; anything else is dropped.
    void type(QChar typed);
    // Takes back the last character typed into the current part; false when it holds none.
    bool backspace();

    // Every part has been typed.
    bool complete() const { return current_ < 0; }
    // The date of the parts ended so far; invalid while they name none (31 April).
    QDate entered() const { return {parts_.year, parts_.month, parts_.day}; }
    // The date typed, taking what the current part holds when it is whole; a
    // day past the end of its month becomes the month's last day.
    QDate settled() const;
    // The section being typed into, or the last one typed once all are.
    int section() const { return complete() ? last_ : current_; }

    // The text to show while typing, and what to select in it: the current
    // part as typed (the cursor after it), or its value selected when nothing
    // has been typed into it yet.
    struct Shown {
        QString text;
        int start = 0;
        int length = 0;
    };
    Shown shown() const;

private:
    enum class Kind { Text, Day, Weekday, Month, MonthName, Year };
    struct Piece {
        Kind kind;
        QString format;  // a section's letters, or the text shown
    };
    struct Parts {
        int year, month, day;
        void set(Kind kind, int value);
    };

    static QList<Piece> piecesOf(const QString& format);
    Kind kindOf(int section) const { return pieces_[sections_[section]].kind; }
    int nextTypeable(int section) const;

    // What the current part makes of a text typed into it: whether more
    // typing can still make it whole, its value when it is whole, and whether
    // nothing more can be typed into it.
    std::optional<NumberRule> numberRule() const;  // nothing for a month name
    bool fits(const QString& typed) const;
    std::optional<int> valueOf(const QString& typed) const;
    bool full(const QString& typed) const;
    QStringList monthNames() const;
    void endPart();
    QString partText(const Piece& piece) const;

    QLocale locale_;
    QList<Piece> pieces_;
    QList<int> sections_;  // the piece of each section
    Parts parts_;
    int current_ = -1;
    int last_ = -1;
    QString typed_;
};

void DatePicker::TypedDate::Parts::set(Kind kind, int value) {
    switch (kind) {
    case Kind::Day: day = value; break;
    case Kind::Month:
    case Kind::MonthName: month = value; break;
    case Kind::Year: year = value; break;
    default: break;
    }
}

DatePicker::TypedDate::TypedDate(const QString& format, const QLocale& locale, const QDate& shown, int section)
    : locale_(locale), pieces_(piecesOf(format)), parts_{shown.year(), shown.month(), shown.day()} {
    for (int i = 0; i < pieces_.size(); ++i)
        if (pieces_[i].kind != Kind::Text) sections_.append(i);
    current_ = nextTypeable(std::max(section, 0));
    if (current_ < 0) current_ = nextTypeable(0);
    last_ = current_;
}

// The display format as the picker reads it: runs of d, M and y are its
// sections (a short date format holds no others), quoted text is shown as it
// is ('' being a quote), and every other character is shown too.
QList<DatePicker::TypedDate::Piece> DatePicker::TypedDate::piecesOf(const QString& format) {
    QList<Piece> pieces;
    const auto addText = [&pieces](const QString& text) {
        if (!pieces.isEmpty() && pieces.last().kind == Kind::Text)
            pieces.last().format += text;
        else
            pieces.append({Kind::Text, text});
    };
    const qsizetype size = format.size();
    for (qsizetype i = 0; i < size;) {
        const QChar c = format[i];
        if (c == u'\'') {
            QString text;
            ++i;
            if (i < size && format[i] == u'\'') {  // '' outside quotes
                addText(QStringLiteral("'"));
                ++i;
                continue;
            }
            while (i < size) {
                if (format[i] != u'\'') {
                    text += format[i++];
                } else if (i + 1 < size && format[i + 1] == u'\'') {
                    text += u'\'';
                    i += 2;
                } else {
                    ++i;
                    break;
                }
            }
            addText(text);
            continue;
        }
        qsizetype run = 1;
        while (i + run < size && run < 4 && format[i + run] == c) ++run;
        if (c == u'd') {
            pieces.append({run <= 2 ? Kind::Day : Kind::Weekday, QString(run, c)});
        } else if (c == u'M') {
            pieces.append({run <= 2 ? Kind::Month : Kind::MonthName, QString(run, c)});
        } else if (c == u'y' && run >= 2) {
            run = run == 4 ? 4 : 2;
            pieces.append({Kind::Year, QString(run, c)});
        } else {
            run = 1;
            addText(QString(c));
        }
        i += run;
    }
    return pieces;
}

int DatePicker::TypedDate::nextTypeable(int section) const {
    for (; section < sections_.size(); ++section)
        if (kindOf(section) != Kind::Weekday) return section;
    return -1;
}

QStringList DatePicker::TypedDate::monthNames() const {
    QStringList names;
    const QString& format = pieces_[sections_[current_]].format;
    for (int month = 1; month <= 12; ++month) names.append(locale_.toString(QDate(2000, month, 1), format));
    return names;
}

// Years are always shown and typed with four digits.
std::optional<NumberRule> DatePicker::TypedDate::numberRule() const {
    switch (kindOf(current_)) {
    case Kind::Day: return NumberRule{2, 1, 31};
    case Kind::Month: return NumberRule{2, 1, 12};
    case Kind::Year: return NumberRule{4, first().year(), last().year()};
    default: return std::nullopt;
    }
}

bool DatePicker::TypedDate::fits(const QString& typed) const {
    if (const auto rule = numberRule()) return reachable(typed, *rule, 0);
    const QStringList names = monthNames();
    return !typed.isEmpty() &&
           std::any_of(names.begin(), names.end(), [&](const QString& name) { return name.startsWith(typed, Qt::CaseInsensitive); });
}

std::optional<int> DatePicker::TypedDate::valueOf(const QString& typed) const {
    if (const auto rule = numberRule()) {
        if (!reachable(typed, *rule, 0)) return std::nullopt;
        const int value = typed.toInt();
        return value >= rule->low && value <= rule->high ? std::optional<int>(value) : std::nullopt;
    }
    // A whole name, or the start of only one.
    const QStringList names = monthNames();
    int starting = 0, month = 0;
    for (int i = 0; i < names.size(); ++i) {
        if (names[i].compare(typed, Qt::CaseInsensitive) == 0) return i + 1;
        if (names[i].startsWith(typed, Qt::CaseInsensitive)) {
            ++starting;
            month = i + 1;
        }
    }
    return starting == 1 ? std::optional<int>(month) : std::nullopt;
}

bool DatePicker::TypedDate::full(const QString& typed) const {
    if (!valueOf(typed)) return false;
    if (const auto rule = numberRule()) return !reachable(typed, *rule, 1);
    const QStringList names = monthNames();
    return std::none_of(names.begin(), names.end(), [&](const QString& name) {
        return name.size() > typed.size() && name.startsWith(typed, Qt::CaseInsensitive);
    });
}

void DatePicker::TypedDate::endPart() {
    parts_.set(kindOf(current_), *valueOf(typed_));
    typed_.clear();
    last_ = current_;
    current_ = nextTypeable(current_ + 1);
}

void DatePicker::TypedDate::type(QChar typed) {
    while (current_ >= 0) {
        const QString longer = typed_ + typed;
        if (fits(longer)) {
            typed_ = longer;
            if (full(typed_)) endPart();
            return;
        }
        if (!valueOf(typed_)) return;
        endPart();
        if (!typed.isLetterOrNumber()) return;
    }
}

bool DatePicker::TypedDate::backspace() {
    if (typed_.isEmpty()) return false;
    typed_.chop(1);
    return true;
}

QDate DatePicker::TypedDate::settled() const {
    Parts parts = parts_;
    if (current_ >= 0)
        if (const auto value = valueOf(typed_)) parts.set(kindOf(current_), *value);
    const QDate month(parts.year, parts.month, 1);
    return month.addDays(std::min(parts.day, month.daysInMonth()) - 1);
}

QString DatePicker::TypedDate::partText(const Piece& piece) const {
    switch (piece.kind) {
    case Kind::Day: return locale_.toString(QDate(2000, 1, parts_.day), piece.format);
    case Kind::Month:
    case Kind::MonthName: return locale_.toString(QDate(2000, parts_.month, 1), piece.format);
    case Kind::Year: return locale_.toString(QDate(parts_.year, 1, 1), piece.format);
    case Kind::Weekday: return locale_.toString(settled(), piece.format);
    default: return piece.format;
    }
}

DatePicker::TypedDate::Shown DatePicker::TypedDate::shown() const {
    Shown shown;
    for (int i = 0; i < pieces_.size(); ++i) {
        QString part = partText(pieces_[i]);
        if (current_ >= 0 && sections_[current_] == i) {
            shown.start = int(shown.text.size());
            if (typed_.isEmpty()) {
                shown.length = int(part.size());
            } else {
                part = typed_;
                shown.start += int(part.size());
            }
        }
        shown.text += part;
    }
    return shown;
}

DatePicker::DatePicker(QWidget* parent, const QString& name) : QDateEdit(parent), Control(this, name) {
    setCalendarPopup(true);
    // Qt's own minimum (14 September 1752) would silently clamp earlier dates.
    setDateRange(first(), last());
    setDisplayFormat(Conversions::shortDateFormat());
    reported_ = date();
    lineEdit()->installEventFilter(this);
    // Each part typed runs Change when the date typed so far differs, as the
    // user sees it change. Return announces the date again: that is no change.
    connect(this, &QDateEdit::dateChanged, this, [this](QDate now) {
        if (now == reported_) return;
        reported_ = now;
        if (!settingValue_) emit Change();
    });
}

DatePicker::~DatePicker() = default;

void DatePicker::setValue(const QDate& value) {
    typing_.reset();  // the program's date replaces what was being typed
    settingValue_ = true;
    setDate(value);
    settingValue_ = false;
}

void DatePicker::pick(const QDate& value) {
    typing_.reset();
    setDate(value);
}

void DatePicker::stepBy(int steps) {
    finishTyping();
    QDateEdit::stepBy(steps);
}

QValidator::State DatePicker::validate(QString& input, int& pos) const {
    return typing_ ? QValidator::Intermediate : QDateEdit::validate(input, pos);
}

void DatePicker::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    const bool typed = !isReadOnly() && !text.isEmpty() &&
                       std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); }) &&
                       !(event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier | Qt::GroupSwitchModifier));
    if (typed) {
        for (const QChar c : text) type(c);
        return;
    }
    if (typing_ && isModifierKey(event->key())) return;
    if (event->key() == Qt::Key_Backspace && typing_ && typing_->backspace()) {
        showTyping();
        return;
    }
    finishTyping();
    QDateEdit::keyPressEvent(event);
}

void DatePicker::focusOutEvent(QFocusEvent* event) {
    finishTyping();
    QDateEdit::focusOutEvent(event);
}

void DatePicker::mousePressEvent(QMouseEvent* event) {
    finishTyping();
    QDateEdit::mousePressEvent(event);
}

bool DatePicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonPress) finishTyping();
    return QDateEdit::eventFilter(watched, event);
}

void DatePicker::type(QChar typed) {
    if (!typing_) typing_ = std::make_unique<TypedDate>(displayFormat(), locale(), date(), currentSectionIndex());
    typing_->type(typed);
    if (typing_->complete()) {
        finishTyping();
        return;
    }
    const QDate entered = typing_->entered();
    if (entered.isValid() && entered != date()) {
        setDate(entered);
        if (!typing_) return;  // Change ended the typing (a message took the focus, or code set a date)
    }
    showTyping();
}

void DatePicker::showTyping() {
    const TypedDate::Shown shown = typing_->shown();
    // Quietly: the box itself must not read back a text that may name no date.
    const QSignalBlocker quiet(lineEdit());
    lineEdit()->setText(shown.text);
    if (shown.length > 0)
        lineEdit()->setSelection(shown.start, shown.length);
    else
        lineEdit()->setCursorPosition(shown.start);
}

void DatePicker::finishTyping() {
    if (!typing_) return;
    const std::unique_ptr<TypedDate> typed = std::move(typing_);
    setDate(typed->settled());
    // The box learns its current part from the cursor's moves: from the end
    // of the text, bring it back to the part typed last.
    {
        const QSignalBlocker quiet(lineEdit());
        lineEdit()->end(false);
    }
    setSelectedSection(sectionAt(typed->section()));
}
