#include "common/application.h"
#include "desk/desk_window.h"
#include "desk/module2.h"

namespace Module2 {

namespace {
constexpr int Steps = 12;
constexpr int StepTwips = 30;
constexpr double StepSeconds = 0.005;
constexpr int HideLowerHandleAtStep = 8;
constexpr int ShowLowerHandleAtStep = 2;

// Slides a drawer twelve steps down (+1) or up (-1). No window event runs
// meanwhile; every step is painted, so the drawer is seen to slide.
void slide(Drawer drawer, int direction) {
    const DrawerParts parts = drawerParts(drawer);
    Desk& desk = app().window<Desk>();
    for (int i = 0; i < Steps; ++i) {
        app().clock().stepWait(StepSeconds);
        if (parts.lowerHandle) {
            if (direction > 0 && i == HideLowerHandleAtStep) parts.lowerHandle->setVisible(false);
            if (direction < 0 && i == ShowLowerHandleAtStep) parts.lowerHandle->setVisible(true);
        }
        parts.front->setTop(parts.front->Top() + direction * StepTwips);
        parts.handle->setTop(parts.handle->Top() + direction * StepTwips);
        if (desk.isVisible()) desk.repaint();
    }
}
}  // namespace

DrawerParts drawerParts(Drawer drawer) {
    Desk& d = app().window<Desk>();
    switch (drawer) {
    case Drawer::Finances: return {d.Image2, d.Command1, d.Command2, 2400};
    case Drawer::Help: return {d.Image3, d.Command2, d.Command3, 2880};
    case Drawer::Exit: return {d.Image4, d.Command3, nullptr, 3360};
    case Drawer::Calendar: return {d.Image5, d.Command4, d.Command5, 2400};
    case Drawer::Contacts: return {d.Image6, d.Command5, d.Command6, 2880};
    case Drawer::Notes: return {d.Image7, d.Command6, nullptr, 3360};
    }
    return {};
}

bool drawerClosed(Drawer drawer) {
    const DrawerParts parts = drawerParts(drawer);
    return parts.front->Top() == float(parts.closedTop);
}

void openDrawer(Drawer drawer) { slide(drawer, +1); }
void closeDrawer(Drawer drawer) { slide(drawer, -1); }

void clickDrawerHandle(Drawer drawer) {
    if (!drawerClosed(drawer)) {
        closeDrawer(drawer);
        return;
    }
    for (int other = 0; other < DrawerCount; ++other) {
        if (!drawerClosed(Drawer(other))) closeDrawer(Drawer(other));
    }
    openDrawer(drawer);
}

void OpenFinancesDrawer() { openDrawer(Drawer::Finances); }
void CloseFinancesDrawer() { closeDrawer(Drawer::Finances); }
void OpenHelpDrawer() { openDrawer(Drawer::Help); }
void CloseHelpDrawer() { closeDrawer(Drawer::Help); }
void OpenExitDrawer() { openDrawer(Drawer::Exit); }
void CloseExitDrawer() { closeDrawer(Drawer::Exit); }
void OpenCalendarDrawer() { openDrawer(Drawer::Calendar); }
void CloseCalendarDrawer() { closeDrawer(Drawer::Calendar); }
void OpenContactsDrawer() { openDrawer(Drawer::Contacts); }
void CloseContactsDrawer() { closeDrawer(Drawer::Contacts); }
void OpenNotesDrawer() { openDrawer(Drawer::Notes); }
void CloseNotesDrawer() { closeDrawer(Drawer::Notes); }

}  // namespace Module2
