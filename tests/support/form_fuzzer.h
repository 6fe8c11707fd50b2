#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace forms {
class Form;
}

// A window under the seeded event fuzzer.
struct FuzzTarget {
    // Opens the window; called again whenever the fuzzer's clicks unloaded it.
    std::function<forms::Form*()> open;
    // Checked after every event: what is broken, or an empty string.
    std::function<QString(forms::Form&)> invariant = [](forms::Form&) { return QString(); };
    // Checked right after every release the fuzzer sends, while the window lives.
    std::function<QString(forms::Form&)> afterRelease = [](forms::Form&) { return QString(); };
    // Object names of controls to press only now and then (closing, clearing).
    QStringList rareControls;
};

// A target that opens a fresh window of type Window, checks `invariant` after
// every event and that `dragMode` is back to 0 after every release.
template <typename Window>
FuzzTarget windowTarget(QStringList rareControls, std::function<QString(const Window&)> invariant,
                        std::function<int(const Window&)> dragMode)
{
    FuzzTarget target;
    target.rareControls = std::move(rareControls);
    target.open = [] {
        auto* window = new Window;
        window->showModeless();
        return window;
    };
    target.invariant = [invariant](forms::Form& form) { return invariant(static_cast<const Window&>(form)); };
    target.afterRelease = [dragMode](forms::Form& form) {
        const int mode = dragMode(static_cast<const Window&>(form));
        return mode == 0 ? QString() : QStringLiteral("still dragging (%1)").arg(mode);
    };
    return target;
}

struct FuzzResult {
    bool ok = true;
    QString failure;
    quint64 seed = 0;
    int eventsRun = 0;
    int messages = 0; // message boxes the dialog sink counted instead of showing
};

// Runs `events` random events (RAYLORE_FUZZ_EVENTS overrides) on the window:
// presses, moves, releases and double clicks with random buttons and Shift,
// Ctrl and Alt, mostly inside the drawing areas and about a tenth on or beyond
// their edges; clicks on buttons; scroll-bar and spin steps; typing; keys;
// resizes; activations and re-exposures. The seed is printed first and is
// taken from RAYLORE_FUZZ_SEED when set, so a failure can be replayed.
// Fails on a non-finite figure reaching a picture box, a modal box really
// opening, or a broken invariant.
FuzzResult fuzzForm(const FuzzTarget& target, int events);
