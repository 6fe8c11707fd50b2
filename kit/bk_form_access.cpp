// What a screen reader learns of the kit window, and the drawing on the clipboard.
#include "kit/bk_form.h"

#include "common/readouts.h"
#include "forms/picture_box.h"
#include "forms/scroll_bar.h"
#include "forms/spin_button.h"

#include <QComboBox>
#include <QLineEdit>

void bk_form::NameControls()
{
    objekte->setAccessibleName("Objekt");
    ZoomText->setAccessibleName("Zoom");
    ZoomSpButton->setAccessibleNames("Zoom");
    HBildlauf->setAccessibleNames("Ansicht waagerecht verschieben");
    VBildlauf->setAccessibleNames("Ansicht senkrecht verschieben");
    Sammelpicture->setAccessibleName(QString::fromUtf8("Sammellinse hinzufügen"));
    StreuPicture->setAccessibleName(QString::fromUtf8("Streulinse hinzufügen"));
    AugPicture->setAccessibleName(QString::fromUtf8("Auge hinzufügen"));
    BrennText->setAccessibleName("Brennweite");
    LEText->setAccessibleName("Einheit der Brennweite");
    BrennSpin->setAccessibleNames("Brennweite");
    xText->setAccessibleName("x-Koordinate");
    yText->setAccessibleName("y-Koordinate");
    MassText->setAccessibleName(QString::fromUtf8("Länge des Maßbands"));
    MassPicture->setAccessibleName(QString::fromUtf8("Maßband"));
    MassPicture->setAccessibleDescription(QString::fromUtf8("Symbol des Maßbands neben der gemessenen Länge."));
    Sammelpicture->setAccessibleDescription(QString::fromUtf8("Ein Klick setzt eine Sammellinse hinter das letzte Element."));
    StreuPicture->setAccessibleDescription(QString::fromUtf8("Ein Klick setzt eine Streulinse hinter das letzte Element."));
    AugPicture->setAccessibleDescription(QString::fromUtf8("Ein Klick setzt das Auge hinter das letzte Element."));
    Picture1->setAccessibleName(QString::fromUtf8("Zeichenfläche Optischer Baukasten"));
    connect(Picture1, &forms::PictureBox::canvasChanged, this, &bk_form::DescribeDrawing);
    DescribeDrawing();
    copyOnCtrlC([this] { return Picture1->canvas(); });
}

// The elements from left to right, the object and how many rays or points.
void bk_form::DescribeDrawing()
{
    std::string text = "Optischer Baukasten";
    if (kit_.ElemCount == 1)
        text += " ohne Linsen";
    for (int k = 1; k < kit_.ElemCount; k += 2) {
        text += k == 1 ? ": " : ", ";
        switch (kit_.ElemKind[k]) {
        case kit::Kind::Converging: text += "Sammellinse"; break;
        case kit::Kind::Diverging: text += "Streulinse"; break;
        case kit::Kind::Eye:
            text += kit_.EyeDepth == 340 ? "kurzsichtiges Auge" : kit_.EyeDepth == 260 ? "weitsichtiges Auge" : "Auge";
            break;
        case kit::Kind::None: break;
        }
        text += " mit f = " + common::lengthText(kit_.ElemF[k]) + " bei " + common::coordinateText('x', kit_.ElemX[k]);
    }
    text += "; Objekt: " + objekte->itemText(static_cast<int>(kit_.ObjMode)).toStdString() + ", ";
    if (kit_.ObjMode == kit::ObjectMode::PointGrid)
        text += common::countText(kit_.PointCount, "Punkt", "Punkte") + " markiert.";
    else
        text += common::countText(kit_.RayCount, "Strahl", "Strahlen") + ".";
    Picture1->setAccessibleDescription(QString::fromStdString(text));
}
