#include "help/help_viewer_window.h"

#include <QIcon>
#include <algorithm>
#include <iterator>

#include "common/application.h"
#include "help/help_topics.h"
#include "help/help_topics_window.h"

namespace {
// Where a shown page sits, in twips.
constexpr int PageLeft = 120, PageTop = 600, PageWidth = 5775, PageHeight = 4335;
}  // namespace

Form13::Form13() : Form(QStringLiteral("Form13")) {
    setFrame(Border::Sizable, true, true, false);
    setCaption(QStringLiteral("Velmora Organizer"));
    setWindowIcon(QIcon(QStringLiteral(":/assets/help_icon.png")));
    setClientSize(7065, 5070);

    auto button = [this](const QString& name, const QString& caption, int left) {
        auto* b = new CommandButton(this, name, caption);
        b->Move(left, 120, 1095, 375);
        return b;
    };
    Command1 = button(QStringLiteral("Command1"), QStringLiteral("Index"), 120);
    Command2 = button(QStringLiteral("Command2"), QStringLiteral("<<"), 1200);
    Command3 = button(QStringLiteral("Command3"), QStringLiteral(">>"), 2280);

    Text1 = new TextBox(this, QStringLiteral("Text1"), QStringLiteral("11"));
    Text1->Move(120, 4440, 735, 375);
    Text1->setVisibleFlag(false);

    // Hidden and tiled until shown; each box holds its page from the start.
    for (int chapter = 0; chapter < Module1::HelpChapters; ++chapter) {
        for (int topic = 1; topic <= Module1::HelpTopicsPerChapter; ++topic) {
            const int k = 10 * chapter + topic;
            auto* box = new RichTextBox(this, QStringLiteral("HelpFile"), k);
            box->Move(120 + 1080 * (topic - 1), 600 + 240 * chapter, 975, 255);
            box->setVisibleFlag(false);
            box->LoadRTF(Module1::HelpPageDocument(k));
            helpFile_[size_t(k)] = box;
        }
    }

    connect(Command1, &CommandButton::Click, this, &Form13::Command1_Click);
    connect(Command2, &CommandButton::Click, this, &Form13::Command2_Click);
    connect(Command3, &CommandButton::Click, this, &Form13::Command3_Click);
}

RichTextBox* Form13::HelpFile(int k) const {
    if (k < 0 || k >= int(helpFile_.size())) return nullptr;
    return helpFile_[size_t(k)];
}

void Form13::ShowHelpPage(int p) {
    RichTextBox* page = HelpFile(p);
    if (!page) return;
    page->Move(PageLeft, PageTop, PageWidth, PageHeight);
    for (RichTextBox* box : helpFile_)
        if (box) box->setVisibleFlag(false);
    Text1->setText(QString::number(p));
    page->setVisibleFlag(true);
    // The buttons follow the page at once, also when the window manager does
    // not make the viewer the active window.
    setButtonStates();
}

void Form13::Form_Activate() { setButtonStates(); }

void Form13::Command1_Click() {
    hide();
    app().window<Form12>().Show();
}

void Form13::Command2_Click() { step(-1); }

void Form13::Command3_Click() { step(+1); }

// One page back or forward in reading order; the boxes between the chapters
// hold no pages and are passed over.
void Form13::step(int direction) {
    const auto& order = Module1::HelpPageOrder;
    const auto at = std::find(order.begin(), order.end(), Text1->Text().toInt());
    if (at == order.end()) return;
    const auto next = std::distance(order.begin(), at) + direction;
    if (next < 0 || next >= std::ssize(order)) return;
    ShowHelpPage(order[size_t(next)]);
}

void Form13::setButtonStates() {
    Command2->setEnabled(Text1->Text() != QStringLiteral("1"));
    Command3->setEnabled(Text1->Text() != QStringLiteral("85"));
}
