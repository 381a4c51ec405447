#pragma once
#include <QByteArray>
#include <QStringView>

#include "common/money.h"
#include "common/record_file.h"

// Consecutive records of a record file, read into memory to be changed there
// and written back in one write, so that they land together or not at all;
// or the records of a file yet to be made, built up in memory.
// Records are addressed by their numbers in the file. A value goes to the
// start of its record and the bytes after it stay, as a write of that value
// alone would leave them.
class RecordRange {
public:
    RecordRange(const RecordFile& file, qint32 first, qint32 count);
    // Records of the given length that hold nothing yet: zero bytes.
    RecordRange(int recordLength, qint32 first, qint32 count);

    qint32 first() const { return first_; }
    qint32 count() const { return qint32(bytes_.size() / length_); }
    const QByteArray& bytes() const { return bytes_; }

    QString string(qint32 record) const { return RecordFile::decodeString(at(record), length_); }
    void setInteger(qint32 record, qint16 value);
    void setDate(qint32 record, double value);
    void setMoney(qint32 record, Money value);
    // The value has to fit its record (RecordFile::maxStringLength).
    void setString(qint32 record, QStringView value);
    // A string value has to fit its record less the tag's two bytes.
    void setTagged(qint32 record, const TaggedValue& value);
    // Copies `count` whole records from `from` on over those from `to` on.
    void copyRecords(qint32 from, qint32 to, qint32 count);
    // Keeps the first `count` records only.
    void truncate(qint32 count);

    RecordFile::Write writeTo(RecordFile& file) const { return file.writeRecords(first_, bytes_); }

private:
    void put(qint32 record, const QByteArray& value);
    char* at(qint32 record) { return bytes_.data() + qsizetype(record - first_) * length_; }
    const char* at(qint32 record) const { return bytes_.constData() + qsizetype(record - first_) * length_; }

    QByteArray bytes_;
    qint32 first_;
    int length_;
};
