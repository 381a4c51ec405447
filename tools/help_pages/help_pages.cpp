// Velmora Organizer help pages.
//
// Writes the 54 Rich Text Format documents of the help viewer (34 pages and
// 20 placeholders) from the page texts in pages.txt and the finance toolbar
// pictures. It is a stand-alone helper, not part of the organizer's build.
//
// Build and run from the repository root:
//   g++ -std=c++20 -O2 -fPIC tools/help_pages/help_pages.cpp -o /tmp/help_pages $(pkg-config --cflags --libs Qt6Gui)
//   QT_QPA_PLATFORM=offscreen /tmp/help_pages tools/help_pages/pages.txt assets
//
// pages.txt, one paragraph per line:
//   @page N Title     starts page N (1, 11 .. 85) with its title
//   (an empty line)   an empty paragraph
//   ## Heading        a section heading, bold
//   - Step            a bulleted step with a hanging indent
//   > Detail          a step's detail, indented without bullet
//   Text              a body paragraph
//   // ...            a comment, not written
// Inside a paragraph: *text* is italic, ^text^ is raised small text (an
// ordinal suffix), [picture:key] is the toolbar picture
// assets/toolbar_<key>.png (16 x 16). Text is UTF-8 and must fit code page
// 1252.
//
// Every page: the title in Arial 14 pt bold blue, an empty paragraph, the body
// in Arial 10 pt black. Pages 51 and on have a right indent of 57 twips on
// every paragraph. A placeholder holds its box's key ("2-5") in MS Sans Serif
// 8.5 pt.

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStringEncoder>
#include <QTextStream>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <map>
#include <set>

namespace {

const char* const Header =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033\\deftab720"
    "{\\fonttbl{\\f0\\fswiss\\fcharset0 MS Sans Serif;}{\\f1\\froman\\fcharset2 Symbol;}"
    "{\\f2\\fswiss\\fcharset0 Arial;}{\\f3\\fswiss\\fcharset0 MS Sans Serif;}}\r\n"
    "{\\colortbl\\red0\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
    "\\viewkind4\\uc1";

const std::set<int> ContentPages{1,  11, 12, 13, 14, 15, 21, 22, 23, 24, 31, 32, 33, 34, 41, 51, 52,
                                 53, 61, 62, 63, 64, 65, 66, 71, 72, 73, 74, 75, 81, 82, 83, 84, 85};

[[noreturn]] void fail(const QString& text) {
    std::fprintf(stderr, "%s\n", qPrintable(text));
    std::exit(1);
}

void putWord(QByteArray& out, quint16 v) {
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}
void putDword(QByteArray& out, quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

// A 24-bit device-independent bitmap of the picture laid on white, bottom row first.
QByteArray dib(const QImage& picture) {
    QImage img(picture.size(), QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.drawImage(0, 0, picture);
    }
    QByteArray out;
    putDword(out, 40);
    putDword(out, quint32(img.width()));
    putDword(out, quint32(img.height()));
    putWord(out, 1);
    putWord(out, 24);
    putDword(out, 0);  // uncompressed
    const int stride = ((img.width() * 24 + 31) / 32) * 4;
    putDword(out, quint32(stride * img.height()));
    putDword(out, 3780);  // 96 dpi
    putDword(out, 3780);
    putDword(out, 0);
    putDword(out, 0);
    for (int y = img.height() - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        QByteArray line;
        for (int x = 0; x < img.width(); ++x) {
            line.append(char(qBlue(row[x])));
            line.append(char(qGreen(row[x])));
            line.append(char(qRed(row[x])));
        }
        line.append(QByteArray(stride - line.size(), '\0'));
        out += line;
    }
    return out;
}

// A Windows metafile that stretches the bitmap over its window.
QByteArray metafile(const QImage& picture) {
    const QByteArray bitmap = dib(picture);
    const quint16 w = quint16(picture.width()), h = quint16(picture.height());
    QByteArray records;
    auto record = [&](quint16 function, const QByteArray& params) {
        putDword(records, quint32(3 + params.size() / 2));
        putWord(records, function);
        records += params;
    };
    QByteArray p;
    putWord(p, 0);  // y, x
    putWord(p, 0);
    record(0x020B, p);  // SetWindowOrg
    p.clear();
    putWord(p, h);
    putWord(p, w);
    record(0x020C, p);  // SetWindowExt
    p.clear();
    putDword(p, 0x00CC0020);  // SRCCOPY
    putWord(p, 0);            // colours are RGB values
    for (quint16 v : {h, w, quint16(0), quint16(0), h, w, quint16(0), quint16(0)}) putWord(p, v);
    p += bitmap;
    const quint32 largest = quint32(3 + p.size() / 2);
    record(0x0F43, p);  // StretchDIB
    record(0x0000, {});  // end of file

    QByteArray out;
    putWord(out, 1);       // in memory
    putWord(out, 9);       // header words
    putWord(out, 0x0300);  // version
    putDword(out, quint32((18 + records.size()) / 2));
    putWord(out, 0);  // objects
    putDword(out, largest);
    putWord(out, 0);
    return out + records;
}

class PageWriter {
public:
    PageWriter(int page, const QString& assets) : page_(page), assets_(assets) {}

    QByteArray title(const QString& text) {
        return "\\pard" + rightIndent() + "\\cf1\\b\\f2\\fs28 " + escaped(text) + "\\par\r\n" +
               "\\cf0\\b0\\fs20\\par\r\n";
    }

    QByteArray paragraph(const QString& line) {
        const QByteArray ri = rightIndent();
        if (line.isEmpty()) return "\\pard" + ri + "\\par\r\n";
        if (line.startsWith(QLatin1String("## "))) return "\\pard" + ri + "\\b " + inline_(line.mid(3)) + "\\b0\\par\r\n";
        if (line.startsWith(QLatin1String("- ")))
            return "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}\\fi-360\\li360" + ri +
                   "\\tx360 " + inline_(line.mid(2)) + "\\par\r\n";
        if (line.startsWith(QLatin1String("> "))) return "\\pard\\li720" + ri + " " + inline_(line.mid(2)) + "\\par\r\n";
        return "\\pard" + ri + " " + inline_(line) + "\\par\r\n";
    }

private:
    QByteArray rightIndent() const { return page_ >= 51 ? "\\ri57" : ""; }

    // Italics, raised text and pictures inside a paragraph.
    QByteArray inline_(const QString& text) {
        QByteArray out;
        bool italic = false, raised = false;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (c == u'*') {
                if (page_ < 51) fail(QStringLiteral("page %1: italics are for pages 51 and on").arg(page_));
                italic = !italic;
                out += italic ? "\\i " : "\\i0 ";
            } else if (c == u'^') {
                raised = !raised;
                out += raised ? "{\\up10\\fs13 " : "}";
            } else if (text.mid(i).startsWith(QLatin1String("[picture:"))) {
                const qsizetype end = text.indexOf(u']', i);
                if (end < 0) fail(QStringLiteral("page %1: unclosed picture").arg(page_));
                out += picture(text.mid(i + 9, end - i - 9));
                i = end;
            } else {
                out += escaped(QString(c));
            }
        }
        if (italic || raised) fail(QStringLiteral("page %1: unclosed * or ^ in: %2").arg(page_).arg(text));
        return out;
    }

    QByteArray picture(const QString& key) {
        const QString path = QDir(assets_).filePath(QStringLiteral("toolbar_%1.png").arg(key));
        const QImage image(path);
        if (image.isNull() || image.size() != QSize(16, 16)) fail(QStringLiteral("no 16 x 16 picture %1").arg(path));
        const int goal = page_ == 52 ? 239 : 235;  // twips
        const int himetric = qRound(image.width() * 2540.0 / 96.0);
        QByteArray out = "{\\pict\\wmetafile8\\picw" + QByteArray::number(himetric) + "\\pich" +
                         QByteArray::number(himetric) + "\\picwgoal" + QByteArray::number(goal) + "\\pichgoal" +
                         QByteArray::number(goal) + "\r\n";
        const QByteArray hex = metafile(image).toHex();
        for (qsizetype at = 0; at < hex.size(); at += 128) out += hex.mid(at, 128) + "\r\n";
        return out + "}";
    }

    QByteArray escaped(const QString& text) const {
        QStringEncoder encoder("windows-1252");
        QByteArray out;
        for (QChar c : text) {
            const QByteArray b = encoder.encode(QString(c));
            if (encoder.hasError() || b.size() != 1) fail(QStringLiteral("page %1: not in code page 1252: %2").arg(page_).arg(c));
            const unsigned char byte = static_cast<unsigned char>(b.at(0));
            if (byte == '\\' || byte == '{' || byte == '}') out += '\\' + b;
            else if (byte >= 0x80) out += "\\'" + QByteArray::number(byte, 16);
            else out += b;
        }
        return out;
    }

    int page_;
    QString assets_;
};

QByteArray placeholder(int k) {
    return QByteArray(Header) + "\\pard\\f0\\fs17 " + QByteArray::number(k / 10) + "-" + QByteArray::number(k % 10) +
           "\\par\r\n}\r\n";
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) fail(QStringLiteral("usage: help_pages pages.txt assets-folder"));
    QFile source(args[1]);
    if (!source.open(QIODevice::ReadOnly | QIODevice::Text)) fail(QStringLiteral("cannot read %1").arg(args[1]));
    const QString assets = args[2];

    std::map<int, QByteArray> pages;
    int current = 0;
    std::unique_ptr<PageWriter> writer;
    QTextStream in(&source);
    in.setEncoding(QStringConverter::Utf8);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.startsWith(QLatin1String("//"))) continue;
        if (line.startsWith(QLatin1String("@page "))) {
            const qsizetype space = line.indexOf(u' ', 6);
            current = line.mid(6, space - 6).toInt();
            if (!ContentPages.count(current) || pages.count(current)) fail(QStringLiteral("bad page: %1").arg(line));
            writer = std::make_unique<PageWriter>(current, assets);
            pages[current] = QByteArray(Header) + writer->title(line.mid(space + 1));
            continue;
        }
        if (!current) {
            if (line.trimmed().isEmpty()) continue;
            fail(QStringLiteral("text before the first page: %1").arg(line));
        }
        pages[current] += writer->paragraph(line);
    }
    // Trailing empty paragraphs of a page are dropped.
    for (auto& [k, rtf] : pages) {
        const QByteArray empty = k >= 51 ? "\\pard\\ri57\\par\r\n" : "\\pard\\par\r\n";
        while (rtf.endsWith(empty)) rtf.chop(empty.size());
        rtf += "}\r\n";
    }

    QDir().mkpath(QDir(assets).filePath(QStringLiteral("help")));
    for (int chapter = 0; chapter <= 8; ++chapter) {
        for (int topic = 1; topic <= 6; ++topic) {
            const int k = 10 * chapter + topic;
            QByteArray rtf;
            if (ContentPages.count(k)) {
                if (!pages.count(k)) fail(QStringLiteral("page %1 is missing").arg(k));
                rtf = pages[k];
            } else {
                rtf = placeholder(k);
            }
            const QString path = QDir(assets).filePath(QStringLiteral("help/help_%1.rtf").arg(k, 2, 10, QLatin1Char('0')));
            QFile out(path);
            if (!out.open(QIODevice::WriteOnly) || out.write(rtf) != rtf.size()) fail(QStringLiteral("cannot write %1").arg(path));
            std::printf("%s %6lld bytes\n", qPrintable(path), static_cast<long long>(rtf.size()));
        }
    }
    return 0;
}
