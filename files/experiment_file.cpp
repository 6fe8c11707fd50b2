#include "files/experiment_file.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QSaveFile>

#include <utility>

namespace files {
namespace {

Opened refused(const QString& error)
{
    Opened opened;
    opened.error = error;
    return opened;
}

} // namespace

Opened readExperiment(const QString& path, const Kind& kind)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(QString::fromUtf8("Die Datei „%1“ lässt sich nicht öffnen.").arg(QFileInfo(path).fileName()));
    if (file.size() > kMaxBytes)
        return refused(QString::fromUtf8("Die Datei ist größer als 1 MB und damit kein %1.").arg(kind.name));
    // Read one byte more than allowed: a file may grow, or report no size.
    const QByteArray bytes = file.read(kMaxBytes + 1);
    if (bytes.size() > kMaxBytes)
        return refused(QString::fromUtf8("Die Datei ist größer als 1 MB und damit kein %1.").arg(kind.name));
    return parseExperiment(bytes, kind);
}

Opened parseExperiment(const QByteArray& bytes, const Kind& kind)
{
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parse);
    if (parse.error != QJsonParseError::NoError)
        return refused(QString::fromUtf8("Die Datei ist kein gültiges JSON: Fehler bei Zeichen %1.").arg(parse.offset));
    if (!document.isObject())
        return refused(QString::fromUtf8("Die Datei enthält kein JSON-Objekt und ist damit kein %1.").arg(kind.name));
    const QJsonObject root = document.object();
    const QJsonValue format = root.value("format");
    if (format.toString() != kind.format)
        return refused(QString::fromUtf8("Die Datei ist kein %1: das Feld „format“ ist nicht „%2“.")
                           .arg(kind.name, kind.format));
    const QJsonValue version = root.value("version");
    if (!version.isDouble())
        return refused(QString::fromUtf8("Das Feld „version“ fehlt oder ist keine Zahl."));
    if (version.toDouble() != kVersion)
        return refused(QString::fromUtf8("Die Datei hat die Version %1, dieses Programm liest nur Version %2.")
                           .arg(version.toDouble())
                           .arg(kVersion));
    const QJsonValue simulation = root.value("simulation");
    if (!simulation.isString())
        return refused(QString::fromUtf8("Das Feld „simulation“ fehlt oder ist kein Text."));
    Opened opened;
    opened.fields = root;
    opened.simulation = simulation.toString();
    return opened;
}

QJsonObject withEnvelope(QJsonObject fields, const Kind& kind, const QString& simulation)
{
    fields.insert("format", kind.format);
    fields.insert("version", kVersion);
    fields.insert("simulation", simulation);
    return fields;
}

QString writeExperiment(const QString& path, const Kind& kind, const QString& simulation, QJsonObject fields)
{
    fields = withEnvelope(std::move(fields), kind, simulation);
    QSaveFile file(path);
    const QString name = QFileInfo(path).fileName();
    if (!file.open(QIODevice::WriteOnly))
        return QString::fromUtf8("Die Datei „%1“ lässt sich nicht anlegen.").arg(name);
    file.write(QJsonDocument(fields).toJson(QJsonDocument::Indented));
    if (!file.commit())
        return QString::fromUtf8("Die Datei „%1“ lässt sich nicht schreiben.").arg(name);
    return {};
}

} // namespace files
