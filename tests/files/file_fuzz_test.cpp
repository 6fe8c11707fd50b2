// Damaged files, made from sound ones of every simulation: bytes flipped,
// cut short, fields deleted, duplicated or given another type, numbers at
// their extremes. Each goes through the file layer and the model without a
// window: none may crash or trip a sanitizer, and every file accepted must
// leave a model its invariants accept. RAYLORE_FUZZ_INPUTS sets how many
// (CI runs a few thousand), RAYLORE_FUZZ_SEED replays a run.
#include "disk/disk_file.h"
#include "files/experiment_file.h"
#include "files/json_reader.h"
#include "kit/kit_file.h"
#include "lens/lens_file.h"
#include "mirror/mirror_file.h"
#include "tests/disk/graph_invariant.h"
#include "tests/kit/kit_invariants.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>

#include <cmath>
#include <cstdio>
#include <functional>
#include <random>

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
    if (!allFinite(e.RayCount, e.RayList, e.RayVertexY) || !allFinite(e.ImageCount, e.ImageX, e.ImageY, e.ImageObjX, e.ImageObjY)
        || !allFinite(1, &e.mirror.VertexX, &e.ray.ObjectX, &e.ray.ObjectY))
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
    if (!allFinite(e.RayCount, e.RayList) || !allFinite(e.PairCount, e.ImgPtX, e.ImgPtY, e.ObjPtX, e.ObjPtY)
        || !allFinite(1, &e.RayStartX, &e.RayStartY, &e.BundleAngle, &e.lens.LensMinX, &e.lens.LensMaxX, &e.lens.BlendeX))
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

// Each simulation's file layer and model: a sound file with something in
// every field, and a load that is empty when the fields are refused or leave
// a model its invariants accept, else says what is broken.
struct Simulation {
    const char* name;
    files::Kind kind;
    QJsonObject sound;
    std::function<std::string(const QJsonObject&)> load;
};

Simulation kitRow(const char* name, kit::ObjectMode mode)
{
    const kit::ExperimentFile file = soundKit(mode);
    return {name, files::rayloreFiles(),
            files::withEnvelope(kit::toFields(file.experiment, file.view), files::rayloreFiles(), "baukasten"),
            [](const QJsonObject& fields) { return loaded(fields, kit::fromFields, kitBroken); }};
}

std::vector<Simulation> fuzzedSimulations()
{
    const auto readMirror = [](files::JsonReader& r) { return mirror::fromFields(r, mirror::Experiment{}); };
    return {
        {"spiegel", files::rayloreFiles(), files::withEnvelope(mirror::toFields(soundMirror()), files::rayloreFiles(), "spiegel"),
         [=](const QJsonObject& fields) { return loaded(fields, readMirror, mirrorBroken); }},
        {"reale-linsen", files::rayloreFiles(),
         files::withEnvelope(lens::toFields(soundLens()), files::rayloreFiles(), "reale-linsen"),
         [](const QJsonObject& fields) { return loaded(fields, lens::fromFields, lensBroken); }},
        {"diska", files::diskaFiles(), files::withEnvelope(disk::toFields(soundDisk()), files::diskaFiles(), "diska"),
         [](const QJsonObject& fields) { return loaded(fields, disk::fromFields, brokenGraph); }},
        kitRow("baukasten with rays", kit::ObjectMode::Arrow),
        kitRow("baukasten in parallel light", kit::ObjectMode::Parallel),
        kitRow("baukasten with marked points", kit::ObjectMode::PointGrid),
    };
}

class Mutator {
public:
    explicit Mutator(std::uint64_t seed)
        : random_(seed)
    {
    }

    QByteArray damage(const QJsonObject& sound)
    {
        switch (pick(4)) {
        case 0: return flipBytes(QJsonDocument(sound).toJson(QJsonDocument::Compact));
        case 1: {
            const QByteArray bytes = QJsonDocument(sound).toJson();
            return bytes.left(pick(static_cast<int>(bytes.size()) + 1));
        }
        default: {
            QJsonValue root = sound;
            for (int n = 1 + pick(3); n > 0; --n)
                root = change(root, 0);
            return QJsonDocument(root.toObject()).toJson(QJsonDocument::Compact);
        }
        }
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    QByteArray flipBytes(QByteArray bytes)
    {
        for (int n = 1 + pick(4); n > 0 && !bytes.isEmpty(); --n)
            bytes[pick(static_cast<int>(bytes.size()))] = static_cast<char>(pick(256));
        return bytes;
    }

    QJsonValue extreme()
    {
        const double values[] = {0.0, -0.0, 1e308, -1e308, 5e-324, 9007199254740993.0, -2147483649.0, 0.5,
                                 50, 51, 6, 7, -1, 12.5, 1e6, -1e6, 300, 340, 260, 1.5707963267948966};
        switch (pick(6)) {
        case 0: return QJsonValue(QString::fromUtf8("zehn"));
        case 1: return QJsonValue(pick(2) == 0);
        case 2: return QJsonValue(QJsonValue::Null);
        case 3: return QJsonArray{1, 2};
        case 4: return QJsonObject{{"x", 1}};
        default: return values[pick(std::size(values))];
        }
    }

    // Walks down to a random field and changes it: deleted, duplicated under
    // another name or into a list, another type, an extreme number.
    QJsonValue change(const QJsonValue& node, int depth)
    {
        if (node.isObject()) {
            QJsonObject object = node.toObject();
            if (object.isEmpty())
                return node;
            const QString key = object.keys().at(pick(static_cast<int>(object.size())));
            if (depth < 4 && pick(3) != 0 && (object[key].isObject() || object[key].isArray())) {
                object[key] = change(object[key], depth + 1);
                return object;
            }
            switch (pick(4)) {
            case 0: object.remove(key); break;
            case 1: object.insert(key + "2", object[key]); break;
            default: object[key] = extreme(); break;
            }
            return object;
        }
        if (node.isArray()) {
            QJsonArray array = node.toArray();
            if (array.isEmpty() || pick(4) == 0) {
                for (int n = pick(60); n > 0; --n)
                    array.append(array.isEmpty() ? extreme() : array.at(0));
                return array;
            }
            const int i = pick(static_cast<int>(array.size()));
            array[i] = pick(3) == 0 ? extreme() : change(array.at(i), depth + 1);
            return array;
        }
        return extreme();
    }

    std::mt19937_64 random_;
};

} // namespace

TEST(FileFuzz, DamagedFilesAreRefusedOrLeaveSoundModels)
{
    bool set = false;
    const int inputs = qEnvironmentVariableIsSet("RAYLORE_FUZZ_INPUTS") ? qEnvironmentVariableIntValue("RAYLORE_FUZZ_INPUTS") : 3000;
    const std::uint64_t given = qEnvironmentVariable("RAYLORE_FUZZ_SEED").toULongLong(&set);
    const std::uint64_t start = set ? given : std::random_device{}() * 0x100000000ull + std::random_device{}();
    std::fprintf(stderr, "fuzz seed %llu (replay with RAYLORE_FUZZ_SEED=%llu), %d inputs\n",
                 static_cast<unsigned long long>(start), static_cast<unsigned long long>(start), inputs);
    Mutator mutator(start);
    int accepted = 0;
    const std::vector<Simulation> simulations = fuzzedSimulations();
    for (int i = 0; i < inputs; ++i) {
        const Simulation& s = simulations[static_cast<std::size_t>(i) % simulations.size()];
        const QByteArray bytes = mutator.damage(s.sound);
        const files::Opened opened = files::parseExperiment(bytes, s.kind);
        if (!opened.error.isEmpty())
            continue;
        const std::string broken = s.load(opened.fields);
        ASSERT_EQ(broken, "") << s.name << " input " << i << ": " << bytes.left(4000).toStdString();
        accepted += 1;
    }
    std::fprintf(stderr, "%d of %d damaged files were accepted\n", accepted, inputs);
}
