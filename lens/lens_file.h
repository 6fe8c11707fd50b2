#pragma once

#include "files/json_reader.h"
#include "lens/experiment.h"

#include <QJsonObject>

#include <optional>

// The real-lens experiment in a file ("simulation": "reale-linsen"): the
// lens by its radius bars, the aperture, the light, the rays or the bundle,
// the marked points and the view, in LE and radians.
namespace lens {

QJsonObject toFields(const Experiment& experiment);
// The experiment the fields describe, or nothing when one breaks a rule the
// controls obey; the reader then holds the sentence saying which.
std::optional<Experiment> fromFields(files::JsonReader& reader);

} // namespace lens
