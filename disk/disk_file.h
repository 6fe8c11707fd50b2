#pragma once

#include "disk/experiment.h"
#include "files/json_reader.h"

#include <QJsonObject>

#include <optional>

// The DISKA experiment in a file ("simulation": "diska"), angles in radians.
namespace disk {

QJsonObject toFields(const Experiment& experiment);
// The experiment the fields describe, or nothing when one breaks a rule the
// disk obeys; the reader then holds the sentence saying which.
std::optional<Experiment> fromFields(files::JsonReader& reader);

} // namespace disk
