#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>

#include "common/record_file.h"
#include "support/organizer_test.h"

namespace {

class RecordFileTest : public OrganizerTest {
protected:
    RecordFile& openFile(int length = 128) {
        EXPECT_TRUE(application->files().open(1, dataPath("t.dat"), length));
        return application->files()[1];
    }
    QByteArray bytes() const { return fileBytes("t.dat"); }
};

QByteArray hex(const char* h) { return QByteArray::fromHex(h); }

TEST_F(RecordFileTest, EveryValueKindHasItsByteLayout) {
    RecordFile& f = openFile(16);
    for (RecordFile::Write done : {f.writeString(1, u"Ab\u00e9\u20ac"), f.writeInteger(2, -2), f.writeDate(3, 45358.5),
                                   f.writeMoney(4, Money::fromScaled(-12345)), f.writeTagged(5, TaggedValue()),
                                   f.writeTagged(6, TaggedValue::ofInteger(300)), f.writeTagged(7, TaggedValue::ofString("Cash"))})
        ASSERT_EQ(done, RecordFile::Write::Done);

    const QByteArray b = bytes();
    ASSERT_EQ(b.size(), 7 * 16);  // every write past the end extends to whole records
    EXPECT_EQ(b.mid(0, 6), hex("0400" "4162e980"));
    EXPECT_EQ(b.mid(16, 2), hex("feff"));
    double date = 45358.5;
    EXPECT_EQ(b.mid(32, 8), QByteArray(reinterpret_cast<const char*>(&date), 8));
    EXPECT_EQ(b.mid(48, 8), hex("c7cfffffffffffff"));
    EXPECT_EQ(b.mid(64, 2), hex("0000"));
    EXPECT_EQ(b.mid(80, 4), hex("0200" "2c01"));
    EXPECT_EQ(b.mid(96, 8), hex("0800" "0400" "43617368"));

    EXPECT_EQ(f.readString(1), QString::fromUtf8("Ab\u00e9\u20ac"));
    EXPECT_EQ(f.readInteger(2), -2);
    EXPECT_EQ(f.readDate(3), 45358.5);
    EXPECT_EQ(f.readMoney(4), Money::fromScaled(-12345));
    EXPECT_TRUE(f.readTagged(5).isEmpty());
    EXPECT_EQ(f.readTagged(6), TaggedValue::ofInteger(300));
    EXPECT_EQ(f.readTagged(7), TaggedValue::ofString("Cash"));
}

TEST_F(RecordFileTest, UnwrittenRecordsReadAsZeroAndGapsAreFilled) {
    RecordFile& f = openFile();
    EXPECT_EQ(f.readString(5), QString());
    EXPECT_EQ(f.readMoney(5), Money());
    EXPECT_TRUE(f.readTagged(5).isEmpty());

    f.writeInteger(3, 7);
    EXPECT_EQ(bytes(), QByteArray(256, '\0') + hex("0700") + QByteArray(126, '\0'));
    EXPECT_TRUE(f.readTagged(3).kind == TaggedValue::Kind::Unknown);  // tag 7 is no known kind
    f.writeInteger(1, 0);
    EXPECT_TRUE(f.readTagged(1).isEmpty());  // a 2-byte zero reads as the empty tag
    EXPECT_EQ(bytes().size(), 3 * 128);      // writing inside the file does not extend it

    // Record numbers go beyond sixteen bits.
    ASSERT_EQ(f.writeInteger(40000, 12), RecordFile::Write::Done);
    EXPECT_EQ(bytes().size(), 40000 * 128);
    EXPECT_EQ(f.readInteger(40000), 12);
}

TEST_F(RecordFileTest, ValueTooLongIsRefusedAndTheRecordKeepsItsValue) {
    RecordFile& f = openFile();
    f.writeString(2, QString(126, u'x'));
    EXPECT_EQ(f.readString(2).size(), 126);
    const QByteArray before = bytes();
    EXPECT_EQ(f.writeString(2, QString(127, u'y')), RecordFile::Write::TooLong);
    EXPECT_EQ(f.writeTagged(2, TaggedValue::ofString(QString(125, u'y'))), RecordFile::Write::TooLong);
    EXPECT_EQ(f.writeString(9, QString(127, u'y')), RecordFile::Write::TooLong);
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(f.readString(2), QString(126, u'x'));
    EXPECT_TRUE(messages->texts.isEmpty());

    RecordFile& notes = *(application->files().open(2, dataPath("n.dat"), 500), &application->files()[2]);
    EXPECT_EQ(notes.writeString(1, QString(498, u'n')), RecordFile::Write::Done);
    EXPECT_EQ(notes.writeString(1, QString(499, u'n')), RecordFile::Write::TooLong);
}

TEST_F(RecordFileTest, CharactersOutsideTheSetAreStoredAsQuestionMarks) {
    // Every byte reads back as some character and writes back as the same byte.
    QByteArray all(2, '\0');
    all[0] = char(126);
    for (int i = 0; i < 126; ++i) all.append(char(130 + i));
    QFile raw(dataPath("t.dat"));
    ASSERT_TRUE(raw.open(QIODevice::WriteOnly));
    raw.write(QByteArray(128, '\0') + all);
    raw.close();

    RecordFile& f = openFile();
    f.writeString(1, QString::fromUtf8("a\u2713z\u0101"));
    EXPECT_EQ(bytes().mid(0, 6), hex("0400" "613f7a3f"));
    f.writeString(3, f.readString(2));
    EXPECT_EQ(bytes().mid(256, 128), all);
}

TEST_F(RecordFileTest, DamagedRecordsReadWithoutCrashing) {
    QFile raw(dataPath("t.dat"));
    ASSERT_TRUE(raw.open(QIODevice::WriteOnly));
    raw.write(hex("ffff41420800ffff"));  // lengths far beyond the record, then a truncated file
    raw.close();
    RecordFile& f = openFile(8);
    EXPECT_EQ(f.readString(1).size(), 6);  // at most what a record holds
    EXPECT_EQ(f.readTagged(1).kind, TaggedValue::Kind::Unknown);
    EXPECT_EQ(f.readInteger(2), 0);
    EXPECT_EQ(f.readString(1000), QString());
}

TEST_F(RecordFileTest, ClosedNumbersReadZeroAndAFileThatCannotBeOpenedEndsTheProgram) {
    FileTable& files = application->files();
    EXPECT_EQ(files[4].readInteger(1), 0);
    EXPECT_EQ(files[4].writeInteger(1, 5), RecordFile::Write::Failed);
    files.close(4);  // closing a number that is not open is ignored
    EXPECT_TRUE(messages->texts.isEmpty());

    QDir(dataDir.path()).mkdir("x.dat");  // not even root can open a directory as a file
    EXPECT_FALSE(files.open(1, dataPath("x.dat")));
    EXPECT_FALSE(files.isOpen(1));
    ASSERT_EQ(messages->texts.size(), 1);
    EXPECT_TRUE(messages->texts[0].contains("x.dat"));
    EXPECT_TRUE(programEnded());
}

TEST_F(RecordFileTest, AFileShrunkOrGrownUnderneathIsReadAsItNowIs) {
    RecordFile& f = openFile();
    for (qint16 r = 1; r <= 1200; ++r) f.writeInteger(r, r);  // more than one piece read ahead
    EXPECT_EQ(f.readInteger(1), 1);
    EXPECT_EQ(f.readInteger(1200), 1200);

    // Cut in the middle of record 700: what is left of it reads, the rest are zeros.
    ASSERT_TRUE(QFile::resize(dataPath("t.dat"), 699 * 128 + 1));
    idle();
    EXPECT_EQ(f.readInteger(699), 699);
    EXPECT_EQ(f.readInteger(700), 700 & 0xFF);
    EXPECT_EQ(f.readInteger(1200), 0);
    EXPECT_EQ(f.readString(1000), QString());

    ASSERT_TRUE(QFile::resize(dataPath("t.dat"), 0));
    idle();
    for (qint32 r : {1, 2, 513, 1200}) EXPECT_EQ(f.readInteger(r), 0) << r;

    // Grown from outside: the new record is read at the next event.
    QFile raw(dataPath("t.dat"));
    ASSERT_TRUE(raw.open(QIODevice::WriteOnly));
    raw.write(QByteArray(128, '\0') + hex("0300") + "abc");
    raw.close();
    idle();
    EXPECT_EQ(f.readString(2), QStringLiteral("abc"));
    EXPECT_TRUE(messages->texts.isEmpty());
}

// A file copied over the open one (an editor saving, a backup put back) is
// the one read and written from then on; a deleted one takes no write, since
// nobody would read it again.
TEST_F(RecordFileTest, AFileReplacedUnderneathIsTheOneWrittenAndARemovedOneTakesNone) {
    RecordFile& f = openFile();
    QList<int> replaced;
    QObject::connect(application.get(), &Application::fileReplaced, application.get(), [&](int n) { replaced << n; });
    f.writeString(1, u"old");
    QFile copy(dataPath("copy.dat"));
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
    copy.write(hex("0300") + "new" + QByteArray(123, '\0'));
    copy.close();
    ASSERT_TRUE(QFile::copy(dataPath("t.dat"), dataPath("kept.dat")));
    ASSERT_TRUE(::rename(qPrintable(dataPath("copy.dat")), qPrintable(dataPath("t.dat"))) == 0);

    ASSERT_EQ(f.writeString(2, u"saved"), RecordFile::Write::Done);
    EXPECT_EQ(bytes().left(5), hex("0300") + "new");
    EXPECT_EQ(bytes().mid(128, 7), hex("0500") + "saved");
    EXPECT_EQ(f.readString(1), QStringLiteral("new"));
    EXPECT_EQ(fileBytes("kept.dat").size(), 128) << "the old file took nothing";
    EXPECT_TRUE(replaced.isEmpty()) << "told once the running handler has returned";
    idle();
    EXPECT_EQ(replaced, QList<int>{1});

    // Replaced while the program waited: found at the first read after it.
    ASSERT_TRUE(QFile::remove(dataPath("t.dat")));
    ASSERT_TRUE(QFile::copy(dataPath("kept.dat"), dataPath("t.dat")));
    idle();
    EXPECT_EQ(f.readString(1), QStringLiteral("old"));
    EXPECT_EQ(f.readString(2), QString());

    ASSERT_TRUE(QFile::remove(dataPath("t.dat")));
    EXPECT_EQ(f.writeString(2, u"lost"), RecordFile::Write::Failed);
    EXPECT_EQ(messages->texts, QStringList{QStringLiteral("The file \"%1\" was removed while the organizer was running; "
                                                          "the change was not saved.")
                                               .arg(QDir::toNativeSeparators(dataPath("t.dat")))});
    EXPECT_TRUE(programEnded());
    EXPECT_FALSE(QFile::exists(dataPath("t.dat")));
}

TEST_F(RecordFileTest, AFailedWriteNamesTheSystemsCauseAndEndsAllWriting) {
    RecordFile& f = openFile();
    f.writeString(1, u"kept");
    const QByteArray before = bytes();

    f.failWrite(0, EROFS);
    EXPECT_EQ(f.writeString(5, u"new"), RecordFile::Write::Failed);
    EXPECT_EQ(bytes(), before) << "a failed extension leaves nothing behind the old end";
    ASSERT_EQ(messages->texts.size(), 1);
    EXPECT_EQ(messages->texts[0], QStringLiteral("The file \"%1\" could not be written: Read-only file system.")
                                      .arg(QDir::toNativeSeparators(dataPath("t.dat"))));
    EXPECT_TRUE(programEnded());

    // The program is ending: no later step of the change lands, in any file.
    EXPECT_EQ(f.writeString(1, u"later"), RecordFile::Write::Failed);
    ASSERT_TRUE(application->files().open(2, dataPath("other.dat")));
    EXPECT_EQ(application->files()[2].writeInteger(1, 1), RecordFile::Write::Failed);
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(fileBytes("other.dat"), QByteArray());
    EXPECT_EQ(messages->texts.size(), 1);
}

TEST_F(RecordFileTest, AFullDiskIsCalledByItsName) {
    if (!QFileInfo(QStringLiteral("/dev/full")).isWritable()) GTEST_SKIP() << "no /dev/full here";
    ASSERT_TRUE(application->files().open(3, QStringLiteral("/dev/full")));
    EXPECT_EQ(application->files()[3].writeString(1, u"x"), RecordFile::Write::Failed);
    EXPECT_EQ(messages->texts, QStringList{"The file \"/dev/full\" could not be written: No space left on device."});
}

TEST_F(RecordFileTest, RangesOfRecordsAreReadAndWrittenWhole) {
    RecordFile& f = openFile(4);
    f.writeInteger(2, 7);
    EXPECT_EQ(f.readRecords(1, 4), hex("00000000" "07000000" "00000000" "00000000"));
    ASSERT_EQ(f.writeRecords(2, hex("01020304" "05060708" "090a0b0c")), RecordFile::Write::Done);
    EXPECT_EQ(bytes(), hex("00000000" "01020304" "05060708" "090a0b0c"));
}

}  // namespace
