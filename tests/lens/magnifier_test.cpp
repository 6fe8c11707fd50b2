#include "forms/picture_box.h"
#include "forms/projector_view.h"
#include "forms/scroll_bar.h"
#include "forms/spin_button.h"
#include "lens/lens_form.h"
#include "tests/support/app_fixture.h"
#include "tests/support/pixels.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <cmath>
#include <functional>

namespace {
constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kRed = 0xffff0000;
constexpr QRgb kBlue = 0xff0000ff;
} // namespace

class MagnifierTest : public WindowTest {
    Q_OBJECT

private slots:
    void init() { QVERIFY((form = openWindow<lens_form>())); }

    void magnificationRunsFromTenToOne()
    {
        QCOMPARE(form->LupeScale, float(10 * form->TwipsPerLE));
        place(450, 60);
        QVERIFY(form->Zoom_lupeSpButton->isVisible());
        for (int i = 0; i < 10; ++i)
            form->Zoom_lupeSpButton->downArrow()->click();
        QCOMPARE(form->LupeScale, float(form->TwipsPerLE));
        QCOMPARE(form->Zoom_lupeLabel->text().split('\n').last(), QString("1:1"));
        for (int i = 0; i < 12; ++i)
            form->Zoom_lupeSpButton_SpinUp();
        QCOMPARE(form->LupeScale, float(10 * form->TwipsPerLE));
        // The magnifier's window follows: 1/10 of the main view's LE per pixel.
        const double ratio = form->Picture1->scale().unitsPerPixelX() / form->Picture2->scale().unitsPerPixelX();
        QVERIFY(std::abs(ratio - 10) < 0.1);
    }

    // The marker follows the mouse; a click centres the magnifier on it, a
    // click outside keeps placing with the marker shown at once; scrolling
    // while placing leaves no marker behind.
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
        const QPointF expected = devicePoint(*form->Picture1, 300, 50) / form->Picture1->canvasRatio();
        QVERIFY((centre - form->Picture1->pos() - expected.toPoint()).manhattanLength() <= 2);
        QVERIFY(std::abs(form->Picture2->scale().left() + form->Picture2->scale().width() / 2 - 300) < 1e-3);

        form->Picture1_MouseDown(1, 0, 900, -200);
        QVERIFY(!form->Picture2->isVisible());
        QCOMPARE(form->LupeMode, std::int16_t(1));
        QCOMPARE(form->LupePlacing, std::int16_t(1));
        QCOMPARE(form->LupeButton->text(), QString("Mauszeiger"));
        QCOMPARE(pixelAt(*form->Picture1, 300, 70), kBlack); // the marker's top edge
        const QPointF edge = devicePoint(*form->Picture1, 300, 70);
        form->HBildlauf->setValue(100);
        QVERIFY((form->Picture1->canvas().pixel(int(edge.x()), int(edge.y())) | 0xff000000) != kBlack);
    }

    // Zooming the main view and coming back from another window close the
    // magnifier, its handle and its spin button.
    void zoomingOrActivationEndsTheMagnifier()
    {
        const std::function<void()> ends[] = {[&] { form->ZoomSpButton_SpinUp(); },
                                              [&] { activateFromAnotherWindow(form); }};
        for (const auto& end : ends) {
            place(450, 60);
            // The thick handle runs from the magnifier's lower right corner outwards.
            const QRect lupe = form->Picture2->geometry().translated(-form->Picture1->pos());
            const QPoint handle = lupe.bottomRight() + QPoint(lupe.width() / 4, lupe.height() / 4);
            const auto handleShown = [&] {
                const double ratio = form->Picture1->canvasRatio();
                return (form->Picture1->canvas().pixel(int(handle.x() * ratio), int(handle.y() * ratio)) | 0xff000000)
                    == kBlack;
            };
            QVERIFY(handleShown());
            end();
            QVERIFY(!form->Picture2->isVisible());
            QCOMPARE(form->LupeMode, std::int16_t(0));
            QCOMPARE(form->LupeButton->text(), QString("Lupe"));
            QVERIFY(!form->Zoom_lupeSpButton->isVisible());
            QVERIFY(!handleShown());
        }
    }

    // Ctrl or Alt draw nothing.
    void normalOfASphericalFacePassesThroughItsCentre()
    {
        drawNormal();
        for (double px = kNormalX - 10; px <= kNormalX + 10; px += 2.5)
            QVERIFY2(colourNear(*form->Picture2, px, normalY(px), kRed, 1), qPrintable(QString::number(px)));
        const QImage before = form->Picture2->canvas().copy();
        form->Picture2_MouseDown(2, 2, kNormalX + 5, kNormalY);
        form->Picture2_MouseDown(1, 4, kNormalX + 5, kNormalY);
        QVERIFY(form->Picture2->canvas() == before);
    }

    void scaleOnAPlaneFaceBeforeAnyNormalStandsAtTheClickedHeight()
    {
        form->Radius1Scroll->setValue(0); // face 1 plane
        QCOMPARE(form->model().lens.Face1Curved, std::int16_t(0));
        const float vertex = form->model().lens.Vertex1X;
        place(vertex, 40);
        for (int i = 0; i < 5; ++i) // 5:1, so the whole scale is in view on every screen
            form->Zoom_lupeSpButton_SpinDown();
        form->Picture2_MouseDown(1, 1, vertex + 3, 43);
        QCOMPARE(form->NormalY, 43.0f);
        const float r = form->TwipsPerLE == 10 ? 9 : 10; // between the tick radii
        QVERIFY(colourNear(*form->Picture2, vertex + r, 43, kBlue, 1));
        QVERIFY(colourNear(*form->Picture2, vertex, 43 + r, kBlue, 1));
    }

    void magnifiedRaysCoincideWithTheMainView()
    {
        form->Picture1_MouseMove(0, 0, 300, 60);
        form->Picture1_MouseDown(1, 0, 300, 60);
        form->Picture1_MouseUp(1, 0, 300, 60);
        const lens::Experiment& m = form->model();
        const auto segments = lens::TraceRay(m.lens, m.RayStartX, m.RayStartY, m.RayList[0], {}, form->View.right());
        QCOMPARE(segments.size(), std::size_t(3));
        const auto& inside = segments[1];
        place((inside.x1 + inside.x2) / 2, (inside.y1 + inside.y2) / 2);
        for (double t = 0.35; t <= 0.65; t += 0.1)
            QVERIFY(colourNear(*form->Picture2, inside.x1 + t * (inside.x2 - inside.x1),
                               inside.y1 + t * (inside.y2 - inside.y1), kBlack, 1));
    }

    // The magnifier's contents, its normal and scale come back three times as heavy, and as they were.
    void projectorViewRedrawsTheMagnifierHeavier()
    {
        drawNormal();
        form->Picture2_MouseDown(1, 1, kNormalX, kNormalY);
        settle();
        const QImage before = form->Picture2->canvas().copy();
        const forms::PictureBox& lupe = *form->Picture2;
        const double ratio = lupe.canvasRatio();
        const auto normalWidth = [&](const QImage& canvas) {
            return widthAcross(canvas, devicePoint(lupe, kNormalX - 14, normalY(kNormalX - 14)),
                               devicePoint(lupe, kNormalX - 9, normalY(kNormalX - 9)), kRed)
                / ratio;
        };
        QVERIFY(std::abs(normalWidth(before) - 1) < 1 / ratio);
        {
            const ScopedProjectorView projector;
            QVERIFY(std::abs(normalWidth(lupe.canvas()) - 3) < 1 / ratio);
            QVERIFY(countColour(lupe.canvas(), kBlue) > 0); // the scale
        }
        QVERIFY(samePixels(lupe.canvas(), before));
    }

private:
    static constexpr float kNormalX = 456;
    static constexpr float kNormalY = 62;

    void place(float x, float y)
    {
        form->LupeButton->click();
        form->Picture1_MouseMove(0, 0, x, y);
        form->Picture1_MouseDown(1, 0, x, y);
        QVERIFY(form->Picture2->isVisible());
    }

    // A click on face 1 in the magnifier draws its normal.
    void drawNormal()
    {
        place(455, 60);
        form->Picture2_MouseDown(1, 0, kNormalX, kNormalY);
    }

    // The normal through the clicked point of face 1 runs through the face's centre.
    double normalY(double x) const
    {
        const float centre = form->model().lens.Center1X;
        return (x - centre) * kNormalY / (kNormalX - centre);
    }

    lens_form* form = nullptr;
};

QTEST_MAIN(MagnifierTest)
#include "magnifier_test.moc"
