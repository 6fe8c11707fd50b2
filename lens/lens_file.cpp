#include "lens/lens_file.h"

#include "common/angles.h"

#include <QJsonArray>

namespace lens {
namespace {

// No figure of an experiment lies further out than this, in LE.
constexpr double kFar = 100000;

const QStringList kLights{"punktraster", "parallellicht"};

QJsonObject point(double x, double y) { return {{"x", x}, {"y", y}}; }

// An aimed direction is arctan rounded to single precision, which may lie a
// rounding step beyond pi / 2: the single-precision half pi bounds it.
double steepest() { return 0.5 * double(common::singlePi()); }

std::optional<Face> readFace(files::JsonReader& glass, const QString& key)
{
    const int value = glass.whole(key, -kRadiusBarLimit, kRadiusBarLimit);
    const std::optional<Face> face = faceAt(value);
    if (!face)
        glass.fail(QString::fromUtf8("Der Wert %1 im Feld „%2“ ist keine Stellung des Radiusreglers: "
                                     "zwischen -%3 und %3 steht er auf 0.")
                       .arg(value)
                       .arg(glass.path(key))
                       .arg(kPlaneWithin));
    return face;
}

// A scroll bar's value and the zoom step it was moved at.
void readBar(const files::JsonReader& bar, int limit, int& value, int& zoom)
{
    value = bar.whole("regler", -limit, limit);
    zoom = bar.whole("beiZoom", -kZoomOutSteps, kZoomInSteps);
}

} // namespace

QJsonObject toFields(const Experiment& e)
{
    const bool parallel = e.LightMode == 1;
    const auto bar = [](int value, int zoom) { return QJsonObject{{"regler", value}, {"beiZoom", zoom}}; };
    QJsonObject fields{
        {"linse", QJsonObject{{"kruemmung1", barValue(face1(e.lens))},
                              {"kruemmung2", barValue(face2(e.lens))},
                              {"scheitel1X", e.lens.Vertex1X}}},
        {"blende", QJsonObject{{"ein", e.ApertureOn == 1}, {"regler", static_cast<int>(e.BlendeOffset)}}},
        {"licht", kLights[parallel ? 1 : 0]},
        {"ansicht", QJsonObject{{"zoom", e.view.Zoom},
                                {"waagerecht", bar(e.view.ScrollX, e.view.ScrollXZoom)},
                                {"senkrecht", bar(e.view.ScrollY, e.view.ScrollYZoom)}}},
    };
    if (parallel) {
        fields.insert("buendel",
                      QJsonObject{{"winkel", e.BundleAngle}, {"teiler", static_cast<int>(e.QuerDivisor)}});
    } else {
        fields.insert("objekt", point(e.RayStartX, e.RayStartY));
        fields.insert("rasterX", e.GridLeftX);
        QJsonArray rays;
        for (int i = 0; i < e.RayCount; ++i)
            rays.append(e.RayList[i]);
        fields.insert("strahlen", rays);
    }
    QJsonArray pairs;
    for (int i = 0; i < e.PairCount; ++i) {
        QJsonObject pair{{"bild", point(e.ImgPtX[i], e.ImgPtY[i])}};
        if (!parallel)
            pair.insert("objekt", point(e.ObjPtX[i], e.ObjPtY[i]));
        pairs.append(pair);
    }
    fields.insert("bildpunkte", pairs);
    return fields;
}

std::optional<Experiment> fromFields(files::JsonReader& reader)
{
    Experiment e;
    files::JsonReader glass = reader.object("linse");
    const std::optional<Face> face1 = readFace(glass, "kruemmung1");
    const std::optional<Face> face2 = readFace(glass, "kruemmung2");
    e.lens.Vertex1X = static_cast<float>(glass.number("scheitel1X", -kFar, kFar));
    if (face1 && face2) {
        setFace1(e.lens, *face1);
        setFace2(e.lens, *face2);
    }
    shapeLens(e.lens);

    const files::JsonReader aperture = reader.object("blende");
    e.ApertureOn = aperture.flag("ein") ? 1 : 0;
    e.BlendeOffset = static_cast<float>(aperture.whole("regler", kApertureNarrowest, 0));
    e.LightMode = static_cast<float>(reader.choice("licht", kLights));
    const files::JsonReader view = reader.object("ansicht");
    e.view.Zoom = view.whole("zoom", -kZoomOutSteps, kZoomInSteps);
    readBar(view.object("waagerecht"), kScrollXLimit, e.view.ScrollX, e.view.ScrollXZoom);
    readBar(view.object("senkrecht"), kScrollYLimit, e.view.ScrollY, e.view.ScrollYZoom);

    if (e.LightMode == 0) {
        const files::JsonReader object = reader.object("objekt");
        e.RayStartX = static_cast<float>(object.number("x", -kFar, kFar));
        e.RayStartY = static_cast<float>(object.number("y", -kFar, kFar));
        if (reader.ok() && !inFrontOfLens(e.lens, e.RayStartX))
            reader.fail(QString::fromUtf8("Der Objektpunkt im Feld „objekt“ liegt in oder hinter der Linse."));
        e.GridLeftX = static_cast<float>(reader.number("rasterX", -kFar, kFar));
        e.RayCount = static_cast<std::int16_t>(reader.list("strahlen", kMaxEntries));
        for (int i = 0; i < e.RayCount; ++i)
            e.RayList[i] = static_cast<float>(reader.itemNumber("strahlen", i, -steepest(), steepest()));
    } else {
        const files::JsonReader bundle = reader.object("buendel");
        e.BundleAngle = static_cast<float>(bundle.number("winkel", -steepest(), steepest()));
        e.QuerDivisor = static_cast<float>(bundle.whole("teiler", int(kWidestBundle), int(kNarrowestBundle)));
        buildBundle(e, viewLeftX(e.view));
    }

    e.PairCount = static_cast<std::int16_t>(reader.list("bildpunkte", kMaxEntries));
    for (int i = 0; i < e.PairCount; ++i) {
        const files::JsonReader pair = reader.item("bildpunkte", i);
        const files::JsonReader image = pair.object("bild");
        e.ImgPtX[i] = static_cast<float>(image.number("x", -kFar, kFar));
        e.ImgPtY[i] = static_cast<float>(image.number("y", -kFar, kFar));
        if (e.LightMode == 1)
            continue;
        const files::JsonReader from = pair.object("objekt");
        e.ObjPtX[i] = static_cast<float>(from.number("x", -kFar, kFar));
        e.ObjPtY[i] = static_cast<float>(from.number("y", -kFar, kFar));
    }
    if (!reader.ok())
        return std::nullopt;
    return e;
}

} // namespace lens
