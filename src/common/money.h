#pragma once
#include <QString>
#include <cstdint>
#include <optional>

// A fixed-point amount: the amount times 10,000 in a signed 64-bit integer.
class Money {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Money() = default;
    static constexpr Money fromScaled(std::int64_t scaled) { Money m; m.scaled_ = scaled; return m; }

    constexpr std::int64_t scaled() const { return scaled_; }
    double toDouble() const { return double(scaled_) / double(Scale); }
    // The amount with its sign turned; the type's minimum, which has no
    // positive twin, gives the maximum.
    constexpr Money negated() const { return fromScaled(scaled_ == INT64_MIN ? INT64_MAX : -scaled_); }
    // Sums and multiples. Only amounts of a damaged file leave the range;
    // such a result stops at its ends, which still read back as amounts.
    Money plus(Money other) const;
    Money times(std::int64_t factor) const;

    // No thousands separator, no currency sign, no trailing zeros, "0" for zero,
    // a leading minus for negatives; the decimal separator is the locale's.
    QString text() const;
    // The same with the decimal separator given, for loops over many amounts.
    QString text(QStringView separator) const;

    // A typed amount: surrounding spaces, an optional sign, digits, an optional
    // decimal separator (the locale's or ".") and at most four decimals.
    // Anything else does not convert.
    static std::optional<Money> parse(const QString& typed);
    static std::optional<Money> parse(QStringView typed, QStringView separator);

    friend constexpr bool operator==(Money a, Money b) { return a.scaled_ == b.scaled_; }
    friend constexpr auto operator<=>(Money a, Money b) { return a.scaled_ <=> b.scaled_; }

private:
    std::int64_t scaled_ = 0;
};
