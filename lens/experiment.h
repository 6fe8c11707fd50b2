#pragma once

#include "lens/lens_model.h"

#include <array>
#include <cstdint>
#include <optional>

namespace lens {

constexpr int kMaxEntries = 50; // stored rays, and marked pairs
using Table = std::array<float, kMaxEntries + 1>;

// The ranges of the controls that set an experiment.
constexpr int kRadiusBarLimit = 100;     // both radius bars run from -100 to 100
constexpr int kPlaneWithin = 14;         // a radius bar this close to 0 stands at 0: a plane face
constexpr int kApertureNarrowest = -110; // the aperture bar, from 0 (fully open)
constexpr float kWidestBundle = 3;       // the bundle's rays lie 120 / QuerDivisor apart
constexpr float kNarrowestBundle = 10;
constexpr int kScrollXLimit = 1000;
constexpr int kScrollYLimit = 500;
// Zoom steps of 1.1 from 100 %: in while below 5 (17 steps reach 505 %), out
// while above 0.1 (25 steps reach 9 %).
constexpr int kZoomInSteps = 17;
constexpr int kZoomOutSteps = 25;

// The view as the zoom arrows and the scroll bars set it. Zooming scales
// about the world origin the shift a bar made, so each bar's value comes with
// the zoom step it was last moved at.
struct ViewSteps {
    int Zoom = 0;        // steps in (positive) or out from 100 %
    int ScrollX = 0;     // HBildlauf
    int ScrollXZoom = 0; // Zoom when HBildlauf was last moved
    int ScrollY = 0;     // VBildlauf
    int ScrollYZoom = 0;
};

// What the real-lens simulation shows and an experiment file keeps: the
// lens, the aperture, the light with its rays, the marked points and the view.
struct Experiment {
    Lens lens;
    std::int16_t ApertureOn = 0;
    float BlendeOffset = 0; // the aperture bar: |y| < 120 + BlendeOffset stays open
    float LightMode = 0;    // 0 "Punktraster" (point source), 1 "Parallellicht"
    float RayStartX = 60;   // the object point; in parallel light the view's left edge
    float RayStartY = 100;
    float GridLeftX = 20; // x of the point grid's left column
    Table RayList{};      // point source: direction angles; parallel light: the bundle rays' start heights
    std::int16_t RayCount = 0;
    float BundleAngle = 0;
    float QuerDivisor = 3;
    Table ImgPtX{};
    Table ImgPtY{};
    Table ObjPtX{}; // point source: the object point each image point was marked for
    Table ObjPtY{};
    std::int16_t PairCount = 0;
    std::int16_t PairOpen = 0; // the next click behind the lens moves the last image point
    ViewSteps view;
};

// The rules the controls obey, for checking what a file brings.

// The face a radius bar's value gives; nothing for a value the bar snaps away
// from (1 to 14 on either side of 0). A plane face keeps no radius of its own.
std::optional<Face> faceAt(int barValue);
// Where the radius bar stands for a face.
int barValue(const Face& face);
// Whether an object point at x stands in front of the lens, not in or behind it.
bool inFrontOfLens(const Lens& lens, float x);
// The five parallel rays, starting at the view's left edge and centred on
// the axis where they cross the aperture plane.
void buildBundle(Experiment& experiment, float leftX);
// The world x of the view's left edge: the bar's shift, scaled by the zoom
// steps taken since it was moved (within a rounding step of the window's).
float viewLeftX(const ViewSteps& view);

} // namespace lens
