#pragma once
#include <QAction>
#include <QIcon>
#include <QMap>
#include <QToolBar>

// Pictures kept by key. A picture's pixels in the mask colour are drawn
// transparent.
class ImageList : public QObject {
    Q_OBJECT
public:
    ImageList(QObject* parent, const QString& name, quint32 maskColorValue);
    // Adds the picture of a file or resource; a missing one adds an empty picture.
    void Add(const QString& key, const QString& path);
    QIcon icon(const QString& key) const { return images_.value(key); }
    bool contains(const QString& key) const { return images_.contains(key); }

private:
    quint32 maskColor_;
    QMap<QString, QIcon> images_;
};

// A button of a toolbar: its index from 1, its key, its tool tip. A
// separator is a button too and takes an index.
class ToolbarButton : public QAction {
    Q_OBJECT
    Q_PROPERTY(int Index READ Index CONSTANT)
    Q_PROPERTY(QString Key READ Key CONSTANT)
    Q_PROPERTY(QString ToolTipText READ ToolTipText CONSTANT)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
public:
    ToolbarButton(QObject* parent, int index, const QString& key, const QString& toolTip);
    int Index() const { return index_; }
    QString Key() const { return key_; }
    QString ToolTipText() const { return toolTip(); }

private:
    int index_;
    QString key_;
};

// A row of picture buttons along the top of a window. ButtonClick runs with
// the button the user clicked.
class Toolbar : public QToolBar {
    Q_OBJECT
public:
    Toolbar(QWidget* parent, const QString& name, ImageList* images);

    ToolbarButton* addButton(const QString& key, const QString& toolTip, const QString& imageKey);
    ToolbarButton* addSeparatorButton();
    // The button of the index from 1, or null.
    ToolbarButton* Buttons(int index) const;
    int ButtonCount() const { return int(buttons_.size()); }
    // The widget the user clicks for a button.
    QWidget* buttonWidget(int index) const;

signals:
    void ButtonClick(ToolbarButton* button);

private:
    ImageList* images_;
    QList<ToolbarButton*> buttons_;
};
