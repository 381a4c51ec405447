#include <QApplication>

#include "common/application.h"
#include "desk/desk_window.h"

int main(int argc, char* argv[]) {
    QApplication qapp(argc, argv);
    Application organizer(Application::realSeams());
    organizer.window<Desk>();
    return qapp.exec();
}
