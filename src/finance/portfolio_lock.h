#pragma once
#include <QLockFile>
#include <QString>
#include <memory>

// Keeps other organizers out of an open portfolio: a lock file beside its
// portfolio file, held until the portfolio is closed. The lock left by an
// organizer that ended without releasing it is taken over.
class PortfolioLock {
public:
    enum class Result { Locked, HeldElsewhere, Failed };

    // Locks the portfolio of the given portfolio file; a lock held before is
    // released first.
    Result lock(const QString& portfolioFile);
    void release();
    bool held() const { return file_ != nullptr; }

    static QString lockPath(const QString& portfolioFile) { return portfolioFile + QStringLiteral(".lock"); }
    // The message for a lock that was refused.
    static QString refusal(Result result, const QString& portfolioFile);

private:
    std::unique_ptr<QLockFile> file_;
};
