#include <gtest/gtest.h>

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "controls/dir_list_box.h"
#include "controls/drive_list_box.h"
#include "support/double_click.h"

namespace {

// Opening a folder by the list and a folder that cannot be read are checked
// with the New Portfolio window.
TEST(FolderLists, TheFolderListShowsThePathFromTheRootThenTheFoldersInside) {
    QTemporaryDir top;
    for (const char* folder : {"b/inner", "A", "c", ".hidden"}) QDir(top.path()).mkpath(folder);
    QFile(top.filePath("file.txt")).open(QIODevice::WriteOnly);
    const auto at = [&](const QString& relative) { return QDir::cleanPath(top.filePath(relative)); };
    QWidget window;
    DirListBox list(&window, "Dir1");
    ASSERT_TRUE(list.openFolder(top.path()));

    QStringList expected;
    for (QDir dir(top.path());; dir.cdUp()) {
        expected.prepend(dir.absolutePath());
        if (dir.isRoot()) break;
    }
    expected << at("A") << at("b") << at("c");  // no files, no hidden folders, by name
    QStringList listed;
    for (int i = 0; i < list.ListCount(); ++i) listed << list.List(i);
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(list.currentItem()->text(0), QFileInfo(top.path()).fileName()) << "the open folder is marked";

    // A double click opens a folder inside; an entry of the path opens that parent.
    QSignalSpy changes(&list, &DirListBox::Change);
    list.setGeometry(0, 0, 300, 2000);
    window.resize(300, 2000);
    window.show();
    QCoreApplication::processEvents();
    QTreeWidgetItem* b = list.currentItem()->child(1);
    ASSERT_EQ(b->text(0), "b");
    doubleClick(list.viewport(), list.visualItemRect(b).center());
    EXPECT_EQ(list.Path(), at("b"));
    EXPECT_EQ(list.List(list.ListCount() - 1), at("b/inner"));
    list.openListed(0);
    EXPECT_EQ(list.Path(), QDir::rootPath());
    list.openFolder(QDir::rootPath());
    EXPECT_EQ(changes.size(), 2) << "the same folder again is no change";
}

// The drive list in use is checked with the New Portfolio window.
TEST(FolderLists, TheDriveOfAFolderIsTheLongestRootThatLeadsIt) {
    DriveListBox drives(nullptr, "Drive1");
    QStringList roots;
    for (int i = 0; i < drives.ListCount(); ++i) roots << drives.itemData(i).toString();
    EXPECT_EQ(drives.Drive(), DriveListBox::driveOf(QDir::currentPath(), roots));
    const QStringList mounts = {"/", "/media/usb", "/media/usb2"};
    EXPECT_EQ(DriveListBox::driveOf("/media/usb/photos", mounts), "/media/usb");
    EXPECT_EQ(DriveListBox::driveOf("/media/usb2", mounts), "/media/usb2");
    EXPECT_EQ(DriveListBox::driveOf("/media/usb20/x", mounts), "/");
}

}  // namespace
