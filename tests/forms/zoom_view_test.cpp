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

// Steps of 1.1 about the world origin, read rounded down; each limit is
// passed by one step and no more.
TEST(ZoomView, StepsInAndOutAboutTheOriginUpToTheLimits)
{
    forms::ZoomView view = laidOut();
    EXPECT_FLOAT_EQ(view.height(), -500); // y upwards
    std::vector<std::string> texts{view.zoomText()};
    while (view.zoomIn())
        texts.push_back(view.zoomText());
    EXPECT_EQ(std::vector<std::string>(texts.begin(), texts.begin() + 11),
              (std::vector<std::string>{"100%", "110%", "121%", "133%", "146%", "161%", "177%", "194%", "214%",
                                        "235%", "259%"}));
    EXPECT_EQ(texts.size(), 18u);
    EXPECT_EQ(view.zoomText(), "505%"); // the refused step changed nothing
    EXPECT_NEAR(view.width(), 800 / 5.054470, 0.01);
    EXPECT_FLOAT_EQ(view.top(), -view.height() / 2); // the axis stays in the middle

    while (view.zoomOut()) {
    }
    EXPECT_EQ(view.zoomText(), "9%");
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
    EXPECT_FLOAT_EQ(view.offsetX(), -left);
    view.scrollVertical(20);
    EXPECT_FLOAT_EQ(view.left(), left);
    EXPECT_FLOAT_EQ(view.top(), top - 20);
    view.scrollHorizontal(980);
    EXPECT_FLOAT_EQ(view.top(), top - 20);
    EXPECT_FLOAT_EQ(view.left(), 980);
    EXPECT_FLOAT_EQ(view.offsetX(), -980);
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
