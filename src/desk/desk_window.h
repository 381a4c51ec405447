#pragma once
#include <array>

#include "common/form.h"
#include "controls/command_button.h"
#include "controls/image.h"
#include "controls/label.h"
#include "controls/popup_menu.h"
#include "controls/timer.h"

// The program's main window: a desk with pictures that open the utilities,
// a photo frame, six drawers and the minute timer of the reminder check.
class Desk : public Form {
    Q_OBJECT
public:
    Desk();

    void Form_Load() override;
    void Form_Unload() override;

    // Background tiles, bottom of the stacking order.
    std::array<Image*, 36> tiles{};
    Image *Image10, *Image18, *Image1;                              // pedestals, desk top
    Image *Image8, *Image9, *Image11, *Image13, *Image14, *Image12;  // desk pictures
    Label *Label1, *Label2, *Label3, *Label4, *Label5, *Label6;       // drawer labels
    Image *Image7, *Image6, *Image5, *Image4, *Image3, *Image2;       // drawer fronts
    Image *Image43, *Image17, *Image42, *Image44;                    // today marker, photo, finances
    CommandButton *Command1, *Command2, *Command3, *Command4, *Command5, *Command6;  // drawer handles
    IntervalTimer* Timer1;

    PopupMenu* mnuFile;
    PopupMenu* View;
    QAction *Calendar, *AddBook, *Notes, *Space3, *View_Fin, *Space;
    PopupMenu* Help;
    QAction *About, *HTopics, *Space2, *Exit;
    PopupMenu* mnuPhoto;
    QAction *Photo, *SPhoto;

    // Handlers.
    void Calendar_Click();
    void AddBook_Click();
    void Notes_Click();
    void HTopics_Click();
    void View_Fin_Click();
    void About_Click();
    void Exit_Click();
    void Image12_MouseUp(int button, int shift, float x, float y);
    void Image17_MouseUp(int button, int shift, float x, float y);
    void Photo_Click();
    void SPhoto_Click();
    void Timer1_Timer();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Label1_Click();
    void Label2_Click();
    void Label3_Click();
    void Label4_Click();
    void Label5_Click();
    void Label6_Click();
    void Image8_DblClick() { Calendar_Click(); }
    void Image13_DblClick() { Calendar_Click(); }
    void Image43_DblClick() { Calendar_Click(); }
    void Image9_DblClick() { AddBook_Click(); }
    void Image11_DblClick() { AddBook_Click(); }
    void Image14_DblClick() { Notes_Click(); }
    void Image42_DblClick() { View_Fin_Click(); }
    void Image44_DblClick() { View_Fin_Click(); }

private:
    Image* picture(const QString& name, int left, int top, int width, int height, const QString& asset,
                   const QString& tooltip = {});
    void buildDrawers();
    void buildMenus();
};
