#pragma once
#include <QString>
#include <cstdint>
#include <optional>

// A fixed-point amount: the amount times 10,000 in a signed 64-bit integer.
// Amounts are typed, and sums shown, from -largest() to largest(): the
// type's minimum, which has no positive twin, is left out, so that every
// amount shown reads back and turns its sign.
class Money {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Money() = default;
    static constexpr Money fromScaled(std::int64_t scaled) { Money m; m.scaled_ = scaled; return m; }
    static constexpr Money largest() { return fromScaled(INT64_MAX); }

    constexpr std::int64_t scaled() const { return scaled_; }
    double toDouble() const { return double(scaled_) / double(Scale); }
    // The amount with its sign turned; the type's minimum, which only a
    // damaged file holds, gives the maximum.
    constexpr Money negated() const { return fromScaled(scaled_ == INT64_MIN ? INT64_MAX : -scaled_); }

    // No thousands separator, no currency sign, no trailing zeros, "0" for zero,
    // a leading minus for negatives; the decimal separator is the locale's.
    QString text() const;
    // The same with the decimal separator given, for loops over many amounts.
    QString text(QStringView separator) const;

    // A typed amount: surrounding spaces, an optional sign, digits, an optional
    // decimal separator (the locale's or ".") and at most four decimals, within
    // the range of amounts. Anything else does not convert, and the reading
    // tells why.
    enum class Fault { None, NotANumber, TooManyDecimals, TooLarge };
    struct Reading;
    static Reading read(const QString& typed);
    static Reading read(QStringView typed, QStringView separator);
    static std::optional<Money> parse(const QString& typed);
    static std::optional<Money> parse(QStringView typed, QStringView separator);

    friend constexpr bool operator==(Money a, Money b) { return a.scaled_ == b.scaled_; }
    friend constexpr auto operator<=>(Money a, Money b) { return a.scaled_ <=> b.scaled_; }

private:
    std::int64_t scaled_ = 0;
};

struct Money::Reading {
    std::optional<Money> amount;
    Fault fault = Fault::None;
};

inline std::optional<Money> Money::parse(const QString& typed) { return read(typed).amount; }
inline std::optional<Money> Money::parse(QStringView typed, QStringView separator) {
    return read(typed, separator).amount;
}

// A sum of amounts, kept exactly however large it grows: balances and totals
// are made with it, and shown as an amount only while they lie within the
// range of amounts.
class MoneySum {
public:
    // What a sum beyond the range of amounts shows instead of a number.
    static QString outOfRangeText() { return QStringLiteral("Too large to show"); }

    void add(Money amount) { total_ += amount.scaled(); }
    // An amount counted `times` times (a debit order's occurrences); a
    // negative count takes it away that often.
    void add(Money amount, std::int64_t times) { total_ += Wide(amount.scaled()) * times; }
    void add(const MoneySum& other) { total_ += other.total_; }

    bool fits() const { return total_ >= -Wide(INT64_MAX) && total_ <= Wide(INT64_MAX); }
    // The sum, while it fits.
    std::optional<Money> value() const {
        return fits() ? std::optional<Money>(Money::fromScaled(std::int64_t(total_))) : std::nullopt;
    }
    // The sum's text as an amount's, or outOfRangeText() when it does not fit.
    QString text() const;
    QString text(QStringView separator) const;

    // Compares the sizes of two sums, whatever their signs.
    bool largerThan(const MoneySum& other) const { return magnitude() > other.magnitude(); }

private:
    // Twice the bits of an amount: no sum of the amounts of the files, nor
    // any count of occurrences within the calendar times an amount, comes
    // near its end.
    __extension__ using Wide = __int128;
    Wide magnitude() const { return total_ < 0 ? -total_ : total_; }
    Wide total_ = 0;
};
