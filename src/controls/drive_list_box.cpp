#include "controls/drive_list_box.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

DriveListBox::DriveListBox(QWidget* parent, const QString& name) : QComboBox(parent), Control(this, name) {
    fill();
    connect(this, &QComboBox::activated, this, [this](int index) { choose(index); });
    setDrive(QDir::currentPath());
}

void DriveListBox::fill() {
    QStringList roots;
    QStringList labels;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        // Mounts of single files and of volumes that cannot be read are no drives.
        if (!volume.isValid() || !volume.isReady() || !QFileInfo(root).isDir() || roots.contains(root)) continue;
        roots << root;
        labels << volume.name();
    }
    // The current folder's drive is always there, even when the system lists it otherwise.
    const QString current = QStorageInfo(QDir::currentPath()).rootPath();
    if (!current.isEmpty() && !roots.contains(current)) {
        roots << current;
        labels << QString();
    }
    if (!roots.contains(QDir::rootPath())) {
        roots << QDir::rootPath();
        labels << QString();
    }
    QList<int> order;
    for (int i = 0; i < roots.size(); ++i) order << i;
    std::sort(order.begin(), order.end(), [&](int a, int b) { return roots[a] < roots[b]; });
    for (int i : order) {
        const QString text = labels[i].isEmpty() ? roots[i] : QStringLiteral("%1 [%2]").arg(roots[i], labels[i]);
        addItem(text, roots[i]);
    }
}

QString DriveListBox::Drive() const { return currentData().toString(); }

QString DriveListBox::driveOf(const QString& folder, const QStringList& roots) {
    const QString path = QDir::cleanPath(QDir(folder).absolutePath());
    QString best;
    for (const QString& root : roots) {
        const QString prefix = root.endsWith(u'/') ? root : root + u'/';
        if ((path == root || path.startsWith(prefix)) && root.size() > best.size()) best = root;
    }
    return best;
}

void DriveListBox::setDrive(const QString& folder) {
    QStringList roots;
    for (int i = 0; i < count(); ++i) roots << itemData(i).toString();
    const int index = findData(driveOf(folder, roots));
    if (index >= 0) choose(index);
}

void DriveListBox::choose(int index) {
    {
        const QSignalBlocker block(this);
        setCurrentIndex(index);
    }
    if (index == chosen_) return;
    chosen_ = index;
    emit Change();
}

void DriveListBox::pick(int index) { emit activated(index); }
