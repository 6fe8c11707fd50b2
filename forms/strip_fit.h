#pragma once

#include <QHash>
#include <QStringList>

#include <functional>

class QWidget;

// Whether a control strip fits the room its window gives it: the search for a
// window's smallest size lays the strip out at trial sizes and asks this.
namespace forms {

// For each control, the texts it may show besides its current one.
using Captions = QHash<const QWidget*, QStringList>;

// Every control of the strip lies inside it, overlaps no other, and has the
// room its caption needs (its widest text and whatever it draws beside it).
bool stripFits(const QWidget& strip, const Captions& captions);

// The smallest length up to `top` for which `fits` holds, when it holds at
// `top` and, from wherever it starts to hold, at every larger length.
int smallestFitting(int top, const std::function<bool(int)>& fits);

} // namespace forms
