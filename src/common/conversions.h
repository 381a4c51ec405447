#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

// Text forms of numbers and dates shared by every window.
namespace Conversions {

// The decimal separator of the user's locale.
QString decimalSeparator();

// A double as text: at most 15 significant digits, no trailing zeros,
// the locale's decimal separator.
QString numberText(double value);
// The same with the decimal separator given, for loops over many numbers.
QString numberText(double value, QStringView separator);

// A typed number: surrounding spaces, an optional sign, digits with an optional
// decimal part (the locale's separator or "."), an optional exponent.
// Anything else does not convert.
std::optional<double> parseNumber(const QString& typed);

// Dates as text: the locale's short date order, always with a four-digit year;
// parseDate reads back exactly what dateText writes.
QString shortDateFormat();
QString dateText(const QDate& date);
QDate parseDate(const QString& text);

// The 8-byte date of the record files: days since 30 December 1899, the
// fraction being the time of day. Before that day the whole part counts back
// while the fraction still counts forward from midnight.
double toSerialDate(const QDateTime& when);
double toSerialDate(const QDate& day);
QDateTime fromSerialDate(double serial);
// The day of a stored date (its time of day dropped); invalid for a value that is no date.
QDate dayOfSerialDate(double serial);

// Rounds to the nearest integer, a half to the even neighbour.
double roundHalfEven(double value);

// The text without its leading and trailing spaces; tabs and line breaks stay.
QString trimSpaces(QStringView text);
// The same, sharing the text when there is nothing to remove.
QString trimSpaces(const QString& text);

}  // namespace Conversions
