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

// Writes `bytes` to `name` in `dir` and returns the path.
QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes);
// Ctrl+S and Ctrl+O as the user gives them, the dialog answered with `path`.
void saveThrough(forms::Form& window, const QString& path);
void openThrough(forms::Form& window, const QString& path);
