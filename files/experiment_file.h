#pragma once

#include <QJsonObject>
#include <QString>

// The envelope every experiment file shares: a JSON object with "format",
// "version" and "simulation" beside the simulation's own fields. A file is
// accepted whole or refused with one German sentence saying what is wrong.
namespace files {

// The files of one program.
struct Kind {
    QString format; // the value of "format"
    QString name;   // how messages and the file dialog name such a file
    QString suffix; // of the file's name, without the dot
    QString filter() const { return QStringLiteral("%1 (*.%2)").arg(name, suffix); }
};

inline Kind rayloreFiles() { return {"raylore-versuch", "RayLore-Versuch", "raylore"}; }
inline Kind diskaFiles() { return {"diska-versuch", "Diska-Versuch", "diska"}; }

constexpr qint64 kMaxBytes = 1024 * 1024;
constexpr int kVersion = 1;

struct Opened {
    QJsonObject fields; // the whole object, envelope included
    QString simulation;
    QString error; // empty when the envelope is sound
};

// Reads, size-checks and parses a file, and checks its envelope.
Opened readExperiment(const QString& path, const Kind& kind);
// The same for the file's bytes.
Opened parseExperiment(const QByteArray& bytes, const Kind& kind);

// `fields` with the envelope that names the format, version and simulation.
QJsonObject withEnvelope(QJsonObject fields, const Kind& kind, const QString& simulation);

// Writes the envelope and `fields` through QSaveFile, so a failed save leaves
// the old file whole. Empty on success, else the sentence to show.
QString writeExperiment(const QString& path, const Kind& kind, const QString& simulation, QJsonObject fields);

} // namespace files
