#pragma once
#include <QByteArray>
#include <QString>

// The 8-bit character set of every record file: Windows-1252.
// A character the set does not hold is stored as "?".
namespace Text1252 {
QByteArray encode(QStringView text);
QString decode(const char* bytes, qsizetype length);
// Whether every character of the text is in the set, so that it is stored exactly.
bool canEncode(QStringView text);
// Whether the stored bytes decode to the text, without decoding them.
bool equals(QByteArrayView bytes, QStringView text);
}
