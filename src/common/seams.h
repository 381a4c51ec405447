#pragma once
#include <QString>
#include <optional>

// The OK-only message box with the application's title.
class MessageSeam {
public:
    virtual ~MessageSeam() = default;
    virtual void show(const QString& text) = 0;
};

// The open-file dialog: a title, a filter "Description|*.a;*.b", and the chosen
// path, or nothing when the user cancels.
class OpenFileSeam {
public:
    virtual ~OpenFileSeam() = default;
    virtual std::optional<QString> open(const QString& title, const QString& filter) = 0;
};

class QtMessageBox : public MessageSeam {
public:
    void show(const QString& text) override;
};

class QtOpenFileDialog : public OpenFileSeam {
public:
    std::optional<QString> open(const QString& title, const QString& filter) override;
    // "Picture Files (*.bmp;*.jpg)|*.bmp;*.jpg" in the form the Qt dialog takes.
    static QString qtFilter(const QString& filter);
};
