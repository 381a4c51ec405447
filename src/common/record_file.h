#pragma once
#include <QFile>
#include <QString>
#include <functional>
#include <map>
#include <memory>

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

// A file of fixed-length records numbered from 1, one value per record.
// Record n lies at byte (n-1)*L; numbers are little-endian; what was never
// written reads as zero bytes. Every write goes through to the file at once.
class RecordFile {
public:
    enum class Write { Done, TooLong, Failed };
    using FailureHandler = std::function<void(const QString& message)>;

    RecordFile(const QString& path, int recordLength, FailureHandler onFailure);
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // Opens for reading and writing, creating a missing file; reports a failure.
    bool open();
    const QString& path() const { return path_; }
    int recordLength() const { return length_; }
    qint64 byteSize() const { return size_; }

    QString readString(qint32 record) const;
    qint16 readInteger(qint32 record) const;
    double readDate(qint32 record) const;
    Money readMoney(qint32 record) const;
    TaggedValue readTagged(qint32 record) const;

    // A value longer than its record is refused (TooLong) and the record keeps
    // its old value. A file-system failure is reported and gives Failed.
    Write writeString(qint32 record, QStringView value);
    Write writeInteger(qint32 record, qint16 value);
    Write writeDate(qint32 record, double value);
    Write writeMoney(qint32 record, Money value);
    Write writeTagged(qint32 record, const TaggedValue& value);

    static int maxStringLength(int recordLength) { return recordLength - 2; }
    // Whether a file-system failure is reported (the default) or only returned.
    void setReportFailures(bool report) { reportFailures_ = report; }

private:
    QByteArray recordBytes(qint32 record, int count) const;
    Write writeBytes(qint32 record, const QByteArray& value);
    void remap();
    void fail(const QString& what);

    QString path_;
    int length_;
    FailureHandler onFailure_;
    QFile file_;
    const uchar* map_ = nullptr;
    bool reportFailures_ = true;
    qint64 size_ = 0;
};

// The open record files by file number. A number is open at most once;
// reading a number that is not open gives zero values, writing it does nothing.
class FileTable {
public:
    explicit FileTable(RecordFile::FailureHandler onFailure) : onFailure_(std::move(onFailure)) {}

    bool open(int number, const QString& path, int recordLength = 128);
    void close(int number);
    void closeAll();
    bool isOpen(int number) const { return files_.count(number) != 0; }
    RecordFile& operator[](int number);

private:
    RecordFile::FailureHandler onFailure_;
    std::map<int, std::unique_ptr<RecordFile>> files_;
    std::unique_ptr<RecordFile> closed_;
};
