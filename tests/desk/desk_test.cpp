#include <gtest/gtest.h>

#include <QTest>
#include <functional>

#include "desk/module2.h"
#include "help/help_topics_window.h"
#include "organizer/address_book_window.h"
#include "organizer/calendar_window.h"
#include "organizer/notes_window.h"
#include "support/desk_start.h"
#include "support/double_click.h"

namespace {

using Module2::Drawer;

class DeskWindowTest : public DeskTest {
protected:
    void SetUp() override {
        DeskTest::SetUp();
        desk = &startDesk();
    }
    void click(QWidget* w, Qt::MouseButton button = Qt::LeftButton) { QTest::mouseClick(w, button); }
    // Fronts Image2..Image7, handles Command1..Command6.
    Image* front(Drawer d) const { return Module2::drawerParts(d).front; }
    std::vector<float> frontTops() const {
        std::vector<float> tops;
        for (int d = 0; d < Module2::DrawerCount; ++d) tops.push_back(front(Drawer(d))->Top());
        return tops;
    }
    std::vector<bool> handlesVisible() const {
        return {desk->Command1->Visible(), desk->Command2->Visible(), desk->Command3->Visible(),
                desk->Command4->Visible(), desk->Command5->Visible(), desk->Command6->Visible()};
    }
    // Each opener shows the window at normal size, a minimized one too, with
    // every drawer shut; a hidden window comes back as it was.
    template <typename W>
    void expectOpenAtNormalSize(const std::vector<std::pair<const char*, std::function<void()>>>& openers) {
        for (const auto& [name, open] : openers) {
            if (W* shown = app().existingWindow<W>()) shown->showMinimized();
            open();
            W* window = app().existingWindow<W>();
            ASSERT_NE(window, nullptr) << name;
            EXPECT_TRUE(window->isVisible() && !window->isMinimized()) << name;
            EXPECT_EQ(frontTops(), ClosedTops) << name;
        }
        W* hidden = app().existingWindow<W>();
        hidden->hide();
        openers.front().second();
        EXPECT_EQ(app().existingWindow<W>(), hidden);
        EXPECT_TRUE(hidden->isVisible());
    }
    Desk* desk = nullptr;
    const std::vector<float> ClosedTops = {2400, 2880, 3360, 2400, 2880, 3360};
};

TEST_F(DeskWindowTest, ControlsSitInTheirPlaces) {
    EXPECT_EQ(desk->Caption(), "Velmora Organizer");
    EXPECT_EQ(desk->size(), QSize(336, 335));  // 5040 x 5025 twips
    EXPECT_EQ(desk->Command4->pos(), QPoint(40, 176));  // 600, 2640 twips
    EXPECT_EQ(desk->Command2->toolTip(), "Inventory");
    EXPECT_EQ(desk->Image43->toolTip(), "You have an appointment today!");

    // Stacking from the top: handles, the pictures on the desk, the fronts, their labels, the desk top.
    const QObjectList& kids = desk->children();
    const std::vector<QWidget*> topDown = {desk->Command4, desk->Image44, desk->Image42, desk->Image17, desk->Image43,
                                           desk->Image2,   desk->Image7,  desk->Label6,  desk->Label1,  desk->Image12};
    for (size_t i = 1; i < topDown.size(); ++i)
        EXPECT_GT(kids.indexOf(topDown[i - 1]), kids.indexOf(topDown[i])) << topDown[i]->objectName().toStdString();
}

TEST_F(DeskWindowTest, AHandleOpensItsDrawerAndClosesTheOpenOneFirst) {
    // Watch the left top drawer's lower handle at every step of the animation.
    std::vector<bool> lowerHandle;
    clock->onStepWait = [&] { lowerHandle.push_back(desk->Command5->Visible()); };

    click(desk->Command4);
    EXPECT_EQ(front(Drawer::Calendar)->Top(), 2760);
    EXPECT_EQ(desk->Command4->Top(), 3000);
    EXPECT_EQ(lowerHandle, std::vector<bool>({true, true, true, true, true, true, true, true, true, false, false, false}));
    EXPECT_FALSE(desk->Command5->Visible());

    // The right bottom handle: the left top drawer slides shut first, its lower
    // handle coming back at the third step, then the right bottom one opens.
    lowerHandle.clear();
    click(desk->Command3);
    EXPECT_EQ(std::vector<bool>(lowerHandle.begin(), lowerHandle.begin() + 12),
              std::vector<bool>({false, false, false, true, true, true, true, true, true, true, true, true}));
    EXPECT_EQ(lowerHandle.size(), 24u);
    std::vector<float> expected = ClosedTops;
    expected[2] = 3720;
    EXPECT_EQ(frontTops(), expected);
    EXPECT_EQ(handlesVisible(), std::vector<bool>(6, true));  // the bottom drawer has no lower handle

    // Its own handle slides it shut again.
    click(desk->Command3);
    EXPECT_EQ(frontTops(), ClosedTops);
    EXPECT_EQ(desk->Command3->Top(), 3600);
    EXPECT_EQ(clock->stepWaits(), 48);
}

TEST_F(DeskWindowTest, AnOpenUpperDrawerHidesTheHandleBelowItUntilItCloses) {
    click(desk->Command1);
    EXPECT_FALSE(desk->Command2->Visible());
    click(desk->Command5);
    std::vector<float> expected = ClosedTops;
    expected[4] = 3240;
    EXPECT_EQ(frontTops(), expected);
    EXPECT_EQ(handlesVisible(), std::vector<bool>({true, true, true, true, true, false}));
    EXPECT_EQ(desk->Command1->Top(), 2640);
}

// The drawer labels slide their drawer shut first. The finance window's
// openers are checked with the finance window.
TEST_F(DeskWindowTest, EveryOpenerShowsItsWindowAtNormalSize) {
    const auto twice = [](QWidget* picture) { return [picture] { doubleClick(picture, picture->rect().center()); }; };
    const auto drawer = [this](CommandButton* handle, Label* label) {
        return [this, handle, label] {
            click(handle);
            click(label);
        };
    };
    expectOpenAtNormalSize<Form1>({{"menu", [this] { desk->Calendar->trigger(); }},
                                   {"Image8", twice(desk->Image8)},
                                   {"Image13", twice(desk->Image13)},
                                   {"Image43", twice(desk->Image43)},
                                   {"drawer", drawer(desk->Command4, desk->Label4)}});
    expectOpenAtNormalSize<Form3>({{"menu", [this] { desk->AddBook->trigger(); }},
                                   {"Image9", twice(desk->Image9)},
                                   {"Image11", twice(desk->Image11)},
                                   {"drawer", drawer(desk->Command5, desk->Label5)}});
    expectOpenAtNormalSize<Form2>({{"menu", [this] { desk->Notes->trigger(); }},
                                   {"Image14", twice(desk->Image14)},
                                   {"drawer", drawer(desk->Command6, desk->Label6)}});
    expectOpenAtNormalSize<Form12>(
        {{"menu", [this] { desk->HTopics->trigger(); }}, {"drawer", drawer(desk->Command2, desk->Label2)}});
}

TEST_F(DeskWindowTest, TheFileMenuPopsUpOnTheRightButtonOnly) {
    click(desk->Image12, Qt::LeftButton);
    EXPECT_FALSE(desk->mnuFile->isVisible());
    click(desk->Image12, Qt::RightButton);
    EXPECT_TRUE(desk->mnuFile->isVisible());
    desk->mnuFile->hide();

    QStringList captions;
    for (QMenu* menu : {desk->mnuFile, desk->View, desk->Help, desk->mnuPhoto})
        for (QAction* a : menu->actions()) captions << (a->isSeparator() ? "-" + a->objectName() : a->objectName() + "=" + a->text());
    EXPECT_EQ(captions.join(u' ').toStdString(),
              "View=View -Space Help=Help -Space2 Exit=Exit Calendar=Calendar AddBook=Address Book Notes=Notes -Space3 "
              "View_Fin=Finances About=About HTopics=Help Topics Photo=Change Photo SPhoto=Shrink Photo");
}

TEST_F(DeskWindowTest, AboutShowsTheSplashWithCloseWhichDestroysIt) {
    for (int round = 0; round < 2; ++round) {  // the splash of the start, then a new one
        desk->About->trigger();
        frmSplash* about = application->existingWindow<frmSplash>();
        ASSERT_NE(about, nullptr);
        EXPECT_TRUE(about->isVisible() && about->Command1->isVisible());
        about->close();  // the window manager cannot close it
        EXPECT_TRUE(about->isVisible());
        click(about->Command1);
        EXPECT_EQ(application->existingWindow<frmSplash>(), nullptr);
    }
}

class PhotoFrameTest : public DeskWindowTest {
protected:
    std::pair<double, double> size() const { return {desk->Image17->Width(), desk->Image17->Height()}; }
};

TEST_F(PhotoFrameTest, LeftClicksEnlargeFiveTimesThenStop) {
    const std::pair<double, double> expected[] = {{643.50, 916.50}, {836.55, 1191.45}, {1087.52, 1548.88},
                                                   {1413.77, 2013.55}, {1837.90, 2617.62}, {1837.90, 2617.62}};
    for (const auto& [w, h] : expected) {
        click(desk->Image17);
        EXPECT_NEAR(size().first, w, 0.005);
        EXPECT_NEAR(size().second, h, 0.005);
    }
    EXPECT_EQ(QPointF(desk->Image17->Left(), desk->Image17->Top()), QPointF(1560, 360));

    click(desk->Image17, Qt::RightButton);  // the menu, no size change
    EXPECT_TRUE(desk->mnuPhoto->isVisible());
    EXPECT_NEAR(size().second, 2617.62, 0.005);
    desk->mnuPhoto->hide();

    desk->SPhoto->trigger();
    EXPECT_EQ(size(), std::make_pair(495.0, 705.0));
}

TEST_F(PhotoFrameTest, ChangePhotoShowsAndStoresThePictureAndCancelOrNoPictureChangesNothing) {
    const QString bmp = writePicture("me.bmp");
    fileDialog->answers << bmp;
    click(desk->Image17);
    desk->Photo->trigger();
    EXPECT_EQ(fileDialog->titles, QStringList({"Open Photo"}));
    EXPECT_EQ(fileDialog->filters, QStringList({"Picture Files (*.bmp;*.jpg)|*.bmp;*.jpg"}));
    EXPECT_TRUE(desk->Image17->hasPicture());
    EXPECT_EQ(storedPhoto(), bmp);
    EXPECT_NEAR(size().first, 643.5, 0.005);  // shown at the frame's current size
    desk->SPhoto->trigger();
    EXPECT_TRUE(desk->Image17->hasPicture());  // shrinking keeps the photo

    const qint64 shown = desk->Image17->pixmap().cacheKey();
    QFile text(dataPath("notes.jpg"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture at all");
    text.close();
    fileDialog->answers << "" << dataPath("notes.jpg") << dataPath("missing.bmp");
    for (int i = 0; i < 3; ++i) desk->Photo->trigger();
    EXPECT_EQ(desk->Image17->pixmap().cacheKey(), shown);
    EXPECT_EQ(storedPhoto(), bmp);
    EXPECT_TRUE(messages->texts.isEmpty());
}

// A path too long for its record is shown but not stored. A path with a
// character the file's character set lacks would not come back at the next
// start either: the user is told which character, and the frame keeps the
// photo it shows.
TEST_F(PhotoFrameTest, APathTheRecordCannotHoldExactlyIsNotStored) {
    const QString stored = writePicture("me.bmp");
    fileDialog->answers << stored;
    desk->Photo->trigger();
    const QByteArray storedBytes = fileBytes("PhotoF.dat");

    QDir(dataDir.path()).mkpath(QString(100, u'd'));
    const QString longPath = writePicture(QString(100, u'd') + "/long.bmp");
    ASSERT_GT(longPath.size(), 126);
    desk->Image17->setPicture(QPixmap());
    fileDialog->answers << longPath;
    desk->Photo->trigger();
    EXPECT_TRUE(desk->Image17->hasPicture());
    EXPECT_EQ(fileBytes("PhotoF.dat"), storedBytes);
    EXPECT_TRUE(messages->texts.isEmpty());

    fileDialog->answers << stored;
    desk->Photo->trigger();
    const qint64 shown = desk->Image17->pixmap().cacheKey();
    fileDialog->answers << writePicture(QString::fromUtf8("zdj\u0119cie-\u0151.bmp"));
    desk->Photo->trigger();
    EXPECT_EQ(messages->texts, QStringList{QString::fromUtf8(
                                   "The character \"\u0119\" in the photo's path cannot be kept in the organizer's "
                                   "files, so the photo would not come back at the next start. "
                                   "Please choose a photo whose path is without it.")});
    EXPECT_EQ(desk->Image17->pixmap().cacheKey(), shown);
    EXPECT_EQ(fileBytes("PhotoF.dat"), storedBytes);
    EXPECT_EQ(storedPhoto(), stored);
}

}  // namespace
