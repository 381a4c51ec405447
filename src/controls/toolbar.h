#pragma once
#include <QAction>
#include <QToolBar>

#include "controls/image_list.h"

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

// A row of picture buttons along the top of a window, each showing the
// picture of its key in the toolbar's image list. ButtonClick runs with the
// button the user clicked.
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
