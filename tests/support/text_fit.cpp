#include "tests/support/text_fit.h"

#include "common/readouts.h"
#include "forms/picture_box.h"

#include <QFontMetricsF>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>

namespace {
// QLineEdit keeps this many pixels clear on either side of its text.
constexpr int kLineEditMargin = 2;
} // namespace

double textRoom(const QLineEdit& field)
{
    QStyleOptionFrame option;
    option.initFrom(&field);
    option.lineWidth = field.hasFrame() ? field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field) : 0;
    const QRect contents = field.style()->subElementRect(QStyle::SE_LineEditContents, &option, &field);
    const QMargins margins = field.textMargins();
    return contents.width() - margins.left() - margins.right() - 2 * kLineEditMargin;
}

bool textFits(const QLineEdit& field, const QString& text)
{
    return QFontMetricsF(field.font()).horizontalAdvance(text) <= textRoom(field);
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
