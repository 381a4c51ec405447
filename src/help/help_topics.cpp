#include "help/help_topics.h"

#include <QFile>

#include "common/application.h"
#include "help/help_topics_window.h"

namespace Module1 {

namespace {

struct Topic {
    const char* parent;  // empty: the root
    const char* key;
    const char* text;
    int picture;
};

// In the order the nodes are added; a book's children show in this order.
constexpr Topic Topics[] = {
    {"", "Org", "Velmora Organizer", ClosedBook},
    {"Org", "0-1", "Getting Started", PageSheet},
    {"Org", "C", "Calendar", ClosedBook},
    {"C", "1-1", "How to add an appointment", PageSheet},
    {"C", "1-2", "How to view an appointment", PageSheet},
    {"C", "1-3", "How to edit an appointment", PageSheet},
    {"C", "1-4", "How to delete an appointment", PageSheet},
    {"C", "1-5", "How to view the schedule for a specific day", PageSheet},
    {"Org", "N", "Notes", ClosedBook},
    {"N", "2-1", "How to add a note", PageSheet},
    {"N", "2-2", "How to view a note", PageSheet},
    {"N", "2-3", "How to edit a note", PageSheet},
    {"N", "2-4", "How to delete a note", PageSheet},
    {"Org", "A", "Address Book", ClosedBook},
    {"A", "3-1", "How to add an entry", PageSheet},
    {"A", "3-2", "How to view an entry", PageSheet},
    {"A", "3-3", "How to edit an entry", PageSheet},
    {"A", "3-4", "How to delete an entry", PageSheet},
    {"Org", "Bank", "Personal Finances", ClosedBook},
    {"Bank", "4-1", "Pursewell Overview", PageSheet},
    {"Bank", "PFolio", "Portfolios", ClosedBook},
    {"PFolio", "5-1", "Portfolios Overview", PageSheet},
    {"PFolio", "5-2", "Creating a New Portfolio", PageSheet},
    {"PFolio", "5-3", "Opening an Existing Portfolio", PageSheet},
    {"Bank", "Trans", "Transactions", ClosedBook},
    {"Trans", "6-1", "Transactions Overview", PageSheet},
    {"Trans", "6-2", "Adding Transactions", PageSheet},
    {"Trans", "6-3", "Viewing Transactions", PageSheet},
    {"Trans", "6-4", "Deleting Transactions", PageSheet},
    {"Trans", "6-5", "Editing Transactions", PageSheet},
    {"Trans", "6-6", "Account Balances", PageSheet},
    {"Bank", "Debit", "Debit Orders", ClosedBook},
    {"Debit", "7-1", "Debit OrdersOverview", PageSheet},
    {"Debit", "7-2", "Adding Debit Orders", PageSheet},
    {"Debit", "7-3", "Viewing Debit Orders", PageSheet},
    {"Debit", "7-4", "Deleting Debit Orders", PageSheet},
    {"Debit", "7-5", "Editing Debit Orders", PageSheet},
    {"Bank", "Settings", "Accounts Settings", ClosedBook},
    {"Settings", "8-1", "Accounts Settings Overview", PageSheet},
    {"Settings", "8-2", "Renaming Accounts", PageSheet},
    {"Settings", "8-3", "Changing Transaction Categories", PageSheet},
    {"Settings", "8-4", "Balance Alarms", PageSheet},
    {"Settings", "8-5", "Overdraft Facilities", PageSheet},
};

int digit(QChar c) { return c.isDigit() ? c.digitValue() : 0; }

}  // namespace

bool IsHelpPageKey(const QString& key) { return key.size() >= 2 && key.at(1) == u'-'; }

int HelpPageIndex(const QString& key) {
    if (!IsHelpPageKey(key)) return 0;
    return 10 * digit(key.front()) + digit(key.back());
}

QByteArray HelpPageDocument(int k) {
    QFile file(QStringLiteral(":/assets/help/help_%1.rtf").arg(k, 2, 10, QLatin1Char('0')));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void BuildHelpTopicsTree() {
    TreeView* tree = app().window<Form12>().TreeView1;
    for (const Topic& topic : Topics)
        tree->AddNode(QString::fromLatin1(topic.parent), QString::fromLatin1(topic.key),
                      QString::fromLatin1(topic.text), topic.picture);
}

}  // namespace Module1
