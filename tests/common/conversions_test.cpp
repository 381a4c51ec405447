#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>

#include "common/conversions.h"
#include "common/money.h"

namespace {

class ConversionsTest : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

TEST_F(ConversionsTest, MoneyWritesItsTextAndReadsOnlyWellFormedAmounts) {
    for (const auto& [scaled, text] : std::initializer_list<std::pair<qint64, const char*>>{
             {0, "0"}, {12345000, "1234.5"}, {-1, "-0.0001"}, {-20000, "-2"}, {INT64_MIN, "-922337203685477.5808"}})
        EXPECT_EQ(Money::fromScaled(scaled).text(), text);
    for (const auto& [typed, scaled] : std::initializer_list<std::pair<const char*, qint64>>{
             {"  12.5 ", 125000}, {"-0.0001", -1}, {"+7", 70000}, {".5", 5000}, {"3.", 30000}})
        EXPECT_EQ(Money::parse(typed), Money::fromScaled(scaled)) << typed;
    EXPECT_EQ(Money::parse("-922337203685477.5807"), Money::fromScaled(-INT64_MAX));
    // What is wrong with a text that is no amount: its form first, then its decimals, then its size.
    const std::pair<Money::Fault, QStringList> faults[] = {
        {Money::Fault::NotANumber, {"", "   ", "-", "+", ".", "12a", "1,5", "1 000", "1e3", "1.2.34567"}},
        {Money::Fault::TooManyDecimals, {"1.23456", " -0.00001 ", "99999999999999999999.12345"}},
        {Money::Fault::TooLarge, {"99999999999999999999", "922337203685478", "-922337203685477.5808"}}};
    for (const auto& [fault, texts] : faults)
        for (const QString& bad : texts) {
            EXPECT_FALSE(Money::parse(bad).has_value()) << bad.toStdString();
            EXPECT_EQ(Money::read(bad).fault, fault) << bad.toStdString();
        }
}

// Sums are exact beyond the range of amounts and come back into it; only
// what lies within it shows as an amount.
TEST_F(ConversionsTest, MoneySumsAreExactAndShowOnlyWhatTheRangeHolds) {
    MoneySum sum;
    sum.add(Money::largest());
    EXPECT_EQ(sum.text(), "922337203685477.5807");
    sum.add(Money::fromScaled(1));
    EXPECT_EQ(sum.text(), "Too large to show");
    sum.add(Money::largest(), 3);
    sum.add(Money::fromScaled(-INT64_MAX), 4);
    EXPECT_EQ(sum.value(), Money::fromScaled(1)) << "back within the range, exactly";
    MoneySum low;
    low.add(Money::fromScaled(INT64_MIN), 100000);
    EXPECT_TRUE(low.largerThan(sum));
    low.add(Money::fromScaled(INT64_MAX), 100000);
    EXPECT_EQ(low.text(), "-10");
    low.add(Money::fromScaled(INT64_MIN + 100000));
    EXPECT_EQ(low.text(), "Too large to show") << "the type's minimum is beyond the range too";
}

TEST_F(ConversionsTest, NumbersInEitherDecimalSeparator) {
    EXPECT_EQ(Conversions::numberText(0.1 + 0.2), "0.3");
    EXPECT_EQ(Conversions::numberText(-1234.5), "-1234.5");
    EXPECT_EQ(Conversions::numberText(100), "100");
    EXPECT_EQ(Conversions::parseNumber(" 015 "), 15.0);
    EXPECT_EQ(Conversions::parseNumber("-7.5"), -7.5);
    for (const char* bad : {"", "ten", "1.2.3"}) EXPECT_FALSE(Conversions::parseNumber(bad).has_value()) << bad;

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(Money::fromScaled(15000).text(), "1,5");
    EXPECT_EQ(Money::parse("1,5"), Money::fromScaled(15000));
    EXPECT_EQ(Money::parse("1.5"), Money::fromScaled(15000));  // "." is always accepted
    EXPECT_EQ(Conversions::numberText(0.25), "0,25");
    EXPECT_EQ(Conversions::parseNumber("7,5"), 7.5);
}

// A double's text is the general 15-digit conversion's, also where the
// value lies exactly halfway (which that conversion rounds away from zero)
// and where it needs an exponent.
TEST_F(ConversionsTest, NumberTextRoundsAsTheGeneralConversion) {
    auto general = [](double value) { return QString::number(value, 'g', 15).replace(u'e', u'E'); };
    for (double value : {12345678901234.25, -12345678901234.25, 0.30000000000000004, 1234.5678, -552.0625,
                         999999999999999.5, 99999999999999.95, 0.0001, 0.00009999999999999999, 1e15, 1e-5,
                         123456789012345678.0, 5e-324, -0.1 - 0.2})
        EXPECT_EQ(Conversions::numberText(value), general(value)) << value;
    double sum = 0;
    for (int i = 1; i < 20000; ++i) {
        sum += (i % 2 ? 1 : -1) * i * 1.2345 + 0.0001 * i;
        ASSERT_EQ(Conversions::numberText(sum), general(sum)) << sum;
    }
    EXPECT_EQ(Conversions::numberText(-12.5, u","), "-12,5");
    EXPECT_EQ(Money::fromScaled(-125000).text(u"::"), "-12::5");
    EXPECT_EQ(Conversions::dayOfSerialDate(-1.25), QDate(1899, 12, 29));
    EXPECT_FALSE(Conversions::dayOfSerialDate(std::nan("")).isValid());
}

TEST_F(ConversionsTest, DatesReadBackAsTheSameDayAndSerialDatesBothWays) {
    for (const QDate& day : {QDate(1601, 1, 1), QDate(1899, 12, 30), QDate(2024, 2, 29), QDate(9999, 12, 31)}) {
        const QString text = Conversions::dateText(day);
        EXPECT_TRUE(text.contains(QString::number(day.year()))) << text.toStdString();
        EXPECT_EQ(Conversions::parseDate(text), day) << text.toStdString();
    }

    using Conversions::fromSerialDate;
    using Conversions::toSerialDate;
    EXPECT_EQ(toSerialDate(QDate(1899, 12, 30)), 0.0);
    EXPECT_EQ(toSerialDate(QDate(2024, 3, 7)), 45358.0);
    EXPECT_EQ(toSerialDate(QDateTime(QDate(1900, 1, 1), QTime(18, 0))), 2.75);
    // Before the epoch the fraction still counts forward from midnight.
    EXPECT_EQ(toSerialDate(QDateTime(QDate(1899, 12, 29), QTime(6, 0))), -1.25);
    EXPECT_EQ(fromSerialDate(-1.25), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
    for (QDate day = QDate(1601, 1, 1); day.year() < 10000; day = day.addDays(997))
        EXPECT_EQ(fromSerialDate(toSerialDate(day)).date(), day);
    EXPECT_FALSE(fromSerialDate(std::nan("")).isValid());
}

TEST_F(ConversionsTest, RoundingHalfToEven) {
    for (const auto& [value, rounded] : std::initializer_list<std::pair<double, double>>{
             {-7.5, -8}, {2.5, 2}, {3.5, 4}, {34199.5, 34200}, {34200.5, 34200}})
        EXPECT_EQ(Conversions::roundHalfEven(value), rounded) << value;
}

}  // namespace
