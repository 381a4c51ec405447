#include "common/seams.h"

#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QStringList>
#include <QWindow>

#include "common/application.h"
#include "common/window_owner.h"

namespace {
// Room beside the caption for what the window manager puts into the title bar:
// the window's icon and its buttons.
constexpr int TitleBarRoom = 120;

// The window manager draws the caption, usually in bold, beside its buttons;
// a box narrower than both cuts the caption short.
void makeRoomForCaption(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + TitleBarRoom;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
}
}  // namespace

QtMessageBox::QtMessageBox() {
    runEnd_.setSingleShot(true);
    runEnd_.setInterval(0);
    runEnd_.callOnTimeout([this] { endRun(); });
}

void QtMessageBox::show(const QString& text) { exec(text, false); }

bool QtMessageBox::ask(const QString& text) { return exec(text, true); }

bool QtMessageBox::exec(const QString& text, bool question) {
    runEnd_.stop();
    if (run_.isEmpty() && showing_ == 0) {
        const QWidget* working = QApplication::activeWindow();
        if (!working) working = app().lastActiveWindow();
        for (QWindow* window = working ? working->windowHandle() : nullptr; window; window = window->transientParent())
            run_ << window;
    }
    QMessageBox box(question ? QMessageBox::Question : QMessageBox::NoIcon, Application::Title, text,
                    question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
    makeRoomForCaption(box);
    QWindow* owner = runOwner();
    WindowOwner::belongTo(&box, owner ? owner : WindowOwner::ownerFor(nullptr));
    ++showing_;
    const int answer = box.exec();
    if (--showing_ == 0) {
        windowsShownAtLastOk_ = app().windowsShown();
        runEnd_.start();
    }
    return answer != QMessageBox::No;
}

QWindow* QtMessageBox::runOwner() const {
    for (const QPointer<QWindow>& window : run_)
        if (window && window->isVisible()) return window;
    return nullptr;
}

void QtMessageBox::endRun() {
    const bool handedOver = app().windowsShown() != windowsShownAtLastOk_;
    if (QWindow* owner = runOwner(); owner && !handedOver) owner->requestActivate();
    run_.clear();
}

QString QtOpenFileDialog::qtFilter(const QString& filter) {
    // Pairs of description and patterns, all separated by "|".
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const QString patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts).join(u' ');
        const qsizetype paren = description.indexOf(u'(');
        if (paren >= 0) description = description.left(paren).trimmed();
        entries << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return entries.join(QStringLiteral(";;"));
}

std::optional<QString> QtOpenFileDialog::open(const QString& title, const QString& filter) {
    const QString path = QFileDialog::getOpenFileName(nullptr, title, QString(), qtFilter(filter));
    if (path.isEmpty()) return std::nullopt;
    return path;
}
