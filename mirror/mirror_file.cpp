#include "mirror/mirror_file.h"

#include "common/angles.h"

#include <QJsonArray>

#include <cmath>
#include <numbers>

namespace mirror {
namespace {

// No figure of an experiment lies further out than this, in LE.
constexpr double kFar = 100000;
// The object may stand as far off the axis as the flattest sphere reaches.
constexpr double kHighestObject = 0.5 / 0.00012;

const QStringList kKinds{"sphaerisch", "parabolisch"};
const QStringList kLights{"punktraster", "parallellicht"};

QJsonObject point(double x, double y) { return {{"x", x}, {"y", y}}; }

} // namespace

QJsonObject toFields(const Experiment& e)
{
    // Parallel rays keep both heights: each is rounded from the other when the bundle turns.
    QJsonArray rays;
    for (int i = 0; i < e.RayCount; ++i)
        if (e.LightMode == 0)
            rays.append(e.RayList[i]);
        else
            rays.append(QJsonObject{{"hoehe", e.RayList[i]}, {"hoeheAmScheitel", e.RayVertexY[i]}});
    QJsonArray pairs;
    for (int i = 0; i < e.ImageCount; ++i)
        pairs.append(QJsonObject{{"bild", point(e.ImageX[i], e.ImageY[i])},
                                 {"objekt", point(e.ImageObjX[i], e.ImageObjY[i])}});
    return {{"spiegel", QJsonObject{{"art", kKinds[e.mirror.MirrorKind]},
                                    {"kruemmung", curvatureScroll(e.mirror.CurvCoeff)},
                                    {"scheitelX", e.mirror.VertexX}}},
            {"licht", kLights[e.LightMode == 0 ? 0 : 1]},
            {"objekt", point(e.ray.ObjectX, e.ray.ObjectY)},
            {"buendelwinkel", e.BundleAngle},
            {"rueckwaertigeStrahlen", e.BackRays == 1},
            {"strahlen", rays},
            {"bildpunkte", pairs}};
}

std::optional<Experiment> fromFields(files::JsonReader& reader, const Experiment& current)
{
    Experiment e;
    const files::JsonReader m = reader.object("spiegel");
    e.mirror.MirrorKind = static_cast<std::int16_t>(m.choice("art", kKinds));
    const int limit = curvatureLimit(e.mirror.MirrorKind);
    e.mirror.CurvCoeff = curvatureFromScroll(m.whole("kruemmung", -limit, limit));
    e.mirror.VertexX = static_cast<float>(m.number("scheitelX", -kFar, kFar));
    e.mirror.Radius = current.mirror.Radius;
    e.mirror.CenterX = current.mirror.CenterX;
    updateSphere(e.mirror);
    e.LightMode = static_cast<float>(reader.choice("licht", kLights));

    const files::JsonReader object = reader.object("objekt");
    const float x = static_cast<float>(object.number("x", -kFar, kFar));
    const double highest = isSphere(e.mirror) ? std::abs(e.mirror.Radius) : kHighestObject;
    const float y = static_cast<float>(object.number("y", -highest, highest));
    if (reader.ok() && e.LightMode == 0 && !inFrontOfMirror(e.mirror, x, y))
        reader.fail(QString::fromUtf8("Der Objektpunkt im Feld „objekt“ liegt hinter dem Spiegel."));
    e.ray.ObjectX = e.LightMode == 0 ? x : 0;
    e.ray.ObjectY = y;

    e.BundleAngle = static_cast<float>(reader.number("buendelwinkel", -1, 1));
    e.BackRays = reader.flag("rueckwaertigeStrahlen") ? 1 : 0;
    if (reader.ok() && e.BackRays == 1 && !backwardRaysAllowed(e.mirror, e.LightMode, x, y))
        reader.fail(QString::fromUtf8("Das Feld „rueckwaertigeStrahlen“ ist wahr, doch dieser Hohlspiegel "
                                      "erlaubt keine rückwärtigen Strahlen."));

    e.RayCount = static_cast<std::int16_t>(reader.list("strahlen", kMaxEntries));
    const double steepest = std::numbers::pi / 2;
    for (int i = 0; i < e.RayCount; ++i) {
        if (e.LightMode == 0) {
            e.RayList[i] = static_cast<float>(reader.itemNumber("strahlen", i, -steepest, steepest));
            continue;
        }
        const files::JsonReader ray = reader.item("strahlen", i);
        e.RayList[i] = static_cast<float>(ray.number("hoehe", -kFar, kFar));
        e.RayVertexY[i] = static_cast<float>(ray.number("hoeheAmScheitel", -kFar, kFar));
        const double expected = e.RayList[i] + e.mirror.VertexX * std::tan(double(e.BundleAngle));
        if (reader.ok() && !(std::abs(e.RayVertexY[i] - expected) <= 0.01 * (1 + std::abs(expected))))
            reader.fail(QString::fromUtf8("Die Höhen im Feld „%1“ passen nicht zum Bündelwinkel.")
                            .arg(ray.path("hoeheAmScheitel")));
    }
    e.ImageCount = static_cast<std::int16_t>(reader.list("bildpunkte", kMaxEntries));
    if (reader.ok() && e.LightMode == 1 && e.ImageCount > 0)
        reader.fail(QString::fromUtf8("Das Feld „bildpunkte“ muss bei Parallellicht leer sein."));
    for (int i = 0; i < e.ImageCount; ++i) {
        const files::JsonReader pair = reader.item("bildpunkte", i);
        const files::JsonReader image = pair.object("bild");
        const files::JsonReader from = pair.object("objekt");
        e.ImageX[i] = static_cast<float>(image.number("x", -kFar, kFar));
        e.ImageY[i] = static_cast<float>(image.number("y", -kFar, kFar));
        e.ImageObjX[i] = static_cast<float>(from.number("x", -kFar, kFar));
        e.ImageObjY[i] = static_cast<float>(from.number("y", -kFar, kFar));
    }
    if (!reader.ok())
        return std::nullopt;
    return e;
}

} // namespace mirror
