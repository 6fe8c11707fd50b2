#pragma once

#include "files/experiment_window.h"
#include "forms/form.h"
#include "mirror/experiment.h"

#include <QPointer>

#include <cstdint>

class InfoWindow;
class QLabel;
class QLineEdit;
class QPushButton;

namespace forms {
class OptionButton;
class Panel3D;
class PictureBox;
class ScrollBar;
} // namespace forms

// The mirror simulation: rays from an object point or a parallel bundle,
// reflected at a spherical, parabolic or plane mirror.
class sp_form : public forms::Form, public files::ExperimentWindow {
    Q_OBJECT
public:
    static constexpr float kDotRadius = 5; // object and marked points

    sp_form();

    // What the simulation shows: the mirror, the light, the rays and the marked pairs.
    const mirror::Experiment& model() const { return model_; }
    // Shows an experiment (one a file brought) in place of the current one;
    // the controls follow it. Transient figures (the angle scale) are gone.
    void showExperiment(const mirror::Experiment& experiment);
    QString simulation() const override { return QStringLiteral("spiegel"); }
    QJsonObject experimentFields() const override;
    QString showExperimentFields(const QJsonObject& fields) override;

    // The window.
    std::int16_t Painted = 0;
    float FocusX = 0;
    std::int16_t ScaleShown = 0;
    float ScaleX = 0;
    float ScaleY = 0;
    std::int16_t HoverRegion = 4; // 1 object point, 2 free area, 3 mirror vertex, 4 elsewhere
    std::int16_t DragMode = 0;    // 1 object point, 2 ray or bundle, 3 mirror
    float RubberX = 0;
    float RubberY = 0;
    float BundleX = 0;
    float BundleY = 0;
    float PivotY = 0;

    void Picture1_MouseDown(int button, int shift, float x, float y);
    void Picture1_MouseMove(int button, int shift, float x, float y);
    void Picture1_MouseUp(int button, int shift, float x, float y);
    void Picture1_DblClick();
    void PktOption_Click();
    void ParallelOption_Click();
    void SphaerOption_Click();
    void ParabolOption_Click();
    void KrummScroll_Change();
    void RueckwaertigButton_Click();
    void InfoButton_Click();
    void EndeButton_Click();

    void onActivate() override;
    void onPaint() override;
    void onResize() override;
    void onUnload() override;
    void onViewChanged() override;

    forms::PictureBox* Picture1;
    QLineEdit* Text1;
    QLineEdit* Text2;
    QLineEdit* Hinweis;
    forms::Panel3D* Panel3D1;
    QWidget* objektbox;
    forms::OptionButton* PktOption;
    forms::OptionButton* ParallelOption;
    QWidget* spiegelbox;
    forms::OptionButton* SphaerOption;
    forms::OptionButton* ParabolOption;
    forms::Panel3D* KrummPanel;
    QLabel* KrummLabel;
    forms::ScrollBar* KrummScroll;
    forms::Panel3D* RueckwaertigPanel;
    QLabel* RueckwaertigLabel;
    QPushButton* RueckwaertigButton;
    QPushButton* InfoButton;
    QPushButton* EndeButton;
    QPointer<InfoWindow> sp_info;

private:
    // Drawing routines; each draws in the current foreground colour, so white erases.
    float viewWidth() const;
    void DrawAxisAndObject();
    void DrawPointGrid();
    void DrawMirror();
    void DrawAngleScale();
    void EraseAngleScale();
    void DrawPairs();
    void ErasePairs();
    void DrawLastImage(QRgb colour);
    void TraceRay(int slot);
    void DrawRays();
    void DrawRubberBand();
    // What stays on the drawing, in the order a redraw draws it: the repair after erasing.
    void DrawStaying();
    void setForeground(QRgb colour);

    // The mouse.
    void UpdatePointer(float x, float y);
    void PressWithShift(float y);
    void MarkImage(float x, float y);
    void DragObject(float x, float y);
    // For screen readers (sp_form_access.cpp).
    void NameControls();
    void DescribeDrawing();
    void KeepObjectInFront();
    void DragMirror(float x);
    void TurnBundle(float x, float y);
    void ReleaseObject(float x, float y);

    void resetSimulation();
    void EraseRaysAndMarks();
    void EraseRaysAndMirror();
    void UpdateBackButton();
    void KindChanged(std::int16_t kind);
    void LayoutControls();
    void showMousePosition(float x, float y);

    mirror::Experiment model_;
    bool axisHidden_ = false; // "Info" took the axis and the object point away
};
