#include "forms/colour_scope.h"
#include "forms/picture_box.h"
#include "tests/support/app_fixture.h"
#include "tests/support/pixels.h"

#include <QTest>
#include <QWindow>

#include <cmath>
#include <functional>
#include <numbers>
#include <random>

namespace {

constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kBlue = 0xff0000ff;
constexpr double kPi = std::numbers::pi;

} // namespace

class PictureBoxTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareWindowTests(); }

    void init()
    {
        host = new QWidget;
        host->resize(400, 300);
        box = new forms::PictureBox(host);
        box->setObjectName("box");
        box->setGeometry(0, 0, 400, 300);
        // 800 LE across, 2 LE a pixel both ways, y upwards, the axis through the middle.
        box->setScale(0, 300, 800, -600);
        host->show();
        QVERIFY(QTest::qWaitForWindowExposed(host));
    }

    void cleanup() { delete host; }

    // A 1-pixel line is one device pixel wide only at ratio 1; at ratio 2 it
    // covers two. A point is a square of the line width.
    void canvasIsKeptAtDeviceResolution()
    {
        const double ratio = host->devicePixelRatioF();
        QCOMPARE(box->canvasRatio(), ratio);
        QCOMPARE(box->canvas().size(), QSize(qRound(400 * ratio), qRound(300 * ratio)));
        box->line(0, 0, 800, 0);
        QCOMPARE(countColour(box->canvas().copy(box->canvas().width() / 2, 0, 1, box->canvas().height()), kBlack),
                 qRound(ratio));
        box->clear();
        box->point(100, 50);
        QCOMPARE(pixelAt(*box, 100, 50), kBlack);
        const int one = countColour(*box, kBlack);
        box->setLineWidth(2);
        box->point(300, 50);
        QCOMPARE(countColour(*box, kBlack) - one, qRound(4 * ratio * ratio));
    }

    void everyFigureDrawnAgainInWhiteLeavesWhite()
    {
        std::mt19937 rng(7);
        std::uniform_real_distribution<double> x(-50, 850);
        std::uniform_real_distribution<double> y(-170, 170);
        std::uniform_real_distribution<double> angle(0, 2 * kPi);

        const auto drawAll = [&](QRgb colour) {
            rng.seed(7);
            box->setForeground(colour);
            for (int width : {1, 2, 3, 5}) {
                box->setLineWidth(width);
                for (int i = 0; i < 40; ++i)
                    box->line(x(rng), y(rng), x(rng), y(rng));
                box->box(x(rng), y(rng), x(rng), y(rng));
                box->arc(x(rng), y(rng), 20 + std::abs(y(rng)), angle(rng), angle(rng));
                box->circle(x(rng), y(rng), 30, 2.0);
                box->circle(x(rng), y(rng), 30, 0.5);
                box->point(x(rng), y(rng));
            }
            box->setLineWidth(1);
            box->setFillColour(colour);
            box->setFillStyle(forms::FillStyle::Solid);
            box->circle(400, 0, 5);
            box->setFillStyle(forms::FillStyle::Transparent);
            {
                forms::ColourScope blue(*box, kBlue);
                box->arc(600, 0, 120, 2 * kPi - 0.4, 0.4);
            }
        };

        drawAll(kBlack);
        QVERIFY(countColour(*box, kBlack) > 1000);
        QVERIFY(countColour(*box, kBlue) > 30);
        drawAll(kWhite);
        QCOMPARE(countColour(*box, kWhite), box->canvas().width() * box->canvas().height());
        QCOMPARE(box->foreground(), kWhite);
    }

    // The staying figures are drawn again where an erased one crossed them,
    // once control returns to the event loop, and nowhere else.
    void erasingIsRepairedWhenControlReturns()
    {
        const auto axis = [this] { box->line(0, 0, 800, 0, 0xffc0c0c0); };
        const auto farPoint = [this] { box->point(780, 280); };
        axis();
        settle();
        const QImage staying = box->canvas().copy();
        box->setRepair([&] {
            axis();
            farPoint(); // not on the canvas and outside what is erased: never drawn
        });
        box->line(100, -200, 300, 200);
        box->line(100, -200, 300, 200, kWhite);
        QVERIFY(!holeInStayingFigures(*box).isEmpty()); // the axis has a gap until the repair
        settle();
        QVERIFY(samePixels(box->canvas(), staying));
        box->setRepair(axis);
        QCOMPARE(holeInStayingFigures(*box), QString());
    }

    // Figures left to the repair are drawn by it, once control returns, with
    // the staying ones in its order; with no repair they are drawn at once.
    void figuresLeftToTheRepairComeInItsOrder()
    {
        const auto ray = [this] { box->line(100, -200, 300, 200); };
        box->drawAtFlush(ray);
        QVERIFY(colourNear(*box, 200, 0, kBlack));
        box->clear();
        const auto axis = [this] { box->line(0, 0, 800, 0, kBlue); };
        axis();
        box->setRepair([&] {
            ray();
            axis();
        });
        box->drawAtFlush(ray);
        QCOMPARE(countColour(*box, kBlack), 0);
        settle();
        QCOMPARE(pixelAt(*box, 200, 0), kBlue); // the axis over the ray, as a full redraw has it
        QVERIFY(samePixels(box->canvas(), box->drawAlone(box->repair())));
    }

    void colourScopeSwitchesOnlyFromBlack()
    {
        for (const QRgb before : {kBlack, kWhite}) {
            box->setForeground(before);
            {
                forms::ColourScope blue(*box, kBlue);
                QCOMPARE(box->foreground(), before == kBlack ? kBlue : kWhite);
            }
            QCOMPARE(box->foreground(), before);
        }
    }

    // Where each figure paints (within a pixel) and where it must not (within
    // three): arcs run anticlockwise on screen, through zero when the end lies
    // below the start; an ellipse's radius is its longer semi-axis.
    void figuresLieWhereTheirGeometrySays()
    {
        struct Spot {
            double x, y;
            QRgb colour;
            bool painted;
        };
        const double d = 100 / std::sqrt(2.0);
        const struct {
            const char* name;
            std::function<void()> draw;
            std::vector<Spot> spots;
        } rows[] = {
            {"arc through zero", [&] { box->arc(400, 0, 100, 2 * kPi - 0.5, 0.5); },
             {{500, 0, kBlack, true}, {300, 0, kBlack, false}, {400, 100, kBlack, false}}},
            {"arc round the back", [&] { box->arc(400, 0, 100, 0.5, 2 * kPi - 0.5); },
             {{300, 0, kBlack, true}, {500, 0, kBlack, false}}},
            {"quarter arc", [&] { box->arc(400, 0, 100, 0, kPi / 2); },
             {{400 + d, d, kBlack, true}, {400 + d, -d, kBlack, false}}},
            {"tall ellipse", [&] { box->circle(400, 0, 100, 2.0); },
             {{400, 100, kBlack, true}, {450, 0, kBlack, true}, {500, 0, kBlack, false}}},
            {"wide ellipse", [&] { box->circle(400, 0, 100, 0.5); },
             {{500, 0, kBlack, true}, {400, 50, kBlack, true}, {400, 100, kBlack, false}}},
            {"solid and transparent fill",
             [&] {
                 box->setFillColour(kBlue);
                 box->setFillStyle(forms::FillStyle::Solid);
                 box->circle(400, 0, 20);
                 box->setFillStyle(forms::FillStyle::Transparent);
                 box->circle(200, 0, 20);
             },
             {{400, 0, kBlue, true}, {200, 0, kBlue, false}}},
            // A nearly vertical reflected ray reaches absurd y values at the view's edge.
            {"huge but finite lines clipped",
             [&] {
                 box->line(400, 0, 400.001, 1e30);
                 box->line(-1e300, 10, 1e300, 10);
             },
             {{400, 100, kBlack, true}, {100, 10, kBlack, true}, {700, 10, kBlack, true}}},
        };
        for (const auto& row : rows) {
            box->clear();
            row.draw();
            for (const Spot& s : row.spots)
                QVERIFY2(colourNear(*box, s.x, s.y, s.colour, s.painted ? 1 : 3) == s.painted,
                         qPrintable(QString("%1 at (%2, %3)").arg(row.name).arg(s.x).arg(s.y)));
        }
        QCOMPARE(box->refusedFigures(), 0);
    }

    void nonFiniteFiguresAreRefused()
    {
        const double nan = std::nan("");
        const double inf = INFINITY;
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("refused a line"));
        box->line(0, 0, nan, 10);
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("refused a circle"));
        box->circle(inf, 0, 5);
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("refused a point"));
        box->point(0, -inf);
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("refused a arc"));
        box->arc(0, 0, 10, 0, nan);
        QCOMPARE(box->refusedFigures(), 4);
        QCOMPARE(countColour(*box, kWhite), box->canvas().width() * box->canvas().height());
    }

    // Presses arrive in user units with their button and keys; a left double
    // click comes as down, up, double click, up, a right one stays two presses.
    void mouseEventsArriveInUserUnitsAndOrder()
    {
        std::vector<forms::MouseEvent> downs;
        QStringList log;
        connect(box, &forms::PictureBox::mouseDown, this, [&](const forms::MouseEvent& e) { downs.push_back(e); });
        connect(box, &forms::PictureBox::mouseDown, this, [&] { log << "down"; });
        connect(box, &forms::PictureBox::mouseUp, this, [&] { log << "up"; });
        connect(box, &forms::PictureBox::dblClick, this, [&] { log << "dblclick"; });
        QTest::mousePress(host->windowHandle(), Qt::RightButton, Qt::ShiftModifier | Qt::AltModifier, QPoint(100, 150));
        QTest::mouseRelease(host->windowHandle(), Qt::RightButton, Qt::ShiftModifier | Qt::AltModifier, QPoint(100, 150));
        QCOMPARE(downs.size(), std::size_t(1));
        QCOMPARE(downs[0].button, 2);
        QCOMPARE(downs[0].shift, 1 + 4);
        QCOMPARE(downs[0].x, 200.0f);
        QCOMPARE(downs[0].y, 0.0f);
        QTest::mouseDClick(host->windowHandle(), Qt::LeftButton, {}, QPoint(50, 50));
        QTest::mouseDClick(host->windowHandle(), Qt::RightButton, {}, QPoint(50, 50));
        QCOMPARE(log.join(' '), QString("down up down up dblclick up down up down up"));
    }

    void resizingClearsTheCanvasAndChildrenArePlacedInUserUnits()
    {
        QWidget child(box);
        box->placeChild(&child, 100, 250, 200, 50);
        QCOMPARE(child.geometry(), QRect(50, 25, 100, 25));
        box->line(0, 0, 800, 0);
        box->resize(300, 200);
        QCOMPARE(countColour(*box, kWhite), box->canvas().width() * box->canvas().height());
    }
private:
    QWidget* host = nullptr;
    forms::PictureBox* box = nullptr;
};

QTEST_MAIN(PictureBoxTest)
#include "picture_box_test.moc"
