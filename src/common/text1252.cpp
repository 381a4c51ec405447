#include "common/text1252.h"

#include <QHash>
#include <QStringDecoder>
#include <array>

namespace {

// Both directions are taken once from the platform's converter, so that
// reading and writing a record costs a table look-up per character.
struct CodeTable {
    std::array<char16_t, 256> toUnicode{};
    QHash<char16_t, char> fromUnicode;

    CodeTable() {
        QStringDecoder decoder("windows-1252");
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            const QString s = decoder.decode(QByteArrayView(&byte, 1));
            const char16_t unit = (s.size() == 1 && decoder.isValid()) ? s.at(0).unicode() : char16_t(b);
            toUnicode[b] = unit;
            fromUnicode.insert(unit, byte);
        }
    }
};

const CodeTable& table() {
    static const CodeTable codes;  // immutable after construction
    return codes;
}

}  // namespace

namespace Text1252 {

QByteArray encode(QStringView text) {
    const CodeTable& codes = table();
    QByteArray out(text.size(), '?');
    for (qsizetype i = 0; i < text.size(); ++i) {
        auto it = codes.fromUnicode.constFind(text.at(i).unicode());
        if (it != codes.fromUnicode.cend()) out[i] = *it;
    }
    return out;
}

bool canEncode(QStringView text) {
    const CodeTable& codes = table();
    for (QChar c : text)
        if (!codes.fromUnicode.contains(c.unicode())) return false;
    return true;
}

bool equals(QByteArrayView bytes, QStringView text) {
    if (bytes.size() != text.size()) return false;
    const CodeTable& codes = table();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        if (codes.toUnicode[static_cast<unsigned char>(bytes[i])] != text[i].unicode()) return false;
    return true;
}

QString decode(const char* bytes, qsizetype length) {
    const CodeTable& codes = table();
    QString out(length, Qt::Uninitialized);
    QChar* dst = out.data();
    for (qsizetype i = 0; i < length; ++i) dst[i] = QChar(codes.toUnicode[static_cast<unsigned char>(bytes[i])]);
    return out;
}

}  // namespace Text1252
