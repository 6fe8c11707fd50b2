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
};

double twipsToPixels(double twips);
double pixelsToTwips(double pixels);

} // namespace forms
