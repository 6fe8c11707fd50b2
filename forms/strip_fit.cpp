#include "forms/strip_fit.h"

#include "forms/scroll_bar.h"
#include "forms/spin_button.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace forms {
namespace {

// The room a control's caption needs, in pixels: the widest of its texts
// (the one it shows and `others`) with whatever the control draws beside
// them, and the texts' height.
QSizeF captionRoom(const QWidget& control, const QStringList& others)
{
    const QFontMetricsF metrics(control.font());
    const QFontMetrics whole(control.font());
    const auto width = [&](const QString& text) { return whole.size(Qt::TextShowMnemonic, text).width(); };
    const auto widest = [&](const QString& shown) {
        int most = width(shown);
        for (const QString& text : others)
            most = std::max(most, width(text));
        return double(most);
    };
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        const auto size = [&](const QString& t) {
            return metrics.boundingRect(QRectF(), int(label->alignment()), t).size();
        };
        QSizeF text = size(label->text());
        for (const QString& t : others)
            text = text.expandedTo(size(t));
        const QSize chrome = label->size() - label->contentsRect().size() + 2 * QSize(label->margin(), label->margin());
        return text + QSizeF(chrome);
    }
    if (const auto* field = qobject_cast<const QLineEdit*>(&control)) {
        QStyleOptionFrame option;
        option.initFrom(field);
        const QStyle& style = *field->style();
        option.lineWidth = field->hasFrame() ? style.pixelMetric(QStyle::PM_DefaultFrameWidth, &option, field) : 0;
        const QRect contents = style.subElementRect(QStyle::SE_LineEditContents, &option, field) - field->textMargins();
        constexpr int kInnerMargin = 2; // QLineEdit keeps this clear on either side of its text
        return {widest(field->text()) + field->width() - contents.width() + 2 * kInnerMargin,
                metrics.height() + field->height() - contents.height()};
    }
    if (const auto* button = qobject_cast<const QPushButton*>(&control))
        return {widest(button->text()) + 8, metrics.height()}; // the bevel and a little air
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) // option buttons, check boxes
        return {widest(button->text()) + button->sizeHint().width() - width(button->text()), metrics.height()};
    if (const auto* box = qobject_cast<const QComboBox*>(&control))
        return {double(box->sizeHint().width()), metrics.height()};
    return {};
}

// Scroll bars and spin buttons count whole: a hidden window has not placed their parts yet.
bool isControl(const QWidget* w)
{
    if (qobject_cast<const ScrollBar*>(w->parentWidget()) || qobject_cast<const SpinButton*>(w->parentWidget()))
        return false;
    return qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const ScrollBar*>(w) || qobject_cast<const SpinButton*>(w);
}

} // namespace

bool stripFits(const QWidget& strip, const Captions& captions)
{
    QList<QRect> taken;
    for (const QWidget* control : strip.findChildren<QWidget*>()) {
        if (!isControl(control))
            continue;
        const QRect place(control->mapTo(&strip, QPoint(0, 0)), control->size());
        const QSizeF need = captionRoom(*control, captions.value(control));
        if (!strip.rect().contains(place) || need.width() > place.width() || need.height() > place.height())
            return false;
        for (const QRect& other : taken)
            if (other.intersects(place))
                return false;
        taken.append(place);
    }
    return true;
}

int smallestFitting(int top, const std::function<bool(int)>& fits)
{
    int low = 0; // taken as too small
    int high = top;
    while (high - low > 1) {
        const int middle = (low + high) / 2;
        (fits(middle) ? high : low) = middle;
    }
    return high;
}

} // namespace forms
