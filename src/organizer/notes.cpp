#include "organizer/notes.h"

#include "common/application.h"
#include "common/conversions.h"
#include "common/storable_text.h"
#include "organizer/module1.h"
#include "organizer/notes_window.h"

namespace Module1 {

namespace {
qint32 titleRecord(qint32 note) { return Notes.record(note - 1, 1); }  // note from 1
qint32 textRecord(qint32 note) { return Notes.record(note - 1, 2); }

bool fitsRecord(const QString& value) {
    return value.size() <= RecordFile::maxStringLength(Notes.file().recordLength());
}
}  // namespace

void FillNotesGrid() {
    FillNotesList();
    Form2& form = app().window<Form2>();
    form.Text1->setText(QString());
    form.Text2->setText(QStringLiteral("Note"));
    form.Command1->setEnabled(false);
}

void FillNotesList() {
    FlexGrid& grid = *app().window<Form2>().MSFlexGrid1;
    const qint32 count = RecordCount(Notes);
    const RecordFile& file = Notes.file();

    // The list: the header row, then note i in row i. Every cell of the list
    // is written here and it never holds colours, so the rows of the last fill
    // are reused rather than emptied and made anew. Only the titles are
    // listed, so only they are read.
    grid.setCols(2);
    grid.setRows(count + 1);
    grid.setRow(0);  // no note is selected in a fresh list
    grid.setTextMatrix(0, 0, QStringLiteral("Nr."));
    grid.setTextMatrix(0, 1, QStringLiteral("Description"));
    grid.setColWidth(0, 500);
    grid.setColWidth(1, 3360);
    for (qint32 note = 1; note <= count; ++note) {
        grid.setTextMatrix(note, 0, QString::number(note));
        grid.setTextMatrix(note, 1, file.readString(titleRecord(note)));
    }
    if (count > 0) {
        grid.setFixedRows(1);
    } else {
        // A fixed row needs a row below it while it is made fixed.
        grid.setRows(2);
        grid.setFixedRows(1);
        grid.setRows(1);
    }
}

void SaveNote() {
    Form2& form = app().window<Form2>();
    const QString title = form.Text2->Text();
    const QString text = form.Text1->Text();
    RecordFile& file = Notes.file();
    const qint32 count = RecordCount(Notes);

    // The last note with exactly this title takes the text.
    qint32 target = 0;
    for (qint32 note = 1; note <= count; ++note)
        if (file.readString(titleRecord(note)) == title) target = note;

    if (!CheckStorableText({title, text})) return;
    if (!fitsRecord(title) || !fitsRecord(text)) {
        app().message(QStringLiteral("This note is too long to be saved. Please shorten it and save it again."));
        return;
    }
    if (target > 0) {
        file.writeString(textRecord(target), text);
        return;
    }
    if (count >= MaxEntries) {
        app().message(QStringLiteral("The notes file is full: it holds %1 notes. "
                                     "Delete a note before saving a new one.")
                          .arg(MaxEntries));
        return;
    }

    // The note first: until the count includes it, a failure leaves no trace.
    const qint32 note = count + 1;
    if (file.writeString(titleRecord(note), title) != RecordFile::Write::Done ||
        file.writeString(textRecord(note), text) != RecordFile::Write::Done || !setRecordCount(Notes, note))
        return;
    FlexGrid& grid = *form.MSFlexGrid1;
    grid.AddItem(QString::number(note));
    grid.setTextMatrix(grid.Rows() - 1, 1, title);
}

void ViewNote() {
    Form2& form = app().window<Form2>();
    const qint32 note = form.MSFlexGrid1->Row();
    if (note < 1 || note > RecordCount(Notes)) return;
    const RecordFile& file = Notes.file();
    form.Text1->setText(Conversions::trimSpaces(file.readString(textRecord(note))));
    form.Text2->setText(Conversions::trimSpaces(file.readString(titleRecord(note))));
    form.Command1->setEnabled(false);
}

void DeleteNote() {
    Form2& form = app().window<Form2>();
    const qint32 selected = form.MSFlexGrid1->Row();
    const qint32 count = RecordCount(Notes);
    if (selected < 1 || selected > count) return;

    // The later notes move up one; the last block is left empty.
    if (!RemoveEntry(Notes, selected - 1, count)) return;
    FillNotesGrid();
}

}  // namespace Module1
