#pragma once

#include <QWidget>

class QToolButton;

namespace forms {

// Two arrow buttons stacked vertically, with separate events for each arrow.
class SpinButton : public QWidget {
    Q_OBJECT
public:
    explicit SpinButton(QWidget* parent);

    QToolButton* upArrow() const { return up_; }
    QToolButton* downArrow() const { return down_; }
    // What the arrows change, for screen readers: "Zoom" names the pair and
    // its arrows "Zoom erhöhen" and "Zoom verringern".
    void setAccessibleNames(const QString& what);

signals:
    void spinUp();
    void spinDown();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* up_;
    QToolButton* down_;
};

} // namespace forms
