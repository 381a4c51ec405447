#pragma once
#include <QStringList>

// Whether the typed texts can be kept in the record files exactly. When one
// holds a character the files' 8-bit character set lacks, the user is told
// which one, and the caller writes nothing: a text is never stored changed.
bool CheckStorableText(const QStringList& texts);
