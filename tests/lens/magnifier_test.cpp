#include "forms/geometry.h"
#include "forms/picture_box.h"
#include "forms/projector_view.h"
#include "forms/scroll_bar.h"
#include "forms/spin_button.h"
#include "lens/lens_form.h"
#include "tests/support/app_fixture.h"
#include "tests/support/pixels.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <cmath>

namespace {
constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kRed = 0xffff0000;
constexpr QRgb kBlue = 0xff0000ff;
} // namespace

class MagnifierTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareWindowTests(); }

    void init() { QVERIFY((form = openWindow<lens_form>())); }

    void cleanup() { closeAllWindows(); }

    void magnificationRunsFromTenToOne()
    {
        QCOMPARE(form->LupeScale, float(10 * form->TwipsPerLE));
        place(450, 60);
        QVERIFY(form->Zoom_lupeSpButton->isVisible());
        for (int i = 0; i < 9; ++i)
            form->Zoom_lupeSpButton->downArrow()->click();
        QCOMPARE(form->LupeScale, float(form->TwipsPerLE));
        QCOMPARE(form->Zoom_lupeLabel->text().split('\n').last(), QString("1:1"));
        form->Zoom_lupeSpButton_SpinDown();
        QCOMPARE(form->LupeScale, float(form->TwipsPerLE));
        for (int i = 0; i < 12; ++i)
            form->Zoom_lupeSpButton_SpinUp();
        QCOMPARE(form->LupeScale, float(10 * form->TwipsPerLE));
        // The magnifier's window follows: 1/10 of the main view's LE per pixel.
        const double ratio = form->Picture1->scale().unitsPerPixelX() / form->Picture2->scale().unitsPerPixelX();
        QVERIFY(std::abs(ratio - 10) < 0.1);
    }

    void placingFollowsTheMouseAndCentresOnTheClick()
    {
        form->LupeButton->click();
        QCOMPARE(form->LupeButton->text(), QString("Mauszeiger"));
        QCOMPARE(form->Picture2->width(), form->Picture1->width() / 3);
        form->Picture1_MouseMove(0, 0, 300, 50);
        QVERIFY(colourNear(*form->Picture1, 275, 30, kBlack)); // the marker's frame
        form->Picture1_MouseDown(1, 0, 300, 50);
        QVERIFY(form->Picture2->isVisible());
        QCOMPARE(form->LupePlacing, std::int16_t(0));
        const QPoint centre = form->Picture2->geometry().center();
        const QPoint expected = form->Picture1->geometry().topLeft()
            + QPoint(qRound(form->Picture1->scale().toPixelX(300)), qRound(form->Picture1->scale().toPixelY(50)));
        QVERIFY((centre - expected).manhattanLength() <= 2);
        QVERIFY(std::abs(form->Picture2->scale().left() + form->Picture2->scale().width() / 2 - 300) < 1e-3);
    }

    void clickOutsideKeepsTheModeAndShowsTheMarkerAtOnce()
    {
        form->LupeButton->click();
        form->Picture1_MouseMove(0, 0, 300, 50);
        form->Picture1_MouseDown(1, 0, 300, 50);
        form->Picture1_MouseDown(1, 0, 900, -200);
        QVERIFY(!form->Picture2->isVisible());
        QCOMPARE(form->LupeMode, std::int16_t(1));
        QCOMPARE(form->LupePlacing, std::int16_t(1));
        QVERIFY(colourNear(*form->Picture1, 275, 30, kBlack));
        QCOMPARE(form->LupeButton->text(), QString("Mauszeiger"));
    }

    void scrollingWhilePlacingLeavesNoMarkerBehind()
    {
        form->LupeButton->click();
        form->Picture1_MouseMove(0, 0, 300, 50); // the marker's top edge runs at y = 70
        const QImage& canvas = form->Picture1->canvas();
        const double ratio = form->Picture1->canvasRatio();
        const QPoint edge(int(form->Picture1->scale().toPixelX(300) * ratio),
                          int(form->Picture1->scale().toPixelY(70) * ratio));
        QCOMPARE(canvas.pixel(edge) | 0xff000000, kBlack);
        form->HBildlauf->setValue(100);
        QVERIFY((form->Picture1->canvas().pixel(edge) | 0xff000000) != kBlack);
    }

    void zoomingClosesTheMagnifierAndLeavesTheMode()
    {
        place(450, 60);
        // The thick handle runs from the magnifier's lower right corner outwards.
        const QRect lupe = form->Picture2->geometry().translated(-form->Picture1->pos());
        const QPoint handle = lupe.bottomRight() + QPoint(lupe.width() / 4, lupe.height() / 4);
        const double ratio = form->Picture1->canvasRatio();
        const auto handleShown = [&] {
            return (form->Picture1->canvas().pixel(int(handle.x() * ratio), int(handle.y() * ratio)) | 0xff000000)
                == kBlack;
        };
        QVERIFY(handleShown());
        form->ZoomSpButton_SpinUp();
        QVERIFY(!form->Picture2->isVisible());
        QCOMPARE(form->LupeMode, std::int16_t(0));
        QCOMPARE(form->LupeButton->text(), QString("Lupe"));
        QVERIFY(!form->Zoom_lupeSpButton->isVisible());
        QVERIFY(!handleShown());
    }

    void activationSwitchesTheModeOff()
    {
        place(450, 60);
        activateFromAnotherWindow(form);
        QCOMPARE(form->LupeMode, std::int16_t(0));
        QVERIFY(!form->Picture2->isVisible());
        QCOMPARE(form->LupeButton->text(), QString("Lupe"));
    }

    void normalOfASphericalFacePassesThroughItsCentre()
    {
        place(455, 60);
        const float x = 456;
        const float y = 62;
        form->Picture2_MouseDown(1, 0, x, y);
        const double slope = y / (x - form->model().lens.Center1X);
        int checked = 0;
        for (double px = x - 10; px <= x + 10; px += 2.5) {
            QVERIFY2(colourNear(*form->Picture2, px, (px - form->model().lens.Center1X) * slope, kRed, 1),
                     qPrintable(QString::number(px)));
            ++checked;
        }
        QVERIFY(checked > 5);
        // Ctrl or Alt draw nothing.
        const QImage before = form->Picture2->canvas().copy();
        form->Picture2_MouseDown(2, 2, x + 5, y);
        form->Picture2_MouseDown(1, 4, x + 5, y);
        QVERIFY(form->Picture2->canvas() == before);
    }

    void scaleOnAPlaneFaceBeforeAnyNormalStandsAtTheClickedHeight()
    {
        form->Radius1Scroll->setValue(0); // face 1 plane
        QCOMPARE(form->model().lens.Face1Curved, std::int16_t(0));
        place(form->model().lens.Vertex1X, 40);
        for (int i = 0; i < 5; ++i) // 5:1, so the whole scale is in view on every screen
            form->Zoom_lupeSpButton_SpinDown();
        form->Picture2_MouseDown(1, 1, form->model().lens.Vertex1X + 3, 43);
        QCOMPARE(form->NormalY, 43.0f);
        const float r = form->TwipsPerLE == 10 ? 9 : 10; // between the tick radii
        QVERIFY(colourNear(*form->Picture2, form->model().lens.Vertex1X + r, 43, kBlue, 1));
        QVERIFY(colourNear(*form->Picture2, form->model().lens.Vertex1X, 43 + r, kBlue, 1));
    }

    void magnifiedRaysCoincideWithTheMainView()
    {
        form->Picture1_MouseMove(0, 0, 300, 60);
        form->Picture1_MouseDown(1, 0, 300, 60);
        form->Picture1_MouseUp(1, 0, 300, 60);
        const auto segments =
            lens::TraceRay(form->model().lens, form->model().RayStartX, form->model().RayStartY, form->model().RayList[0],
                           {}, form->View.right());
        QCOMPARE(segments.size(), std::size_t(3));
        const auto& inside = segments[1];
        const float cx = (inside.x1 + inside.x2) / 2;
        const float cy = (inside.y1 + inside.y2) / 2;
        place(cx, cy);
        int samples = 0;
        for (double t = 0.2; t <= 0.8; t += 0.1) {
            const double x = inside.x1 + t * (inside.x2 - inside.x1);
            const double y = inside.y1 + t * (inside.y2 - inside.y1);
            const auto& lupe = form->Picture2->scale();
            const double px = lupe.toPixelX(x);
            const double py = lupe.toPixelY(y);
            if (px < 0 || py < 0 || px >= form->Picture2->width() || py >= form->Picture2->height())
                continue;
            QVERIFY(colourNear(*form->Picture2, x, y, kBlack, 1));
            ++samples;
        }
        QVERIFY(samples >= 3);
    }

    // The magnifier's contents, its normal and scale come back three times as heavy, and as they were.
    void projectorViewRedrawsTheMagnifierHeavier()
    {
        place(455, 60);
        const float x = 456;
        const float y = 62;
        form->Picture2_MouseDown(1, 0, x, y);
        form->Picture2_MouseDown(1, 1, x, y);
        settle();
        const QImage before = form->Picture2->canvas().copy();
        const auto& lupe = form->Picture2->scale();
        const double ratio = form->Picture2->canvasRatio();
        const double slope = y / (x - form->model().lens.Center1X);
        const auto onNormal = [&](double px) {
            return QPointF(lupe.toPixelX(px), lupe.toPixelY((px - form->model().lens.Center1X) * slope)) * ratio;
        };
        const auto normalWidth = [&](const QImage& canvas) {
            return widthAcross(canvas, onNormal(x - 14), onNormal(x - 9), kRed) / ratio;
        };
        QVERIFY(std::abs(normalWidth(before) - 1) < 1 / ratio);
        forms::setProjectorView(true);
        settle();
        QVERIFY(std::abs(normalWidth(form->Picture2->canvas()) - 3) < 1 / ratio);
        QVERIFY(countColour(form->Picture2->canvas(), kBlue) > 0); // the scale
        forms::setProjectorView(false);
        settle();
        QVERIFY(samePixels(form->Picture2->canvas(), before));
    }

private:
    void place(float x, float y)
    {
        form->LupeButton->click();
        form->Picture1_MouseMove(0, 0, x, y);
        form->Picture1_MouseDown(1, 0, x, y);
        QVERIFY(form->Picture2->isVisible());
    }

    lens_form* form = nullptr;
};

QTEST_MAIN(MagnifierTest)
#include "magnifier_test.moc"
