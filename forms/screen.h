#pragma once

namespace forms {

// Screen size in twips (1440 per inch). Windows lay themselves out by these
// numbers; tests override them to reach every screen class and its exact edges.
class Screen {
public:
    static double widthTwips();
    static double heightTwips();
    // 15 at 96 logical dots per inch.
    static double twipsPerPixel();

    static void overrideSizeTwips(double width, double height);
    static void clearOverride();

    // The screen classes every window lays itself out by.
    static constexpr double kSmallBelow = 10000; // narrower than this is a small screen
    static constexpr double kWideFrom = 12200;   // from this width on the strips use 9.6 point
    static bool isSmall() { return widthTwips() < kSmallBelow; }
    // One LE at zoom 1 in the drawing areas: 8 twips on small screens, else 10.
    static int twipsPerLE() { return isSmall() ? 8 : 10; }
    // Point size of the simulation windows' control strips.
    static double stripPoints() { return widthTwips() < kWideFrom ? 9.75 : 9.6; }
};

double twipsToPixels(double twips);
double pixelsToTwips(double pixels);

} // namespace forms
