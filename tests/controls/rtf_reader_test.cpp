#include <gtest/gtest.h>

#include <QDataStream>
#include <QFile>
#include <QScrollBar>
#include <QTest>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QtEndian>

#include "controls/rich_text_box.h"
#include "controls/rtf_reader.h"

namespace {

const QByteArray Tables =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033\\deftab720"
    "{\\fonttbl{\\f0\\fswiss\\fcharset0 MS Sans Serif;}{\\f1\\froman\\fcharset2 Symbol;}"
    "{\\f2\\fswiss\\fcharset0 Arial;}}\r\n{\\colortbl\\red0\\green0\\blue0;\\red0\\green0\\blue255;}\r\n";

std::unique_ptr<QTextDocument> read(const QByteArray& rtf) {
    auto doc = std::make_unique<QTextDocument>();
    Rtf::read(rtf, *doc);
    return doc;
}

QStringList blocks(const QTextDocument& doc) {
    QStringList out;
    for (QTextBlock b = doc.firstBlock(); b.isValid(); b = b.next()) out << b.text();
    return out;
}

// "text|bold italic size colour" for every run of text of a block.
QStringList runs(const QTextBlock& block) {
    QStringList out;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat f = it.fragment().charFormat();
        out << QStringLiteral("%1|%2%3 %4 %5 %6")
                   .arg(it.fragment().text(), f.fontWeight() == QFont::Bold ? "b" : "", f.fontItalic() ? "i" : "")
                   .arg(f.fontPointSize())
                   .arg(f.fontFamilies().toStringList().value(0))
                   .arg(f.foreground().style() == Qt::NoBrush ? QStringLiteral("auto") : f.foreground().color().name());
    }
    return out;
}

// Little-endian words and double words, as bitmaps and metafiles store them.
template <typename... Words>
QByteArray words(Words... values) {
    QByteArray out;
    QDataStream stream(&out, QIODevice::WriteOnly);
    stream.setByteOrder(QDataStream::LittleEndian);
    (stream << ... << values);
    return out;
}

// A device-independent bitmap of `bits` per pixel from rows given top first,
// stored bottom first; `palette` for the bitmaps with a colour table.
QByteArray dib(int width, const std::vector<QByteArray>& rowsTopFirst, int bits, const QList<QRgb>& palette = {}) {
    QByteArray out = words(quint32(40), qint32(width), qint32(rowsTopFirst.size()), quint16(1), quint16(bits), quint32(0),
                           quint32(0), quint32(0), quint32(0), quint32(palette.size()), quint32(0));
    for (QRgb c : palette) out += words(quint32(c & 0xFFFFFF));  // blue, green, red, unused
    const int stride = ((width * bits + 31) / 32) * 4;
    for (auto row = rowsTopFirst.rbegin(); row != rowsTopFirst.rend(); ++row) out += *row + QByteArray(stride - row->size(), '\0');
    return out;
}

// A metafile that sets its window, then draws the bitmap with a StretchDIB
// record. The shipped pages' pictures are checked with the help pages.
QByteArray metafile(const QByteArray& bitmap) {
    QByteArray records;
    auto record = [&](quint16 fn, const QByteArray& params) {
        records += words(quint32(3 + params.size() / 2), fn) + params;
    };
    record(0x020C, words(quint16(16), quint16(16)));
    record(0x0F43, words(quint32(0x00CC0020), quint16(0), quint16(16), quint16(16), quint16(0), quint16(0), quint16(16),
                         quint16(16), quint16(0), quint16(0)) +
                       bitmap);
    record(0, {});
    return words(quint16(1), quint16(9), quint16(0x0300), quint32((18 + records.size()) / 2), quint16(0), quint32(0),
                 quint16(0)) +
           records;
}

QByteArray pict(const QByteArray& data) {
    return "{\\pict\\wmetafile8\\picw423\\pich423\\picwgoal235\\pichgoal235\r\n" + data.toHex() + "\r\n}";
}

// A 2 x 2 24-bit bitmap: red, green on top; blue, white below.
QByteArray fourColours() {
    const QByteArray top("\x00\x00\xFF\x00\xFF\x00", 6);
    const QByteArray bottom("\xFF\x00\x00\xFF\xFF\xFF", 6);
    return dib(2, {top, bottom}, 24);
}

TEST(RtfReader, CharacterFormattingFollowsTheControlWordsAndGroups) {
    const auto doc = read(Tables +
                          "\\viewkind4\\uc1\\pard\\cf1\\b\\f2\\fs28 Title\\par\r\n"
                          "\\cf0\\b0\\fs20 plain {\\i grouped italic} \\b bold\\b0  and \\i on\\i0 , "
                          "{\\fs13 small}\\par\r\n"
                          "\\plain back to the default\\par\r\n}");
    EXPECT_EQ(blocks(*doc), QStringList({"Title", "plain grouped italic bold and on, small", "back to the default"}));
    EXPECT_EQ(runs(doc->firstBlock()), QStringList{"Title|b 14 Arial #0000ff"});
    EXPECT_EQ(runs(doc->firstBlock().next()),
              QStringList({"plain | 10 Arial #000000", "grouped italic|i 10 Arial #000000", " | 10 Arial #000000",
                           "bold|b 10 Arial #000000", " and | 10 Arial #000000", "on|i 10 Arial #000000",
                           ", | 10 Arial #000000", "small| 6.5 Arial #000000"}));
    EXPECT_EQ(runs(doc->lastBlock()), QStringList{"back to the default| 12 MS Sans Serif #000000"});
}

// Paragraphs, indents, bullets and tab stops are checked on the real pages with the help pages.
TEST(RtfReader, UnknownControlWordsAndGroupsNeverShowAsText) {
    const auto doc = read(Tables +
                          "{\\*\\generator Writer 5.1;}{\\stylesheet{\\s0 Normal;}}{\\info{\\title Secret}}"
                          "\\pard\\sa200\\sl276\\slmult1\\lang9\\f2\\fs20 One \\foo12 two \\bar three "
                          "\\{braces\\} and \\\\ back\\~slash\\-es \\'96 \\'80\\par\r\n"
                          "\\u8364? euro {\\uc2\\u8226 xx}bullet\\par\r\n}");
    EXPECT_EQ(blocks(*doc), QStringList({QStringLiteral("One two three {braces} and \\ back\u00a0slashes \u2013 \u20ac"),
                                         QStringLiteral("\u20ac euro \u2022bullet")}));
}

TEST(RtfReader, DamagedBitmapsAndMetafilesGiveNoPicture) {
    const QByteArray good = fourColours();
    EXPECT_FALSE(Rtf::dibImage(good).isNull());
    EXPECT_TRUE(Rtf::dibImage(good.left(good.size() - 1)).isNull()) << "pixels cut short";
    EXPECT_TRUE(Rtf::dibImage(good.left(30)).isNull()) << "header cut short";
    QByteArray huge = good;
    qToLittleEndian<quint32>(100000, huge.data() + 4);
    EXPECT_TRUE(Rtf::dibImage(huge).isNull()) << "an absurd width";
    QByteArray compressed = good;
    qToLittleEndian<quint32>(1, compressed.data() + 16);
    EXPECT_TRUE(Rtf::dibImage(compressed).isNull()) << "compressed bitmaps are not read";
    QByteArray manyColours = dib(1, {QByteArray("\x00", 1)}, 8, {qRgb(1, 2, 3)});
    qToLittleEndian<quint32>(0xFFFFFFF, manyColours.data() + 32);
    EXPECT_TRUE(Rtf::dibImage(manyColours).isNull()) << "a colour table longer than the data";

    const QByteArray wmf = metafile(good);
    EXPECT_FALSE(Rtf::metafileBitmap(wmf).isNull());
    EXPECT_TRUE(Rtf::metafileBitmap(wmf.left(wmf.size() - 20)).isNull()) << "the drawing record cut short";
    EXPECT_TRUE(Rtf::metafileBitmap(wmf.left(17)).isNull());
    QByteArray zeroRecord = wmf;
    qToLittleEndian<quint32>(0, zeroRecord.data() + 18);
    EXPECT_TRUE(Rtf::metafileBitmap(zeroRecord).isNull()) << "a record of no length ends the reading";
    EXPECT_TRUE(Rtf::metafileBitmap(QByteArray(64, '\xFF')).isNull());
}

TEST(RtfReader, DamagedDocumentsShowTheirReadableText) {
    // Unbalanced braces: a stray closing brace is ignored, missing ones close at the end.
    auto doc = read(Tables + "\\pard\\f2\\fs20 One}} two\\par\r\nthree");
    EXPECT_EQ(blocks(*doc), QStringList({"One two", "three"}));
    doc = read(Tables + "\\pard\\f2\\fs20 {{{\\b deep");
    EXPECT_EQ(doc->toPlainText(), "deep");

    // A picture whose data is cut short is left out; the text around it stays.
    const QByteArray wmf = metafile(fourColours());
    doc = read(Tables + "\\pard\\f2\\fs20 Before " + pict(wmf.left(wmf.size() / 2)) + " after\\par}");
    EXPECT_EQ(doc->toPlainText(), "Before  after");
    // A document that ends inside a picture keeps the text before it.
    doc = read(Tables + "\\pard\\f2\\fs20 Before " + pict(wmf).left(200));
    EXPECT_EQ(doc->toPlainText(), "Before ");
    // A picture in a format the reader does not know is left out as well.
    doc = read(Tables + "\\pard {\\pict\\pngblip 89504e47}x\\par}");
    EXPECT_EQ(doc->toPlainText(), "x");
    // Odd ends: a lone backslash, a cut \'h, not a document at all.
    EXPECT_EQ(read("{\\rtf1 a\\'4")->toPlainText(), "a");
    EXPECT_EQ(read("{\\rtf1 a\\")->toPlainText(), "a");
    EXPECT_EQ(read("plain words")->toPlainText(), "plain words");
    EXPECT_EQ(read("")->toPlainText(), "");
}

TEST(RtfReader, EveryCutAndDamageOfARealPageReadsWithoutFailing) {
    QFile file(QStringLiteral(":/assets/help/help_52.rtf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray page = file.readAll();
    const QString title = QStringLiteral("Creating a new Portfolio");
    for (qsizetype cut = 0; cut <= page.size(); cut += 3) {
        const auto doc = read(page.left(cut));
        const QString text = doc->toPlainText();
        EXPECT_FALSE(text.contains(u'\\') || text.contains(u'{')) << cut;
        if (cut > page.indexOf("\\par\r\n")) {
            EXPECT_TRUE(text.startsWith(title)) << cut;
        }
    }
    QRandomGenerator random(52);
    for (int round = 0; round < 300; ++round) {
        QByteArray damaged = page;
        for (int n = 0; n < 8; ++n) damaged[random.bounded(int(damaged.size()))] = char(random.bounded(256));
        read(damaged);  // must not fail
    }
}

TEST(RichTextBox, ShowsItsDocumentReadOnlyFromTheTop) {
    RichTextBox box(nullptr, QStringLiteral("HelpFile"), 25);
    QByteArray rtf = Tables + "\\pard\\f2\\fs20 ";
    for (int i = 0; i < 80; ++i) rtf += "Line " + QByteArray::number(i) + "\\par\r\n";
    box.setTextRTF(QString::fromLatin1(rtf + "}"));
    EXPECT_TRUE(box.property("Text").toString().startsWith("Line 0\nLine 1\n"));
    box.Move(0, 0, 5775, 4335);
    box.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(box.isReadOnly());
    EXPECT_EQ(box.verticalScrollBar()->value(), 0);
    box.setFocus();
    QTest::keyClicks(&box, "typed");
    EXPECT_FALSE(box.Text().contains("typed"));
    QTest::keyClick(&box, Qt::Key_PageDown);
    EXPECT_GT(box.verticalScrollBar()->value(), 0) << "the keys scroll the page";
}

}  // namespace
