#include <QStringList>
#include <QVarLengthArray>
#include <QtEndian>
#include <array>
#include <cstring>

#include "common/application.h"
#include "common/storable_text.h"
#include "common/text1252.h"
#include "organizer/address_book_window.h"
#include "organizer/address_entry_dialog.h"
#include "organizer/module1.h"

namespace Module1 {

namespace {
namespace Field = AddressField;

RecordFile& bookFile() { return AddressBook.file(); }
QString readField(qint32 entry, int field) { return bookFile().readString(AddressBook.record(entry, field)); }

// A key as the file stores it: entries are compared with it as their bytes
// lie, without decoding each one (every text has exactly one stored form).
class StoredKey {
public:
    explicit StoredKey(const QString& key)
        : storable_(Text1252::canEncode(key)), bytes_(RecordFile::encodeString(key)) {}

    bool heldBy(qint32 entry) const {
        const RecordFile& file = bookFile();
        const int length = file.recordLength();
        if (!storable_ || bytes_.size() > length) return false;
        QVarLengthArray<char, 128> stored(bytes_.size());
        file.peek(AddressBook.record(entry, Field::Key), stored.data(), int(bytes_.size()));
        // A damaged length reads as the most the record holds, as in a decoded read.
        const int size = qMin<int>(qFromLittleEndian<quint16>(stored.constData()), RecordFile::maxStringLength(length));
        return size == bytes_.size() - 2 && std::memcmp(stored.constData() + 2, bytes_.constData() + 2, size_t(size)) == 0;
    }

private:
    bool storable_;
    QByteArray bytes_;  // length, then the characters
};

// The last entry but `except` with exactly this key, or -1. Searching from
// the end, the first match is the last one.
qint32 lastEntryWithKey(const QString& key, qint32 count, qint32 except = -1) {
    const StoredKey stored(key);
    for (qint32 i = count - 1; i >= 0; --i)
        if (i != except && stored.heldBy(i)) return i;
    return -1;
}

// The first characters of the keys a letter group lists (all of them ASCII,
// so each is its own stored byte).
QByteArray groupLetters(const QString& group) {
    if (group == QLatin1String("QR") || group == QLatin1String("XYZ")) return group.toLatin1();
    if (group == QLatin1String("123")) return QByteArrayLiteral("1234567890");
    const QChar first = group.isEmpty() ? QChar() : group.front();
    return first.unicode() >= 1 && first.unicode() < 0x80 ? QByteArray(1, char(first.unicode())) : QByteArray();
}

// The birthday as stored: dd/mm/yyyy.
QString birthdayText(const QDate& day) { return BirthdayKey(day) + u'/' + QString::number(day.year()); }

}  // namespace

// One pass over the keys gathers every letter of the group: the list keeps
// its own order, whatever the order of adding. A key is decoded only when its
// first character is one of the group's.
void FillAddressNameList() {
    Form3& book = app().window<Form3>();
    book.Combo1->Clear();
    const QByteArray letters = groupLetters(book.Label2->Caption());
    const RecordFile& file = bookFile();
    const qint32 count = RecordCount(AddressBook);
    QStringList keys;
    for (qint32 i = 0; i < count; ++i) {
        const qint32 record = AddressBook.record(i, Field::Key);
        char start[3];  // the length, then the first character
        file.peek(record, start, sizeof start);
        if (qFromLittleEndian<quint16>(start) == 0 || !letters.contains(start[2])) continue;
        keys.append(file.readString(record));
    }
    book.Combo1->AddItems(std::move(keys));
    if (book.Combo1->ListCount() > 0) book.Combo1->setListIndex(0);  // shows the first entry
}

void ShowAddressEntry() {
    Form3& book = app().window<Form3>();
    const QString key = book.Combo1->Text();
    const qint32 entry = key.isEmpty() ? -1 : lastEntryWithKey(key, RecordCount(AddressBook));
    if (entry < 0) {
        // The birthday box and its label keep their visibility; the holders stay.
        for (TextBox* box : book.Text3) box->setText(QString());
        for (TextBox* box : {book.Text1, book.Text5, book.Text6, book.Text7, book.Text8}) box->setText(QString());
        return;
    }

    book.Text1->setText(readField(entry, Field::Address));
    const bool hasBirthday = HasBirthday(entry);
    book.Text8->setVisible(hasBirthday);
    book.Label1[0]->setVisible(hasBirthday);
    book.Check1->setValue(hasBirthday ? 1 : 0);
    book.Text8->setText(readField(entry, Field::Birthday));
    book.Text5->setText(readField(entry, Field::Email));
    book.Text6->setText(readField(entry, Field::HomePage));
    book.Text7->setText(readField(entry, Field::Notes));
    for (int i = 0; i < 6; ++i) book.Text3[size_t(i)]->setText(readField(entry, Field::Phone + i));
    book.Text4->setText(readField(entry, Field::Name));
    book.Text10->setText(readField(entry, Field::Surname));
}

void DeleteAddressEntry() {
    const QString key = app().window<Form3>().Combo1->Text();
    if (key.isEmpty()) return;
    const qint32 count = RecordCount(AddressBook);
    const qint32 entry = lastEntryWithKey(key, count);
    if (entry >= 0 && RemoveEntry(AddressBook, entry, count)) MarkCalendarMonth();
}

void BeginAddressEdit() { vars().EditedAddressKey = app().window<Form3>().Combo1->Text(); }

bool GiveUpAddressEdit() {
    std::optional<QString>& key = vars().EditedAddressKey;
    const bool open = key.has_value();
    key.reset();
    return open;
}

bool AddAddressEntry() {
    const Form7& dialog = app().window<Form7>();
    std::array<QString, Field::Count + 1> fields;  // by field number
    fields[Field::Name] = dialog.Text2[0]->Text();
    fields[Field::Surname] = dialog.Text2[1]->Text();
    fields[Field::Address] = dialog.Text2[2]->Text();
    for (int i = 0; i < 6; ++i) fields[size_t(Field::Phone + i)] = dialog.Text3[size_t(i)]->Text();
    fields[Field::Birthday] = birthdayText(dialog.DTPicker1->Value());  // whether ticked or not
    fields[Field::BirthdayFlag] = QString::number(dialog.Check1->Value());
    fields[Field::Email] = dialog.Text2[3]->Text();
    fields[Field::HomePage] = dialog.Text2[4]->Text();
    fields[Field::Notes] = dialog.Text2[5]->Text();
    fields[Field::Key] = fields[Field::Surname] + QStringLiteral(", ") + fields[Field::Name];

    if (!CheckStorableText(QStringList(fields.begin(), fields.end()))) return false;
    std::optional<QString>& editedKey = vars().EditedAddressKey;
    const qint32 count = RecordCount(AddressBook);
    // The entry an edit replaces is no other entry: its own key is no duplicate.
    const qint32 edited = editedKey ? lastEntryWithKey(*editedKey, count) : -1;
    if (lastEntryWithKey(fields[Field::Key], count, edited) >= 0) {
        app().message(QStringLiteral("Entry Already Exists!"));
        return false;
    }
    if (count >= MaxEntries && edited < 0) {
        app().message(QStringLiteral("The address book is full: it holds %1 entries. "
                                     "Delete an entry before adding another.")
                          .arg(MaxEntries));
        return false;
    }
    RecordFile& file = bookFile();
    for (int f = Field::Key; f <= Field::Count; ++f) {
        if (fields[size_t(f)].size() > RecordFile::maxStringLength(file.recordLength())) {
            app().message(QStringLiteral("This entry is too long to be saved. "
                                         "Please shorten its address or notes and save it again."));
            return false;
        }
    }

    // The entry goes to the end, and only then does an edited entry's old
    // block leave: stopped part way, the file holds the old entry or both,
    // never neither. A full book has no block to spare: there the edit takes
    // the old entry's place, in one write. Each value goes to the start of its
    // record; what follows it stays.
    const qint32 target = count < MaxEntries ? count : edited;
    RecordRange entry = AddressBook.fieldRecords(target);
    for (int f = Field::Key; f <= Field::Count; ++f) entry.setString(AddressBook.record(target, f), fields[size_t(f)]);
    const bool stored = target == count ? AppendEntry(AddressBook, count, entry) &&
                                              (edited < 0 || RemoveEntry(AddressBook, edited, count + 1))
                                        : entry.writeTo(file) == RecordFile::Write::Done;
    if (!stored) return false;
    editedKey.reset();
    MarkCalendarMonth();
    return true;
}

}  // namespace Module1
