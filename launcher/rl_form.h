#pragma once

#include "files/experiment_file.h"
#include "forms/form.h"
#include "help/info_window.h"
#include "launcher/simulation_registry.h"

#include <QPointer>

class LauncherItem;
class QAction;

// The start window of RAYLORE: three pictures to select and open the
// simulations, a small menu and the about window. Closing it ends the program.
class RL_Form : public forms::Form {
    Q_OBJECT
public:
    RL_Form();

    // Simulation windows are registered by the program; 1 mirror, 2 real lenses, 3 kit.
    SimulationRegistry& registry() { return registry_; }

    int SelectedSim = 0;

    void Select(int n);
    void Open(int n);
    // Opens the simulation a file was saved from and shows its experiment
    // there; a refused file is named in a message box ("Versuch öffnen").
    void openExperimentFile(const QString& path);
    void openExperiment(const files::Opened& opened);

    LauncherItem* picture(int n) const;
    LauncherItem* label(int n) const;
    QAction* openAction() const { return oeffnen; }
    QAction* openExperimentAction() const { return versuchOeffnen; }
    QAction* endAction() const { return ende; }
    QAction* infoAction() const { return information; }
    InfoWindow* aboutWindow() const { return RL_info; }

    void onActivate() override;
    void onUnload() override;

private:
    void layoutForScreen();
    void showAbout();
    void paintLabel(int n, bool selected);

    SimulationRegistry registry_;
    LauncherItem* sp_label;
    LauncherItem* lens_label;
    LauncherItem* bk_label;
    LauncherItem* sp_picture;
    LauncherItem* lens_picture;
    LauncherItem* bk_picture;
    QAction* oeffnen;
    QAction* versuchOeffnen;
    QAction* ende;
    QAction* information;
    QPointer<InfoWindow> RL_info;
};
