#pragma once

#include "forms/form.h"

#include <QPointer>

#include <functional>
#include <map>

// The simulation windows the launcher can open. Each exists at most once:
// opening it again brings it to the front. A simulation without a window
// factory opens nothing.
class SimulationRegistry {
public:
    using Factory = std::function<forms::Form*()>;

    SimulationRegistry() = default;
    ~SimulationRegistry();
    SimulationRegistry(const SimulationRegistry&) = delete;
    SimulationRegistry& operator=(const SimulationRegistry&) = delete;

    void add(int simulation, Factory factory);
    // The window shown, or nullptr when the simulation has no window.
    forms::Form* open(int simulation);
    forms::Form* window(int simulation) const;

private:
    struct Entry {
        Factory make;
        QPointer<forms::Form> window;
        QMetaObject::Connection forgetOnUnload;
    };
    std::map<int, Entry> entries_;
};
