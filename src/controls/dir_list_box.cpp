#include "controls/dir_list_box.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QStyle>

DirListBox::DirListBox(QWidget* parent, const QString& name) : QTreeWidget(parent), Control(this, name) {
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setIndentation(12);
    setUniformRowHeights(true);
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        openFolder(item->data(0, Qt::UserRole).toString());
    });
    openFolder(QDir::currentPath());
}

QString DirListBox::unreadable(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.exists()) return QStringLiteral("No such file or directory");
    if (!info.isDir()) return QStringLiteral("Not a directory");
    if (!info.isReadable() || !info.isExecutable()) return QStringLiteral("Permission denied");
    return {};
}

bool DirListBox::openFolder(const QString& path) {
    const QString folder = QDir::cleanPath(QDir(path).absolutePath());
    if (const QString reason = unreadable(folder); !reason.isEmpty()) {
        emit ReadFailed(folder, reason);
        return false;
    }

    clear();
    listed_.clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);

    // The chain from the root down to the folder, each one inside the last.
    QStringList chain;
    for (QDir dir(folder);; ) {
        chain.prepend(dir.absolutePath());
        if (dir.isRoot() || !dir.cdUp()) break;
    }
    QTreeWidgetItem* parentItem = nullptr;
    for (const QString& step : chain) {
        const QString name = QDir(step).isRoot() ? step : QFileInfo(step).fileName();
        auto* item = parentItem ? new QTreeWidgetItem(parentItem) : new QTreeWidgetItem(this);
        item->setText(0, name);
        item->setIcon(0, open);
        item->setData(0, Qt::UserRole, step);
        item->setExpanded(true);
        listed_ << step;
        parentItem = item;
    }
    const QFileInfoList inside = QDir(folder).entryInfoList(
        QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    for (const QFileInfo& sub : inside) {
        auto* item = new QTreeWidgetItem(parentItem);
        item->setText(0, sub.fileName());
        item->setIcon(0, closed);
        item->setData(0, Qt::UserRole, sub.absoluteFilePath());
        listed_ << sub.absoluteFilePath();
    }
    setCurrentItem(parentItem);
    scrollToItem(parentItem);

    const bool changed = folder != path_;
    path_ = folder;
    if (changed) emit Change();
    return true;
}

void DirListBox::openListed(int index) {
    if (index >= 0 && index < listed_.size()) openFolder(listed_[index]);
}
