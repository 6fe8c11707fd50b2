#include "tests/support/text_fit.h"

#include "common/readouts.h"
#include "forms/picture_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>

namespace {
// QLineEdit keeps this many pixels clear on either side of its text.
constexpr int kLineEditMargin = 2;

struct Rows {
    double top;
    double bottom;
};

// The rows of a control its visible siblings leave the columns `from` to
// `to` of it: a sibling reaching in from below takes the rows from its top
// edge down, one reaching in from above the rows down to its bottom edge.
// Overlaps at the sides cost width, not height.
Rows uncoveredRows(const QWidget& control, double from, double to)
{
    Rows rows{0, double(control.height())};
    const QWidget* parent = control.parentWidget();
    if (!parent)
        return rows;
    const QRect own = control.geometry();
    for (const QWidget* sibling : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QRect cover = sibling->geometry().intersected(own).translated(-own.topLeft());
        if (sibling == &control || sibling->isWindow() || !sibling->isVisibleTo(parent) || cover.isEmpty() ||
            cover.left() >= to || cover.right() + 1 <= from)
            continue;
        if (cover.top() > 0)
            rows.bottom = std::min(rows.bottom, double(cover.top()));
        else if (cover.bottom() + 1 < own.height())
            rows.top = std::max(rows.top, double(cover.bottom() + 1));
    }
    return rows;
}

// Whether a text block of `size`, placed in `box` by the alignment, stays
// inside the box and the rows no sibling covers.
bool fitsHeight(const QWidget& control, const QRectF& box, Qt::Alignment alignment, const QSizeF& size)
{
    double top = box.center().y() - size.height() / 2;
    if (alignment & Qt::AlignTop)
        top = box.top();
    else if (alignment & Qt::AlignBottom)
        top = box.bottom() - size.height();
    double left = box.center().x() - size.width() / 2;
    if (alignment & Qt::AlignLeft)
        left = box.left();
    else if (alignment & Qt::AlignRight)
        left = box.right() - size.width();
    const Rows free = uncoveredRows(control, left, left + size.width());
    return top >= std::max(box.top(), free.top) && top + size.height() <= std::min(box.bottom(), free.bottom);
}

double lineHeight(const QWidget& control) { return QFontMetricsF(control.font()).height(); }

QRect lineEditContents(const QLineEdit& field)
{
    QStyleOptionFrame option;
    option.initFrom(&field);
    option.lineWidth = field.hasFrame() ? field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field) : 0;
    return field.style()->subElementRect(QStyle::SE_LineEditContents, &option, &field) - field.textMargins();
}

// A button's text anywhere across it, at its middle as buttons place it.
bool centredTextFits(const QWidget& control)
{
    return fitsHeight(control, control.rect(), Qt::AlignVCenter, QSizeF(control.width(), lineHeight(control)));
}

bool labelFits(const QLabel& label)
{
    if (label.sizeHint().width() > label.width() + 1)
        return false;
    const QRectF box = label.contentsRect().adjusted(label.margin(), label.margin(), -label.margin(), -label.margin());
    const QSizeF text = QFontMetricsF(label.font()).boundingRect(box, int(label.alignment()), label.text()).size();
    return fitsHeight(label, box, label.alignment(), text);
}

QString rectText(const QRect& r) { return QStringLiteral("(%1, %2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()); }

QString needs(const QWidget& control)
{
    return QStringLiteral("%1 needs %2 x %3, has %4 x %5")
        .arg(control.objectName())
        .arg(control.sizeHint().width())
        .arg(lineHeight(control))
        .arg(control.width())
        .arg(control.height());
}

} // namespace

double textRoom(const QLineEdit& field)
{
    return lineEditContents(field).width() - 2 * kLineEditMargin;
}

bool textFits(const QLineEdit& field, const QString& text)
{
    const QFontMetricsF metrics(field.font());
    const QRectF box = lineEditContents(field).adjusted(kLineEditMargin, 0, -kLineEditMargin, 0);
    return metrics.horizontalAdvance(text) <= textRoom(field) &&
           fitsHeight(field, box, field.alignment(), QSizeF(metrics.horizontalAdvance(text), metrics.height()));
}

QString clippedText(const QWidget& parent)
{
    const auto shown = [&](const QWidget* w) { return w->isVisibleTo(&parent); };
    for (const QLabel* l : parent.findChildren<QLabel*>())
        if (shown(l) && !labelFits(*l))
            return needs(*l);
    for (const QCheckBox* c : parent.findChildren<QCheckBox*>())
        if (shown(c) && (c->sizeHint().width() > c->width() || !centredTextFits(*c)))
            return needs(*c);
    for (const QRadioButton* r : parent.findChildren<QRadioButton*>())
        if (shown(r) && (r->sizeHint().width() > r->width() || !centredTextFits(*r)))
            return needs(*r);
    for (const QPushButton* b : parent.findChildren<QPushButton*>())
        if (shown(b) && (b->fontMetrics().horizontalAdvance(b->text()) + 8 > b->width() || !centredTextFits(*b)))
            return needs(*b);
    for (const QComboBox* c : parent.findChildren<QComboBox*>())
        if (shown(c) && (c->sizeHint().width() > c->width() || !centredTextFits(*c)))
            return needs(*c);
    for (const QLineEdit* e : parent.findChildren<QLineEdit*>())
        if (shown(e) && !textFits(*e, e->text()))
            return needs(*e);
    return {};
}

QString crowdedControls(const QWidget& parent)
{
    QList<const QWidget*> controls;
    for (const QWidget* w : parent.findChildren<QWidget*>())
        if (w->isVisibleTo(&parent) && (qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLabel*>(w) ||
                                        qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
                                        qobject_cast<const QAbstractSlider*>(w)))
            controls.append(w);
    const auto place = [&](const QWidget* w) { return QRect(w->mapTo(&parent, QPoint(0, 0)), w->size()); };
    // The bar inside a scroll bar control goes by the control's name.
    const auto name = [](const QWidget* w) { return w->objectName().isEmpty() ? w->parentWidget()->objectName() : w->objectName(); };
    for (const QWidget* w : controls)
        if (!parent.rect().contains(place(w)))
            return QStringLiteral("%1 %2 outside %3").arg(name(w), rectText(place(w)), rectText(parent.rect()));
    for (qsizetype i = 0; i < controls.size(); ++i)
        for (qsizetype j = i + 1; j < controls.size(); ++j)
            if (place(controls[i]).intersects(place(controls[j])))
                return QStringLiteral("%1 %2 and %3 %4")
                    .arg(name(controls[i]), rectText(place(controls[i])), name(controls[j]), rectText(place(controls[j])));
    return {};
}

QString stripMisfit(QWidget& window, const QWidget& strip, const QSize& size)
{
    window.resize(size);
    const QRect place(strip.mapTo(&window, QPoint(0, 0)), strip.size());
    if (&strip != &window && !window.rect().contains(place))
        return QStringLiteral("%1 %2 outside the window").arg(strip.objectName(), rectText(place));
    const QString crowded = crowdedControls(strip);
    return crowded.isEmpty() ? clippedText(strip) : crowded;
}

QString misfitAtMinimumSize(QWidget& window, const QWidget& strip)
{
    const QSize opening = window.size();
    const QSize minimum = window.minimumSize();
    if (minimum.width() > opening.width() || minimum.height() > opening.height())
        return QStringLiteral("smallest size %1 x %2 beyond the opening size %3 x %4")
            .arg(minimum.width()).arg(minimum.height()).arg(opening.width()).arg(opening.height());
    return stripMisfit(window, strip, minimum);
}

QString misfitBelowMinimumSize(QWidget& window, const QWidget& strip)
{
    const QSize minimum = window.minimumSize();
    window.resize(minimum - QSize(40, 30));
    if (window.size() != minimum)
        return QStringLiteral("shrank below its smallest size");
    window.setMinimumSize(0, 0);
    const bool narrower = stripMisfit(window, strip, {minimum.width() * 92 / 100, minimum.height()}).isEmpty();
    const bool lower = stripMisfit(window, strip, {minimum.width(), minimum.height() * 92 / 100}).isEmpty();
    window.setMinimumSize(minimum);
    if (narrower || lower)
        return QStringLiteral("a smaller window would do");
    return {};
}

double widestLine(const QPlainTextEdit& field)
{
    QTextOption option;
    option.setTabStopDistance(field.tabStopDistance());
    option.setWrapMode(QTextOption::NoWrap);
    double widest = 0;
    for (const QString& line : field.toPlainText().split(QChar('\n'))) {
        QTextLayout layout(QString(line).remove(QChar('\r')), field.font());
        layout.setTextOption(option);
        layout.beginLayout();
        const QTextLine laid = layout.createLine();
        layout.endLayout();
        widest = std::max(widest, laid.naturalTextWidth());
    }
    return widest;
}

double textRoom(const QPlainTextEdit& field)
{
    return field.viewport()->width() - 2 * field.document()->documentMargin();
}

QStringList edgeReadouts(const forms::PictureBox& box)
{
    const forms::UserScale& s = box.scale();
    QStringList texts;
    for (double x : {s.left(), s.left() + s.width()})
        texts << QString::fromStdString(common::coordinateText('x', x));
    for (double y : {s.top(), s.top() + s.height()})
        texts << QString::fromStdString(common::coordinateText('y', y));
    return texts;
}
