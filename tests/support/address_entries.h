#pragma once
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <QtEndian>
#include <array>

#include "common/application.h"
#include "organizer/address_book_window.h"
#include "organizer/address_entry_dialog.h"
#include "organizer/module1.h"

// An address entry by its fields, as the dialog stores them.
struct AddressEntry {
    QString surname, name;
    QString birthday = QStringLiteral("01/01/1970");
    QString flag = QStringLiteral("0");
    QString address, email, homePage, notes;
    std::array<QString, 6> phones{};

    QString key() const { return surname + QStringLiteral(", ") + name; }
    // The fifteen fields in the order of their records.
    QStringList fields() const {
        QStringList f{key(), name, surname, address};
        for (const QString& phone : phones) f << phone;
        return f << birthday << flag << email << homePage << notes;
    }
};

// An entry with a name and a birthday, ticked or not, and nothing else.
inline AddressEntry person(const QString& surname, const QString& name,
                           const QString& birthday = QStringLiteral("01/01/1970"), const QString& flag = QStringLiteral("0")) {
    AddressEntry e;
    e.surname = surname;
    e.name = name;
    e.birthday = birthday;
    e.flag = flag;
    return e;
}

// Writes the entry straight into the next block of AddBook.dat.
inline void storeEntry(const AddressEntry& entry) {
    using namespace Module1;
    const qint32 i = RecordCount(AddressBook);
    const QStringList fields = entry.fields();
    for (int f = 0; f < fields.size(); ++f) AddressBook.file().writeString(AddressBook.record(i, f + 1), fields[f]);
    setRecordCount(AddressBook, i + 1);
}

// AddBook.dat as its bytes lie: the count, and the fifteen strings of a block.
inline qint16 bookCount(const QByteArray& book) {
    if (book.size() < 16 * 128) return -1;
    EXPECT_EQ(qFromLittleEndian<qint16>(book.constData() + 15 * 128), 2) << "an integer tag";
    return qFromLittleEndian<qint16>(book.constData() + 15 * 128 + 2);
}
inline QStringList bookBlock(const QByteArray& book, qint32 entry) {
    QStringList fields;
    for (int f = 1; f <= 15; ++f) {
        const qint64 at = (qint64(entry) * 16 + f - 1) * 128;
        if (at + 2 > book.size()) return fields << QStringLiteral("<missing>");
        fields << QString::fromLatin1(book.mid(at + 2, qFromLittleEndian<quint16>(book.constData() + at)));
    }
    return fields;
}
inline QStringList bookKeys(const QByteArray& book) {
    QStringList keys;
    for (qint32 i = 0; i < bookCount(book); ++i) keys << bookBlock(book, i).front();
    return keys;
}

inline QStringList listed(const ComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->ListCount(); ++i) items << list->List(i);
    return items;
}

inline void clickTab(Form3& book, const QString& caption) {
    for (CommandButton* tab : book.Command4)
        if (tab->Caption() == caption) return QTest::mouseClick(tab, Qt::LeftButton);
    ADD_FAILURE() << "no tab " << caption.toStdString();
}

// Types the entry into the dialog as the user would: every box, the birthday
// picked and ticked when the entry has one.
inline void typeEntry(Form7& dialog, const AddressEntry& entry) {
    const std::array<QString, 6> boxes = {entry.name, entry.surname, entry.address, entry.email, entry.homePage, entry.notes};
    for (size_t i = 0; i < boxes.size(); ++i) dialog.Text2[i]->typeText(boxes[i]);
    for (size_t i = 0; i < entry.phones.size(); ++i) dialog.Text3[i]->typeText(entry.phones[i]);
    dialog.DTPicker1->pick(QDate::fromString(entry.birthday, QStringLiteral("dd/MM/yyyy")));
    if ((dialog.Check1->Value() == 1) != (entry.flag == QLatin1String("1"))) dialog.Check1->click();
}

// "Add Entry", the entry typed in, "OK".
inline Form7& addEntry(Form3& book, const AddressEntry& entry) {
    QTest::mouseClick(book.Command3, Qt::LeftButton);
    Form7& dialog = app().window<Form7>();
    typeEntry(dialog, entry);
    QTest::mouseClick(dialog.Command1, Qt::LeftButton);
    return dialog;
}
