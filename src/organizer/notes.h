#pragma once

// The notes procedures of Module1. Each works on the Notes window, creating
// it hidden when it does not exist yet.
//
// Notes.dat: note i (from 0) has its title in record 3i+1 and its text in
// record 3i+2; record 3 holds the count.
namespace Module1 {

// The most characters of a note's text and of its title.
inline constexpr int NoteTextLength = 490;
inline constexpr int NoteTitleLength = 20;

// Rebuilds the list from the file and resets the pad.
void FillNotesGrid();
// Rebuilds the list only; the pad keeps what it holds.
void FillNotesList();
// Saves the pad under the title: over the text of the last note with exactly
// that title, or as a new note at the end.
void SaveNote();
// Loads the selected note onto the pad.
void ViewNote();
// Removes the selected note; the later notes move up one.
void DeleteNote();

}  // namespace Module1
