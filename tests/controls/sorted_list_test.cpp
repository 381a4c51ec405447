#include <gtest/gtest.h>

#include <QApplication>
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
TEST(SortedListTest, KeepsItsItemsInAlphabeticalOrderWhateverTheOrderOfAdding) {
    const QStringList sorted = {"",       "10",     "9",           "Apple",   "apple",  "Eagle",
                                QString::fromUtf8("\u00e9clair"), "Mack, F", "MACY, E", "Mc Kay, A",
                                "Mcguire, D", "Smith, Al", "Smithers, Bo", "Zed"};
    std::mt19937 random(7);
    for (int round = 0; round < 5; ++round) {
        QStringList shuffled = sorted;
        std::shuffle(shuffled.begin(), shuffled.end(), random);
        ComboBox oneByOne(nullptr, QStringLiteral("Combo1"), ComboBox::Style::DropdownList, ComboBox::Order::Sorted);
        for (const QString& item : shuffled) oneByOne.AddItem(item);
        EXPECT_EQ(items(oneByOne), sorted) << shuffled.join(u'|').toStdString();

        ComboBox atOnce(nullptr, QStringLiteral("Combo1"), ComboBox::Style::DropdownList, ComboBox::Order::Sorted);
        atOnce.AddItems(shuffled.mid(0, 6));
        atOnce.AddItems(shuffled.mid(6));
        EXPECT_EQ(items(atOnce), sorted) << shuffled.join(u'|').toStdString();
    }
}

TEST(SortedListTest, AddingRunsNoClickAndAPickDoes) {
    ComboBox list(nullptr, QStringLiteral("Combo1"), ComboBox::Style::DropdownList, ComboBox::Order::Sorted);
    EXPECT_TRUE(list.property("Sorted").toBool());
    QSignalSpy clicks(&list, &ComboBox::Click);
    list.AddItems({"b", "a"});
    list.AddItem("c");
    list.Clear();
    EXPECT_EQ(clicks.count(), 0);
    list.AddItems({"b", "a"});
    list.setListIndex(0);
    list.pick(0);
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(list.Text(), "a");

    ComboBox plain(nullptr, QStringLiteral("Combo2"));
    plain.AddItems({"b", "a"});
    EXPECT_FALSE(plain.property("Sorted").toBool());
    EXPECT_EQ(items(plain), QStringList({"b", "a"})) << "an unsorted list keeps the order of adding";
}

}  // namespace
