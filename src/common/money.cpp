#include "common/money.h"

#include <QVarLengthArray>

#include "common/conversions.h"

QString Money::text() const { return text(Conversions::decimalSeparator()); }

QString Money::text(QStringView separator) const {
    // Built back to front in one buffer: the digits of the fraction without
    // its trailing zeros, the separator, the whole digits, the sign.
    QVarLengthArray<char16_t, 64> buffer(32 + separator.size());
    char16_t* end = buffer.data() + buffer.size();
    char16_t* at = end;
    const bool negative = scaled_ < 0;
    // Work on the magnitude without overflowing at the type's minimum.
    std::uint64_t magnitude = negative ? std::uint64_t(0) - std::uint64_t(scaled_) : std::uint64_t(scaled_);
    std::uint64_t fraction = magnitude % std::uint64_t(Scale);
    magnitude /= std::uint64_t(Scale);
    if (fraction != 0) {
        int digits = 4;
        for (; fraction % 10 == 0; fraction /= 10) --digits;
        for (; digits > 0; --digits, fraction /= 10) *--at = char16_t(u'0' + fraction % 10);
        for (qsizetype i = separator.size(); i > 0; --i) *--at = separator[i - 1].unicode();
    }
    do {
        *--at = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) *--at = u'-';
    return QString(reinterpret_cast<const QChar*>(at), end - at);
}

Money::Reading Money::read(const QString& typed) { return read(typed, Conversions::decimalSeparator()); }

Money::Reading Money::read(QStringView typed, QStringView separator) {
    const QStringView s = typed.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) negative = s[i++] == u'-';
    auto isDigit = [&s](qsizetype at) { return at < s.size() && s[at].isDigit() && s[at].unicode() < 128; };

    // The whole form is read first, so that a number is told from no number
    // before its size and decimals are looked at.
    constexpr std::uint64_t MostWhole = std::uint64_t(INT64_MAX) / std::uint64_t(Scale);
    std::uint64_t whole = 0;
    bool tooLarge = false;
    int wholeDigits = 0;
    for (; isDigit(i); ++i, ++wholeDigits) {
        if (!tooLarge) whole = whole * 10 + std::uint64_t(s[i].unicode() - u'0');
        tooLarge = tooLarge || whole > MostWhole;
    }
    std::uint64_t fraction = 0;
    int fractionDigits = 0;
    if (i < s.size() && (s[i] == u'.' || s.mid(i).startsWith(separator))) {
        i += s[i] == u'.' ? 1 : separator.size();
        for (; isDigit(i); ++i, ++fractionDigits)
            if (fractionDigits < 4) fraction = fraction * 10 + std::uint64_t(s[i].unicode() - u'0');
    }
    if (i != s.size() || wholeDigits + fractionDigits == 0) return {std::nullopt, Fault::NotANumber};
    if (fractionDigits > 4) return {std::nullopt, Fault::TooManyDecimals};
    for (int d = fractionDigits; d < 4; ++d) fraction *= 10;

    if (tooLarge) return {std::nullopt, Fault::TooLarge};
    const std::uint64_t magnitude = whole * std::uint64_t(Scale) + fraction;
    if (magnitude > std::uint64_t(INT64_MAX)) return {std::nullopt, Fault::TooLarge};
    const std::int64_t value = std::int64_t(magnitude);
    return {Money::fromScaled(negative ? -value : value), Fault::None};
}

QString MoneySum::text() const { return text(Conversions::decimalSeparator()); }

QString MoneySum::text(QStringView separator) const {
    const std::optional<Money> sum = value();
    return sum ? sum->text(separator) : outOfRangeText();
}
