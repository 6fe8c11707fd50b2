// What a screen reader learns of DISKA, and the drawing on the clipboard.
#include "disk/dk_form.h"

#include "forms/picture_box.h"

#include <QLineEdit>
#include <QPainter>

void DKForm::NameControls()
{
    grafik->setAccessibleName("Optische Scheibe");
    diagramm->setAccessibleName("Diagramm beta über alpha");
    ueberschrift->setAccessibleName(QString::fromUtf8("Überschrift des Diagramms"));
    alphaText->setAccessibleName("Beschriftung der alpha-Achse");
    betaText->setAccessibleName("Beschriftung der beta-Achse");
    VglText->setAccessibleName("Vergleich");
    QuotText->setAccessibleName("Vergleichsgerade");
    Text1->setAccessibleName("Einfallswinkel");
    Text2->setAccessibleName("Brechungswinkel");
    Hinweis->setAccessibleName("Hinweis");
    connect(grafik, &forms::PictureBox::canvasChanged, this, &DKForm::DescribeDrawing);
    connect(diagramm, &forms::PictureBox::canvasChanged, this, &DKForm::DescribeDrawing);
    DescribeDrawing();
    copyOnCtrlC([this] { return Drawing(); });
}

void DKForm::DescribeDrawing()
{
    QString disk = QString::fromUtf8("Optische Scheibe mit halbrundem Glaskörper");
    if (!Text1->text().trimmed().isEmpty())
        disk += QStringLiteral(", Einfallswinkel %1, Brechungswinkel %2").arg(Text1->text(), Text2->text());
    grafik->setAccessibleDescription(disk + '.');
    diagramm->setAccessibleDescription(
        QString::fromUtf8("Brechungswinkel beta über dem Einfallswinkel alpha; Vergleichsgerade alpha / beta = 1,5 ")
        + (model_.lineShown == 1 ? "eingeblendet." : "ausgeblendet."));
}

// The disk with the graph where it is shown over it, at device resolution.
QImage DKForm::Drawing() const
{
    QImage image = grafik->canvas().copy();
    QPainter painter(&image);
    const double ratio = grafik->canvasRatio();
    const QPoint at = diagramm->mapTo(this, QPoint()) - grafik->mapTo(this, QPoint());
    painter.drawImage(QPointF(at.x() * ratio, at.y() * ratio), diagramm->canvas());
    return image;
}
