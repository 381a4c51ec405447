#pragma once
#include <QByteArray>
#include <QImage>

class QTextDocument;

// A small, strict reader of Rich Text Format (version 1, code page 1252) for
// the documents this program carries. It understands the font and colour
// tables; paragraphs with left, first-line and right indents and tab stops;
// bold, italic, font, size, colour and raised text; tabs and the Symbol-font
// bullet; and pictures stored as Windows metafiles that draw one
// device-independent bitmap. Every other control word is skipped, as are
// groups the reader does not display (marked "\*", style sheets, document
// information), so no control word ever shows as text.
//
// Damaged input never fails: unbalanced braces are ignored, a picture that
// cannot be decoded is left out, and all readable text is shown.
namespace Rtf {

// Replaces the document's content with the RTF document.
void read(const QByteArray& rtf, QTextDocument& document);

// The bitmap that a Windows metafile draws with a device-independent-bitmap
// record; a null image when there is none or the data is damaged.
QImage metafileBitmap(const QByteArray& metafile);

// A device-independent bitmap (header, colour table, pixels; uncompressed,
// 1, 4, 8, 24 or 32 bits per pixel); a null image when the data is damaged.
QImage dibImage(const QByteArray& dib);

}  // namespace Rtf
