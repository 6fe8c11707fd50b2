#pragma once

#include "files/experiment_file.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QTemporaryDir>

#include <vector>

namespace forms {
class Form;
}
class RecordingDialogs;

// Saving and opening experiments through a window's Ctrl+S and Ctrl+O, with
// the file dialogs answered, and files that are wrong in every way a file can be.

// `times` copies of `entry`: a list one longer than a window allows.
QJsonArray repeated(const QJsonValue& entry, int times);

// A file as the window's save would write it.
QByteArray fileBytes(const QJsonObject& fields);
// `fields` with the field at `path` ("spiegel.kruemmung", "strahlen[2].hoehe")
// set to `value`, or removed when `value` is undefined.
QJsonObject withField(QJsonObject fields, const QString& path, const QJsonValue& value);

struct BadFile {
    const char* name;
    QByteArray bytes;
    QString message; // exactly what the window must say
};

// Wrong whatever the simulation: not JSON, truncated, another format, a newer
// version, an unknown simulation, too large; `valid` is a sound file.
std::vector<BadFile> envelopeFaults(const QJsonObject& valid, const files::Kind& kind);
// A field missing, of the wrong type, not finite or out of its range:
// `numberPath` must name a number field with the given range.
std::vector<BadFile> fieldFaults(const QJsonObject& valid, const QString& numberPath, double lowest, double highest);

// Both of the above.
std::vector<BadFile> commonFaults(const QJsonObject& valid, const files::Kind& kind, const QString& numberPath,
                                  double lowest, double highest);
// `valid` with one field set to `value`, and the message that refuses it (UTF-8).
BadFile badField(const char* name, const QJsonObject& valid, const QString& path, const QJsonValue& value,
                 const char* message);
// The rows of a bad-files table, columns "bytes" and "message"; call from a _data function.
void addBadFileRows(const std::vector<BadFile>& rows);
// Empty when the dialogs showed exactly one warning, titled "Versuch öffnen",
// with `message`; else what was shown instead.
QString refusedWith(const RecordingDialogs& dialogs, const QString& message);

// Writes `bytes` to `name` in `dir` and returns the path.
QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes);
// Ctrl+S and Ctrl+O as the user gives them, the dialog answered with `path`.
void saveThrough(forms::Form& window, const QString& path);
void openThrough(forms::Form& window, const QString& path);
