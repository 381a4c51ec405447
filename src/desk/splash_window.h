#pragma once
#include "common/form.h"
#include "controls/command_button.h"
#include "controls/frame.h"
#include "controls/image.h"
#include "controls/label.h"

// The splash window shown while the organizer starts; afterwards the About box.
class frmSplash : public Form {
    Q_OBJECT
public:
    frmSplash();

    Frame* Frame1;
    Image* imgLogo;
    Label *lblCompanyProduct, *lblProductName, *Label4, *Label3, *Label1, *Label2;
    CommandButton* Command1;

    void Command1_Click();
};
