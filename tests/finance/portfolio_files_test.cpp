#include <gtest/gtest.h>

#include <QDir>
#include <cerrno>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>

#include "common/new_files.h"
#include "support/finance_test.h"

namespace {

using namespace FinModule;

class PortfolioFilesTest : public FinanceTest {
protected:
    QStringList portfolioFilesOf(const QString& base) const {
        QStringList paths{pwb(base)};
        for (int a = 1; a <= 5; ++a) paths << acc(base, a);
        return paths;
    }
    std::map<QString, QByteArray> snapshot() const {
        std::map<QString, QByteArray> all = folderFiles();
        std::erase_if(all, [](const auto& file) { return file.first.endsWith(".lock"); });
        return all;
    }
};

TEST_F(PortfolioFilesTest, CreateWritesTheNamesAndCountsAndNothingElseThenShowsThePortfolio) {
    createPortfolio(QStringLiteral("Home"));

    EXPECT_EQ(bytesOf(pwb("Home")), newPortfolioFile());
    for (int a = 1; a <= 5; ++a) EXPECT_EQ(bytesOf(acc("Home", a)), newAccountFile()) << "account " << a;
    EXPECT_TRUE(portfolioOpen());
    for (int n = 1; n <= 6; ++n) EXPECT_TRUE(application->files().isOpen(n));
    EXPECT_EQ(app().window<FinMDIForm1>().Caption(), "Pursewell - " + dataPath("Home"));
    FinForm4& summary = app().window<FinForm4>();
    EXPECT_TRUE(summary.isVisible());
    QStringList names;
    for (int a = 1; a <= 5; ++a) names << summary.Label1[a]->Caption();
    EXPECT_EQ(names, QStringList({"Check Account", "Credit Card", "Savings Account", "Home Loan", "Personnal Loan"}));
}

TEST_F(PortfolioFilesTest, CreateGoesIntoTheFolderOpenedInTheFolderList) {
    QDir(dataDir.path()).mkpath("Money/Old");
    openFinance().New->trigger();
    FinForm3& form = app().window<FinForm3>();
    EXPECT_EQ(form.Text1->Text(), "Portfolio1");
    EXPECT_EQ(form.Dir1->Path(), QDir::currentPath());
    emit form.Drive1->Change();
    EXPECT_EQ(form.Dir1->Path(), form.Drive1->Drive()) << "the drive list goes to its root";
    form.Dir1->openFolder(dataDir.path());

    // Down into Money by the list, as a double click does; a folder that cannot be read is told.
    const int money = form.Dir1->ListCount() - 1;
    ASSERT_EQ(form.Dir1->List(money), dataPath("Money"));
    form.Dir1->openListed(money);
    EXPECT_EQ(form.Dir1->List(form.Dir1->ListCount() - 1), dataPath("Money/Old"));
    form.Dir1->openFolder(dataPath("Gone"));
    EXPECT_EQ(messages->texts, QStringList{"The folder \"" + dataPath("Gone") + "\" cannot be read: No such file or directory."});
    EXPECT_EQ(form.Dir1->Path(), dataPath("Money"));
    form.Command1->click();

    EXPECT_EQ(bytesOf(dataPath("Money/Portfolio1.pwb")), newPortfolioFile());
    EXPECT_EQ(app().window<FinMDIForm1>().Caption(), "Pursewell - " + dataPath("Money/Portfolio1"));
}

TEST_F(PortfolioFilesTest, ARefusedNameOrAnExistingPortfolioWritesNothing) {
    createPortfolio(QStringLiteral("Home"));
    writeRecord(pwb("Home"), 2, taggedString("Cash"));
    createPortfolio(QStringLiteral("Other"));
    const auto before = snapshot();

    // An empty name or one with a slash: the open portfolio stays open.
    createPortfolio(QString());
    createPortfolio(QStringLiteral("a/b"));
    EXPECT_EQ(messages->texts, QStringList({"Please enter a name for the new portfolio.",
                                            "A portfolio name cannot contain \"/\"."}));
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(portfolioOpen());

    // An existing one, also without a single entry in its accounts: the open one closes first.
    messages->texts.clear();
    createPortfolio(QStringLiteral("Home"));
    EXPECT_EQ(messages->texts, QStringList{"Portfolio already exist!"});
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(portfolioOpen());
    EXPECT_TRUE(fileNumbersFree());
    EXPECT_FALSE(QFile::exists(portfolioLockPath(pwb("Home"))));

    // A portfolio file that holds names is a portfolio even without its first account file.
    QFile::remove(acc("Other", 1));
    const QByteArray names = bytesOf(pwb("Other"));
    createPortfolio(QStringLiteral("Other"));
    EXPECT_EQ(messages->texts.size(), 2);
    EXPECT_EQ(bytesOf(pwb("Other")), names);
    EXPECT_FALSE(QFile::exists(acc("Other", 1))) << "finding out makes no file";
}

TEST_F(PortfolioFilesTest, OpenUsesTheChosenNameLessItsLastFourCharacters) {
    createPortfolio(QStringLiteral("Home"));
    ClosePortfolio();
    writeRecord(pwb("Home"), 3, taggedString("Rainy Day"));

    openPortfolio(pwb("Home"));
    EXPECT_EQ(fileDialog->titles, QStringList{"Open Portfolio"});
    EXPECT_EQ(fileDialog->filters, QStringList{"Pursewell File (*.pwb)|*.pwb"});
    EXPECT_TRUE(portfolioOpen());
    EXPECT_EQ(app().window<FinMDIForm1>().Caption(), "Pursewell - " + dataPath("Home"));
    EXPECT_EQ(app().window<FinForm4>().Label1[3]->Caption(), "Rainy Day");
    for (int n = 1; n <= 6; ++n) EXPECT_EQ(application->files()[n].path(), portfolioFilesOf("Home")[n - 1]);

    // Any four characters go: abc.txt opens abc.pwb. Its files are missing:
    // made at the user's word, the portfolio file empty, the accounts without entries.
    messages->answers << true;
    openPortfolio(dataPath("abc.txt"));
    ASSERT_EQ(messages->questions.size(), 1);
    EXPECT_TRUE(messages->questions[0].startsWith("These files of the portfolio are missing:\n" +
                                                  portfolioFilesOf("abc").join(u'\n') + "\n"));
    EXPECT_EQ(bytesOf(pwb("abc")), QByteArray());
    for (int a = 1; a <= 5; ++a) EXPECT_EQ(bytesOf(acc("abc", a)), newAccountFile()) << a;
    EXPECT_FALSE(QFile::exists(dataPath("abc.txt")));
    EXPECT_EQ(items(app().window<FinForm1>().Combo1), QStringList({"All Accounts", "", "", "", "", ""}));

    // A name too short to lose four characters ends the open with the portfolio closed.
    const auto before = snapshot();
    openPortfolio(QStringLiteral("a.b"));
    EXPECT_FALSE(portfolioOpen());
    EXPECT_TRUE(fileNumbersFree());
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(messages->texts.isEmpty());
}

TEST_F(PortfolioFilesTest, AFileThatCannotBeOpenedIsToldAndLeavesNoFileOpen) {
    createPortfolio(QStringLiteral("Home"));
    ClosePortfolio();
    // A folder where account 4's file belongs cannot be opened as a file, whatever the user's rights.
    QFile::remove(acc("Home", 4));
    QDir(dataDir.path()).mkdir("Home_4.acc");

    openPortfolio(pwb("Home"));
    ASSERT_EQ(messages->texts.size(), 1);
    EXPECT_TRUE(messages->texts[0].startsWith("The file \"" + acc("Home", 4) + "\" cannot be opened: ")) << qPrintable(messages->texts[0]);
    EXPECT_FALSE(portfolioOpen());
    EXPECT_TRUE(fileNumbersFree());
    EXPECT_FALSE(programEnded());
    EXPECT_FALSE(QFile::exists(portfolioLockPath(pwb("Home"))));
    EXPECT_EQ(app().window<FinMDIForm1>().Caption(), "Personal Finances");
}

// A damaged file of the portfolio is named with what is wrong with it; the
// portfolio stays closed and not a byte is written, where the next entry
// would have overwritten what survived.
TEST_F(PortfolioFilesTest, ADamagedFileIsNamedAndThePortfolioStaysClosedWithNothingWritten) {
    createPortfolio(QStringLiteral("Home"));
    ClosePortfolio();
    QByteArray twoTransactions = withValue(newAccountFile(), 10, taggedInteger(2));
    twoTransactions = withValue(twoTransactions, 13, stringBytes("Second"));
    struct Case {
        int file;  // 0 the portfolio file, 1 to 5 an account's
        QByteArray bytes;
        const char* what;
    };
    const Case cases[] = {
        {1, newAccountFile().left(1000), "it ends part way through a record (1000 bytes is not a whole number of 128-byte records)"},
        {2, withValue(twoTransactions, 10, taggedInteger(9)), "its count of transactions is 9, but it holds only 2"},
        {3, withValue(newAccountFile(), 20, taggedInteger(-4)), "its count of debit orders is negative (-4)"},
        {4, newAccountFile().left(10 * RecordLength), "it ends before its counts of transactions and debit orders"},
        {5, withValue(newAccountFile(), 10, taggedString("2")),
         "where it keeps its count of transactions, it holds something that is not a number"},
        {0, newPortfolioFile().left(100), "it ends part way through a record (100 bytes is not a whole number of 128-byte records)"},
        {0, newPortfolioFile().left(10 * RecordLength), "it ends before the names of its accounts and categories"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = portfolioFilesOf("Home")[c.file];
        writeFile(pwb("Home"), newPortfolioFile());
        for (int a = 1; a <= 5; ++a) writeFile(acc("Home", a), a == 2 ? twoTransactions : newAccountFile());
        writeFile(path, c.bytes);
        messages->texts.clear();
        const auto before = snapshot();

        openPortfolio(pwb("Home"));
        EXPECT_EQ(messages->texts, QStringList{QStringLiteral("The file \"%1\" is damaged: %2.\nThe portfolio stays closed; "
                                                              "nothing has been written into it.")
                                                   .arg(QDir::toNativeSeparators(path), c.what)});
        EXPECT_FALSE(portfolioOpen());
        EXPECT_TRUE(fileNumbersFree());
        EXPECT_FALSE(QFile::exists(portfolioLockPath(pwb("Home"))));
        EXPECT_EQ(app().window<FinMDIForm1>().Caption(), "Personal Finances");
        EXPECT_FALSE(programEnded());
        EXPECT_EQ(snapshot(), before);
    }

    // A missing account file is named; the user chooses between the portfolio
    // left closed with nothing made, and the account made anew, empty.
    writeFile(pwb("Home"), newPortfolioFile());
    QFile::remove(acc("Home", 3));
    messages->texts.clear();
    const auto before = snapshot();
    openPortfolio(pwb("Home"));
    EXPECT_EQ(messages->questions,
              QStringList{"This file of the portfolio is missing:\n" + acc("Home", 3) +
                          "\nOpen the portfolio with it made anew, without entries? No leaves the portfolio closed "
                          "and makes nothing."});
    EXPECT_FALSE(portfolioOpen());
    EXPECT_TRUE(fileNumbersFree());
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(QFile::exists(portfolioLockPath(pwb("Home"))));

    // Made anew on a full disk: told, and the folder as it was.
    messages->answers << true;
    NewFiles::failStep(0, ENOSPC);
    openPortfolio(pwb("Home"));
    EXPECT_EQ(messages->texts, QStringList{QStringLiteral("The file \"%1\" could not be written: No space left on device.")
                                               .arg(acc("Home", 3))});
    EXPECT_FALSE(portfolioOpen());
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(QFile::exists(portfolioLockPath(pwb("Home"))));

    messages->texts.clear();
    messages->answers << true;
    openPortfolio(pwb("Home"));
    EXPECT_TRUE(portfolioOpen());
    EXPECT_EQ(bytesOf(acc("Home", 3)), newAccountFile());
    EXPECT_EQ(app().window<FinForm4>().Label6[3]->Caption(), "0");
    EXPECT_TRUE(messages->texts.isEmpty());
}

TEST_F(PortfolioFilesTest, RenumberingWritesEveryCountedIdOfEveryAccountAndNothingElse) {
    createPortfolio(QStringLiteral("Home"));
    // Account 2: three transactions with stale IDs; account 4: ten, none numbered yet;
    // account 3 counts none but holds an old ID beyond its count.
    writeRecord(acc("Home", 2), 10, taggedInteger(3));
    for (int k = 1; k <= 3; ++k) writeRecord(acc("Home", 2), 10 * (k - 1) + 5, stringBytes("9-9"));
    writeRecord(acc("Home", 2), 10 * 3 + 5, stringBytes("2-4"));
    writeRecord(acc("Home", 4), 10, taggedInteger(10));
    reachRecord(acc("Home", 4), 91);
    writeRecord(acc("Home", 3), 5, stringBytes("3-7"));
    writeRecord(acc("Home", 5), 10, int16Bytes(0));
    std::map<int, QByteArray> before;
    for (int a = 1; a <= 5; ++a) before[a] = bytesOf(acc("Home", a));

    RenumberTransactionIds();

    QStringList ids;
    for (int r : {5, 15, 25, 35}) ids << storedString(acc("Home", 2), r);
    EXPECT_EQ(ids, QStringList({"2-1", "2-2", "2-3", "2-4"})) << "the fourth lies beyond the count: untouched";
    for (int a : {1, 3, 5}) EXPECT_EQ(bytesOf(acc("Home", a)), before[a]) << "account " << a;
    // Only the ID records of account 4 changed.
    QByteArray expected4 = before[4];
    for (int k = 1; k <= 10; ++k) expected4 = withValue(expected4, 10 * (k - 1) + 5, stringBytes(QStringLiteral("4-%1").arg(k)));
    EXPECT_EQ(bytesOf(acc("Home", 4)), expected4);
}

TEST_F(PortfolioFilesTest, AnOpenPortfolioIsLockedUntilItCloses) {
    createPortfolio(QStringLiteral("Home"));
    const QString lockPath = portfolioLockPath(pwb("Home"));
    EXPECT_TRUE(QFile::exists(lockPath));
    QLockFile other(lockPath);
    other.setStaleLockTime(0);
    EXPECT_FALSE(other.tryLock(0)) << "another organizer is kept out";

    app().window<FinMDIForm1>().Close->trigger();
    EXPECT_FALSE(QFile::exists(lockPath));

    openPortfolio(pwb("Home"));
    EXPECT_TRUE(QFile::exists(lockPath));
    openPortfolio(QString());  // cancelled: the open one closed
    EXPECT_FALSE(portfolioOpen());
    EXPECT_TRUE(fileNumbersFree());
    EXPECT_FALSE(QFile::exists(lockPath));

    openPortfolio(pwb("Home"));
    app().window<FinMDIForm1>().Exit->trigger();
    EXPECT_FALSE(QFile::exists(lockPath));

    // Ending the program releases it too.
    openPortfolio(pwb("Home"));
    application->end(0);
    EXPECT_TRUE(programEnded());
    EXPECT_FALSE(QFile::exists(lockPath));
}

TEST_F(PortfolioFilesTest, APortfolioHeldByAnotherOrganizerIsNeitherOpenedNorCreated) {
    createPortfolio(QStringLiteral("Home"));
    ClosePortfolio();
    QLockFile other(portfolioLockPath(pwb("Home")));
    ASSERT_TRUE(other.tryLock(0));
    const auto before = snapshot();

    openPortfolio(pwb("Home"));
    createPortfolio(QStringLiteral("Home"));
    const QString refusal = "The portfolio \"" + pwb("Home") + "\" is open in another Velmora Organizer. Close it there first.";
    EXPECT_EQ(messages->texts, QStringList({refusal, "Portfolio already exist!"}));
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(portfolioOpen());
    EXPECT_TRUE(fileNumbersFree());

    // A new portfolio whose name another organizer has just locked: no file is made.
    QLockFile fresh(portfolioLockPath(pwb("Fresh")));
    ASSERT_TRUE(fresh.tryLock(0));
    createPortfolio(QStringLiteral("Fresh"));
    EXPECT_FALSE(QFile::exists(pwb("Fresh")));
    EXPECT_FALSE(QFile::exists(acc("Fresh", 1)));
}

TEST_F(PortfolioFilesTest, TheLockOfAnOrganizerThatIsGoneIsTakenOver) {
    createPortfolio(QStringLiteral("Home"));
    const QString lockPath = portfolioLockPath(pwb("Home"));
    QByteArray content = bytesOf(lockPath);
    ClosePortfolio();

    // The same lock, left by a process that has ended.
    QProcess gone;
    gone.start(QStringLiteral("true"), {});
    ASSERT_TRUE(gone.waitForStarted());
    const qint64 pid = gone.processId();
    gone.waitForFinished();
    QList<QByteArray> lines = content.split('\n');
    lines[0] = QByteArray::number(pid);
    QFile left(lockPath);
    ASSERT_TRUE(left.open(QIODevice::WriteOnly));
    left.write(lines.join('\n'));
    left.close();

    openPortfolio(pwb("Home"));
    EXPECT_TRUE(portfolioOpen());
    EXPECT_TRUE(messages->texts.isEmpty());
}

}  // namespace
