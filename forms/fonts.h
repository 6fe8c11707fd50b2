#pragma once

#include <QFont>

namespace forms {

// The windows name fonts that Linux lacks; map them once to installed
// metric-compatible families before the first window is built.
void installFontSubstitutions();

QFont sansSerif(double points, bool bold = false);
// The same face in its narrow cut, for texts that must fit a field laid out
// for the original, narrower font: help texts and read-outs.
QFont sansSerifNarrow(double points, bool bold = false);
QFont serif(double points);

} // namespace forms
