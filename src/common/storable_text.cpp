#include "common/storable_text.h"

#include "common/application.h"
#include "common/text1252.h"

std::optional<QString> UnstorableCharacter(QStringView text) {
    if (Text1252::canEncode(text)) return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A character outside the first plane comes as a pair of units.
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QStringView character = text.mid(i, length);
        if (!Text1252::canEncode(character)) return character.toString();
    }
    return std::nullopt;
}

bool CheckStorableText(const QStringList& texts) {
    for (QStringView text : texts) {
        if (const auto character = UnstorableCharacter(text)) {
            app().message(QStringLiteral("The character \"%1\" cannot be kept in the organizer's files. "
                                         "Please type the text without it.")
                              .arg(*character));
            return false;
        }
    }
    return true;
}
