#include "common/money.h"

#include <QVarLengthArray>
#include <algorithm>

#include "common/conversions.h"

namespace {
constexpr std::int64_t Largest = INT64_MAX;
}  // namespace

Money Money::plus(Money other) const {
    std::int64_t sum;
    if (__builtin_add_overflow(scaled_, other.scaled_, &sum)) return fromScaled(other.scaled_ < 0 ? -Largest : Largest);
    return fromScaled(std::max(sum, -Largest));
}

Money Money::times(std::int64_t factor) const {
    std::int64_t product;
    if (__builtin_mul_overflow(scaled_, factor, &product))
        return fromScaled((scaled_ < 0) != (factor < 0) ? -Largest : Largest);
    return fromScaled(std::max(product, -Largest));
}

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

std::optional<Money> Money::parse(const QString& typed) { return parse(typed, Conversions::decimalSeparator()); }

std::optional<Money> Money::parse(QStringView typed, QStringView separator) {
    const QStringView s = typed.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) negative = s[i++] == u'-';

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
    if (i < s.size() && (s[i] == u'.' || s.mid(i).startsWith(separator))) {
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
