#include "common/record_range.h"

#include <QtEndian>
#include <cstring>

RecordRange::RecordRange(const RecordFile& file, qint32 first, qint32 count)
    : bytes_(file.readRecords(first, count)), first_(first), length_(file.recordLength()) {}

RecordRange::RecordRange(int recordLength, qint32 first, qint32 count)
    : bytes_(qsizetype(count) * recordLength, '\0'), first_(first), length_(recordLength) {}

void RecordRange::setInteger(qint32 record, qint16 value) { qToLittleEndian<qint16>(value, at(record)); }

void RecordRange::setDate(qint32 record, double value) { qToLittleEndian<double>(value, at(record)); }

void RecordRange::setMoney(qint32 record, Money value) { qToLittleEndian<qint64>(value.scaled(), at(record)); }

void RecordRange::setString(qint32 record, QStringView value) { put(record, RecordFile::encodeString(value)); }

void RecordRange::setTagged(qint32 record, const TaggedValue& value) { put(record, RecordFile::encodeTagged(value)); }

void RecordRange::put(qint32 record, const QByteArray& value) {
    Q_ASSERT(value.size() <= length_);
    std::memcpy(at(record), value.constData(), size_t(qMin<qsizetype>(value.size(), length_)));
}

void RecordRange::copyRecords(qint32 from, qint32 to, qint32 count) {
    std::memmove(at(to), at(from), size_t(count) * size_t(length_));
}

void RecordRange::truncate(qint32 count) { bytes_.truncate(qsizetype(count) * length_); }
