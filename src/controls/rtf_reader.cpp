#include "controls/rtf_reader.h"

#include <QColor>
#include <QFontMetricsF>
#include <QList>
#include <QMap>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

#include "common/text1252.h"
#include "common/twips.h"

namespace {

// ---------------------------------------------------------------------------
// Pictures

constexpr int MaxPictureSide = 4096;

quint16 word(const QByteArray& data, qsizetype at) { return qFromLittleEndian<quint16>(data.constData() + at); }
quint32 dword(const QByteArray& data, qsizetype at) { return qFromLittleEndian<quint32>(data.constData() + at); }

// ---------------------------------------------------------------------------
// The document reader

// A font of the font table; charset 2 is the symbol character set.
struct Font {
    QString name;
    int charset = 0;
};

struct CharState {
    int font = 0;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    int colour = 0;
    int raiseHalfPoints = 0;
    bool operator==(const CharState&) const = default;
};

struct ParaState {
    int left = 0, first = 0, right = 0;  // twips
    QList<int> tabs;                     // twips
};

enum class Destination { Text, FontTable, ColourTable, Picture, Skip };

struct GroupState {
    CharState chars;
    ParaState para;
    Destination destination = Destination::Text;
    int unicodeSkip = 1;
};

struct Picture {
    QByteArray hex;  // the picture's bytes as hex digits
    bool metafile = false;
    int widthHimetric = 0, heightHimetric = 0;
    int goalWidth = 0, goalHeight = 0;  // twips
};

// Symbol-font characters as Unicode; the documents use the bullet only.
QChar symbolChar(unsigned char byte) {
    if (byte == 0xB7) return QChar(0x2022);
    return Text1252::decode(reinterpret_cast<const char*>(&byte), 1).at(0);
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

double pixels(int twips) { return twips / Twips::PerPixel; }

class Reader {
public:
    Reader(const QByteArray& rtf, QTextDocument& document) : in_(rtf), document_(document), cursor_(&document) {}

    void run() {
        document_.clear();
        cursor_ = QTextCursor(&document_);
        groups_.push_back(GroupState{});
        while (pos_ < in_.size()) {
            const char c = in_.at(pos_);
            if (c == '{') {
                ++pos_;
                flushText();
                groups_.push_back(groups_.back());
                ignorableNext_ = false;
            } else if (c == '}') {
                ++pos_;
                endGroup();
            } else if (c == '\\') {
                ++pos_;
                controlWord();
            } else if (c == '\r' || c == '\n') {
                ++pos_;
            } else {
                ++pos_;
                character(static_cast<unsigned char>(c));
            }
        }
        // A document cut short: close what is open, so a picture read to the
        // end is still tried.
        while (groups_.size() > 1) endGroup();
        flushText();
        finishParagraph();
    }

private:
    GroupState& state() { return groups_.back(); }

    void endGroup() {
        flushText();
        if (groups_.size() <= 1) return;  // an unbalanced closing brace
        const Destination ended = state().destination;
        groups_.pop_back();
        if (ended == Destination::Picture && state().destination != Destination::Picture) insertPicture();
    }

    // A control word or control symbol; pos_ is just past the backslash.
    void controlWord() {
        if (pos_ >= in_.size()) return;
        const char c = in_.at(pos_);
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++pos_;
            controlSymbol(c);
            return;
        }
        const qsizetype start = pos_;
        while (pos_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_.at(pos_))) && pos_ - start < 32) ++pos_;
        const QByteArray name = in_.mid(start, pos_ - start);
        bool hasParam = false;
        long long param = 0;
        bool negative = false;
        if (pos_ < in_.size() && in_.at(pos_) == '-') {
            negative = true;
            ++pos_;
        }
        const qsizetype digits = pos_;
        while (pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_.at(pos_))) && pos_ - digits < 10) {
            param = param * 10 + (in_.at(pos_) - '0');
            ++pos_;
        }
        hasParam = pos_ > digits;
        if (negative) param = -param;
        if (pos_ < in_.size() && in_.at(pos_) == ' ') ++pos_;  // the delimiting space belongs to the word
        word(name, hasParam, int(std::clamp<long long>(param, -1000000, 1000000)));
    }

    void controlSymbol(char c) {
        switch (c) {
        case '\'': {
            if (pos_ + 2 > in_.size()) {
                pos_ = in_.size();
                return;
            }
            const int hi = hexValue(in_.at(pos_)), lo = hexValue(in_.at(pos_ + 1));
            pos_ += 2;
            if (hi >= 0 && lo >= 0) character(static_cast<unsigned char>(hi * 16 + lo), true);
            return;
        }
        case '*': ignorableNext_ = true; return;
        case '\\': case '{': case '}': character(static_cast<unsigned char>(c), true); return;
        case '~': text(QChar(0x00A0)); return;
        case '_': text(QChar(0x2011)); return;
        case '\r': case '\n': paragraph(); return;  // a backslash before a line break is a paragraph mark
        default: return;                            // \- (optional hyphen) and the rest: nothing to show
        }
    }

    void word(const QByteArray& name, bool hasParam, int param) {
        GroupState& s = state();
        const bool ignorable = ignorableNext_;
        ignorableNext_ = false;
        const bool on = !hasParam || param != 0;

        // Destinations.
        if (name == "fonttbl") { s.destination = Destination::FontTable; return; }
        if (name == "colortbl") { s.destination = Destination::ColourTable; colourParts_ = {-1, -1, -1}; return; }
        if (name == "pict") { s.destination = Destination::Picture; picture_ = Picture{}; return; }
        if (ignorable || name == "stylesheet" || name == "info" || name == "pn" || name == "header" ||
            name == "footer" || name == "footnote" || name == "field" || name == "object" || name == "listtable" ||
            name == "listoverridetable" || name == "falt" || name == "panose") {
            s.destination = Destination::Skip;
            return;
        }
        if (s.destination == Destination::Skip) return;

        if (s.destination == Destination::FontTable) {
            if (name == "f") fontIndex_ = param;
            else if (name == "fcharset") fonts_[fontIndex_].charset = param;
            return;
        }
        if (s.destination == Destination::ColourTable) {
            const int value = std::clamp(param, 0, 255);
            if (name == "red") colourParts_[0] = value;
            else if (name == "green") colourParts_[1] = value;
            else if (name == "blue") colourParts_[2] = value;
            return;
        }
        if (s.destination == Destination::Picture) {
            if (name == "wmetafile") picture_.metafile = true;
            else if (name == "picw") picture_.widthHimetric = param;
            else if (name == "pich") picture_.heightHimetric = param;
            else if (name == "picwgoal") picture_.goalWidth = param;
            else if (name == "pichgoal") picture_.goalHeight = param;
            else if (name == "bin" && param > 0) {
                // Raw bytes instead of hex digits: taken as they are.
                const qsizetype n = std::min<qsizetype>(param, in_.size() - pos_);
                picture_.hex += in_.mid(pos_, n).toHex();
                pos_ += n;
            }
            return;
        }

        // Document text.
        if (name == "par") { paragraph(); return; }
        if (name == "tab") { text(QChar(u'\t')); return; }
        if (name == "line") { text(QChar(QChar::LineSeparator)); return; }
        if (name == "bullet") { text(QChar(0x2022)); return; }
        if (name == "endash") { text(QChar(0x2013)); return; }
        if (name == "emdash") { text(QChar(0x2014)); return; }
        if (name == "lquote") { text(QChar(0x2018)); return; }
        if (name == "rquote") { text(QChar(0x2019)); return; }
        if (name == "ldblquote") { text(QChar(0x201C)); return; }
        if (name == "rdblquote") { text(QChar(0x201D)); return; }
        if (name == "u" && hasParam) {
            text(QChar(char16_t(param < 0 ? param + 65536 : param)));
            skipFallback_ = s.unicodeSkip;
            return;
        }
        if (name == "uc") { s.unicodeSkip = std::max(0, param); return; }

        // Formatting changes apply to the text that follows.
        flushText();
        CharState& ch = s.chars;
        ParaState& pa = s.para;
        if (name == "deff") defaultFont_ = param;
        else if (name == "deftab" && param > 0) defaultTab_ = param;
        else if (name == "plain") ch = CharState{defaultFont_};
        else if (name == "b") ch.bold = on;
        else if (name == "i") ch.italic = on;
        else if (name == "f") ch.font = param;
        else if (name == "fs" && hasParam && param > 0) ch.halfPoints = param;
        else if (name == "cf") ch.colour = param;
        else if (name == "up") ch.raiseHalfPoints = hasParam ? param : 6;
        else if (name == "dn") ch.raiseHalfPoints = -(hasParam ? param : 6);
        else if (name == "nosupersub") ch.raiseHalfPoints = 0;
        else if (name == "pard") pa = ParaState{};
        else if (name == "li") pa.left = param;
        else if (name == "fi") pa.first = param;
        else if (name == "ri") pa.right = param;
        else if (name == "tx") pa.tabs.append(param);
        // Any other control word is skipped.
    }

    // One character of text (a byte of the document, or one given as \'hh).
    void character(unsigned char byte, bool escaped = false) {
        GroupState& s = state();
        if (skipFallback_ > 0) {
            --skipFallback_;
            return;
        }
        switch (s.destination) {
        case Destination::Skip: return;
        case Destination::FontTable:
            if (byte == ';') {
                fonts_[fontIndex_].name = fontName_.trimmed();
                fontName_.clear();
            } else {
                fontName_ += Text1252::decode(reinterpret_cast<const char*>(&byte), 1);
            }
            return;
        case Destination::ColourTable:
            if (byte == ';') {
                colours_.append(colourParts_[0] < 0 && colourParts_[1] < 0 && colourParts_[2] < 0
                                    ? QColor()
                                    : QColor(std::max(0, colourParts_[0]), std::max(0, colourParts_[1]),
                                             std::max(0, colourParts_[2])));
                colourParts_ = {-1, -1, -1};
            }
            return;
        case Destination::Picture:
            if (hexValue(char(byte)) >= 0) picture_.hex.append(char(byte));
            return;
        case Destination::Text: break;
        }
        if (!escaped && byte < 0x20) return;
        const Font& font = fonts_.value(s.chars.font);
        text(font.charset == 2 ? symbolChar(byte) : Text1252::decode(reinterpret_cast<const char*>(&byte), 1).at(0));
    }

    void text(QChar c) {
        if (state().destination != Destination::Text) return;
        if (!pending_.isEmpty() && pendingFormat_ != state().chars) flushText();
        if (pending_.isEmpty()) pendingFormat_ = state().chars;
        startParagraphIfNeeded();
        pending_.append(c);
    }

    void flushText() {
        if (pending_.isEmpty()) return;
        cursor_.insertText(pending_, charFormat(pendingFormat_));
        pending_.clear();
    }

    // A paragraph mark ends the paragraph with the properties in effect now;
    // the next paragraph begins only when something follows, so a document
    // ending in a mark has no empty paragraph after it.
    void paragraph() {
        if (state().destination != Destination::Text) return;
        flushText();
        startParagraphIfNeeded();
        finishParagraph();
        paragraphOpen_ = false;
    }

    void startParagraphIfNeeded() {
        if (paragraphOpen_) return;
        if (!firstParagraph_) cursor_.insertBlock();
        firstParagraph_ = false;
        paragraphOpen_ = true;
    }

    void finishParagraph() {
        if (!paragraphOpen_) return;
        cursor_.setBlockFormat(blockFormat(state().para));
        cursor_.setBlockCharFormat(charFormat(state().chars));
    }

    QTextBlockFormat blockFormat(const ParaState& para) const {
        QTextBlockFormat f;
        f.setLeftMargin(pixels(para.left));
        f.setTextIndent(pixels(para.first));
        f.setRightMargin(pixels(para.right));
        QList<QTextOption::Tab> tabs;
        for (int t : para.tabs) tabs.append(QTextOption::Tab(pixels(t), QTextOption::LeftTab));
        f.setTabPositions(tabs);
        return f;
    }

    QTextCharFormat charFormat(const CharState& ch) const {
        QTextCharFormat f;
        Font font = fonts_.value(ch.font, fonts_.value(defaultFont_));
        // Text of a symbol font has been turned into Unicode characters as it
        // was read; the document's default font shows them.
        if (font.charset == 2) font = fonts_.value(defaultFont_);
        if (!font.name.isEmpty()) f.setFontFamilies(QStringList{font.name});
        f.setFontPointSize(ch.halfPoints / 2.0);
        f.setFontWeight(ch.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(ch.italic);
        if (ch.colour >= 0 && ch.colour < colours_.size() && colours_.at(ch.colour).isValid())
            f.setForeground(colours_.at(ch.colour));
        if (ch.raiseHalfPoints != 0) {
            // The raise is given in half points; the layout takes a share of
            // the line height of the raised text's own font.
            QFont shown(font.name);
            shown.setPointSizeF(ch.halfPoints / 2.0);
            const double height = QFontMetricsF(shown).height();
            const double raise = ch.raiseHalfPoints / 2.0 * 96.0 / 72.0;
            if (height > 0) f.setBaselineOffset(100.0 * raise / height);
        }
        return f;
    }

    void insertPicture() {
        const Picture pic = picture_;
        picture_ = Picture{};
        if (!pic.metafile) return;
        const QImage image = Rtf::metafileBitmap(QByteArray::fromHex(pic.hex));
        if (image.isNull()) return;
        const QUrl name(QStringLiteral("rtf-picture:%1").arg(++pictureCount_));
        document_.addResource(QTextDocument::ImageResource, name, image);
        QTextImageFormat f;
        f.setName(name.toString());
        const double width = pic.goalWidth > 0 ? pixels(pic.goalWidth)
                             : pic.widthHimetric > 0 ? pic.widthHimetric * 96.0 / 2540.0 : image.width();
        const double height = pic.goalHeight > 0 ? pixels(pic.goalHeight)
                              : pic.heightHimetric > 0 ? pic.heightHimetric * 96.0 / 2540.0 : image.height();
        f.setWidth(qRound(width));
        f.setHeight(qRound(height));
        startParagraphIfNeeded();
        cursor_.insertImage(f);
    }

    const QByteArray& in_;
    qsizetype pos_ = 0;
    QTextDocument& document_;
    QTextCursor cursor_;
    std::vector<GroupState> groups_;
    bool ignorableNext_ = false;
    int skipFallback_ = 0;

    QMap<int, Font> fonts_;
    int fontIndex_ = 0;
    QString fontName_;
    int defaultFont_ = 0;
    int defaultTab_ = 720;
    QList<QColor> colours_;
    std::array<int, 3> colourParts_{-1, -1, -1};
    Picture picture_;
    int pictureCount_ = 0;

    QString pending_;
    CharState pendingFormat_;
    bool paragraphOpen_ = false;
    bool firstParagraph_ = true;

public:
    int defaultTab() const { return defaultTab_; }
};

}  // namespace

namespace Rtf {

void read(const QByteArray& rtf, QTextDocument& document) {
    Reader reader(rtf, document);
    reader.run();
    QTextOption option = document.defaultTextOption();
    option.setTabStopDistance(pixels(reader.defaultTab()));
    document.setDefaultTextOption(option);
}

QImage metafileBitmap(const QByteArray& metafile) {
    qsizetype at = 0;
    // A placeable metafile starts with a 22-byte header of its own.
    if (metafile.size() >= 22 && dword(metafile, 0) == 0x9AC6CDD7u) at = 22;
    if (metafile.size() - at < 18) return {};
    const quint16 type = word(metafile, at);
    const quint16 headerWords = word(metafile, at + 2);
    if ((type != 1 && type != 2) || headerWords != 9) return {};
    at += 18;
    while (metafile.size() - at >= 6) {
        const qint64 recordBytes = qint64(dword(metafile, at)) * 2;
        const quint16 function = word(metafile, at + 4);
        if (recordBytes < 6 || recordBytes > metafile.size() - at) return {};
        const QByteArray record = metafile.mid(at, recordBytes);
        at += recordBytes;
        qsizetype bitmapAt = 0;
        switch (function) {
        case 0x0000: return {};             // end of the metafile
        case 0x0F43: bitmapAt = 28; break;  // StretchDIB
        case 0x0B41: bitmapAt = 26; break;  // DIBStretchBlt
        case 0x0940: bitmapAt = 22; break;  // DIBBitBlt
        default: continue;
        }
        if (record.size() > bitmapAt) return dibImage(record.mid(bitmapAt));
    }
    return {};
}

QImage dibImage(const QByteArray& dib) {
    if (dib.size() < 40) return {};
    const quint32 headerSize = dword(dib, 0);
    if (headerSize < 40 || headerSize > quint32(dib.size())) return {};
    const qint32 width = qint32(dword(dib, 4));
    const qint32 rawHeight = qint32(dword(dib, 8));
    const int bits = word(dib, 14);
    const quint32 compression = dword(dib, 16);
    const quint32 usedColours = dword(dib, 32);
    const bool topDown = rawHeight < 0;
    const qint64 height = topDown ? -qint64(rawHeight) : rawHeight;
    if (width <= 0 || height <= 0 || width > MaxPictureSide || height > MaxPictureSide || compression != 0) return {};
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return {};

    QList<QRgb> palette;
    qint64 at = headerSize;
    if (bits <= 8) {
        const qint64 entries = usedColours ? std::min<qint64>(usedColours, 1 << bits) : (1 << bits);
        if (at + entries * 4 > dib.size()) return {};
        for (qint64 i = 0; i < entries; ++i, at += 4) {
            const auto* p = reinterpret_cast<const uchar*>(dib.constData() + at);
            palette.append(qRgb(p[2], p[1], p[0]));
        }
    }
    const qint64 stride = ((qint64(width) * bits + 31) / 32) * 4;
    if (at + stride * height > dib.size()) return {};

    QImage image(width, int(height), QImage::Format_RGB32);
    for (qint64 row = 0; row < height; ++row) {
        const auto* src = reinterpret_cast<const uchar*>(dib.constData() + at + row * stride);
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(int(topDown ? row : height - 1 - row)));
        for (qint32 x = 0; x < width; ++x) {
            if (bits == 24) {
                dst[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
            } else if (bits == 32) {
                dst[x] = qRgb(src[4 * x + 2], src[4 * x + 1], src[4 * x]);
            } else {
                const int perByte = 8 / bits;
                const int shift = 8 - bits * (x % perByte + 1);
                const int index = (src[x / perByte] >> shift) & ((1 << bits) - 1);
                dst[x] = index < palette.size() ? palette.at(index) : qRgb(0, 0, 0);
            }
        }
    }
    return image;
}

}  // namespace Rtf
