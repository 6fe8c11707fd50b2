// DISKA's experiments in files: the graph's points, its mode and the comparison line.
#include "disk/disk_file.h"
#include "disk/dk_form.h"
#include "forms/dialogs.h"
#include "forms/option_button.h"
#include "forms/picture_box.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

void DKForm::showExperiment(const disk::Experiment& experiment)
{
    model_ = experiment;
    {
        const QSignalBlocker blockSingle(einzelOpt);
        const QSignalBlocker blockContinuous(kontOpt);
        (model_.continuous ? kontOpt : einzelOpt)->setChecked(true);
    }
    blendButton->setText(model_.lineShown == 1 ? "Gerade ausblenden" : "Gerade einblenden");
    Text1->clear();
    Text2->clear();
    rayShown_ = false;
    grafik->clear();
    diagramm->clear();
    DrawStayingOnDisk();
    DrawStayingInGraph();
}

QJsonObject DKForm::experimentFields() const { return disk::toFields(model_); }

QString DKForm::showExperimentFields(const QJsonObject& fields)
{
    files::JsonReader reader(fields);
    const std::optional<disk::Experiment> experiment = disk::fromFields(reader);
    if (!experiment)
        return reader.fault();
    showExperiment(*experiment);
    return {};
}

void DKForm::openExperimentFile(const QString& path)
{
    const files::Opened opened = files::readExperiment(path, files::diskaFiles());
    QString error = opened.error;
    if (error.isEmpty() && opened.simulation != simulation())
        error = QString::fromUtf8("Die Simulation „%1“ im Feld „simulation“ ist unbekannt.").arg(opened.simulation);
    if (error.isEmpty())
        files::showOpened(*this, *this, opened);
    else
        forms::warning(error, QString::fromUtf8("Versuch öffnen"));
}
