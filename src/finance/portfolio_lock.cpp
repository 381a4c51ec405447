#include "finance/portfolio_lock.h"

#include <QDir>

PortfolioLock::Result PortfolioLock::lock(const QString& portfolioFile) {
    release();
    auto file = std::make_unique<QLockFile>(lockPath(portfolioFile));
    // A living organizer keeps its lock however long the portfolio stays
    // open; only the lock of a process that is gone counts as stale.
    file->setStaleLockTime(0);
    if (file->tryLock(0)) {
        file_ = std::move(file);
        return Result::Locked;
    }
    return file->error() == QLockFile::LockFailedError ? Result::HeldElsewhere : Result::Failed;
}

void PortfolioLock::release() {
    if (file_) file_->unlock();
    file_.reset();
}

QString PortfolioLock::refusal(Result result, const QString& portfolioFile) {
    const QString name = QDir::toNativeSeparators(portfolioFile);
    if (result == Result::HeldElsewhere)
        return QStringLiteral("The portfolio \"%1\" is open in another Velmora Organizer. "
                              "Close it there first.")
            .arg(name);
    return QStringLiteral("The portfolio \"%1\" cannot be locked for use: its folder cannot be written.").arg(name);
}
