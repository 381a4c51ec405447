#include "common/conversions.h"

#include <QLocale>
#include <QRegularExpression>
#include <QVarLengthArray>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

namespace Conversions {

namespace {
const QDate SerialEpoch(1899, 12, 30);
constexpr double SecondsPerDay = 86400.0;
}  // namespace

QString decimalSeparator() { return QLocale().decimalPoint(); }

QString numberText(double value) { return numberText(value, decimalSeparator()); }

namespace {
// The text of a double from 0.0001 to below 10^15 with 15 significant digits,
// as QString::number(value, 'g', 15) gives it, but without its general
// conversion: the value is scaled to 15 whole digits in extended precision,
// which decides the rounding unless the value lies too near the middle
// between two results to tell; then, and for other values, nothing.
std::optional<QString> quickNumberText(double value, QStringView separator) {
    static_assert(std::numeric_limits<long double>::digits >= 64, "extended precision");
    constexpr std::uint64_t Least = 100000000000000;  // 10^14: 15 digits
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-4 && magnitude < 1e15)) return std::nullopt;
    int exponent = int(std::floor(std::log10(magnitude)));
    std::uint64_t digits = 0;
    for (int attempt = 0; attempt < 2; ++attempt) {
        // 10^n is exact in extended precision for every n used here (n <= 18).
        long double scaled = magnitude;
        for (int n = 14 - exponent; n > 0; --n) scaled *= 10;
        const long double whole = std::floor(scaled);
        const long double fraction = scaled - whole;
        if (std::fabs(fraction - 0.5L) < 1e-3L) return std::nullopt;
        digits = std::uint64_t(whole) + (fraction > 0.5L ? 1 : 0);
        if (digits >= 10 * Least) {  // rounded up to 16 digits, or the exponent was one short
            ++exponent;
        } else if (digits < Least) {  // the exponent was one too many
            --exponent;
        } else {
            break;
        }
        if (attempt == 1 || exponent > 14 || exponent < -4) return std::nullopt;
    }
    if (digits < Least || digits >= 10 * Least) return std::nullopt;

    char text[15];
    for (int i = 14; i >= 0; --i, digits /= 10) text[i] = char('0' + digits % 10);
    int count = 15;
    while (count > 1 && text[count - 1] == '0') --count;

    // Written into one buffer, so that the text is made in one piece.
    QVarLengthArray<char16_t, 64> out;
    auto add = [&out](char c) { out.append(char16_t(c)); };
    auto addSeparator = [&] {
        for (QChar c : separator) out.append(c.unicode());
    };
    if (value < 0) add('-');
    if (exponent < 0) {
        add('0');
        addSeparator();
        for (int i = -1; i > exponent; --i) add('0');
        for (int i = 0; i < count; ++i) add(text[i]);
    } else {
        const int whole = exponent + 1;
        for (int i = 0; i < whole; ++i) add(i < count ? text[i] : '0');
        if (count > whole) {
            addSeparator();
            for (int i = whole; i < count; ++i) add(text[i]);
        }
    }
    return QString(reinterpret_cast<const QChar*>(out.constData()), out.size());
}
}  // namespace

QString numberText(double value, QStringView separator) {
    if (value == 0) return QStringLiteral("0");
    if (!std::isfinite(value)) return QString::number(value);
    if (const std::optional<QString> quick = quickNumberText(value, separator)) return *quick;
    QString text = QString::number(value, 'g', 15);
    // Keep the mantissa free of trailing zeros; exponents are rare here.
    text.replace(u'e', u'E');
    if (separator.size() == 1) return text.replace(u'.', separator.front());
    return text.replace(QChar(u'.'), separator.toString());
}

std::optional<double> parseNumber(const QString& typed) {
    QString s = typed.trimmed();
    const QString separator = decimalSeparator();
    if (separator != QStringLiteral(".")) s.replace(separator, QStringLiteral("."));
    static const QRegularExpression form(QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$)"));
    if (!form.match(s).hasMatch()) return std::nullopt;
    bool ok = false;
    const double value = s.toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

QString shortDateFormat() {
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    // Whatever the locale does with the year, always show it with four digits.
    static const QRegularExpression years(QStringLiteral("y+"));
    format.replace(years, QStringLiteral("yyyy"));
    return format;
}

QString dateText(const QDate& date) { return QLocale().toString(date, shortDateFormat()); }

QDate parseDate(const QString& text) { return QLocale().toDate(text.trimmed(), shortDateFormat()); }

double toSerialDate(const QDateTime& when) {
    const qint64 days = SerialEpoch.daysTo(when.date());
    const double fraction = when.time().msecsSinceStartOfDay() / (SecondsPerDay * 1000.0);
    return days >= 0 ? double(days) + fraction : double(days) - fraction;
}

double toSerialDate(const QDate& day) { return double(SerialEpoch.daysTo(day)); }

namespace {
// The day (counted from the epoch) and the milliseconds into it of a stored
// date; nothing for a value that is no date of the pickers' range.
std::optional<std::pair<qint64, qint64>> splitSerialDate(double serial) {
    if (!std::isfinite(serial) || std::fabs(serial) > 3.0e6) return std::nullopt;
    const double whole = std::trunc(serial);
    const double fraction = std::fabs(serial - whole);
    qint64 msecs = std::llround(fraction * SecondsPerDay * 1000.0);
    qint64 days = qint64(whole);
    if (msecs >= qint64(SecondsPerDay) * 1000) {  // rounding reached the next midnight
        msecs = 0;
        days += serial >= 0 ? 1 : -1;
    }
    return std::pair{days, msecs};
}
}  // namespace

QDateTime fromSerialDate(double serial) {
    const auto split = splitSerialDate(serial);
    if (!split) return {};
    return QDateTime(SerialEpoch.addDays(split->first), QTime::fromMSecsSinceStartOfDay(int(split->second)));
}

QDate dayOfSerialDate(double serial) {
    const auto split = splitSerialDate(serial);
    return split ? SerialEpoch.addDays(split->first) : QDate();
}

double roundHalfEven(double value) { return std::nearbyint(value); }

QString trimSpaces(const QString& text) {
    if (text.isEmpty() || (text.front() != u' ' && text.back() != u' ')) return text;
    return trimSpaces(QStringView(text));
}

QString trimSpaces(QStringView text) {
    qsizetype first = 0, last = text.size();
    while (first < last && text[first] == u' ') ++first;
    while (last > first && text[last - 1] == u' ') --last;
    return text.sliced(first, last - first).toString();
}

}  // namespace Conversions
