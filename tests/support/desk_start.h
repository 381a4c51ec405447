#pragma once
#include <QCoreApplication>
#include <QImage>

#include "desk/desk_window.h"
#include "desk/splash_window.h"
#include "organizer/module1.h"
#include "support/organizer_test.h"

// Starts the organizer as the program does: the desk loads, the splash wait
// runs on the fake clock, and the desk shows.
class DeskTest : public OrganizerTest {
protected:
    Desk& startDesk() {
        Desk& desk = application->window<Desk>();
        QCoreApplication::processEvents();
        return desk;
    }
    // Starts again in the same directory, as a new run of the program.
    Desk& restart() {
        makeApplication();
        return startDesk();
    }
    // A picture for the photo frame, and the path the frame has stored.
    QString writePicture(const QString& name, const char* format = "BMP") {
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(Qt::red);
        EXPECT_TRUE(image.save(dataPath(name), format));
        return dataPath(name);
    }
    QString storedPhoto() const { return application->files()[Module1::PhotoFile].readString(1); }
};
