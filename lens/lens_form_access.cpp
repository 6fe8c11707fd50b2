// What a screen reader learns of the lens window, and the drawing on the clipboard.
#include "lens/lens_form.h"

#include "common/readouts.h"
#include "forms/picture_box.h"
#include "forms/scroll_bar.h"
#include "forms/spin_button.h"

#include <QLineEdit>

void lens_form::NameControls()
{
    Radius1Scroll->setAccessibleNames("Radius 1");
    Radius2Scroll->setAccessibleNames("Radius 2");
    BlendeScroll->setAccessibleNames(QString::fromUtf8("Blendenöffnung"));
    HBildlauf->setAccessibleNames("Ansicht waagerecht verschieben");
    VBildlauf->setAccessibleNames("Ansicht senkrecht verschieben");
    QuerSpin->setAccessibleNames(QString::fromUtf8("Querschnitt des Lichtbündels"));
    ZoomSpButton->setAccessibleNames("Zoom");
    Zoom_lupeSpButton->setAccessibleNames(QString::fromUtf8("Vergrößerung der Lupe"));
    BlendeText->setAccessibleName("Blende");
    ZoomText->setAccessibleName("Zoom");
    Text1->setAccessibleName("x-Koordinate");
    Text2->setAccessibleName("y-Koordinate");
    Picture1->setAccessibleName(QString::fromUtf8("Zeichenfläche Reale Linsen"));
    Picture2->setAccessibleName("Lupe");
    Picture2->setAccessibleDescription(QString::fromUtf8("Vergrößerter Ausschnitt der Linse mit den Strahlen an ihren Flächen."));
    connect(Picture1, &forms::PictureBox::canvasChanged, this, &lens_form::DescribeDrawing);
    DescribeDrawing();
    copyOnCtrlC([this] { return Picture1->canvas(); });
}

// The lens's faces and focal length, the light, the rays and points, the view.
void lens_form::DescribeDrawing()
{
    const std::string focal = lens::focalReadout(model_.lens);
    std::string text = "Linse, " + lens::radiusReadout(1, lens::face1(model_.lens)) + ", "
        + lens::radiusReadout(2, lens::face2(model_.lens)) + ", Brennweite " + (focal.empty() ? "keine" : focal);
    text += parallelLight() ? "; Parallellicht, " : "; Punktraster, ";
    text += common::countText(model_.RayCount, "Strahl", "Strahlen") + ", ";
    text += common::countText(model_.PairCount, "Bildpunkt", "Bildpunkte") + " markiert";
    text += model_.ApertureOn == 1 ? "; Blende ein" : "; Blende aus";
    text += "; Zoom " + View.zoomText();
    text += LupeMode == 1 ? "; Lupe eingeschaltet." : ".";
    Picture1->setAccessibleDescription(QString::fromStdString(text));
}
