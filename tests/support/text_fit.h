#pragma once

#include <QSize>
#include <QStringList>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace forms {
class PictureBox;
}

// Room a one-line field has for its text, in pixels, and whether a text fits
// it whole in the field's own font: as wide as the room, and as tall (ascent
// plus descent), where the field places it, as the rows no sibling covers.
double textRoom(const QLineEdit& field);
bool textFits(const QLineEdit& field, const QString& text);

// The first control within `parent` (labels, option buttons, check boxes,
// command buttons, combo boxes, one-line fields) whose text does not fit it
// whole in width or height, with what it needs; empty when every text fits.
QString clippedText(const QWidget& parent);

// The first visible control within `parent` (buttons, labels, fields, combo
// boxes, scroll bars) that reaches outside it, or the first two whose places
// overlap; empty when every control has a place of its own.
QString crowdedControls(const QWidget& parent);

// What keeps the controls within `strip` from fitting once `window` has the
// client size `size`: a crowded control or a clipped text; empty when they fit.
QString stripMisfit(QWidget& window, const QWidget& strip, const QSize& size);

// Brings the window to its smallest size and says what is wrong there: a
// smallest size beyond the one it opened with, or a strip that misfits.
QString misfitAtMinimumSize(QWidget& window, const QWidget& strip);
// Says what is wrong below the smallest size, from a window there: that it
// still shrinks, or that a window 8 % narrower or lower would still fit.
QString misfitBelowMinimumSize(QWidget& window, const QWidget& strip);

// The widest line of a multi-line field as the field lays it out (tabs
// included), and the width its viewport leaves for text.
double widestLine(const QPlainTextEdit& field);
double textRoom(const QPlainTextEdit& field);

// The coordinate read-outs at the drawing area's four edges: the widest texts
// "x = ... LE" and "y = ... LE" the mouse can produce in the current view.
QStringList edgeReadouts(const forms::PictureBox& box);
