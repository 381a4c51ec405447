#include "controls/image_list.h"

ImageList::ImageList(QObject* parent, const QString& name, int imageWidth, int imageHeight)
    : QObject(parent), width_(imageWidth), height_(imageHeight) {
    setObjectName(name);
}

bool ImageList::Add(const QPixmap& picture, const QString& key) {
    if (!key.isEmpty() && Index(key) != 0) return false;
    QPixmap sized = picture;
    if (!sized.isNull() && sized.size() != ImageSize())
        sized = sized.scaled(ImageSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    pictures_.push_back({sized, key});
    return true;
}

QPixmap ImageList::Picture(int index) const {
    if (index < 1 || index > Count()) return {};
    return pictures_[size_t(index - 1)].picture;
}

QPixmap ImageList::Picture(const QString& key) const { return Picture(Index(key)); }

int ImageList::Index(const QString& key) const {
    if (key.isEmpty()) return 0;
    for (size_t i = 0; i < pictures_.size(); ++i)
        if (pictures_[i].key == key) return int(i + 1);
    return 0;
}
