#pragma once
#include <QByteArray>
#include <QString>
#include <array>

// The help's table of contents and its pages, part of Module1.
//
// A page node of the topics tree is keyed chapter, hyphen, topic ("6-3"); it
// opens page 10 x chapter + topic. The viewer holds a box for every chapter
// 0 to 8 and topic 1 to 6; the boxes that are not help pages hold
// placeholders that are never shown.
namespace Module1 {

// Pictures of the topics tree's image list.
enum HelpTreePicture { ClosedBook = 1, OpenBook = 2, PageSheet = 3 };

// The page boxes: chapters 0 .. 8, topics 1 .. 6.
inline constexpr int HelpChapters = 9;
inline constexpr int HelpTopicsPerChapter = 6;

// The help pages in reading order, the order of "<<" and ">>".
inline constexpr std::array<int, 34> HelpPageOrder{1,  11, 12, 13, 14, 15, 21, 22, 23, 24, 31, 32,
                                                   33, 34, 41, 51, 52, 53, 61, 62, 63, 64, 65, 66,
                                                   71, 72, 73, 74, 75, 81, 82, 83, 84, 85};

// Whether a key names a page ("6-3") rather than a book: its second character is a hyphen.
bool IsHelpPageKey(const QString& key);
// The page a page node opens: 10 x chapter + topic ("6-3" gives 63).
int HelpPageIndex(const QString& key);
// The Rich Text Format document of page box k, as carried with the program.
QByteArray HelpPageDocument(int k);

// Fills the Help Topics window's tree with its 43 books and pages.
void BuildHelpTopicsTree();

}  // namespace Module1
