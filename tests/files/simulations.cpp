#include "tests/files/simulations.h"

#include "disk/disk_file.h"
#include "files/json_reader.h"
#include "kit/kit_file.h"
#include "lens/lens_file.h"
#include "mirror/mirror_file.h"
#include "tests/disk/graph_invariant.h"
#include "tests/kit/kit_invariants.h"

#include <cmath>

namespace {

using support::allFinite;

// Reads the fields with `read`; a file must be refused exactly when the
// reader met a fault, and what it accepts must be sound by `broken`.
template <typename Read, typename Broken> std::string loaded(const QJsonObject& fields, Read read, Broken broken)
{
    files::JsonReader reader(fields);
    const auto experiment = read(reader);
    if (experiment.has_value() != reader.ok())
        return "accepted with a fault, or refused without one";
    return experiment ? broken(*experiment) : std::string();
}

mirror::Experiment soundMirror()
{
    mirror::Experiment e;
    e.mirror.MirrorKind = 0;
    e.mirror.CurvCoeff = mirror::curvatureFromScroll(5);
    mirror::updateSphere(e.mirror);
    e.ray.ObjectX = 160;
    e.ray.ObjectY = 60;
    e.BackRays = 1;
    e.RayCount = 3;
    e.RayList = {0.1f, -0.2f, 0.3f};
    e.ImageCount = 2;
    e.ImageX = {500, 600};
    e.ImageY = {-100, 50};
    e.ImageObjX = {160, 100};
    e.ImageObjY = {60, 100};
    return e;
}

std::string mirrorBroken(const mirror::Experiment& e)
{
    const int limit = mirror::curvatureLimit(e.mirror.MirrorKind);
    const int scroll = mirror::curvatureScroll(e.mirror.CurvCoeff);
    if (e.mirror.MirrorKind < 0 || e.mirror.MirrorKind > 1 || scroll < -limit || scroll > limit)
        return "mirror kind or curvature";
    if (e.RayCount < 0 || e.RayCount > mirror::kMaxEntries || e.ImageCount < 0 || e.ImageCount > mirror::kMaxEntries)
        return "counts";
    if (!allFinite(e.RayList, e.RayCount) || !allFinite(e.RayVertexY, e.RayCount) || !allFinite(e.ImageX, e.ImageCount)
        || !allFinite(e.ImageY, e.ImageCount) || !allFinite(e.ImageObjX, e.ImageCount) || !allFinite(e.ImageObjY, e.ImageCount)
        || !std::isfinite(e.mirror.VertexX) || !std::isfinite(e.ray.ObjectX) || !std::isfinite(e.ray.ObjectY))
        return "a value that is not finite";
    if (e.LightMode == 0 && !mirror::inFrontOfMirror(e.mirror, e.ray.ObjectX, e.ray.ObjectY))
        return "the object behind the mirror";
    if (std::abs(e.BundleAngle) > 1 || (e.LightMode == 1 && e.ImageCount > 0))
        return "bundle or pairs";
    if (e.BackRays == 1 && !mirror::backwardRaysAllowed(e.mirror, e.LightMode, e.ray.ObjectX, e.ray.ObjectY))
        return "backward rays a concave mirror forbids";
    return {};
}

lens::Experiment soundLens()
{
    lens::Experiment e;
    lens::setFace1(e.lens, *lens::faceAt(50));
    lens::setFace2(e.lens, *lens::faceAt(-30));
    e.lens.Vertex1X = 500;
    lens::shapeLens(e.lens);
    e.ApertureOn = 1;
    e.BlendeOffset = -40;
    e.RayStartX = 100;
    e.RayStartY = 60;
    e.RayCount = 3;
    e.RayList = {0.1f, -0.2f, 0.3f};
    e.PairCount = 2;
    e.ImgPtX = {1000, 1050};
    e.ImgPtY = {-50, 30};
    e.ObjPtX = {100, 80};
    e.ObjPtY = {60, 40};
    e.view = {3, 200, 2, -100, 3};
    return e;
}

std::string lensBroken(const lens::Experiment& e)
{
    for (const lens::Face& face : {lens::face1(e.lens), lens::face2(e.lens)}) {
        const std::optional<lens::Face> bar = lens::faceAt(lens::barValue(face));
        if (std::abs(lens::barValue(face)) > lens::kRadiusBarLimit || !bar || bar->curvature != face.curvature
            || (face.curved == 1 && bar->radius != face.radius))
            return "a face no radius bar gives";
    }
    const bool parallel = e.LightMode == 1;
    if ((e.LightMode != 0 && !parallel) || e.RayCount < 0 || e.RayCount > (parallel ? 5 : lens::kMaxEntries)
        || e.PairCount < 0 || e.PairCount > lens::kMaxEntries)
        return "light or counts";
    if (e.QuerDivisor < lens::kWidestBundle || e.QuerDivisor > lens::kNarrowestBundle
        || e.BlendeOffset < lens::kApertureNarrowest || e.BlendeOffset > 0)
        return "bundle or aperture beyond its control";
    const lens::ViewSteps& v = e.view;
    for (const int zoom : {v.Zoom, v.ScrollXZoom, v.ScrollYZoom})
        if (zoom < -lens::kZoomOutSteps || zoom > lens::kZoomInSteps)
            return "zoom steps";
    if (std::abs(v.ScrollX) > lens::kScrollXLimit || std::abs(v.ScrollY) > lens::kScrollYLimit)
        return "scroll";
    if (!allFinite(e.RayList, e.RayCount) || !allFinite(e.ImgPtX, e.PairCount) || !allFinite(e.ImgPtY, e.PairCount)
        || !allFinite(e.ObjPtX, e.PairCount) || !allFinite(e.ObjPtY, e.PairCount) || !std::isfinite(e.RayStartX)
        || !std::isfinite(e.RayStartY) || !std::isfinite(e.BundleAngle) || !std::isfinite(e.lens.LensMinX)
        || !std::isfinite(e.lens.LensMaxX) || !std::isfinite(e.lens.BlendeX))
        return "a value that is not finite";
    if (!parallel && !lens::inFrontOfLens(e.lens, e.RayStartX))
        return "the object inside or behind the lens";
    return {};
}

disk::Experiment soundDisk()
{
    disk::Experiment e;
    for (const float degrees : {5.0f, 33.3f, 61.0f, 89.99f})
        disk::plot(e, {disk::DegToRad(degrees), disk::refractionAngle(disk::DegToRad(degrees))});
    e.continuous = true;
    e.lineShown = 1;
    return e;
}

// A kit with every kind of element and the object's own content: stored rays
// for the arrow, marked points for the grid, a tilt for parallel light.
kit::ExperimentFile soundKit(kit::ObjectMode mode)
{
    kit::System s = support::kitWith({kit::Kind::Converging, kit::Kind::Diverging, kit::Kind::Eye}, mode);
    s.setFocalLength(3, -180);
    if (mode == kit::ObjectMode::Arrow)
        for (const double y : {40.0, -30.0, 0.0}) {
            s.aimRay(200, y);
            s.addRay(support::kRight);
        }
    if (mode == kit::ObjectMode::PointGrid)
        for (const double y : {60.0, -20.0, 100.0})
            s.markPoint(s.GridX + 20, y);
    kit::ExperimentFile file{kit::experimentOf(s), {3, 120, -40}};
    file.experiment.eyeDepth = 340;
    file.experiment.bundleSlope = 0.25;
    file.experiment.showVirtual = true;
    return file;
}

std::string kitBroken(const kit::ExperimentFile& file)
{
    kit::System s;
    if (!s.apply(file.experiment, file.view.scrollX))
        return "the kit refuses an accepted experiment";
    if (kit::experimentOf(s) != file.experiment)
        return "the kit shows another experiment than the file holds";
    const QJsonObject saved = kit::toFields(file.experiment, file.view);
    files::JsonReader reader(saved);
    const std::optional<kit::ExperimentFile> again = kit::fromFields(reader);
    if (!again || again->experiment != file.experiment || again->view.zoomSteps != file.view.zoomSteps
        || again->view.scrollX != file.view.scrollX || again->view.scrollY != file.view.scrollY)
        return "saved again, the experiment reads back otherwise";
    return support::brokenKit(s);
}

Simulation kitRow(const char* name, kit::ObjectMode mode)
{
    return {name, files::rayloreFiles(),
            [mode] {
                const kit::ExperimentFile file = soundKit(mode);
                return files::withEnvelope(kit::toFields(file.experiment, file.view), files::rayloreFiles(), "baukasten");
            },
            [](const QJsonObject& fields) { return loaded(fields, kit::fromFields, kitBroken); }};
}

} // namespace

std::vector<Simulation> fuzzedSimulations()
{
    return {
        {"spiegel", files::rayloreFiles(),
         [] { return files::withEnvelope(mirror::toFields(soundMirror()), files::rayloreFiles(), "spiegel"); },
         [](const QJsonObject& fields) {
             const auto read = [](files::JsonReader& r) { return mirror::fromFields(r, mirror::Experiment{}); };
             return loaded(fields, read, mirrorBroken);
         }},
        {"reale-linsen", files::rayloreFiles(),
         [] { return files::withEnvelope(lens::toFields(soundLens()), files::rayloreFiles(), "reale-linsen"); },
         [](const QJsonObject& fields) { return loaded(fields, lens::fromFields, lensBroken); }},
        {"diska", files::diskaFiles(), [] { return files::withEnvelope(disk::toFields(soundDisk()), files::diskaFiles(), "diska"); },
         [](const QJsonObject& fields) { return loaded(fields, disk::fromFields, brokenGraph); }},
        kitRow("baukasten with rays", kit::ObjectMode::Arrow),
        kitRow("baukasten in parallel light", kit::ObjectMode::Parallel),
        kitRow("baukasten with marked points", kit::ObjectMode::PointGrid),
    };
}
