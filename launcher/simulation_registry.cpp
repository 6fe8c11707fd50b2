#include "launcher/simulation_registry.h"

SimulationRegistry::~SimulationRegistry()
{
    for (auto& [simulation, entry] : entries_)
        QObject::disconnect(entry.forgetOnUnload);
}

void SimulationRegistry::add(int simulation, Factory factory) { entries_[simulation].make = std::move(factory); }

forms::Form* SimulationRegistry::open(int simulation)
{
    const auto found = entries_.find(simulation);
    if (found == entries_.end() || !found->second.make)
        return nullptr;
    Entry& entry = found->second;
    if (!entry.window) {
        entry.window = entry.make();
        // An unloaded window is gone even before Qt deletes it: the next open loads afresh.
        entry.forgetOnUnload = QObject::connect(entry.window, &forms::Form::unloaded, entry.window,
                                                [&entry] { entry.window = nullptr; });
    }
    entry.window->showModeless();
    return entry.window;
}

forms::Form* SimulationRegistry::window(int simulation) const
{
    const auto found = entries_.find(simulation);
    return found == entries_.end() ? nullptr : found->second.window.data();
}
