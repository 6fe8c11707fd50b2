// What a screen reader learns of the mirror window, and the drawing on the clipboard.
#include "mirror/sp_form.h"

#include "common/readouts.h"
#include "forms/picture_box.h"
#include "forms/scroll_bar.h"

#include <QLineEdit>

void sp_form::NameControls()
{
    KrummScroll->setAccessibleNames(QString::fromUtf8("Spiegelkrümmung"));
    Text1->setAccessibleName("x-Koordinate");
    Text2->setAccessibleName("y-Koordinate");
    Hinweis->setAccessibleName("Hinweis");
    Picture1->setAccessibleName("Zeichenfläche Spiegel");
    connect(Picture1, &forms::PictureBox::canvasChanged, this, &sp_form::DescribeDrawing);
    DescribeDrawing();
    copyOnCtrlC([this] { return Picture1->canvas(); });
}

// The mirror's kind and shape, the light and how many rays and image points there are.
void sp_form::DescribeDrawing()
{
    const float a = model_.mirror.CurvCoeff;
    std::string text = model_.mirror.MirrorKind == 1 ? "Parabolspiegel" : "Sphärischer Spiegel";
    text += a > 0 ? " (Hohlspiegel)" : a < 0 ? " (Wölbspiegel)" : " (eben)";
    text += model_.LightMode == 1 ? ", Parallellicht, " : ", Punktraster, ";
    text += common::countText(model_.RayCount, "Strahl", "Strahlen") + ", ";
    text += common::countText(model_.ImageCount, "Bildpunkt", "Bildpunkte") + " markiert";
    text += model_.BackRays == 1 ? ", rückwärtige Strahlen eingeblendet." : ".";
    Picture1->setAccessibleDescription(QString::fromStdString(text));
}
