#pragma once

#include "files/json_reader.h"
#include "kit/experiment.h"

#include <QJsonObject>

#include <optional>

// The kit experiment in a file ("simulation": "baukasten"), in LE and the
// model's terms, with the view it was seen in.
namespace kit {

// The scroll bars' ranges, either way of 0.
constexpr int kScrollX = 1000;
constexpr int kScrollY = 500;

// The view as the zoom arrows and the scroll bars set it: zoom 1.1^zoomSteps.
struct ViewSetting {
    int zoomSteps = 0;
    int scrollX = 0;
    int scrollY = 0;
};

// The steps of the zoom arrows nearest a zoom factor.
int zoomSteps(double zoom);

struct ExperimentFile {
    Experiment experiment;
    ViewSetting view;
};

QJsonObject toFields(const Experiment& experiment, const ViewSetting& view);
// The experiment the fields describe, or nothing when one breaks a rule the
// controls obey; the reader then holds the sentence saying which.
std::optional<ExperimentFile> fromFields(files::JsonReader& reader);

} // namespace kit
