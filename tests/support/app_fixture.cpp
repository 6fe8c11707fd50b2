#include "tests/support/app_fixture.h"

#include "forms/fonts.h"
#include "forms/form.h"
#include "forms/projector_view.h"

#include <QApplication>
#include <QEvent>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {
RecordingDialogs* innermost = nullptr;
}

RecordingDialogs::RecordingDialogs()
    : previous_(forms::setDialogSink(this))
    , outer_(innermost)
{
    innermost = this;
}

RecordingDialogs::~RecordingDialogs()
{
    forms::setDialogSink(previous_);
    innermost = outer_;
}

RecordingDialogs* RecordingDialogs::current() { return innermost; }

void RecordingDialogs::information(const QString& text, const QString& title) { messages.push_back({text, title}); }
void RecordingDialogs::warning(const QString& text, const QString& title) { messages.push_back({text, title, true}); }

QString RecordingDialogs::openFileName(const QString& title, const QString& filter)
{
    fileDialogs << title + '|' + filter;
    return fileName;
}

QString RecordingDialogs::saveFileName(const QString& title, const QString& filter)
{
    fileDialogs << title + '|' + filter;
    return fileName;
}
void RecordingDialogs::beep() { ++beeps; }

ScopedScreen::ScopedScreen(double widthTwips, double heightTwips)
{
    forms::Screen::overrideSizeTwips(widthTwips, heightTwips);
}

ScopedScreen::~ScopedScreen() { forms::Screen::clearOverride(); }

bool smallScreen() { return forms::Screen::isSmall(); }
bool mediumScreen() { return !smallScreen() && forms::Screen::widthTwips() < forms::Screen::kWideFrom; }

void prepareWindowTests()
{
    forms::installFontSubstitutions();
    // Nothing a test remembers reaches a user's settings or the next test, nor
    // a test program running beside it: each process has a folder of its own.
    QStandardPaths::setTestModeEnabled(true);
    static const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QSettings(QStringLiteral("RayLore"), QStringLiteral("RayLore")).clear();
    forms::readViewSetting({});
}

void WindowTest::initTestCase() { prepareWindowTests(); }
void WindowTest::cleanup() { closeAllWindows(); }

ScopedProjectorView::ScopedProjectorView(bool on)
{
    forms::setProjectorView(on);
    settle();
}

ScopedProjectorView::~ScopedProjectorView()
{
    forms::setProjectorView(false);
    settle();
}

void redrawnInView(bool projector)
{
    forms::setProjectorView(!projector);
    forms::setProjectorView(projector);
    settle();
}

void settle() { QCoreApplication::processEvents(); }

void flushDeletions()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void closeAllWindows()
{
    QApplication::closeAllWindows();
    flushDeletions();
}

void activateFromAnotherWindow(QWidget* window)
{
    forms::Form other;
    other.setAttribute(Qt::WA_DeleteOnClose, false);
    other.resize(40, 30);
    other.show();
    QApplication::setActiveWindow(&other);
    QApplication::setActiveWindow(window);
}

void activateFromAnotherProgram(QWidget* window)
{
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(window);
}
