#pragma once

#include "files/experiment_file.h"

#include <QJsonObject>
#include <QString>

#include <functional>
#include <optional>

namespace forms {
class Form;
}

namespace files {

// A simulation window whose experiment can be saved to a file and opened from one.
class ExperimentWindow {
public:
    virtual ~ExperimentWindow() = default;
    // The file's "simulation" for this window.
    virtual QString simulation() const = 0;
    virtual QJsonObject experimentFields() const = 0;
    // Shows the experiment the fields describe, or leaves the window exactly
    // as it was and returns what is wrong.
    virtual QString showExperimentFields(const QJsonObject& fields) = 0;
};

// Ctrl+S "Versuch speichern …" and Ctrl+O "Versuch öffnen …" in the window,
// through the standard file dialogs. A file of another simulation of the
// same program goes to the program's opener.
void addExperimentActions(forms::Form& form, ExperimentWindow& window, const Kind& kind);
// Where a program opens files of simulations other than the window's own: the launcher.
void setProgramOpener(std::function<void(const Opened&)> opener);

// Shows an opened file in the window, or says what is wrong ("Versuch öffnen").
// A window that has yet to be activated keeps the experiment through that activation.
bool showOpened(forms::Form& form, ExperimentWindow& window, const Opened& opened);

// Asks for a file and reads it; nothing when the dialog is cancelled, an
// Opened with its error when the file is refused (the message is shown already).
std::optional<Opened> askAndRead(const Kind& kind);

} // namespace files
