#include "disk/disk_file.h"

#include <QJsonArray>

#include <vector>

namespace disk {
namespace {

const QStringList kModes{"einzelwerte", "kontinuierlich"};

} // namespace

QJsonObject toFields(const Experiment& e)
{
    QJsonArray points;
    for (const Point& p : e.points)
        points.append(QJsonObject{{"alpha", p.x}, {"beta", p.y}});
    return {{"modus", kModes[e.continuous ? 1 : 0]}, {"vergleichsgerade", e.lineShown == 1}, {"punkte", points}};
}

std::optional<Experiment> fromFields(files::JsonReader& reader)
{
    Experiment e;
    e.continuous = reader.choice("modus", kModes) == 1;
    e.lineShown = reader.flag("vergleichsgerade") ? 1 : 0;
    const int count = reader.list("punkte", kMaxPoints);
    std::vector<bool> taken(kMaxPoints, false);
    const double right = DegToRad(90);
    for (int i = 0; i < count && reader.ok(); ++i) {
        const files::JsonReader entry = reader.item("punkte", i);
        const double alpha = entry.number("alpha", 0, right);
        const double beta = entry.number("beta", 0, right);
        const Point p{static_cast<float>(alpha), static_cast<float>(beta)};
        if (!reader.ok())
            break;
        if (!onRefractionCurve(p))
            reader.fail(QString::fromUtf8("Der Wert %1 im Feld „%2“ ist nicht der Brechungswinkel zu alpha = %3.")
                            .arg(files::shown(beta), entry.path("beta"), files::shown(alpha)));
        else if (taken[pointSlot(p.x)])
            reader.fail(QString::fromUtf8("Der Punkt im Feld „%1“ steht beim selben Hundertstelgrad von alpha "
                                          "wie ein früherer.")
                            .arg(reader.path(QStringLiteral("punkte[%1]").arg(i))));
        else
            taken[pointSlot(p.x)] = true;
        e.points.push_back(p);
    }
    if (!reader.ok())
        return std::nullopt;
    return e;
}

} // namespace disk
