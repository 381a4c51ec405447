#include <gtest/gtest.h>

#include <QFile>
#include <QScrollBar>
#include <QTest>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
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

void put16(QByteArray& out, quint16 v) {
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}
void put32(QByteArray& out, quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

// A device-independent bitmap of `bits` per pixel from rows given top first;
// `palette` for the bitmaps with a colour table.
QByteArray dib(int width, const std::vector<QByteArray>& rowsTopFirst, int bits, const QList<QRgb>& palette = {},
               bool topDown = false) {
    QByteArray out;
    put32(out, 40);
    put32(out, quint32(width));
    put32(out, quint32(topDown ? -int(rowsTopFirst.size()) : int(rowsTopFirst.size())));
    put16(out, 1);
    put16(out, quint16(bits));
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, quint32(palette.size()));
    put32(out, 0);
    for (QRgb c : palette) put32(out, c & 0xFFFFFF);  // blue, green, red, unused
    const int stride = ((width * bits + 31) / 32) * 4;
    auto row = [&](const QByteArray& r) { out += r + QByteArray(stride - r.size(), '\0'); };
    if (topDown) {
        for (const QByteArray& r : rowsTopFirst) row(r);
    } else {
        for (auto it = rowsTopFirst.rbegin(); it != rowsTopFirst.rend(); ++it) row(*it);
    }
    return out;
}

// A metafile that sets its window, then draws the bitmap with a StretchDIB record.
QByteArray metafile(const QByteArray& bitmap, quint16 function = 0x0F43) {
    QByteArray records;
    auto record = [&](quint16 fn, const QByteArray& params) {
        put32(records, quint32(3 + params.size() / 2));
        put16(records, fn);
        records += params;
    };
    QByteArray p;
    put16(p, 16);
    put16(p, 16);
    record(0x020C, p);
    p.clear();
    put32(p, 0x00CC0020);
    if (function == 0x0F43) put16(p, 0);
    for (int i = 0; i < 8; ++i) put16(p, i < 2 || (i >= 4 && i < 6) ? 16 : 0);
    record(function, p + bitmap);
    record(0, {});
    QByteArray out;
    put16(out, 1);
    put16(out, 9);
    put16(out, 0x0300);
    put32(out, quint32((18 + records.size()) / 2));
    put16(out, 0);
    put32(out, 0);
    put16(out, 0);
    return out + records;
}

QByteArray pict(const QByteArray& data, int goal = 235) {
    return "{\\pict\\wmetafile8\\picw423\\pich423\\picwgoal" + QByteArray::number(goal) + "\\pichgoal" +
           QByteArray::number(goal) + "\r\n" + data.toHex() + "\r\n}";
}

// A 2 x 2 24-bit bitmap: red, green on top; blue, white below.
QByteArray fourColours() {
    const QByteArray top("\x00\x00\xFF\x00\xFF\x00", 6);
    const QByteArray bottom("\xFF\x00\x00\xFF\xFF\xFF", 6);
    return dib(2, {top, bottom}, 24);
}

std::vector<QTextImageFormat> imagesOf(const QTextDocument& doc) {
    std::vector<QTextImageFormat> out;
    for (QTextBlock b = doc.firstBlock(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) out.push_back(it.fragment().charFormat().toImageFormat());
    return out;
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

TEST(RtfReader, ParagraphIndentsTabStopsAndTheSymbolBullet) {
    const auto doc = read(Tables +
                          "\\pard\\f2\\fs20 Body\\par\r\n"
                          "\\par\r\n"
                          "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}"
                          "\\fi-360\\li360\\ri57\\tx360 A step\\par\r\n"
                          "\\pard\\li720 A detail\\par\r\n"
                          "\\pard Cost \\'96 \\'80 5\\par\r\n}");
    EXPECT_EQ(blocks(*doc), QStringList({"Body", "", QStringLiteral("\u2022\tA step"), "A detail",
                                         QStringLiteral("Cost \u2013 \u20ac 5")}));
    QTextBlock step = doc->findBlockByNumber(2);
    EXPECT_DOUBLE_EQ(step.blockFormat().leftMargin(), 24);
    EXPECT_DOUBLE_EQ(step.blockFormat().textIndent(), -24);
    EXPECT_DOUBLE_EQ(step.blockFormat().rightMargin(), 57 / 15.0);
    ASSERT_EQ(step.blockFormat().tabPositions().size(), 1);
    EXPECT_DOUBLE_EQ(step.blockFormat().tabPositions().front().position, 24);
    // The bullet keeps the body's size; the pn group's own bullet is not shown.
    EXPECT_EQ(runs(step).front(), QStringLiteral("\u2022\t| 10 MS Sans Serif #000000"));

    const QTextBlock detail = step.next();
    EXPECT_DOUBLE_EQ(detail.blockFormat().leftMargin(), 48);
    EXPECT_DOUBLE_EQ(detail.blockFormat().textIndent(), 0) << "\\pard resets the paragraph";
    EXPECT_TRUE(detail.blockFormat().tabPositions().isEmpty());
    EXPECT_DOUBLE_EQ(doc->defaultTextOption().tabStopDistance(), 48);
    // The empty paragraph is as high as a line of the body text.
    EXPECT_EQ(doc->findBlockByNumber(1).charFormat().fontPointSize(), 10);
}

TEST(RtfReader, UnknownControlWordsAndGroupsNeverShowAsText) {
    const auto doc = read(Tables +
                          "{\\*\\generator Writer 5.1;}{\\stylesheet{\\s0 Normal;}}{\\info{\\title Secret}}"
                          "\\pard\\sa200\\sl276\\slmult1\\lang9\\f2\\fs20 One \\foo12 two \\bar three "
                          "\\{braces\\} and \\\\ back\\~slash\\-es\\par\r\n"
                          "\\u8364? euro {\\uc2\\u8226 xx}bullet\\par\r\n}");
    EXPECT_EQ(blocks(*doc), QStringList({QStringLiteral("One two three {braces} and \\ back\u00a0slashes"),
                                         QStringLiteral("\u20ac euro \u2022bullet")}));
}

TEST(RtfReader, RaisedTextSitsAboveTheBaseline) {
    const auto doc = read(Tables + "\\pard\\f2\\fs20 15{\\up10\\fs13 th} of March\\par}");
    EXPECT_EQ(doc->toPlainText(), "15th of March");
    const QStringList r = runs(doc->firstBlock());
    ASSERT_EQ(r.size(), 3);
    auto it = doc->firstBlock().begin();
    ++it;
    const QTextCharFormat raised = it.fragment().charFormat();
    EXPECT_EQ(it.fragment().text(), "th");
    EXPECT_EQ(raised.fontPointSize(), 6.5);
    // Raised by 5 points: a share of the small font's line height above 50 %.
    EXPECT_GT(raised.baselineOffset(), 50);
    EXPECT_LT(raised.baselineOffset(), 120);
    ++it;
    EXPECT_EQ(it.fragment().charFormat().baselineOffset(), 0);
}

TEST(RtfReader, APictureIsTheBitmapOfItsMetafileAtItsGoalSize) {
    for (const quint16 record : {quint16(0x0F43), quint16(0x0B41)}) {
        const auto doc = read(Tables + "\\pard\\f2\\fs20 Press " + pict(metafile(fourColours(), record), 239) +
                              " now\\par}");
        EXPECT_EQ(doc->toPlainText(), QStringLiteral("Press \ufffc now"));
        const auto images = imagesOf(*doc);
        ASSERT_EQ(images.size(), 1u);
        EXPECT_EQ(images[0].width(), 16);
        EXPECT_EQ(images[0].height(), 16);
        const QImage image = doc->resource(QTextDocument::ImageResource, QUrl(images[0].name())).value<QImage>();
        ASSERT_EQ(image.size(), QSize(2, 2));
        EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0)) << "rows are stored bottom first";
        EXPECT_EQ(image.pixel(1, 0), qRgb(0, 255, 0));
        EXPECT_EQ(image.pixel(0, 1), qRgb(0, 0, 255));
        EXPECT_EQ(image.pixel(1, 1), qRgb(255, 255, 255));
    }
}

TEST(RtfReader, BitmapsOfEveryDepthDecode) {
    // 1 bit: black and white from a two-colour table.
    QImage one = Rtf::dibImage(dib(3, {QByteArray("\xA0", 1)}, 1, {qRgb(0, 0, 0), qRgb(255, 255, 255)}));
    ASSERT_EQ(one.size(), QSize(3, 1));
    EXPECT_EQ(one.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(one.pixel(1, 0), qRgb(0, 0, 0));
    EXPECT_EQ(one.pixel(2, 0), qRgb(255, 255, 255));
    // 4 bits, two rows top-down.
    const QList<QRgb> palette{qRgb(0, 0, 0), qRgb(192, 192, 192), qRgb(0, 128, 0)};
    QImage four = Rtf::dibImage(dib(2, {QByteArray("\x12", 1), QByteArray("\x20", 1)}, 4, palette, true));
    ASSERT_EQ(four.size(), QSize(2, 2));
    EXPECT_EQ(four.pixel(0, 0), qRgb(192, 192, 192));
    EXPECT_EQ(four.pixel(1, 0), qRgb(0, 128, 0));
    EXPECT_EQ(four.pixel(0, 1), qRgb(0, 128, 0));
    EXPECT_EQ(four.pixel(1, 1), qRgb(0, 0, 0));
    // 8 bits with an index beyond the table: black.
    QImage eight = Rtf::dibImage(dib(2, {QByteArray("\x01\x09", 2)}, 8, palette));
    EXPECT_EQ(eight.pixel(0, 0), qRgb(192, 192, 192));
    EXPECT_EQ(eight.pixel(1, 0), qRgb(0, 0, 0));
    // 32 bits.
    QImage wide = Rtf::dibImage(dib(1, {QByteArray("\x10\x20\x30\x00", 4)}, 32));
    EXPECT_EQ(wide.pixel(0, 0), qRgb(0x30, 0x20, 0x10));
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
    EXPECT_TRUE(imagesOf(*doc).empty());
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
    EXPECT_EQ(box.objectName(), "HelpFile(25)");
    EXPECT_EQ(box.Index(), 25);
    QByteArray rtf = Tables + "\\pard\\f2\\fs20 ";
    for (int i = 0; i < 80; ++i) rtf += "Line " + QByteArray::number(i) + "\\par\r\n";
    box.setTextRTF(QString::fromLatin1(rtf + "}"));
    EXPECT_EQ(box.property("TextRTF").toString(), QString::fromLatin1(rtf + "}"));
    EXPECT_TRUE(box.property("Text").toString().startsWith("Line 0\nLine 1\n"));
    box.Move(0, 0, 5775, 4335);
    box.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(box.isReadOnly());
    EXPECT_EQ(box.verticalScrollBar()->value(), 0);
    EXPECT_TRUE(box.verticalScrollBar()->isVisible());
    box.setFocus();
    QTest::keyClicks(&box, "typed");
    EXPECT_FALSE(box.Text().contains("typed"));
    QTest::keyClick(&box, Qt::Key_PageDown);
    EXPECT_GT(box.verticalScrollBar()->value(), 0) << "the keys scroll the page";
}

}  // namespace
