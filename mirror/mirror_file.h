#pragma once

#include "files/json_reader.h"
#include "mirror/experiment.h"

#include <QJsonObject>

#include <optional>

// The mirror experiment in a file ("simulation": "spiegel"), in LE and radians.
namespace mirror {

QJsonObject toFields(const Experiment& experiment);
// The experiment the fields describe, or nothing when one breaks a rule the
// controls obey; the reader then holds the sentence saying which. Figures a
// file does not keep (the radius last drawn) come from `current`.
std::optional<Experiment> fromFields(files::JsonReader& reader, const Experiment& current);

} // namespace mirror
