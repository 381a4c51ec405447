#pragma once
#include <QObject>
#include <QPixmap>
#include <QString>
#include <vector>

// A list of pictures of one size that other controls (a tree, a toolbar) show
// by number, counted from 1, or by key. It shows nothing itself.
class ImageList : public QObject {
    Q_OBJECT
    Q_PROPERTY(int ImageWidth READ ImageWidth)
    Q_PROPERTY(int ImageHeight READ ImageHeight)
    Q_PROPERTY(int Count READ Count)
public:
    ImageList(QObject* parent, const QString& name, int imageWidth, int imageHeight);

    int ImageWidth() const { return width_; }
    int ImageHeight() const { return height_; }
    QSize ImageSize() const { return {width_, height_}; }
    int Count() const { return int(pictures_.size()); }

    // Appends a picture; it gets the next number. A key, if given, must be
    // unique in the list: a picture with a key already taken is refused (false).
    bool Add(const QPixmap& picture, const QString& key = {});
    // The picture with number `index` (1 .. Count) or with `key`; a null
    // picture when there is none.
    QPixmap Picture(int index) const;
    QPixmap Picture(const QString& key) const;
    // The number of the picture with `key`, 0 when there is none.
    Q_INVOKABLE int Index(const QString& key) const;

private:
    struct Entry {
        QPixmap picture;
        QString key;
    };
    int width_, height_;
    std::vector<Entry> pictures_;
};
