#pragma once

#include <QLabel>

// A picture or caption of the launcher: reports clicks, double clicks and,
// when it can take the focus, gaining the focus and the Enter key.
class LauncherItem : public QLabel {
    Q_OBJECT
public:
    explicit LauncherItem(QWidget* parent);

signals:
    void clicked();
    void doubleClicked();
    void focused();
    void enterPressed();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
