#pragma once
#include <QCoreApplication>

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
};
