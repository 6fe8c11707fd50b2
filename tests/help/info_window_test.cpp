#include "forms/geometry.h"
#include "help/info_texts.h"
#include "help/info_window.h"
#include "tests/support/app_fixture.h"
#include "tests/support/text_fit.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

namespace {

using Factory = InfoWindow* (*)();
using Lines = const std::vector<InfoLine>& (*)();

QStringList linesOf(const QString& text) { return text.split(QStringLiteral("\r\n")); }

} // namespace

Q_DECLARE_METATYPE(Factory)
Q_DECLARE_METATYPE(Lines)

class InfoWindowTest : public WindowTest {
    Q_OBJECT

private slots:
    void textsAreAssembledLineByLine_data()
    {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<bool>("help");
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<int>("sampleLine"); // 1-based
        QTest::addColumn<QString>("sample");
        QTest::newRow("RL_info") << Lines(aboutLines) << false << 17 << 5
                                 << QString::fromUtf8(" 'Spiegel':    \t\tReflexion an sphärischen und parabolischen Spiegeln");
        QTest::newRow("sp_info padded") << Lines(mirrorHelpLines) << true << 30 << 25
                                        << QString::fromUtf8("schräger Parallellichteinfall:     \trechter Mausklick auf das Parallellichtbündel");
        QTest::newRow("sp_info empty line") << Lines(mirrorHelpLines) << true << 30 << 5 << QString();
        QTest::newRow("sp_info last") << Lines(mirrorHelpLines) << true << 30 << 30
                                      << QString::fromUtf8("aufgerufen wird. Koordinaten und Längenangaben sind in "
                                                           "Längeneinheiten (LE) angegeben.");
        QTest::newRow("lens_info indented") << Lines(lensHelpLines) << true << 56 << 52
                                            << QString::fromUtf8("\t\t\tdes Brechungsgesetzes in den Durchstoßpunkten. ");
        QTest::newRow("bk_info tabs") << Lines(kitHelpLines) << true << 41 << 25
                                      << QString::fromUtf8("(Modus Parallellicht)\t\tmit der Maus");
    }

    void textsAreAssembledLineByLine()
    {
        QFETCH(Lines, lines);
        QFETCH(bool, help);
        QFETCH(int, lineCount);
        QFETCH(int, sampleLine);
        QFETCH(QString, sample);

        const QString text = assembleInfoText(lines(), !help);
        // No bare line feeds or carriage returns: every line end is CR LF.
        QCOMPARE(text.count('\n'), text.count(QStringLiteral("\r\n")));
        QCOMPARE(text.count('\r'), text.count(QStringLiteral("\r\n")));
        QVERIFY(text.startsWith(QStringLiteral("\r\n")));

        QStringList split = linesOf(text);
        if (help) {
            QVERIFY(text.endsWith(QStringLiteral("angegeben.")));
        } else {
            QVERIFY(text.endsWith(QStringLiteral("\r\n")));
            split.removeLast();
        }
        QCOMPARE(split.size(), lineCount);
        QCOMPARE(split[sampleLine - 1], sample);
    }

    // The font follows the screen class; on small screens the windows shrink
    // to a size of their own (outer, twips; 0: the design size).
    void screenClassSetsFontAndSize_data()
    {
        QTest::addColumn<double>("screenWidth");
        QTest::addColumn<Factory>("factory");
        QTest::addColumn<double>("points");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::newRow("bk_info, small") << 9600.0 << Factory(makeBk_info) << 9.6 << 8000.0 << 5300.0;
        QTest::newRow("sp_info, small") << 9600.0 << Factory(makeSp_info) << 9.6 << 8000.0 << 5100.0;
        QTest::newRow("about, small") << 9600.0 << Factory(makeRL_info) << 8.25 << 7300.0 << 4000.0;
        QTest::newRow("help, exactly 10000") << 10000.0 << Factory(makeLens_info) << 9.6 << 0.0 << 0.0;
        QTest::newRow("about, exactly 10000") << 10000.0 << Factory(makeRL_info) << 8.25 << 0.0 << 0.0;
        QTest::newRow("help, medium") << 11520.0 << Factory(makeSp_info) << 9.75 << 0.0 << 0.0;
        QTest::newRow("about, medium") << 11520.0 << Factory(makeRL_info) << 9.75 << 0.0 << 0.0;
        QTest::newRow("help, exactly 12200") << 12200.0 << Factory(makeBk_info) << 9.6 << 0.0 << 0.0;
    }

    void screenClassSetsFontAndSize()
    {
        QFETCH(double, screenWidth);
        QFETCH(Factory, factory);
        QFETCH(double, points);
        QFETCH(double, width);
        QFETCH(double, height);
        ScopedScreen screen(screenWidth, screenWidth * 0.75);
        InfoWindow* window = showWindow(factory());
        QVERIFY(window);
        QCOMPARE(window->textField()->font().pointSizeF(), points);
        if (width == 0)
            return;
        const double pixel = forms::pixelsToTwips(1);
        QVERIFY2(std::abs(window->outerWidthTwips() - width) <= pixel, qPrintable(QString::number(window->outerWidthTwips())));
        QVERIFY2(std::abs(window->outerHeightTwips() - height) <= pixel, qPrintable(QString::number(window->outerHeightTwips())));
        QCOMPARE(window->frameGeometry().size(), QSize(qRound(forms::twipsToPixels(width)), qRound(forms::twipsToPixels(height))));
    }

    // On this test's screen, with the fonts the windows really get. A help
    // text passes the focus on, so it never shows a caret; the about text may
    // be selected from the keyboard.
    void everyLineFitsItsFieldAndEscapeCloses_data()
    {
        QTest::addColumn<Factory>("factory");
        QTest::addColumn<bool>("caret");
        QTest::newRow("RL_info") << Factory(makeRL_info) << true;
        QTest::newRow("sp_info") << Factory(makeSp_info) << false;
        QTest::newRow("lens_info") << Factory(makeLens_info) << false;
        QTest::newRow("bk_info") << Factory(makeBk_info) << false;
    }

    void everyLineFitsItsFieldAndEscapeCloses()
    {
        QFETCH(Factory, factory);
        QFETCH(bool, caret);
        QPointer<InfoWindow> window = showWindow(factory());
        QVERIFY(window && QTest::qWaitForWindowActive(window));
        QPlainTextEdit* field = window->textField();
        QVERIFY2(widestLine(*field) <= textRoom(*field),
                 qPrintable(QStringLiteral("%1 > %2").arg(widestLine(*field)).arg(textRoom(*field))));
        QCOMPARE(field->horizontalScrollBar()->maximum(), 0);
        // The frame the test screen simulates is part of the outer size that fits the screen.
        QVERIFY(window->frameGeometry().right() < window->screen()->geometry().width());
        QVERIFY(window->frameGeometry().bottom() < window->screen()->geometry().height());
        QTest::mouseClick(field->viewport(), Qt::LeftButton, {}, QPoint(40, 40));
        if (!caret) {
            QTest::keyClick(field, Qt::Key_Tab);
            field->setFocus();
        }
        QCOMPARE(QApplication::focusWidget(), caret ? field : window->focusSink());
        QCOMPARE(window->focusSink() == nullptr, caret);
        QCOMPARE(bool(field->textInteractionFlags() & Qt::TextSelectableByKeyboard), caret);
        QVERIFY(!field->textCursor().hasSelection());
        QTest::keyClick(window, Qt::Key_Escape);
        flushDeletions();
        QVERIFY(window.isNull());
    }

    void placedByScreenFractions()
    {
        ScopedScreen screen(19200, 14400);
        InfoWindow* window = showWindow(makeSp_info());
        QVERIFY(window);
        const QPoint at = window->frameGeometry().topLeft();
        const double pixel = forms::pixelsToTwips(1);
        QVERIFY(std::abs(forms::pixelsToTwips(at.x()) - 0.75 * (19200 - window->outerWidthTwips())) <= pixel);
        QVERIFY(std::abs(forms::pixelsToTwips(at.y()) - 0.75 * (14400 - window->outerHeightTwips())) <= pixel);
        QCOMPARE(window->windowTitle(), QString("Hinweise zum Programm "));
    }
};

QTEST_MAIN(InfoWindowTest)
#include "info_window_test.moc"
