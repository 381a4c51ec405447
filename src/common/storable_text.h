#pragma once
#include <QStringList>
#include <optional>

// Whether the typed texts can be kept in the record files exactly. When one
// holds a character the files' 8-bit character set lacks, the user is told
// which one, and the caller writes nothing: a text is never stored changed.
bool CheckStorableText(const QStringList& texts);

// The first character of the text that the files' character set lacks; none
// when the text can be kept exactly.
std::optional<QString> UnstorableCharacter(QStringView text);
