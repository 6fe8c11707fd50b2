#include "forms/zoom_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A drawing area of 8000 x 5000 twips at 10 twips per LE: 800 x 500 LE.
forms::ZoomView laidOut()
{
    forms::ZoomView view;
    view.layout(8000, 5000, 10);
    return view;
}

TEST(ZoomView, LaysOutWithTheAxisThroughTheMiddle)
{
    const forms::ZoomView view = laidOut();
    EXPECT_FLOAT_EQ(view.width(), 800);
    EXPECT_FLOAT_EQ(view.height(), -500);
    EXPECT_FLOAT_EQ(view.top(), 250);
    EXPECT_FLOAT_EQ(view.left(), 0);
    EXPECT_EQ(view.zoomText(), "100%");
}

TEST(ZoomView, TenStepsInReadRoundedDown)
{
    forms::ZoomView view = laidOut();
    std::vector<std::string> texts;
    for (int i = 0; i < 10; ++i) {
        view.zoomIn();
        texts.push_back(view.zoomText());
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"110%", "121%", "133%", "146%", "161%", "177%", "194%", "214%",
                                               "235%", "259%"}));
    // About the world origin: the axis stays in the middle.
    EXPECT_FLOAT_EQ(view.top(), -view.height() / 2);
}

TEST(ZoomView, StopsAfterTheFirstStepPastEachLimit)
{
    forms::ZoomView view = laidOut();
    int steps = 0;
    while (view.zoomIn())
        ++steps;
    EXPECT_EQ(steps, 17);
    EXPECT_EQ(view.zoomText(), "505%");
    const float width = view.width();
    EXPECT_FALSE(view.zoomIn());
    EXPECT_FLOAT_EQ(view.width(), width);

    while (view.zoomOut()) {
    }
    EXPECT_EQ(view.zoomText(), "9%");
    EXPECT_FALSE(view.zoomOut());

    forms::ZoomView fresh = laidOut();
    for (int i = 0; i < 10; ++i)
        fresh.zoomOut();
    EXPECT_EQ(fresh.zoomText(), "38%");
}

TEST(ZoomView, EachBarMovesOnlyItsOwnAxis)
{
    forms::ZoomView view = laidOut();
    view.scrollHorizontal(1000);
    for (int i = 0; i < 17; ++i)
        view.zoomIn();
    const float left = view.left();
    const float top = view.top();
    EXPECT_NEAR(left, 1000 / 5.054470, 0.01); // scaled with the zoom
    view.scrollVertical(20);
    EXPECT_FLOAT_EQ(view.left(), left);
    EXPECT_FLOAT_EQ(view.top(), top - 20);
    view.scrollHorizontal(980);
    EXPECT_FLOAT_EQ(view.top(), top - 20);
    EXPECT_FLOAT_EQ(view.left(), 980);
    EXPECT_FLOAT_EQ(view.offsetX(), -980);
    EXPECT_FLOAT_EQ(view.right(), 980 + view.width());
}

TEST(ZoomView, ResetAndLayoutStartTheViewAfresh)
{
    forms::ZoomView view = laidOut();
    view.scrollHorizontal(-300);
    view.scrollVertical(100);
    view.zoomOut();
    view.reset();
    view.layout(6000, 4000, 8);
    EXPECT_EQ(view.zoomText(), "100%");
    EXPECT_FLOAT_EQ(view.left(), 0);
    EXPECT_FLOAT_EQ(view.offsetX(), 0);
    EXPECT_FLOAT_EQ(view.width(), 750);
    EXPECT_FLOAT_EQ(view.top(), 250);
    EXPECT_FLOAT_EQ(view.baseTop(), 250);
}

} // namespace
