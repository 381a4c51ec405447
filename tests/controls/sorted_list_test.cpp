#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QSignalSpy>
#include <algorithm>
#include <random>

#include "controls/combo_box.h"

namespace {

QStringList items(const ComboBox& list) {
    QStringList out;
    for (int i = 0; i < list.ListCount(); ++i) out << list.List(i);
    return out;
}

// Ascending by the whole text, letters alike in either case (texts that differ
// only in case in a fixed order), punctuation and accented letters where a
// reader looks for them, whatever the order of adding, one by one or at once.
// Adding selects nothing and runs no Click; choosing one does.
TEST(SortedList, KeepsItsItemsInAlphabeticalOrderAndAddingRunsNoClick) {
    const QStringList sorted = {"",          "10",         "9",         "Apple",        "apple",
                                "Eagle",     QString::fromUtf8("\u00e9clair"), "Mack, F", "MACY, E",
                                "Mc Kay, A", "Mcguire, D", "Smith, Al", "Smithers, Bo", "Zed"};
    std::mt19937 random(7);
    for (int round = 0; round < 5; ++round) {
        QStringList shuffled = sorted;
        std::shuffle(shuffled.begin(), shuffled.end(), random);
        ComboBox oneByOne(nullptr, QStringLiteral("Combo1"), ComboBox::Style::DropdownList, ComboBox::Order::Sorted);
        ComboBox atOnce(nullptr, QStringLiteral("Combo1"), ComboBox::Style::DropdownList, ComboBox::Order::Sorted);
        QSignalSpy clicks(&atOnce, &ComboBox::Click);
        for (const QString& item : shuffled) oneByOne.AddItem(item);
        atOnce.AddItems(shuffled.mid(0, 6));
        atOnce.AddItems(shuffled.mid(6));
        EXPECT_EQ(items(oneByOne), sorted) << shuffled.join(u'|').toStdString();
        EXPECT_EQ(items(atOnce), sorted) << shuffled.join(u'|').toStdString();
        EXPECT_EQ(oneByOne.ListIndex() + atOnce.ListIndex(), -2);
        EXPECT_EQ(clicks.count(), 0);
        atOnce.setListIndex(0);
        atOnce.pick(1);
        EXPECT_EQ(clicks.count(), 2);
        EXPECT_EQ(atOnce.Text(), "10");
    }

    ComboBox plain(nullptr, QStringLiteral("Combo2"));
    plain.AddItems({"b", "a"});
    EXPECT_EQ(items(plain), QStringList({"b", "a"})) << "an unsorted list keeps the order of adding";
}

// A drop-down list opens below its box, whatever item is chosen, never over
// the box, where a second click meant for the box would pick an item.
TEST(DropDownList, OpensBelowItsBox) {
    QWidget window;
    window.resize(400, 400);
    for (ComboBox::Style style : {ComboBox::Style::DropdownList, ComboBox::Style::DropdownCombo}) {
        auto* list = new ComboBox(&window, QStringLiteral("Combo1"), style);
        list->Move(120, 2400, 3135, 315);
        list->AddItems({"Salary", "Food", "Vehicle", "Other Income", "Leisure"});
        list->setListIndex(3);
        window.show();
        list->showPopup();
        QWidget* popup = list->view()->window();
        ASSERT_TRUE(popup->isVisible());
        EXPECT_GE(popup->geometry().top(), list->mapToGlobal(list->rect().bottomLeft()).y());
        list->hidePopup();
        delete list;
    }
}

}  // namespace
