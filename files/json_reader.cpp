#include "files/json_reader.h"

#include <cmath>

namespace files {
namespace {

const char* kindOf(const QJsonValue& v)
{
    switch (v.type()) {
    case QJsonValue::Null: return "null";
    case QJsonValue::Bool: return "ein Wahrheitswert";
    case QJsonValue::Double: return "eine Zahl";
    case QJsonValue::String: return "ein Text";
    case QJsonValue::Array: return "eine Liste";
    case QJsonValue::Object: return "ein Objekt";
    case QJsonValue::Undefined: break;
    }
    return "nichts";
}

} // namespace

QString shown(double value) { return QString::number(value, 'g', 12); }

JsonReader::JsonReader(QJsonObject object)
    : JsonReader(std::move(object), QString(), std::make_shared<QString>())
{
}

JsonReader::JsonReader(QJsonObject object, QString prefix, std::shared_ptr<QString> fault)
    : object_(std::move(object))
    , prefix_(std::move(prefix))
    , fault_(std::move(fault))
{
}

void JsonReader::fail(const QString& sentence)
{
    if (fault_->isEmpty())
        *fault_ = sentence;
}

QString JsonReader::path(const QString& key) const { return prefix_ + key; }

QJsonValue JsonReader::value(const QString& key, QJsonValue::Type type, const char* what) const
{
    if (!ok())
        return {};
    const QJsonValue v = object_.value(key);
    if (v.isUndefined()) {
        *fault_ = QString::fromUtf8("Das Feld „%1“ fehlt.").arg(path(key));
        return {};
    }
    if (v.type() != type) {
        *fault_ = QString::fromUtf8("Das Feld „%1“ muss %2 sein, ist aber %3.")
                      .arg(path(key), QString::fromUtf8(what), QString::fromUtf8(kindOf(v)));
        return {};
    }
    return v;
}

double JsonReader::checkedNumber(const QJsonValue& v, const QString& field, double lowest, double highest) const
{
    const double x = v.toDouble();
    if (!(x >= lowest && x <= highest)) { // NaN too
        *fault_ = QString::fromUtf8("Der Wert %1 im Feld „%2“ liegt nicht zwischen %3 und %4.")
                      .arg(shown(x), field, shown(lowest), shown(highest));
        return lowest;
    }
    return x;
}

double JsonReader::number(const QString& key, double lowest, double highest) const
{
    const QJsonValue v = value(key, QJsonValue::Double, "eine Zahl");
    return ok() ? checkedNumber(v, path(key), lowest, highest) : lowest;
}

int JsonReader::whole(const QString& key, int lowest, int highest) const
{
    const double x = number(key, lowest, highest);
    if (ok() && x != std::floor(x)) {
        *fault_ = QString::fromUtf8("Der Wert %1 im Feld „%2“ ist keine ganze Zahl.").arg(shown(x), path(key));
        return lowest;
    }
    return static_cast<int>(x);
}

bool JsonReader::flag(const QString& key) const
{
    return value(key, QJsonValue::Bool, "ein Wahrheitswert").toBool();
}

int JsonReader::choice(const QString& key, const QStringList& words) const
{
    const QString word = value(key, QJsonValue::String, "ein Text").toString();
    if (!ok())
        return 0;
    const int index = static_cast<int>(words.indexOf(word));
    if (index < 0) {
        *fault_ = QString::fromUtf8("Der Wert „%1“ im Feld „%2“ ist keiner von „%3“.")
                      .arg(word, path(key), words.join(QString::fromUtf8("“, „")));
        return 0;
    }
    return index;
}

JsonReader JsonReader::object(const QString& key) const
{
    return JsonReader(value(key, QJsonValue::Object, "ein Objekt").toObject(), path(key) + '.', fault_);
}

int JsonReader::list(const QString& key, int most) const
{
    const QJsonArray entries = value(key, QJsonValue::Array, "eine Liste").toArray();
    if (!ok())
        return 0;
    if (entries.size() > most) {
        *fault_ = QString::fromUtf8("Das Feld „%1“ hat %2 Einträge, erlaubt sind höchstens %3.")
                      .arg(path(key))
                      .arg(entries.size())
                      .arg(most);
        return 0;
    }
    return static_cast<int>(entries.size());
}

JsonReader JsonReader::item(const QString& key, int index) const
{
    const QString field = QStringLiteral("%1[%2]").arg(path(key)).arg(index);
    const QJsonValue v = ok() ? object_.value(key).toArray().at(index) : QJsonValue();
    if (ok() && !v.isObject())
        *fault_ = QString::fromUtf8("Das Feld „%1“ muss ein Objekt sein, ist aber %2.")
                      .arg(field, QString::fromUtf8(kindOf(v)));
    return JsonReader(v.toObject(), field + '.', fault_);
}

double JsonReader::itemNumber(const QString& key, int index, double lowest, double highest) const
{
    const QString field = QStringLiteral("%1[%2]").arg(path(key)).arg(index);
    const QJsonValue v = ok() ? object_.value(key).toArray().at(index) : QJsonValue();
    if (!ok())
        return lowest;
    if (!v.isDouble()) {
        *fault_ = QString::fromUtf8("Das Feld „%1“ muss eine Zahl sein, ist aber %2.")
                      .arg(field, QString::fromUtf8(kindOf(v)));
        return lowest;
    }
    return checkedNumber(v, field, lowest, highest);
}

} // namespace files
