#include "common/money.h"

#include "common/conversions.h"

QString Money::text() const {
    const bool negative = scaled_ < 0;
    // Work on the magnitude without overflowing at the type's minimum.
    const std::uint64_t magnitude = negative ? std::uint64_t(0) - std::uint64_t(scaled_) : std::uint64_t(scaled_);
    QString out = QString::number(magnitude / std::uint64_t(Scale));
    std::uint64_t fraction = magnitude % std::uint64_t(Scale);
    if (fraction != 0) {
        QString digits = QString::number(fraction).rightJustified(4, u'0');
        while (digits.endsWith(u'0')) digits.chop(1);
        out += Conversions::decimalSeparator() + digits;
    }
    return negative ? u'-' + out : out;
}

std::optional<Money> Money::parse(const QString& typed) {
    const QString s = typed.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) negative = s[i++] == u'-';

    const QString separator = Conversions::decimalSeparator();
    std::uint64_t whole = 0;
    int wholeDigits = 0;
    while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128) {
        whole = whole * 10 + std::uint64_t(s[i].unicode() - u'0');
        if (whole > std::uint64_t(INT64_MAX) / std::uint64_t(Scale)) return std::nullopt;
        ++wholeDigits;
        ++i;
    }
    std::uint64_t fraction = 0;
    int fractionDigits = 0;
    if (i < s.size() && (s[i] == u'.' || QStringView(s).mid(i).startsWith(separator))) {
        i += s[i] == u'.' ? 1 : separator.size();
        while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128) {
            if (++fractionDigits > 4) return std::nullopt;
            fraction = fraction * 10 + std::uint64_t(s[i].unicode() - u'0');
            ++i;
        }
    }
    if (i != s.size() || wholeDigits + fractionDigits == 0) return std::nullopt;
    for (int d = fractionDigits; d < 4; ++d) fraction *= 10;

    const std::uint64_t magnitude = whole * std::uint64_t(Scale) + fraction;
    if (magnitude > std::uint64_t(INT64_MAX)) return std::nullopt;
    const std::int64_t value = std::int64_t(magnitude);
    return Money::fromScaled(negative ? -value : value);
}
