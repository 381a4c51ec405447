#include "common/conversions.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace Conversions {

namespace {
const QDate SerialEpoch(1899, 12, 30);
constexpr double SecondsPerDay = 86400.0;
}  // namespace

QString decimalSeparator() { return QLocale().decimalPoint(); }

QString numberText(double value) {
    if (value == 0) return QStringLiteral("0");
    QString text = QString::number(value, 'g', 15);
    if (text.contains(u'e')) {
        // Keep the mantissa free of trailing zeros; exponents are rare here.
        text.replace(u'e', u'E');
    }
    return text.replace(u'.', decimalSeparator());
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

QDateTime fromSerialDate(double serial) {
    if (!std::isfinite(serial) || std::fabs(serial) > 3.0e6) return {};
    const double whole = std::trunc(serial);
    const double fraction = std::fabs(serial - whole);
    qint64 msecs = std::llround(fraction * SecondsPerDay * 1000.0);
    qint64 days = qint64(whole);
    if (msecs >= qint64(SecondsPerDay) * 1000) {  // rounding reached the next midnight
        msecs = 0;
        days += serial >= 0 ? 1 : -1;
    }
    return QDateTime(SerialEpoch.addDays(days), QTime::fromMSecsSinceStartOfDay(int(msecs)));
}

double roundHalfEven(double value) { return std::nearbyint(value); }

QString trimSpaces(const QString& text) {
    qsizetype first = 0, end = text.size();
    while (first < end && text[first] == u' ') ++first;
    while (end > first && text[end - 1] == u' ') --end;
    return text.mid(first, end - first);
}

}  // namespace Conversions
