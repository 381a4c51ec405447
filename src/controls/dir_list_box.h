#pragma once
#include <QTreeWidget>

#include "controls/control.h"

// A list of folders: the open folder (Path) under its parent folders up to
// the root, then the folders inside it. Double-clicking a folder, or Enter on
// it, opens it. Change runs whenever Path changes, by the user or by code.
//
// A folder that cannot be read is not opened: the list stays where it was and
// ReadFailed tells which folder and why.
class DirListBox : public QTreeWidget, public Control {
    Q_OBJECT
    Q_PROPERTY(QString Path READ Path WRITE setPath)
    Q_PROPERTY(int ListCount READ ListCount)
public:
    // Starts in the current folder.
    DirListBox(QWidget* parent, const QString& name);

    QString Path() const { return path_; }
    void setPath(const QString& path) { openFolder(path); }
    // Opens the folder; false (and ReadFailed) when it cannot be read.
    bool openFolder(const QString& path);

    // The folders listed from the top: the root, ..., the open folder, then
    // the folders inside it, each as its full path.
    int ListCount() const { return int(listed_.size()); }
    QString List(int index) const { return listed_.value(index); }

    // Opening a listed folder as the user does with a double click.
    void openListed(int index);

signals:
    void Change();
    void ReadFailed(const QString& folder, const QString& reason);

protected:
    // Folders show by their indent and icons alone; there is nothing to expand or collapse.
    void drawBranches(QPainter*, const QRect&, const QModelIndex&) const override {}

private:
    // Why a folder cannot be listed, or an empty text when it can.
    static QString unreadable(const QString& folder);

    QString path_;
    QStringList listed_;
};
