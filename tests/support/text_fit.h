#pragma once

#include <QStringList>

class QLineEdit;
class QPlainTextEdit;

namespace forms {
class PictureBox;
}

// Room a one-line field has for its text, in pixels, and whether a text fits
// it whole in the field's own font.
double textRoom(const QLineEdit& field);
bool textFits(const QLineEdit& field, const QString& text);

// The widest line of a multi-line field as the field lays it out (tabs
// included), and the width its viewport leaves for text.
double widestLine(const QPlainTextEdit& field);
double textRoom(const QPlainTextEdit& field);

// The coordinate read-outs at the drawing area's four edges: the widest texts
// "x = ... LE" and "y = ... LE" the mouse can produce in the current view.
QStringList edgeReadouts(const forms::PictureBox& box);
