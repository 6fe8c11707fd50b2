#pragma once

#include <QWidget>

class QScrollBar;

namespace forms {

// A scroll bar whose minimum may lie above its maximum: the value runs from the
// minimum at the left (top) to the maximum at the right (bottom). It raises
// changed on every change of the value by code, on arrow and trough clicks,
// and once when a dragged thumb is released.
class ScrollBar : public QWidget {
    Q_OBJECT
public:
    ScrollBar(Qt::Orientation orientation, QWidget* parent);

    void setBounds(int minimum, int maximum);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    void setSmallChange(int step);
    void setLargeChange(int step);
    void setValue(int value);
    int value() const;

    QScrollBar* bar() const { return bar_; }
    // What the bar changes, for screen readers (the bar inside is what they reach).
    void setAccessibleNames(const QString& what);

signals:
    void changed(int value);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int direction() const { return maximum_ >= minimum_ ? 1 : -1; }

    QScrollBar* bar_;
    int minimum_ = 0;
    int maximum_ = 0;
};

} // namespace forms
