#pragma once

#include "files/experiment_window.h"
#include "forms/form.h"
#include "forms/zoom_view.h"
#include "kit/hover.h"
#include "kit/kit_file.h"
#include "kit/kit_model.h"

#include <QPointer>
#include <QRgb>

#include <cstdint>

class InfoWindow;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace forms {
class OptionButton;
class Panel3D;
class PictureBox;
class ScrollBar;
class SpinButton;
} // namespace forms

// The optical construction kit: ideal lenses and an eye on one axis, an
// object and its rays, drawn by overpainting and erased by drawing again in
// white. The optics live in kit::System; the window keeps only what the user
// interface needs: the view, the panels, the drag and the tape.
class bk_form : public forms::Form, public files::ExperimentWindow {
    Q_OBJECT
public:
    bk_form();

    const kit::System& system() const { return kit_; }
    // Shows an experiment (one a file brought) in place of the current one,
    // in the view it was seen in as far as this window's zoom and scroll
    // ranges reach; the controls follow it, transient figures (the tape, red
    // focal marks) are gone. False, with nothing changed, when it breaks a rule.
    bool showExperiment(const kit::Experiment& experiment, const kit::ViewSetting& view);
    QString simulation() const override { return QStringLiteral("baukasten"); }
    QJsonObject experimentFields() const override;
    QString showExperimentFields(const QJsonObject& fields) override;

    // The view and the interface state.
    int TwipsPerLE = 10;
    forms::ZoomView View;
    std::int32_t KitOpen = 0;     // the kit box is open while this is odd
    std::int16_t PanelElem = 0;   // the element whose panel is open (its left entry)
    std::int16_t FStep = 10;      // focal-length step of the spin arrows
    std::int16_t PanelOpen = 0;   // 1 while an element's panel is open: presses on the drawing do nothing
    float DragState = 0;          // 0 none, 0.5 a ray or the bundle, odd k element k, -1 the object
    std::int16_t HoverZone = -2;
    std::int16_t HoverKind = -1;
    std::int16_t PrevHoverZone = -2;
    double MouseX = 0;
    double MouseY = 0;
    double RubberX = 0;
    double RubberY = 0;
    float TapeX0 = 0, TapeY0 = 0, TapeX1 = 0, TapeY1 = 0;
    std::int32_t TapeOn = 0;

    // The drawing area.
    void Picture1_MouseDown(int button, int shift, float x, float y);
    void Picture1_MouseMove(int button, int shift, float x, float y);
    void Picture1_MouseUp(int button, int shift, float x, float y);
    void Picture1_DblClick();
    void objekte_Click();

    // The strip.
    void BaukastenButton_Click();
    void AnsichtButton_Click();
    void KooCheck_Click();
    void MassCheck_Click();
    void ZoomSpButton_SpinUp();
    void ZoomSpButton_SpinDown();
    void HBildlauf_Change();
    void VBildlauf_Change();
    void InfoButton_Click();
    void EndeButton_Click();

    // The panels.
    void Sammelpicture_Click();
    void StreuPicture_Click();
    void AugPicture_Click();
    void BrennSpin_SpinUp();
    void BrennSpin_SpinDown();
    void BrennText_Change();
    void BrennText_KeyUp(int keyCode);
    void GrobOption_Click();
    void FeinOption_Click();
    void EntfernButton_Click();
    void NormOption_Click();
    void KurzOption_Click();
    void WeitOption_Click();
    void Schliess1Button_Click();
    void schliess2Button_Click();
    void VirtuellCheck_Click();
    void BildCheck_Click();

    // The scene, drawn in Picture1's foreground colour: white erases.
    void DrawScene();
    void DrawElement(int k);
    void DrawObject();
    void DrawCandle(double x, double h);
    void DrawPointGrid();
    void DrawTape();
    // Everything in white, and everything again in black.
    void EraseAll();
    void RedrawAll();
    // What stays on the drawing, in the order RedrawAll draws it, so that the
    // rays lie over the axis: the paint, closing a panel and the repair after
    // erasing draw it. The model stays as it is.
    void DrawStaying();

    void onActivate() override;
    void onPaint() override;
    void onResize() override;
    void onUnload() override;
    void onViewChanged() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

public:

    forms::Panel3D* Panel3D1;
    QComboBox* objekte;
    QPushButton* BaukastenButton;
    QPushButton* AnsichtButton;
    QCheckBox* KooCheck;
    QCheckBox* MassCheck;
    QLabel* ZoomLabel;
    QLineEdit* ZoomText;
    forms::SpinButton* ZoomSpButton;
    QPushButton* InfoButton;
    QPushButton* EndeButton;
    forms::PictureBox* Picture1;
    forms::ScrollBar* HBildlauf;
    forms::ScrollBar* VBildlauf;

    QGroupBox* baukasten;
    forms::PictureBox* Sammelpicture;
    forms::PictureBox* StreuPicture;
    forms::PictureBox* AugPicture;

    QGroupBox* einstell;
    QLabel* BrennLabel;
    QLineEdit* BrennText;
    QLineEdit* LEText;
    forms::SpinButton* BrennSpin;
    forms::OptionButton* GrobOption;
    forms::OptionButton* FeinOption;
    QPushButton* EntfernButton;
    QPushButton* Schliess1Button;
    QGroupBox* sehfehl;
    forms::OptionButton* NormOption;
    forms::OptionButton* KurzOption;
    forms::OptionButton* WeitOption;

    QGroupBox* ansicht;
    QLabel* KonstruktionLabel;
    QLabel* VirtuellLabel;
    QCheckBox* VirtuellCheck;
    QLabel* BilderLabel;
    QCheckBox* BildCheck;
    QPushButton* schliess2Button;

    QGroupBox* messen;
    QLineEdit* xText;
    QLineEdit* yText;
    QLineEdit* MassText;
    forms::PictureBox* MassPicture;

    QPointer<InfoWindow> bk_info;

private:
    // Layout (bk_form.cpp).
    void LayoutControls();
    void LayoutReadouts();
    void scaleToView();
    double viewLeft() const;
    double viewRight() const;
    void changeZoom(bool in);
    void scrollView(Qt::Orientation axis);
    void showView(const kit::ViewSetting& view);
    kit::ViewSetting viewSetting() const;

    // Drawing helpers (bk_form_drawing.cpp), in Picture1's foreground colour.
    void setForeground(QRgb colour);
    void DrawAxis();
    void DrawElements();
    void DrawFocalMarks(int k);
    void markFocalPoints(int k, QRgb colour);
    void DrawEye(int k);
    void DrawArrow(double x, double y);
    void DrawPointMarks();
    void DrawStrokes(const kit::Strokes& strokes);
    void DrawStaying(const kit::Strokes& rays);
    void DrawRays();
    void DrawKitIcons();
    void DrawRuler();

    // The panels (bk_form_panels.cpp).
    void addElement(kit::Kind kind);
    void closeKitBox();
    void OpenPanel(int k);
    void LayoutPanel();
    void stepFocalLength(bool up);
    float shownFocalLength() const;
    void showFocalLength();
    void changeEyeDepth(float depth);

    // For screen readers (bk_form_access.cpp).
    void NameControls();
    void DescribeDrawing();

    // The mouse (bk_form_mouse.cpp).
    void UpdateHover();
    bool onElementBody() const;
    void showMousePosition(double x, double y);
    void drawRubber();
    void startInFront(double x, double y);
    void ClearAll();

    kit::System kit_;
    bool painted_ = false;
    bool enterPressed_ = false; // BrennText saw Enter go down
    QPointer<forms::PictureBox> pressedIcon_; // the kit box's picture the left button went down on
    bool pointPending_ = false; // a point was marked by the press; the release traces it
};
