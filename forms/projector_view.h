#pragma once

#include <QStringList>

// The projector view ("Beamer-Darstellung"): every line on a drawing area
// three times as heavy and the read-outs on the drawings larger, so that the
// back row of a classroom can read them. It is a way of drawing: coordinates,
// hit tests and numbers stay the same. One choice, remembered in the settings
// both programs share.
namespace forms {

bool projectorView();
// Every line width on a drawing area is multiplied by this: 3 or 1.
int lineWeight();
// Read-outs that stand on a drawing are this much larger: 1.5 or 1.
double readoutScale();

// At start: the remembered choice, unless the command line says --beamer or
// --no-beamer, which choose for this run only.
void readViewSetting(const QStringList& arguments);
// Remembers the choice and switches every open window of the program.
void setProjectorView(bool on);

} // namespace forms
