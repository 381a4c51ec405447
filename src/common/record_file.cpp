#include "common/record_file.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QVarLengthArray>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
}  // namespace

QByteArray RecordFile::encodeString(QStringView value) {
    const QByteArray chars = Text1252::encode(value);
    return littleEndian16(qint16(quint16(chars.size()))) + chars;
}

QString RecordFile::decodeString(const char* record, int recordLength) {
    const int n = qMin<int>(qFromLittleEndian<quint16>(record), recordLength - 2);
    return Text1252::decode(record + 2, n);
}

RecordFile::RecordFile(const QString& path, int recordLength, FailureHandler onFailure, std::shared_ptr<WriteGate> gate)
    : path_(path), length_(recordLength), onFailure_(std::move(onFailure)), gate_(std::move(gate)) {}

RecordFile::~RecordFile() { close(); }

bool RecordFile::open() {
    fd_ = ::open(QFile::encodeName(path_).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        fail(QStringLiteral("cannot be opened"), errno);
        return false;
    }
    noteFileState();
    return true;
}

void RecordFile::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    pieces_.clear();
    size_ = 0;
}

void RecordFile::checkPath() const {
    if (fd_ < 0) return;
    struct stat named {};
    if (::stat(QFile::encodeName(path_).constData(), &named) != 0) {
        pathError_ = errno;
        return;
    }
    if (named.st_dev == device_ && named.st_ino == inode_) {
        pathError_ = 0;
        return;
    }
    if (!reopen()) return;
    if (onReplaced_) onReplaced_();
}

// The file now at the path in place of the open one; on failure the old one
// stays open for reading and the path's error for writing.
bool RecordFile::reopen() const {
    const int fd = ::open(QFile::encodeName(path_).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        pathError_ = errno;
        return false;
    }
    ::close(fd_);
    fd_ = fd;
    pathError_ = 0;
    pieces_.clear();
    noteFileState();
    damage_ = findDamage();
    return true;
}

void RecordFile::checkFile() const {
    checked_ = false;
    checkOutsideChange();
}

void RecordFile::setShape(FileShape shape) {
    shape_ = std::move(shape);
    damage_ = findDamage();
}

QString RecordFile::damage() const {
    checkOutsideChange();
    return damage_;
}

QString RecordFile::damageText() const {
    return QStringLiteral("The file \"%1\" is damaged: %2.").arg(QDir::toNativeSeparators(path_), damage());
}

QString RecordFile::findDamage() const {
    if (!shape_ || fd_ < 0 || size_ == 0) return {};
    if (size_ % length_ != 0)
        return QStringLiteral("it ends part way through a record (%1 bytes is not a whole number of %2-byte records)")
            .arg(size_)
            .arg(length_);
    const qint64 records = size_ / length_;
    if (records < shape_->minimumRecords) return QStringLiteral("it ends before ") + shape_->minimumHolds;
    for (const FileShape::Count& count : shape_->counts) {
        const TaggedValue value = readTagged(count.record);
        if (value.isEmpty()) continue;
        if (value.kind != TaggedValue::Kind::Integer)
            return QStringLiteral("where it keeps its count of %1, it holds something that is not a number")
                .arg(count.entries);
        if (value.integer < 0)
            return QStringLiteral("its count of %1 is negative (%2)").arg(count.entries).arg(value.integer);
        const qint64 lastBegins = qint64(count.stride) * (value.integer - 1) + count.first;
        if (value.integer > 0 && lastBegins > records) {
            const qint64 held = records >= count.first ? (records - count.first) / count.stride + 1 : 0;
            return QStringLiteral("its count of %1 is %2, but it holds %3")
                .arg(count.entries)
                .arg(value.integer)
                .arg(held == 0 ? QStringLiteral("none") : QStringLiteral("only %1").arg(held));
        }
    }
    return {};
}

// After a change from outside: a file that turned out damaged is told as a
// replaced one is, so that what the windows do with it follows.
void RecordFile::lookForDamage() const {
    const bool wasDamaged = !damage_.isEmpty();
    damage_ = findDamage();
    if (!wasDamaged && !damage_.isEmpty() && onReplaced_) onReplaced_();
}

QString RecordFile::failureText(const QString& path, const QString& what, int error) {
    return QStringLiteral("The file \"%1\" %2: %3.").arg(QDir::toNativeSeparators(path), what, qt_error_string(error));
}

void RecordFile::fail(const QString& what, int error) { report(failureText(path_, what, error)); }

void RecordFile::report(const QString& message) {
    if (!reportFailures_) return;
    gate_->closed = true;
    if (!onFailure_) return;
    if (!gate_->holding)
        onFailure_(message);
    else if (!gate_->heldReport)
        gate_->heldReport = [report = onFailure_, message] { report(message); };
}

void RecordFile::failWrite(int writesBefore, int error) {
    writesBeforeFailure_ = writesBefore;
    injectedError_ = error;
}

// --- reading ---------------------------------------------------------------

void RecordFile::noteFileState() const {
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0) {
        size_ = 0;
        stamp_ = 0;
        return;
    }
    device_ = st.st_dev;
    inode_ = st.st_ino;
    size_ = st.st_size;
    stamp_ = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

void RecordFile::checkOutsideChange() const {
    if (checked_) return;
    checked_ = true;
    checkPath();
    const qint64 size = size_, stamp = stamp_;
    noteFileState();
    if (size == size_ && stamp == stamp_) return;
    pieces_.clear();
    lookForDamage();
}

void RecordFile::forgetPieces(qint64 from, qint64 to) const {
    for (qint64 i = from / PieceSize; i <= (to - 1) / PieceSize && i < qint64(pieces_.size()); ++i)
        pieces_[size_t(i)] = Piece();
}

const RecordFile::Piece& RecordFile::piece(qint64 index) const {
    if (index >= qint64(pieces_.size())) pieces_.resize(size_t(index) + 1);
    Piece& p = pieces_[size_t(index)];
    if (p.loaded) return p;
    // A file that shrank underneath gives a short piece: its missing bytes read as zeros.
    p.bytes.resize(PieceSize);
    qint64 got = 0;
    while (got < PieceSize) {
        const ssize_t r = ::pread(fd_, p.bytes.data() + got, size_t(PieceSize - got), off_t(index * PieceSize + got));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        got += r;
    }
    p.bytes.resize(got);
    p.loaded = true;
    return p;
}

const char* RecordFile::bytesAt(qint64 offset, qint64 n, char* scratch) const {
    checkOutsideChange();
    const qint64 within = offset % PieceSize;
    if (offset < size_ && within + n <= PieceSize) {
        const Piece& p = piece(offset / PieceSize);
        if (within + n <= p.bytes.size()) return p.bytes.constData() + within;
    }
    for (qint64 done = 0; done < n;) {
        const qint64 at = offset + done;
        const qint64 w = at % PieceSize;
        const qint64 take = std::min<qint64>(n - done, PieceSize - w);
        qint64 available = 0;
        if (at < size_) {
            const Piece& p = piece(at / PieceSize);
            available = std::clamp<qint64>(p.bytes.size() - w, 0, take);
            std::memcpy(scratch + done, p.bytes.constData() + w, size_t(available));
        }
        std::memset(scratch + done + available, 0, size_t(take - available));
        done += take;
    }
    return scratch;
}

QByteArray RecordFile::readSpan(qint64 offset, qint64 n) const {
    QByteArray out(n, '\0');
    if (n == 0) return out;
    const char* bytes = bytesAt(offset, n, out.data());
    if (bytes != out.constData()) std::memcpy(out.data(), bytes, size_t(n));
    return out;
}

QByteArray RecordFile::readRecords(qint32 first, qint32 count) const {
    if (first < 1 || count < 1) return QByteArray(qsizetype(std::max(count, 0)) * length_, '\0');
    return readSpan(qint64(first - 1) * length_, qint64(count) * length_);
}

void RecordFile::peek(qint32 record, char* out, int n) const {
    n = std::clamp(n, 0, length_);
    if (record < 1) {
        std::memset(out, 0, size_t(n));
        return;
    }
    const char* bytes = bytesAt(qint64(record - 1) * length_, n, out);
    if (bytes != out) std::memcpy(out, bytes, size_t(n));
}

namespace {
// Room for one record on the stack; longer records take the heap.
using RecordBuffer = QVarLengthArray<char, 512>;
}  // namespace

QString RecordFile::readString(qint32 record) const {
    if (record < 1) return {};
    RecordBuffer scratch(length_);
    return decodeString(bytesAt(qint64(record - 1) * length_, length_, scratch.data()), length_);
}

qint16 RecordFile::readInteger(qint32 record) const {
    if (record < 1) return 0;
    char scratch[2];
    return qFromLittleEndian<qint16>(bytesAt(qint64(record - 1) * length_, 2, scratch));
}

double RecordFile::readDate(qint32 record) const {
    if (record < 1) return 0;
    char scratch[8];
    return qFromLittleEndian<double>(bytesAt(qint64(record - 1) * length_, 8, scratch));
}

Money RecordFile::readMoney(qint32 record) const {
    if (record < 1) return {};
    char scratch[8];
    return Money::fromScaled(qFromLittleEndian<qint64>(bytesAt(qint64(record - 1) * length_, 8, scratch)));
}

TaggedValue RecordFile::readTagged(qint32 record) const {
    if (record < 1) return {};
    RecordBuffer scratch(length_);
    const char* bytes = bytesAt(qint64(record - 1) * length_, length_, scratch.data());
    switch (qFromLittleEndian<qint16>(bytes)) {
    case TagEmpty: return {};
    case TagInteger: return TaggedValue::ofInteger(qFromLittleEndian<qint16>(bytes + 2));
    case TagString: return TaggedValue::ofString(decodeString(bytes + 2, length_ - 2));
    default: return {TaggedValue::Kind::Unknown, 0, {}};
    }
}

// --- writing ---------------------------------------------------------------

RecordFile::Write RecordFile::writeString(qint32 record, QStringView value) {
    if (value.size() > maxStringLength(length_)) return Write::TooLong;
    return writeBytes(record, encodeString(value));
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

QByteArray RecordFile::encodeTagged(const TaggedValue& value) {
    switch (value.kind) {
    case TaggedValue::Kind::Integer: return littleEndian16(TagInteger) + littleEndian16(value.integer);
    case TaggedValue::Kind::String: return littleEndian16(TagString) + encodeString(value.text);
    case TaggedValue::Kind::Empty:
    case TaggedValue::Kind::Unknown: break;
    }
    return littleEndian16(TagEmpty);
}

RecordFile::Write RecordFile::writeTagged(qint32 record, const TaggedValue& value) {
    if (value.kind == TaggedValue::Kind::String && value.text.size() > length_ - 4) return Write::TooLong;
    return writeBytes(record, encodeTagged(value));
}

RecordFile::Write RecordFile::writeRecords(qint32 first, const QByteArray& records) {
    Q_ASSERT(records.size() % length_ == 0);
    return writeBytes(first, records);
}

// The value goes to the start of the record; the bytes after it stay. A write
// past the end extends the file to whole records, the records in between
// reading as zeros: it is one write from the old end on.
RecordFile::Write RecordFile::writeBytes(qint32 record, const QByteArray& value) {
    if (record < 1 || fd_ < 0) return Write::Failed;
    // The path is looked at before every write (checkOutsideChange does so
    // once after the program was idle).
    if (checked_) checkPath();
    checkOutsideChange();
    if (pathError_ != 0) {
        if (gate_->closed) return Write::Failed;
        if (pathError_ == ENOENT || pathError_ == ENOTDIR)
            report(QStringLiteral("The file \"%1\" was removed while the organizer was running; the change was not saved.")
                       .arg(QDir::toNativeSeparators(path_)));
        else
            fail(QStringLiteral("could not be written"), pathError_);
        return Write::Failed;
    }
    if (!damage_.isEmpty()) {
        if (!gate_->closed) report(damageText() + QStringLiteral(" Nothing has been written into it."));
        return Write::Failed;
    }
    const qint64 offset = qint64(record - 1) * length_;
    const qint64 end = offset + value.size();
    const qint64 recordEnd = (end + length_ - 1) / length_ * length_;
    if (size_ >= recordEnd) return writeAt(offset, value);

    const qint64 start = std::min(offset, size_);
    QByteArray span = readSpan(start, recordEnd - start);
    std::memcpy(span.data() + (offset - start), value.constData(), size_t(value.size()));
    return writeAt(start, span);
}

RecordFile::Write RecordFile::writeAt(qint64 offset, const QByteArray& bytes) {
    if (gate_->closed) return Write::Failed;  // the program is ending
    const qint64 oldSize = size_;
    int error = 0;
    if (writesBeforeFailure_ == 0) {
        writesBeforeFailure_ = -1;
        error = injectedError_;
    } else {
        if (writesBeforeFailure_ > 0) --writesBeforeFailure_;
        for (qint64 done = 0; done < bytes.size();) {
            const ssize_t w = ::pwrite(fd_, bytes.constData() + done, size_t(bytes.size() - done), off_t(offset + done));
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0) {
                error = w < 0 ? errno : ENOSPC;
                break;
            }
            done += w;
        }
    }
    forgetPieces(offset, offset + bytes.size());
    if (error != 0 && offset + bytes.size() > oldSize) {
        // Nothing of a failed extension stays behind the old end.
        while (::ftruncate(fd_, off_t(oldSize)) != 0 && errno == EINTR) {
        }
        forgetPieces(oldSize, offset + bytes.size());
    }
    noteFileState();
    if (error != 0) {
        fail(QStringLiteral("could not be written"), error);
        return Write::Failed;
    }
    return Write::Done;
}

// --- the table of open files -----------------------------------------------

bool FileTable::open(int number, const QString& path, int recordLength, std::optional<FileShape> shape) {
    close(number);
    retired_.clear();
    auto file = std::make_unique<RecordFile>(path, recordLength, onFailure_, gate_);
    if (!file->open()) return false;
    if (shape) file->setShape(std::move(*shape));
    if (onReplaced_) file->setReplacedHandler([this, number] { onReplaced_(number); });
    files_[number] = std::move(file);
    return true;
}

void FileTable::retire(std::unique_ptr<RecordFile> file) {
    file->close();
    retired_.push_back(std::move(file));
}

void FileTable::close(int number) {
    auto it = files_.find(number);
    if (it == files_.end()) return;
    retire(std::move(it->second));
    files_.erase(it);
}

void FileTable::closeAll() {
    for (auto& [number, file] : files_) retire(std::move(file));
    files_.clear();
}

RecordFile& FileTable::operator[](int number) {
    auto it = files_.find(number);
    if (it != files_.end()) return *it->second;
    if (!closed_) closed_ = std::make_unique<RecordFile>(QString(), 128, nullptr);
    return *closed_;
}

QString FileTable::damageTexts(std::span<const int> numbers) {
    QStringList texts;
    for (int number : numbers)
        if (const RecordFile& file = (*this)[number]; !file.damage().isEmpty()) texts << file.damageText();
    return texts.join(u'\n');
}

void FileTable::recheckAll() {
    for (auto& [number, file] : files_) file->recheck();
}

void FileTable::checkFiles() {
    for (auto& [number, file] : files_) file->checkFile();
}
