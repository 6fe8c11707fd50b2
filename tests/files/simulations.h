#pragma once

#include "files/experiment_file.h"

#include <QJsonObject>

#include <functional>
#include <string>
#include <vector>

// Each simulation's file layer and model, as the file fuzzer drives them.
struct Simulation {
    const char* name;
    files::Kind kind;
    // A sound file with something in every field.
    std::function<QJsonObject()> sound;
    // Loads the fields; empty when they are refused or leave a model its
    // invariants accept, else what is broken.
    std::function<std::string(const QJsonObject&)> load;
};

std::vector<Simulation> fuzzedSimulations();
