#pragma once
#include <QComboBox>

#include "controls/control.h"

// A drop-down list of the drives: the roots of the mounted volumes, each with
// its label where it has one. Drive is the chosen drive's root folder. Change
// runs whenever the chosen drive changes, by the user or by code.
class DriveListBox : public QComboBox, public Control {
    Q_OBJECT
    Q_PROPERTY(QString Drive READ Drive WRITE setDrive)
    Q_PROPERTY(int ListIndex READ currentIndex)
public:
    // Starts on the drive of the current folder.
    DriveListBox(QWidget* parent, const QString& name);

    QString Drive() const;
    // Chooses the drive that holds the folder (the one whose root is its
    // longest leading part).
    void setDrive(const QString& folder);
    int ListCount() const { return count(); }
    QString List(int index) const { return itemText(index); }

    // The root folder of the drive that holds a folder, from a list of roots.
    static QString driveOf(const QString& folder, const QStringList& roots);

    // Choosing a drive as the user would.
    void pick(int index);

signals:
    void Change();

private:
    void fill();
    void choose(int index);

    int chosen_ = -1;
};
