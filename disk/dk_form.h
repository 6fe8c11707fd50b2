#pragma once

#include "disk/disk_model.h"
#include "forms/form.h"

#include <QPointer>

#include <cstdint>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class info_form;

namespace forms {
class OptionButton;
class PictureBox;
} // namespace forms

// The main window of DISKA: the optical disk with the glass body, the ray that
// follows the mouse, the angle read-outs and the graph of beta against alpha.
class DKForm : public forms::Form {
    Q_OBJECT
public:
    DKForm();

    float alpha = 0;
    float beta = 0;
    float betaDrawn = 1;
    float rayLength = 0;
    float sizeFactor = 1;
    std::int16_t dragging = 0;
    std::int16_t lineShown = 0;

    // Any button; the shift state plays no part.
    void grafik_MouseDown(int button, int shift, float x, float y);
    void grafik_MouseMove(int button, int shift, float x, float y);
    void grafik_MouseUp(int button, int shift, float x, float y);
    void blendButton_Click();
    void LoeschButton_Click();
    void InfoButton_Click();
    void EndeButton_Click();

    void onActivate() override;
    void onPaint() override;
    void onUnload() override;

    forms::PictureBox* grafik;
    forms::PictureBox* diagramm;
    QLineEdit* ueberschrift;
    forms::OptionButton* einzelOpt;
    forms::OptionButton* kontOpt;
    QLineEdit* alphaText;
    QLineEdit* betaText;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLineEdit* VglText;
    QLineEdit* QuotText;
    QPushButton* blendButton;
    QLineEdit* Text1;
    QLineEdit* Text2;
    QPushButton* InfoButton;
    QPushButton* LoeschButton;
    QPushButton* EndeButton;
    QLineEdit* Hinweis;
    QPointer<info_form> infoForm;

    // What Ctrl+C copies: the disk with the graph over it, as shown.
    QImage Drawing() const;

private:
    void layoutControls(double width, double height);
    void DrawDiskAndGrid();
    void DrawDisk();
    void DrawGrid();
    void drawRays(QRgb colour);
    void drawIncidentRay();
    void drawRefractedRay();
    void moveRayTo(float angle);
    void plotPoint();
    void drawComparisonLine(QRgb colour);
    void clearDrawings();
    // What stays on each drawing, in the order it was drawn: the repair after erasing.
    void DrawStayingOnDisk();
    void DrawStayingInGraph();
    // For screen readers (dk_form_access.cpp).
    void NameControls();
    void DescribeDrawing();

    bool rayShown_ = false;            // a ray was drawn since the disk was last cleared
    std::vector<disk::Point> plotted_; // the graph's points, which stay until it is cleared
};
