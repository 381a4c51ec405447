#include <gtest/gtest.h>

#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <map>

#include "controls/rtf_reader.h"
#include "help/help_topics.h"

// The pages as the viewer reads them: titles, typography and pictures.
namespace {

const std::map<int, QString> Titles{
    {1, "Velmora Organizer - Getting Started"},  {11, "Calendar – How to Add an Appointment"},
    {12, "Calendar – How to View an Appointment"}, {13, "Calendar – How to Edit an Appointment"},
    {14, "Calendar – How to Delete an Appointment"}, {15, "Calendar – How to View the Schedule for a specific day"},
    {21, "Notes – How to Add a Note"},              {22, "Notes – How to View a Note"},
    {23, "Notes – How to Edit a Note"},             {24, "Notes – How to Delete a Note"},
    {31, "Address Book – How to Add an Entry"},     {32, "Address Book – How to View an Entry"},
    {33, "Address Book – How to Edit an Entry"},    {34, "Address Book – How to Delete an Entry"},
    {41, "Personal Finances – Overview"},           {51, "Portfolios Overview"},
    {52, "Creating a new Portfolio"},               {53, "Opening an Existing Portfolio"},
    {61, "Transactions Overview"},                  {62, "Adding Transactions"},
    {63, "Viewing Transactions"},                   {64, "Deleting Transactions"},
    {65, "Editing Transactions"},                   {66, "Account Balances"},
    {71, "Debit Orders Overview"},                  {72, "Adding Debit Orders"},
    {73, "Viewing Debit Orders"},                   {74, "Deleting Debit Orders"},
    {75, "Editing Debit Orders"},                   {81, "Accounts Settings Overview"},
    {82, "Renaming Accounts"},                      {83, "Changing Transaction Categories"},
    {84, "Balance Alarms"},                         {85, "Overdraft Facilities"},
};

// The toolbar picture each page shows, by its file.
const std::map<int, QString> Pictures{
    {52, "new"},   {53, "open"},  {62, "addtrans"}, {63, "trans"}, {64, "trans"}, {65, "trans"},
    {66, "summary"}, {72, "debit"}, {73, "debit"},  {74, "debit"}, {75, "debit"},
};

struct Fragment {
    QString text;
    QTextCharFormat format;
};

std::vector<Fragment> fragmentsOf(const QTextBlock& block) {
    std::vector<Fragment> out;
    for (auto it = block.begin(); !it.atEnd(); ++it)
        if (it.fragment().isValid()) out.push_back({it.fragment().text(), it.fragment().charFormat()});
    return out;
}

std::unique_ptr<QTextDocument> page(int k) {
    auto doc = std::make_unique<QTextDocument>();
    Rtf::read(Module1::HelpPageDocument(k), *doc);
    return doc;
}

QImage onWhite(const QImage& picture) {
    QImage out(picture.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter(&out).drawImage(0, 0, picture);
    return out;
}

// Every page: its title, then an empty paragraph, the body in Arial 10 black
// with bulleted steps; names in italics from page 51 on; the toolbar picture
// inside the step that names its button.
TEST(HelpPages, TheThirtyFourPagesFollowThePageFormat) {
    const QColor blue(0, 0, 255), black(0, 0, 0);
    ASSERT_EQ(Module1::HelpPageOrder.size(), Titles.size());
    for (const auto& [k, title] : Titles) {
        SCOPED_TRACE(k);
        const auto doc = page(k);
        ASSERT_GT(doc->blockCount(), 3);
        const QTextBlock first = doc->firstBlock();
        EXPECT_EQ(first.text(), title);
        for (const Fragment& f : fragmentsOf(first)) {
            EXPECT_EQ(f.format.fontFamilies().toStringList(), QStringList{"Arial"});
            EXPECT_EQ(f.format.fontPointSize(), 14);
            EXPECT_EQ(f.format.fontWeight(), QFont::Bold);
            EXPECT_EQ(f.format.foreground().color(), blue);
        }
        EXPECT_TRUE(first.next().text().isEmpty()) << "an empty paragraph after the title";

        int bullets = 0, italics = 0, raised = 0, images = 0, bold = 0;
        QStringList headings;
        for (QTextBlock b = first.next(); b.isValid(); b = b.next()) {
            const QTextBlockFormat para = b.blockFormat();
            const bool step = b.text().startsWith(QStringLiteral("\u2022\t"));
            EXPECT_DOUBLE_EQ(para.rightMargin(), k >= 51 ? 57 / 15.0 : 0.0) << qPrintable(b.text());
            EXPECT_FALSE(b.text().contains(u'\\') || b.text().contains(u'{') || b.text().contains(u'}'))
                << "no control word shows as text: " << qPrintable(b.text());
            if (step) {
                ++bullets;
                EXPECT_DOUBLE_EQ(para.leftMargin(), 24);  // 360 twips
                EXPECT_DOUBLE_EQ(para.textIndent(), -24);
                ASSERT_EQ(para.tabPositions().size(), 1);
                EXPECT_DOUBLE_EQ(para.tabPositions().front().position, 24);
            } else {
                EXPECT_DOUBLE_EQ(para.textIndent(), 0);
                EXPECT_TRUE(para.leftMargin() == 0 || para.leftMargin() == 48) << "details sit at 720 twips";
            }
            const auto fragments = fragmentsOf(b);
            if (fragments.size() == 1 && fragments.front().format.fontWeight() == QFont::Bold) headings << b.text();
            for (const Fragment& f : fragments) {
                if (f.format.isImageFormat()) {
                    ++images;
                    const QTextImageFormat image = f.format.toImageFormat();
                    EXPECT_EQ(QSizeF(image.width(), image.height()), QSizeF(16, 16));  // about 235 twips
                    const QImage shown = doc->resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
                    const QImage expected = onWhite(QImage(QStringLiteral(":/assets/toolbar_%1.png").arg(Pictures.at(k))));
                    EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32), expected);
                    EXPECT_TRUE(step && b.text().contains(QStringLiteral(" button"))) << qPrintable(b.text());
                    continue;
                }
                if (f.format.fontItalic()) ++italics;
                if (f.format.fontWeight() == QFont::Bold) ++bold;
                if (f.format.baselineOffset() > 0) {
                    ++raised;
                    EXPECT_EQ(f.format.fontPointSize(), 6.5);
                    EXPECT_EQ(f.text, "th");
                    continue;
                }
                EXPECT_EQ(f.format.fontPointSize(), 10) << qPrintable(f.text);
                EXPECT_EQ(f.format.foreground().color(), black) << qPrintable(f.text);
                if (f.text != QStringLiteral("\u2022\t")) {
                    EXPECT_EQ(f.format.fontFamilies().toStringList(), QStringList{"Arial"}) << qPrintable(f.text);
                }
            }
        }
        EXPECT_EQ(bullets == 0, k == 61 || k == 71) << "only the two overviews go without steps or lists";
        EXPECT_EQ(italics > 0, k >= 51) << "names in italics on pages 51 to 85 only";
        EXPECT_EQ(raised > 0, k == 66) << "the raised ordinal suffix of page 66";
        EXPECT_EQ(images, Pictures.count(k) ? 1 : 0);
        // Bold only for the headings of Getting Started, one for each utility.
        EXPECT_EQ(bold, headings.size());
        EXPECT_EQ(headings, k == 1 ? QStringList({"Calendar", "Notes", "Address Book", "Personal Finances"}) : QStringList());
    }
}

}  // namespace
