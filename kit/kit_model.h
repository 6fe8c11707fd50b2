#pragma once

#include "kit/element_kinds.h"
#include "kit/refusals.h"
#include "kit/strokes.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// The optical construction kit: up to six ideal lenses and one eye on the
// axis y = 0, an object in front of them, its stored rays and the image points
// they make. Lengths in LE, x to the right, y upwards.
namespace kit {

enum class ObjectMode : std::int16_t { Arrow = 0, Candle = 1, Parallel = 2, PointGrid = 3 };

enum class MarkResult { Marked, Unmarked, Refused, Ignored };

constexpr int kEntries = 14; // entry 0 the object plane, then a left and a right face per element
constexpr std::int16_t kMaxElemCount = 13;
constexpr int kMaxRays = 50;
constexpr int kMaxPoints = 50;
constexpr float kHalfHeight = 200; // of an element's body; its mount reaches to kMountTop
constexpr double kMountTop = 300;
constexpr float kNewElementGap = 300; // from the last face to a new element
// The eye's lens-to-retina depth: normal, short-sighted, long-sighted.
constexpr std::array<float, 3> kEyeDepths{300, 340, 260};
constexpr double kSteepestBundle = 50; // the parallel bundle's slope either way

struct Experiment;

// One element as the list places it.
struct ElementSetting {
    Kind kind = Kind::Converging;
    float x = 0; // the left face
    float f = 0;
    bool operator==(const ElementSetting&) const = default;
};

// One kit. The state is public for reading; only the member functions change
// it, and after each of them the derived values (ElemGap, ElemFocus,
// ElemArcCX, ElemZoneX) are current, ElemX(0) equals ObjX, no element
// overlaps its neighbour, and the first element keeps clear of the object
// point or the start of the parallel bundle.
class System {
public:
    template <class T>
    using Entries = std::array<T, kEntries>;
    using Table = std::array<float, kMaxRays + 1>;

    System();
    // A kit of these elements and nothing else, with every derived value;
    // for kinds that are elements and focal lengths in their kind's range.
    static System withElements(const std::vector<ElementSetting>& elements);

    // --- The element list. k is always an element's left entry (odd, below ElemCount). ---

    // Appends the kind's template 300 right of the last face, unless refused:
    // behind the eye first, then the six-element limit. Refused, nothing changes.
    // Throws std::invalid_argument for Kind::None.
    AddResult AddElement(Kind kind);
    // f limited to the element's range; faces, principal planes and (for the
    // eye) the outline follow, and later elements move right if it now overlaps.
    // False, with nothing changed, for a non-element or a non-finite f.
    bool setFocalLength(int k, float f);
    // Removes element k and every element behind it.
    bool removeFrom(int k);
    // One of kEyeDepths; other values are refused.
    bool setEyeDepth(float depth);
    void setShowImages(bool on);
    void setShowVirtual(bool on);

    bool isElement(int k) const;
    bool hasEye() const;
    float eyeX() const;       // the eye's lens plane; only with an eye
    double eyeBallX() const;  // centre of its eyeball
    float leftExtreme(int k) const;  // where element k reaches furthest left
    float rightExtreme(int k) const; // and right

    // --- Object and rays. viewLeft and viewRight are the view's edges in LE. ---

    // Switches the object: rays and points go, the trace memory is reset.
    // Arrow and candle return to the held object point (pushing elements right
    // of it), parallel light gets five horizontal rays, the point grid starts
    // empty at the view's left edge.
    void chooseObject(ObjectMode mode, double viewLeft);
    // Arrow and candle: the object point follows the pointer, x held in front of the first element.
    bool moveObject(double x, double y);
    // Element k's middle follows the pointer's x as far as it fits between its neighbours.
    bool moveElement(int k, double pointerX);
    // The slope of the next ray, aimed from the object point; kept while the
    // pointer is no more than 10 right of the object.
    bool aimRay(double mouseX, double mouseY);
    bool rayLimitReached() const;
    // Arrow and candle: traces the aimed ray with the trace memory kept and
    // stores it. Nothing when 50 are stored (kTooManyRaysText), without an
    // element to aim at, or in another mode.
    std::optional<Strokes> addRay(double viewRight);
    // The double click: every ray and marked point goes.
    void clearRaysAndPoints();

    // Parallel light: the press fixes the pivot of the tilt in the first element's plane.
    void pressParallel(double mouseX, double mouseY);
    // Tilts the bundle about the pivot while the pointer is in front of the
    // first element's plane; slope limited to +-50. False when nothing changed.
    bool tiltParallel(double mouseX, double mouseY, double viewLeft);
    // Five rays with ParSlope, starting at the view's left edge (never behind
    // the first element) and crossing the first element's plane at i 200/3;
    // none while the bundle is hidden, though its start still follows the view.
    void makeParallelBundle(double viewLeft);

    // Point grid: marks the grid point nearest (x, y), or unmarks it when it
    // is marked already. The stored rays go either way; refused beyond 50 points.
    MarkResult markPoint(double x, double y);
    // Whether a click at (x, y) would be refused: 50 points marked and this one not among them.
    bool markRefused(double x, double y) const;
    // After a point was marked: the last marked point becomes the object
    // point, its five rays are traced and its image mark is stored.
    Strokes traceLastPoint(double viewRight);
    // The image marks of every marked point anew; the strokes of the last
    // one's bundle while it is shown.
    Strokes imageAllPoints(double viewRight);

    // --- A whole experiment ---

    // Takes the experiment in place of the current one, all or nothing: false,
    // with nothing changed, when it breaks a rule (inRange, breachOf). The
    // parallel bundle starts at the view's left edge; the marked points find
    // their images, and their last one its bundle, when they are traced.
    bool apply(const Experiment& experiment, double viewLeft);

    // --- Tracing ---

    // The five rays from the object point to the heights i 200/3 (i = -2..2)
    // in the first element's plane; none unless the object point lies in
    // front of the first element.
    void MakePointBundle();
    // One ray from (ObjX, ObjY) with RaySlope through every element, with the
    // image points it makes together with the first ray since the last reset.
    Strokes TraceRay(double viewRight);
    // Resets the trace memory and traces every stored ray.
    Strokes traceStoredRays(double viewRight);
    void resetImages();

    // --- State ---

    std::int16_t ElemCount = 1;
    Entries<float> ElemX{};
    Entries<double> ElemGap{};
    Entries<Kind> ElemKind{};
    Entries<float> ElemF{};
    Entries<double> ElemR{};
    Entries<double> ElemPower{};
    Entries<float> ElemPrincipal{};
    Entries<float> ElemFocus{};
    Entries<float> ElemHalfHeight{};
    Entries<float> ElemArcR{};
    Entries<float> ElemArcDist{};
    Entries<float> ElemArcAngle{};
    Entries<float> ElemArcCX{};
    Entries<float> ElemZoneX{};
    float EyeDepth = 300;

    ObjectMode ObjMode = ObjectMode::Arrow;
    double ObjX = 50;
    double ObjY = 100;
    float ObjXs = 50; // the arrow's and candle's object point, kept while another mode is on
    float ObjYs = 100;
    double RaySlope = 0;
    double ParSlope = 0;
    double PivotY = 0; // where the tilt of the parallel bundle pivots, in the first element's plane
    Table RayVal{};    // slopes; starting heights in parallel light
    std::int16_t RayCount = 0;

    float GridX = 40;
    std::int16_t PointCount = 0;
    Table PtX{};
    Table PtY{};
    Table PtImgX{};
    Table PtImgY{};

    // Whether the bundle of parallel light, or of the point marked last, is
    // shown: a double click or unmarking hides it until the user asks again
    // (choosing the light, tilting it, marking a point); the view and the
    // elements changing do not bring it back.
    bool BundleShown = true;

    std::int16_t ShowImages = 1;
    std::int32_t ShowVirtual = 0;

    // Trace memory: where the drawn ray bends at each entry (0: its start),
    // the first ray to reach each entry since the last reset, and the image
    // points found there. Slot ElemCount holds the final image.
    Entries<double> RayPtX{};
    Entries<double> RayPtY{};
    Entries<std::int16_t> FirstSet{};
    Entries<float> FirstSlope{};
    Entries<float> FirstIcpt{};
    Entries<double> FirstPtX{};
    Entries<double> FirstPtY{};
    Entries<double> ImgX{};
    Entries<double> ImgY{};
    Entries<bool> ImgFound{}; // ImgX, ImgY there were found since the last reset

private:
    void ComputeElement(int k, Kind kind, float left, float f);
    void computeFaces(int k, float f);
    bool symbolMode() const; // arrow or candle
    void setObjectX(float x);
    void holdObjectInFront();

    // Geometry upkeep.
    void placeElement(int k, float left);
    void updateElement(int k);
    void updateDerived();
    void resolveOverlaps(); // with the derived values brought up to date
    void keepLeftExtremeAtLeast(int k, float bound);
    void keepRightExtremeAtMost(int k, float bound);

    // Tracing.
    void traceInto(Strokes& out, double viewRight);
    bool noteImage(int slot, double m, double b);
    void drawIntermediateImage(int j, Strokes& out) const;
    void drawFinalImage(Strokes& out) const;
    void finishInEye(double m, double b, Strokes& out) const;
    void passOutside(int j, double m, Strokes& out, double viewRight) const;

    // Point grid.
    Strokes imagePoint(int i, double viewRight);
    int markedAt(float gx, float gy) const; // the index of that grid point, or -1
};

} // namespace kit
