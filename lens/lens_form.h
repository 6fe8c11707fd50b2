#pragma once

#include "forms/form.h"
#include "forms/zoom_view.h"
#include "lens/lens_model.h"
#include "lens/refraction.h"

#include <QPointer>

#include <array>
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
class SpinButton;
} // namespace forms

// The real-lens simulation: rays traced through a thick lens by the law of
// refraction, with aperture, zoom, scrolling and a magnifier for the faces.
class lens_form : public forms::Form {
    Q_OBJECT
public:
    static constexpr int kMaxEntries = 50;
    static constexpr float kDotRadius = 5; // object, image and marked points
    using Table = std::array<float, kMaxEntries + 1>;

    lens_form();

    // The lens and the aperture.
    lens::Lens lens;
    float BlendeOffset = 0;
    std::int16_t ApertureOn = 0;
    float LightMode = 0; // 0 "Punktraster", 1 "Parallellicht"

    // The view: Picture1's world window, zoomed and scrolled.
    int TwipsPerLE = 10;
    forms::ZoomView View;
    float GridLeftX = 20;
    std::int16_t Painted = 0;
    std::int16_t GridDrawn = 0;
    int BlendeOld = 0;

    // Rays and marked points.
    float RayStartX = 60;
    float RayStartY = 100;
    float RayAngle = 0;
    Table RayList{};
    std::int16_t RayCount = 0;
    float BundleAngle = 0;
    float QuerDivisor = 3;
    float BundlePivotY = 0;
    Table ImgPtX{};
    Table ImgPtY{};
    Table ObjPtX{};
    Table ObjPtY{};
    std::int16_t PairCount = 0;
    std::int16_t PairOpen = 0;
    std::int16_t MouseRegion = 3; // 0 object point, 1 in front of the lens, 2 over it, 3 behind it
    std::int16_t DragMode = 0;    // 1 object point, 2 aiming or turning the bundle, 3 lens
    float AimX = 0;
    float AimY = 0;

    // The magnifier.
    std::int16_t LupeMode = 0;
    std::int16_t LupePlacing = 0;
    float LupeScale = 100;
    float LupeCenterX = 0;
    float LupeCenterY = 0;
    float NormalX = 0;
    float NormalY = 0;
    float NormalSlope = 0;

    bool parallelLight() const { return LightMode == 1; }

    void Picture1_MouseDown(int button, int shift, float x, float y);
    void Picture1_MouseMove(int button, int shift, float x, float y);
    void Picture1_MouseUp(int button, int shift, float x, float y);
    void Picture1_DblClick();
    void Picture2_MouseDown(int button, int shift, float x, float y);
    void PktOption_Click();
    void ParallelOption_Click();
    void LupeButton_Click();
    void Radius1Scroll_Change();
    void Radius2Scroll_Change();
    void Blende_einOption_Click();
    void Blende_ausOption_Click();
    void BlendeScroll_Change();
    void QuerSpin_SpinUp();
    void QuerSpin_SpinDown();
    void ZoomSpButton_SpinUp();
    void ZoomSpButton_SpinDown();
    void Zoom_lupeSpButton_SpinUp();
    void Zoom_lupeSpButton_SpinDown();
    void HBildlauf_Change();
    void VBildlauf_Change();
    void InfoButton_Click();
    void EndeButton_Click();
    void CloseLupe();

    void onActivate() override;
    void onPaint() override;
    void onResize() override;
    void onUnload() override;

    forms::PictureBox* Picture1;
    forms::PictureBox* Picture2;
    forms::Panel3D* Panel3D1;
    forms::OptionButton* PktOption;
    forms::OptionButton* ParallelOption;
    QPushButton* LupeButton;
    QLabel* R1WertLabel;
    forms::ScrollBar* Radius1Scroll;
    QLabel* R2WertLabel;
    forms::ScrollBar* Radius2Scroll;
    QLabel* BrennLabel;
    QLabel* BrennWertLabel;
    QLineEdit* BlendeText;
    forms::OptionButton* Blende_einOption;
    forms::OptionButton* Blende_ausOption;
    forms::ScrollBar* BlendeScroll;
    QLabel* QuerLabel;
    forms::SpinButton* QuerSpin;
    QLabel* ZoomLabel;
    QLineEdit* ZoomText;
    forms::SpinButton* ZoomSpButton;
    QLabel* Zoom_lupeLabel;
    forms::SpinButton* Zoom_lupeSpButton;
    forms::ScrollBar* HBildlauf;
    forms::ScrollBar* VBildlauf;
    QLineEdit* Text1;
    QLineEdit* Text2;
    QPushButton* InfoButton;
    QPushButton* EndeButton;
    QPointer<InfoWindow> lens_info;

private:
    // Drawing, in the current foreground colour of Picture1 (white erases).
    float viewRight() const;
    void setForeground(QRgb colour);
    void Form_Paint();
    void DrawAxis();
    void DrawLens();
    void DrawLensOn(forms::PictureBox& box);
    void DrawObjectAndPairs();
    void DrawPairs();
    void DrawImagePoints();
    void DrawPointGrid();
    void DrawBlende();
    // A ray's start height (it starts at RayStartX) and direction.
    struct RayStart {
        float y;
        float angle;
    };
    RayStart rayOf(int i) const;
    void TraceRay();
    void TraceRayOn(forms::PictureBox& box, RayStart ray, bool withAperture);
    void DrawRays();
    void RebuildBundle();
    void DrawPreview();
    void DrawLupeMarker(float x, float y);
    void EraseLupeMarker();
    void DrawLupeHandle();
    void EraseRaysAndMarks();
    void EraseAll();
    void RedrawAll();
    // What stays on the drawing, in the order a redraw draws it: the repair after erasing.
    void DrawStaying();
    void applyWorldWindow();

    // The mouse.
    void SetMousePointer(float x, float y);
    void MarkImage(float x, float y);
    void MoveObject(float x, float y);
    void MoveLens(float x);
    void TurnBundle(float x, float y);
    void ReleaseObject();
    void showMousePosition(float x, float y);

    // For screen readers (lens_form_access.cpp).
    void NameControls();
    void DescribeDrawing();

    // The magnifier.
    bool LupeHandlesPress(float x, float y);
    void PlaceLupe(float x, float y);
    void setLupeWindow();
    void DrawLupeContents(bool alsoMainView);
    void DrawNormal(int face, float x, float y);
    void DrawLupeScale(int face, float x, float y);
    void showLupeMagnification();

    // Controls.
    void applyFace(int face);
    void changeZoom(bool in);
    void scrollView(Qt::Orientation axis);
    void stepQuerDivisor(float step);
    void stepLupeScale(int direction);
    void LayoutControls();

    bool markerDrawn_ = false;
    bool objectHidden_ = false; // "Info" took the object point away
};
