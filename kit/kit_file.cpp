#include "kit/kit_file.h"

#include "forms/zoom_view.h"

#include <QJsonArray>

#include <algorithm>
#include <cmath>

namespace kit {
namespace {

const QStringList kKinds{"sammellinse", "streulinse", "auge"};
const QStringList kEyeErrors{"keiner", "kurzsichtig", "weitsichtig"}; // in the order of kEyeDepths
const QStringList kModes{"pfeilsymbol", "kerze", "parallellicht", "punktraster"};

constexpr double kZoomStep = 1.1;
// A zoom is saved to six places; the arrows' factors lie 10 % apart.
constexpr double kZoomTolerance = 1e-4;

double stepZoom(int steps) { return std::round(std::pow(kZoomStep, steps) * 1e6) / 1e6; }

// The arrows zoom in while below the largest zoom and out while above the smallest.
int mostSteps(bool in)
{
    int steps = 0;
    for (double zoom = 1; in ? zoom < forms::ZoomView::kMaxZoom : zoom > forms::ZoomView::kMinZoom; ++steps)
        zoom = in ? zoom * kZoomStep : zoom / kZoomStep;
    return steps;
}

QJsonObject point(double x, double y) { return {{"x", x}, {"y", y}}; }

QString element(int i) { return QStringLiteral("elemente[%1]").arg(i); }

// The sentence naming the field and value that break a rule between values.
QString breachText(const Breach& breach, const Experiment& e)
{
    using Rule = Breach::Rule;
    const auto at = [&e](int i) {
        return QStringLiteral("x = %1, y = %2").arg(files::shown(e.points[i].x), files::shown(e.points[i].y));
    };
    switch (breach.rule) {
    case Rule::BehindEye:
        return QString::fromUtf8("Das Feld „%1.art“ ist „auge“, doch hinter dem Auge darf kein weiteres Element stehen.")
            .arg(element(breach.index));
    case Rule::Overlap:
        return QString::fromUtf8("Das Element im Feld „%1“ bei x = %2 überschneidet das Element davor.")
            .arg(element(breach.index), files::shown(e.elements[breach.index].x));
    case Rule::ObjectInside:
        return QString::fromUtf8("Das Element im Feld „%1“ bei x = %2 reicht über den Objektpunkt im Feld „objekt“.")
            .arg(element(0), files::shown(e.elements[0].x));
    case Rule::RaysWithoutSymbol:
        return QString::fromUtf8("Das Feld „strahlen“ muss bei der Objektart „%1“ leer sein.")
            .arg(kModes[static_cast<int>(e.mode)]);
    case Rule::PointsWithoutGrid:
        return QString::fromUtf8("Das Feld „punkte“ muss bei der Objektart „%1“ leer sein.")
            .arg(kModes[static_cast<int>(e.mode)]);
    case Rule::OffGrid:
        return QString::fromUtf8("Der Punkt im Feld „punkte[%1]“ bei %2 liegt nicht auf dem Raster von 20 LE.")
            .arg(breach.index)
            .arg(at(breach.index));
    case Rule::MarkedTwice:
        return QString::fromUtf8("Der Punkt im Feld „punkte[%1]“ bei %2 ist schon markiert.")
            .arg(breach.index)
            .arg(at(breach.index));
    case Rule::None:
        break;
    }
    return {};
}

// Elements with their kind, left face and focal length.
void readElements(files::JsonReader& reader, Experiment& e)
{
    const int count = reader.list("elemente", kMaxElements);
    for (int i = 0; i < count; ++i) {
        const files::JsonReader item = reader.item("elemente", i);
        const Kind kind = static_cast<Kind>(item.choice("art", kKinds) + 1);
        const FocalRange range = focalRange(kind);
        const double x = item.number("x", -kFar, kFar);
        const int f = item.whole("brennweite", static_cast<int>(range.smallest), static_cast<int>(range.largest));
        e.elements.push_back({kind, static_cast<float>(x), static_cast<float>(f)});
    }
}

// The object, its rays or marked points, the bundle.
void readLight(files::JsonReader& reader, Experiment& e)
{
    e.mode = static_cast<ObjectMode>(reader.choice("objektart", kModes));
    const files::JsonReader object = reader.object("objekt");
    e.objectX = static_cast<float>(object.number("x", -kFar, kFar));
    e.objectY = static_cast<float>(object.number("y", -kFar, kFar));
    const int rays = reader.list("strahlen", kMaxRays);
    for (int i = 0; i < rays; ++i)
        e.rays.push_back(static_cast<float>(reader.itemNumber("strahlen", i, -kSteepestRay, kSteepestRay)));
    e.gridX = static_cast<float>(reader.number("rasterX", -kFar, kFar));
    const int points = reader.list("punkte", kMaxPoints);
    for (int i = 0; i < points; ++i) {
        const files::JsonReader item = reader.item("punkte", i);
        const double x = item.number("x", -kFar, kFar);
        e.points.push_back({static_cast<float>(x), static_cast<float>(item.number("y", -kFar, kFar))});
    }
    const files::JsonReader bundle = reader.object("buendel");
    e.bundleSlope = bundle.number("neigung", -kSteepestBundle, kSteepestBundle);
    e.bundleShown = bundle.flag("sichtbar");
}

ViewSetting readView(const files::JsonReader& reader)
{
    files::JsonReader view = reader.object("ausschnitt");
    const double zoom = view.number("zoom", stepZoom(-mostSteps(false)), stepZoom(mostSteps(true)));
    const int steps = zoomSteps(zoom);
    if (view.ok() && !(std::abs(zoom / std::pow(kZoomStep, steps) - 1) <= kZoomTolerance))
        view.fail(QString::fromUtf8("Der Wert %1 im Feld „%2“ ist keine Stufe der Zoompfeile.")
                      .arg(files::shown(zoom), view.path("zoom")));
    return {steps, view.whole("waagerecht", -kScrollX, kScrollX), view.whole("senkrecht", -kScrollY, kScrollY)};
}

} // namespace

int zoomSteps(double zoom) { return static_cast<int>(std::lround(std::log(zoom) / std::log(kZoomStep))); }

QJsonObject toFields(const Experiment& e, const ViewSetting& view)
{
    QJsonArray elements;
    for (const ElementSetting& s : e.elements)
        elements.append(QJsonObject{{"art", kKinds[static_cast<int>(s.kind) - 1]}, {"x", s.x}, {"brennweite", s.f}});
    QJsonArray rays;
    for (const float slope : e.rays)
        rays.append(slope);
    QJsonArray points;
    for (const GridPoint& p : e.points)
        points.append(point(p.x, p.y));
    const auto eyeError = std::find(kEyeDepths.begin(), kEyeDepths.end(), e.eyeDepth) - kEyeDepths.begin();
    return {{"elemente", elements},
            {"sehfehler", kEyeErrors.value(static_cast<int>(eyeError))},
            {"objektart", kModes[static_cast<int>(e.mode)]},
            {"objekt", point(e.objectX, e.objectY)},
            {"strahlen", rays},
            {"rasterX", e.gridX},
            {"punkte", points},
            {"buendel", QJsonObject{{"neigung", e.bundleSlope}, {"sichtbar", e.bundleShown}}},
            {"anzeige", QJsonObject{{"bilder", e.showImages}, {"konstruktionsstrahlen", e.showVirtual}}},
            {"ausschnitt", QJsonObject{{"zoom", stepZoom(view.zoomSteps)},
                                       {"waagerecht", view.scrollX},
                                       {"senkrecht", view.scrollY}}}};
}

std::optional<ExperimentFile> fromFields(files::JsonReader& reader)
{
    ExperimentFile file;
    Experiment& e = file.experiment;
    readElements(reader, e);
    e.eyeDepth = kEyeDepths[static_cast<std::size_t>(reader.choice("sehfehler", kEyeErrors))];
    readLight(reader, e);
    const files::JsonReader shown = reader.object("anzeige");
    e.showImages = shown.flag("bilder");
    e.showVirtual = shown.flag("konstruktionsstrahlen");
    file.view = readView(reader);
    if (reader.ok())
        if (const Breach breach = breachOf(e); breach.rule != Breach::Rule::None)
            reader.fail(breachText(breach, e));
    if (!reader.ok())
        return std::nullopt;
    return file;
}

} // namespace kit
