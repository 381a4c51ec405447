#pragma once
#include <QByteArray>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include <sys/types.h>

#include "common/money.h"

// The value of a tagged record: a 2-byte type tag, then the value.
struct TaggedValue {
    enum class Kind { Empty, Integer, String, Unknown };
    Kind kind = Kind::Empty;
    qint16 integer = 0;
    QString text;

    static TaggedValue ofInteger(qint16 value) { return {Kind::Integer, value, {}}; }
    static TaggedValue ofString(const QString& value) { return {Kind::String, 0, value}; }
    bool isEmpty() const { return kind == Kind::Empty; }
    friend bool operator==(const TaggedValue&, const TaggedValue&) = default;
};

// Once a failure has been reported the program is ending: the files it shares
// write nothing more, so that no later step of an interrupted change lands.
// While a change that can be taken back is under way (TakeBack), a failure
// closes the gate all the same, but its report waits until the take-back has
// run.
struct WriteGate {
    bool closed = false;
    bool holding = false;              // a failure now is held, not reported
    std::function<void()> heldReport;  // the first failure held
};

// What every sound file of a kind holds, so that a damaged one is known
// before anything is written into it: the records it has from its creation
// on, and its count records, each telling how many entries of a list it holds.
struct FileShape {
    struct Count {
        qint32 record;    // a tagged 2-byte integer, or empty for none
        qint32 stride;    // entry k (from 1) begins at record stride * (k - 1) + first
        qint32 first;
        QString entries;  // what it counts, for the user: "appointments"
    };
    qint32 minimumRecords = 0;
    QString minimumHolds;  // what those records hold, for the user: "its count of notes"
    std::vector<Count> counts;
};

// A file of fixed-length records numbered from 1, one value per record.
// Record n lies at byte (n-1)*L; numbers are little-endian; what was never
// written, or lies past the file's end, reads as zero bytes. Every write goes
// through to the file at once.
//
// Reads are served from pieces of the file read ahead into memory. A piece is
// kept until this file writes over it, or until the file turns out to have
// been changed from outside: after recheck(), the next read first compares
// the file's size and time stamp with what this file last saw.
//
// The path may come to name another file (one copied over it, say) or none
// (it was deleted). That is looked at before every write and at the first
// read after recheck(): another file there is opened in place of the old one,
// read afresh and told to the replaced handler; while the path names no file,
// every write fails and says so, since nobody would read what it wrote.
//
// A file given the shape of its kind is damaged when it is not empty and
// breaks that shape: its length is not a whole number of records, it ends
// before the records its kind holds from creation on, or a count is not a
// 2-byte integer, is negative, or names an entry that begins past its end.
// A damaged file takes no write; it is looked at when opened, and again
// whenever it was changed from outside, and one found damaged then is told to
// the replaced handler as a replaced one is.
class RecordFile {
public:
    enum class Write { Done, TooLong, Failed };
    using FailureHandler = std::function<void(const QString& message)>;
    using ReplacedHandler = std::function<void()>;

    RecordFile(const QString& path, int recordLength, FailureHandler onFailure,
               std::shared_ptr<WriteGate> gate = std::make_shared<WriteGate>());
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // Opens for reading and writing, creating a missing file; reports a failure.
    bool open();
    // Lets go of the file; reads give zeros and writes fail from then on.
    void close();
    void setReplacedHandler(ReplacedHandler onReplaced) { onReplaced_ = std::move(onReplaced); }
    void setShape(FileShape shape);
    // What is wrong with the file as it is now, in plain words; empty for a
    // sound file, an empty one, or one of no given shape.
    QString damage() const;
    // "The file "..." is damaged: ..." for a damaged file.
    QString damageText() const;
    // Whether the path still names the open file; opens the file it names
    // now when that is another one.
    void checkPath() const;
    // Whether the path still names the open file and the file holds what
    // this file last saw of it.
    void checkFile() const;
    const QString& path() const { return path_; }
    int recordLength() const { return length_; }

    QString readString(qint32 record) const;
    qint16 readInteger(qint32 record) const;
    double readDate(qint32 record) const;
    Money readMoney(qint32 record) const;
    TaggedValue readTagged(qint32 record) const;
    // The bytes of `count` records from `first` on, zeros past the end.
    QByteArray readRecords(qint32 first, qint32 count) const;
    // The first `n` bytes of a record (at most its length) copied into `out`,
    // zeros past the end: a quick look at a value without decoding it.
    void peek(qint32 record, char* out, int n) const;

    // A value longer than its record is refused (TooLong) and the record keeps
    // its old value. A file-system failure is reported and gives Failed.
    Write writeString(qint32 record, QStringView value);
    Write writeInteger(qint32 record, qint16 value);
    Write writeDate(qint32 record, double value);
    Write writeMoney(qint32 record, Money value);
    Write writeTagged(qint32 record, const TaggedValue& value);
    // Whole records from `first` on, in one write.
    Write writeRecords(qint32 first, const QByteArray& records);

    // A string value as it is stored: 2-byte length, then the characters.
    static QByteArray encodeString(QStringView value);
    static QString decodeString(const char* record, int recordLength);
    static int maxStringLength(int recordLength) { return recordLength - 2; }
    // A tagged value as it is stored: 2-byte type tag, then the value.
    static QByteArray encodeTagged(const TaggedValue& value);
    // What the user is told of a file the system failed: the file, what
    // could not be done ("could not be written") and the system's cause.
    static QString failureText(const QString& path, const QString& what, int error);

    // Whether a file-system failure is reported (the default) or only returned.
    void setReportFailures(bool report) { reportFailures_ = report; }
    // The next read checks whether the file was changed from outside.
    void recheck() { checked_ = false; }

    // For tests: the write after `writesBefore` more successful ones fails
    // with the system error `error` before it writes anything.
    void failWrite(int writesBefore, int error);

private:
    static constexpr qint64 PieceSize = 64 * 1024;
    struct Piece {
        bool loaded = false;
        QByteArray bytes;  // shorter than PieceSize where the file ends
    };

    // The bytes at [offset, offset + n): a pointer into a piece when they lie
    // in one and exist, else `scratch` filled (with zeros past the end).
    const char* bytesAt(qint64 offset, qint64 n, char* scratch) const;
    QByteArray readSpan(qint64 offset, qint64 n) const;
    const Piece& piece(qint64 index) const;
    void checkOutsideChange() const;
    void noteFileState() const;
    QString findDamage() const;
    void lookForDamage() const;
    bool reopen() const;
    void forgetPieces(qint64 from, qint64 to) const;

    Write writeBytes(qint32 record, const QByteArray& value);
    Write writeAt(qint64 offset, const QByteArray& bytes);
    void fail(const QString& what, int error);
    void report(const QString& message);

    QString path_;
    int length_;
    FailureHandler onFailure_;
    ReplacedHandler onReplaced_;
    std::shared_ptr<WriteGate> gate_;
    std::optional<FileShape> shape_;
    mutable QString damage_;  // what findDamage() found when the file was last looked at
    mutable int fd_ = -1;
    mutable dev_t device_ = 0;  // the identity of the open file
    mutable ino_t inode_ = 0;
    mutable int pathError_ = 0;  // why the path gives no file to write to
    bool reportFailures_ = true;
    mutable std::vector<Piece> pieces_;
    mutable bool checked_ = true;
    mutable qint64 size_ = 0;
    mutable qint64 stamp_ = 0;  // modification time in ns
    int writesBeforeFailure_ = -1;
    int injectedError_ = 0;
};

// The open record files by file number. A number is open at most once;
// reading a number that is not open gives zero values, writing it does nothing.
// A failure that one file reports closes the writes of all of them. A file
// whose path came to name another file is told to `onReplaced` by its number.
class FileTable {
public:
    using ReplacedHandler = std::function<void(int number)>;
    explicit FileTable(RecordFile::FailureHandler onFailure, ReplacedHandler onReplaced = {})
        : onFailure_(std::move(onFailure)), onReplaced_(std::move(onReplaced)) {}

    bool open(int number, const QString& path, int recordLength = 128, std::optional<FileShape> shape = {});
    void close(int number);
    void closeAll();
    bool isOpen(int number) const { return files_.count(number) != 0; }
    RecordFile& operator[](int number);
    // The gate that every file of the table writes through.
    WriteGate& gate() { return *gate_; }
    // Every file checks at its next read whether it was changed from outside.
    void recheckAll();
    // For each damaged file among the numbers, what is wrong with it
    // (RecordFile::damageText), one line each; empty when all are sound.
    QString damageTexts(std::span<const int> numbers);
    // Every file checks now whether its path names another file, or what it
    // holds was changed from outside.
    void checkFiles();

private:
    // Closed files stay in being until the table's end or its next open: a
    // failure can close every file from inside one of them.
    void retire(std::unique_ptr<RecordFile> file);

    RecordFile::FailureHandler onFailure_;
    ReplacedHandler onReplaced_;
    std::shared_ptr<WriteGate> gate_ = std::make_shared<WriteGate>();
    std::map<int, std::unique_ptr<RecordFile>> files_;
    std::vector<std::unique_ptr<RecordFile>> retired_;
    std::unique_ptr<RecordFile> closed_;
};
