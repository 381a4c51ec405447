#pragma once

// The desk's procedure module: the drawer animations and the photo frame.
namespace Module2 {

void OpenFinancesDrawer();
void CloseFinancesDrawer();
void OpenHelpDrawer();
void CloseHelpDrawer();
void OpenExitDrawer();
void CloseExitDrawer();
void OpenCalendarDrawer();
void CloseCalendarDrawer();
void OpenContactsDrawer();
void CloseContactsDrawer();
void OpenNotesDrawer();
void CloseNotesDrawer();

// Lets the user pick a picture for the photo frame and stores its path.
void ChangePhoto();
// Shows the stored photo.
void LoadSavedPhoto();
// Enlarges the photo frame by a step, up to its limit.
void EnlargePhoto();
// Gives the photo frame its start size.
void ShrinkPhoto();

}  // namespace Module2

class Image;
class CommandButton;

namespace Module2 {

// The six drawers, in the order of their fronts Image2 to Image7.
enum class Drawer { Finances, Help, Exit, Calendar, Contacts, Notes };
inline constexpr int DrawerCount = 6;

struct DrawerParts {
    Image* front;
    CommandButton* handle;
    CommandButton* lowerHandle;  // hidden while this drawer is open; null for a bottom drawer
    int closedTop;
};
DrawerParts drawerParts(Drawer drawer);
bool drawerClosed(Drawer drawer);
void openDrawer(Drawer drawer);
void closeDrawer(Drawer drawer);
// A click on a drawer's handle: opens it (closing the open one first) or closes it.
void clickDrawerHandle(Drawer drawer);

}  // namespace Module2
