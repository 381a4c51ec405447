#include <QFileInfo>
#include <QImageReader>

#include "common/application.h"
#include "common/storable_text.h"
#include "desk/desk_window.h"
#include "desk/module2.h"
#include "organizer/module1.h"

namespace Module2 {

namespace {
constexpr float StartWidth = 495;
constexpr float StartHeight = 705;
constexpr float LastEnlargedHeight = 2020;
// The frame never grows past about 190 x 270 pixels; a photo is decoded at a
// size that keeps it sharp there and no larger.
const QSize DecodeLimit(640, 640);

// The photo last decoded, so that showing the same unchanged file again costs nothing.
struct PhotoCache {
    QString path;
    QDateTime modified;
    qint64 size = -1;
    QPixmap picture;
};

std::optional<QPixmap> loadPicture(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile()) return std::nullopt;
    PhotoCache& cache = app().state<PhotoCache>();
    if (cache.path == path && cache.modified == info.lastModified() && cache.size == info.size())
        return cache.picture;

    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > DecodeLimit.width() || size.height() > DecodeLimit.height()))
        reader.setScaledSize(size.scaled(DecodeLimit, Qt::KeepAspectRatio));
    const QImage image = reader.read();
    if (image.isNull()) return std::nullopt;
    cache = {path, info.lastModified(), info.size(), QPixmap::fromImage(image)};
    return cache.picture;
}
}  // namespace

void ChangePhoto() {
    const auto path = app().openFile(QStringLiteral("Open Photo"), QStringLiteral("Picture Files (*.bmp;*.jpg)|*.bmp;*.jpg"));
    if (!path) return;
    const auto picture = loadPicture(*path);
    if (!picture) return;
    // A photo whose path the file cannot hold would be gone at the next start:
    // the user is told, and the frame keeps the photo it shows.
    if (const auto character = UnstorableCharacter(*path)) {
        app().message(QStringLiteral("The character \"%1\" in the photo's path cannot be kept in the organizer's "
                                     "files, so the photo would not come back at the next start. "
                                     "Please choose a photo whose path is without it.")
                          .arg(*character));
        return;
    }
    app().window<Desk>().Image17->setPicture(*picture);
    // A path too long for the record is not stored: the next start shows the
    // photo stored before.
    RecordFile& file = app().files()[Module1::PhotoFile];
    file.setReportFailures(false);
    file.writeString(1, *path);
    file.setReportFailures(true);
}

void LoadSavedPhoto() {
    const QString path = app().files()[Module1::PhotoFile].readString(1);
    if (path == QStringLiteral("none")) return;
    Image& frame = *app().window<Desk>().Image17;
    if (path.isEmpty()) {
        frame.setPicture(QPixmap());
        return;
    }
    if (const auto picture = loadPicture(path)) frame.setPicture(*picture);
}

void EnlargePhoto() {
    Image& frame = *app().window<Desk>().Image17;
    if (frame.Height() > LastEnlargedHeight) return;
    frame.setWidth(float(double(frame.Width()) * 1.3));
    frame.setHeight(float(double(frame.Height()) * 1.3));
}

void ShrinkPhoto() {
    Image& frame = *app().window<Desk>().Image17;
    frame.setWidth(StartWidth);
    frame.setHeight(StartHeight);
}

}  // namespace Module2
