#include "tests/support/experiment_files.h"

#include "files/json_reader.h"
#include "forms/form.h"
#include "tests/support/app_fixture.h"

#include <QAction>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QRegularExpression>

#include <utility>

namespace {

QAction* actionWithKeys(forms::Form& window, QKeySequence::StandardKey keys)
{
    for (QAction* action : window.actions())
        if (action->shortcut() == QKeySequence(keys))
            return action;
    return nullptr;
}

void trigger(forms::Form& window, QKeySequence::StandardKey keys, const QString& path)
{
    RecordingDialogs* sink = RecordingDialogs::current();
    sink->fileName = path;
    actionWithKeys(window, keys)->trigger();
}

QJsonValue replaced(const QJsonValue& node, QStringList steps, const QJsonValue& value)
{
    const QString step = steps.takeFirst();
    const QRegularExpressionMatch indexed = QRegularExpression(R"(^(\w+)\[(\d+)\]$)").match(step);
    QJsonObject object = node.toObject();
    const QString key = indexed.hasMatch() ? indexed.captured(1) : step;
    if (indexed.hasMatch()) {
        QJsonArray array = object.value(key).toArray();
        const int i = indexed.captured(2).toInt();
        array[i] = steps.isEmpty() ? value : replaced(array.at(i), steps, value);
        object[key] = array;
    } else if (steps.isEmpty()) {
        if (value.isUndefined())
            object.remove(key);
        else
            object[key] = value;
    } else {
        object[key] = replaced(object.value(key), steps, value);
    }
    return object;
}

} // namespace

QJsonArray repeated(const QJsonValue& entry, int times)
{
    QJsonArray list;
    for (int i = 0; i < times; ++i)
        list.append(entry);
    return list;
}

QByteArray fileBytes(const QJsonObject& fields) { return QJsonDocument(fields).toJson(); }

QJsonObject withField(QJsonObject fields, const QString& path, const QJsonValue& value)
{
    return replaced(fields, path.split('.'), value).toObject();
}

// Qt's parser refuses the bytes: the message names where.
QString notJson(const QByteArray& bytes)
{
    QJsonParseError error;
    QJsonDocument::fromJson(bytes, &error);
    return QString::fromUtf8("Die Datei ist kein gültiges JSON: Fehler bei Zeichen %1.").arg(error.offset);
}

std::vector<BadFile> envelopeFaults(const QJsonObject& valid, const files::Kind& kind)
{
    const QByteArray whole = fileBytes(valid);
    QByteArray huge = whole;
    huge.insert(1, QByteArray(files::kMaxBytes, ' '));
    const QString notThisKind = QString::fromUtf8("Die Datei ist kein %1: das Feld „format“ ist nicht „%2“.")
                                    .arg(kind.name, kind.format);
    return {
        {"not JSON", "Versuch vom Montag", notJson("Versuch vom Montag")},
        {"truncated", whole.left(whole.size() / 2), notJson(whole.left(whole.size() / 2))},
        {"a list, not an object", "[1, 2]",
         QString::fromUtf8("Die Datei enthält kein JSON-Objekt und ist damit kein %1.").arg(kind.name)},
        {"another format", fileBytes(withField(valid, "format", "tabellen-versuch")), notThisKind},
        {"the other program's format",
         fileBytes(withField(valid, "format", kind.format == "diska-versuch" ? "raylore-versuch" : "diska-versuch")),
         notThisKind},
        {"a newer version", fileBytes(withField(valid, "version", 2)),
         QString::fromUtf8("Die Datei hat die Version 2, dieses Programm liest nur Version 1.")},
        {"no simulation", fileBytes(withField(valid, "simulation", QJsonValue::Undefined)),
         QString::fromUtf8("Das Feld „simulation“ fehlt oder ist kein Text.")},
        {"an unknown simulation", fileBytes(withField(valid, "simulation", "prisma")),
         QString::fromUtf8("Die Simulation „prisma“ im Feld „simulation“ ist unbekannt.")},
        {"larger than 1 MB", huge,
         QString::fromUtf8("Die Datei ist größer als 1 MB und damit kein %1.").arg(kind.name)},
    };
}

std::vector<BadFile> fieldFaults(const QJsonObject& valid, const QString& numberPath, double lowest, double highest)
{
    // JSON has neither; Qt's parser refuses both.
    const QByteArray infinite = fileBytes(withField(valid, numberPath, 12345.5)).replace("12345.5", "1e999");
    const QByteArray nan = fileBytes(withField(valid, numberPath, 12345.5)).replace("12345.5", "NaN");
    return {
        {"a field missing", fileBytes(withField(valid, numberPath, QJsonValue::Undefined)),
         QString::fromUtf8("Das Feld „%1“ fehlt.").arg(numberPath)},
        {"a field of the wrong type", fileBytes(withField(valid, numberPath, "zehn")),
         QString::fromUtf8("Das Feld „%1“ muss eine Zahl sein, ist aber ein Text.").arg(numberPath)},
        {"a number out of its range", fileBytes(withField(valid, numberPath, highest + 1000)),
         QString::fromUtf8("Der Wert %1 im Feld „%2“ liegt nicht zwischen %3 und %4.")
             .arg(files::shown(highest + 1000), numberPath, files::shown(lowest), files::shown(highest))},
        {"an infinite number", infinite, notJson(infinite)},
        {"NaN", nan, notJson(nan)},
    };
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

void saveThrough(forms::Form& window, const QString& path) { trigger(window, QKeySequence::Save, path); }
void openThrough(forms::Form& window, const QString& path) { trigger(window, QKeySequence::Open, path); }

std::vector<BadFile> commonFaults(const QJsonObject& valid, const files::Kind& kind, const QString& numberPath,
                                  double lowest, double highest)
{
    std::vector<BadFile> rows = envelopeFaults(valid, kind);
    for (BadFile& row : fieldFaults(valid, numberPath, lowest, highest))
        rows.push_back(std::move(row));
    return rows;
}

BadFile badField(const char* name, const QJsonObject& valid, const QString& path, const QJsonValue& value,
                 const char* message)
{
    return {name, fileBytes(withField(valid, path, value)), QString::fromUtf8(message)};
}

void addBadFileRows(const std::vector<BadFile>& rows)
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    for (const BadFile& row : rows)
        QTest::newRow(row.name) << row.bytes << row.message;
}

QString refusedWith(const RecordingDialogs& dialogs, const QString& message)
{
    QStringList shown;
    for (const RecordingDialogs::Message& m : dialogs.messages)
        shown << QStringLiteral("%1%2: %3").arg(m.warning ? "warning " : "", m.title, m.text);
    const bool exact = dialogs.messages.size() == 1 && dialogs.messages[0].warning
        && dialogs.messages[0].title == QString::fromUtf8("Versuch öffnen") && dialogs.messages[0].text == message;
    return exact ? QString() : shown.join(" | ");
}
