#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <memory>

namespace files {

// Reads the fields of an experiment file by the rules the controls obey. The
// first fault is kept as one German sentence naming the field (its path in
// the file, as in "spiegel.kruemmung" or "strahlen[3]") and the value; once
// there is a fault, every further read returns a harmless default.
class JsonReader {
public:
    explicit JsonReader(QJsonObject object);

    bool ok() const { return fault_->isEmpty(); }
    const QString& fault() const { return *fault_; }
    // Records a fault found by other rules (the model's), unless there is one already.
    void fail(const QString& sentence);

    JsonReader object(const QString& key) const;
    // A list of at most `most` entries; its entries through item().
    int list(const QString& key, int most) const;
    JsonReader item(const QString& key, int index) const;
    double itemNumber(const QString& key, int index, double lowest, double highest) const;

    // A finite number within [lowest, highest].
    double number(const QString& key, double lowest, double highest) const;
    // A whole number within [lowest, highest].
    int whole(const QString& key, int lowest, int highest) const;
    bool flag(const QString& key) const;
    // One of the given words; returns its index.
    int choice(const QString& key, const QStringList& words) const;

    // The path of a field of this object, for messages of the model's own rules.
    QString path(const QString& key) const;

private:
    JsonReader(QJsonObject object, QString prefix, std::shared_ptr<QString> fault);
    // The value, or undefined after recording why it is missing or of the wrong kind.
    QJsonValue value(const QString& key, QJsonValue::Type type, const char* what) const;
    double checkedNumber(const QJsonValue& v, const QString& field, double lowest, double highest) const;

    QJsonObject object_;
    QString prefix_;
    std::shared_ptr<QString> fault_;
};

// A number as messages show it.
QString shown(double value);

} // namespace files
