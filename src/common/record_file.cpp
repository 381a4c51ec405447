#include "common/record_file.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>

#include "common/text1252.h"

namespace {
constexpr qint16 TagEmpty = 0;
constexpr qint16 TagInteger = 2;
constexpr qint16 TagString = 8;

QByteArray littleEndian16(qint16 v) {
    QByteArray b(2, '\0');
    qToLittleEndian<qint16>(v, b.data());
    return b;
}

QByteArray encodedString(QStringView value) {
    const QByteArray chars = Text1252::encode(value);
    return littleEndian16(qint16(quint16(chars.size()))) + chars;
}
}  // namespace

RecordFile::RecordFile(const QString& path, int recordLength, FailureHandler onFailure)
    : path_(path), length_(recordLength), onFailure_(std::move(onFailure)), file_(path) {}

RecordFile::~RecordFile() {
    if (map_) file_.unmap(const_cast<uchar*>(map_));
    file_.close();
}

bool RecordFile::open() {
    if (!file_.open(QIODevice::ReadWrite)) {
        fail(QStringLiteral("cannot be opened"));
        return false;
    }
    remap();
    return true;
}

void RecordFile::remap() {
    if (map_) file_.unmap(const_cast<uchar*>(map_));
    map_ = nullptr;
    size_ = file_.size();
    if (size_ > 0) map_ = file_.map(0, size_);
    if (!map_) size_ = size_ > 0 ? 0 : size_;  // unmappable: treat as empty rather than crash
}

void RecordFile::fail(const QString& what) {
    const QString message = QStringLiteral("The file \"%1\" %2: %3.").arg(path_, what, file_.errorString());
    if (onFailure_ && reportFailures_) onFailure_(message);
}

QByteArray RecordFile::recordBytes(qint32 record, int count) const {
    QByteArray out(count, '\0');
    if (record < 1 || !map_) return out;
    const qint64 offset = qint64(record - 1) * length_;
    const qint64 available = std::clamp<qint64>(size_ - offset, 0, count);
    if (available > 0) std::memcpy(out.data(), map_ + offset, size_t(available));
    return out;
}

QString RecordFile::readString(qint32 record) const {
    const QByteArray bytes = recordBytes(record, length_);
    const int n = qMin<int>(qFromLittleEndian<quint16>(bytes.constData()), length_ - 2);
    return Text1252::decode(bytes.constData() + 2, n);
}

qint16 RecordFile::readInteger(qint32 record) const {
    return qFromLittleEndian<qint16>(recordBytes(record, 2).constData());
}

double RecordFile::readDate(qint32 record) const {
    return qFromLittleEndian<double>(recordBytes(record, 8).constData());
}

Money RecordFile::readMoney(qint32 record) const {
    return Money::fromScaled(qFromLittleEndian<qint64>(recordBytes(record, 8).constData()));
}

TaggedValue RecordFile::readTagged(qint32 record) const {
    const QByteArray bytes = recordBytes(record, length_);
    switch (qFromLittleEndian<qint16>(bytes.constData())) {
    case TagEmpty: return {};
    case TagInteger: return TaggedValue::ofInteger(qFromLittleEndian<qint16>(bytes.constData() + 2));
    case TagString: {
        const int n = qMin<int>(qFromLittleEndian<quint16>(bytes.constData() + 2), length_ - 4);
        return TaggedValue::ofString(Text1252::decode(bytes.constData() + 4, n));
    }
    default: return {TaggedValue::Kind::Unknown, 0, {}};
    }
}

RecordFile::Write RecordFile::writeString(qint32 record, QStringView value) {
    if (value.size() > maxStringLength(length_)) return Write::TooLong;
    return writeBytes(record, encodedString(value));
}

RecordFile::Write RecordFile::writeInteger(qint32 record, qint16 value) {
    return writeBytes(record, littleEndian16(value));
}

RecordFile::Write RecordFile::writeDate(qint32 record, double value) {
    QByteArray b(8, '\0');
    qToLittleEndian<double>(value, b.data());
    return writeBytes(record, b);
}

RecordFile::Write RecordFile::writeMoney(qint32 record, Money value) {
    QByteArray b(8, '\0');
    qToLittleEndian<qint64>(value.scaled(), b.data());
    return writeBytes(record, b);
}

RecordFile::Write RecordFile::writeTagged(qint32 record, const TaggedValue& value) {
    switch (value.kind) {
    case TaggedValue::Kind::Integer: return writeBytes(record, littleEndian16(TagInteger) + littleEndian16(value.integer));
    case TaggedValue::Kind::String:
        if (value.text.size() > length_ - 4) return Write::TooLong;
        return writeBytes(record, littleEndian16(TagString) + encodedString(value.text));
    case TaggedValue::Kind::Empty:
    case TaggedValue::Kind::Unknown: break;
    }
    return writeBytes(record, littleEndian16(TagEmpty));
}

RecordFile::Write RecordFile::writeBytes(qint32 record, const QByteArray& value) {
    if (record < 1 || !file_.isOpen()) return Write::Failed;
    const qint64 offset = qint64(record - 1) * length_;
    // A write past the end extends the file to whole records; the gap reads as zeros.
    QByteArray bytes = value;
    const qint64 recordEnd = qint64(record) * length_;
    const bool extends = size_ < recordEnd;
    if (extends) bytes.append(QByteArray(int(recordEnd - offset - bytes.size()), '\0'));
    qint64 start = offset;
    if (extends && size_ < offset) {  // fill the records in between too
        bytes.prepend(QByteArray(int(offset - size_), '\0'));
        start = size_;
    }
    if (!file_.seek(start) || file_.write(bytes) != bytes.size() || !file_.flush()) {
        fail(QStringLiteral("could not be written"));
        if (extends) remap();
        return Write::Failed;
    }
    if (extends) remap();
    return Write::Done;
}

bool FileTable::open(int number, const QString& path, int recordLength) {
    close(number);
    auto file = std::make_unique<RecordFile>(path, recordLength, onFailure_);
    if (!file->open()) return false;
    files_[number] = std::move(file);
    return true;
}

void FileTable::close(int number) { files_.erase(number); }

void FileTable::closeAll() { files_.clear(); }

RecordFile& FileTable::operator[](int number) {
    auto it = files_.find(number);
    if (it != files_.end()) return *it->second;
    if (!closed_) closed_ = std::make_unique<RecordFile>(QString(), 128, nullptr);
    return *closed_;
}
