#pragma once

#include "forms/dialogs.h"
#include "forms/screen.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTest>

#include <vector>

// Records message boxes and beeps instead of showing them, while it lives.
class RecordingDialogs final : public forms::DialogSink {
public:
    struct Message {
        QString text;
        QString title;
        bool warning = false;
    };

    RecordingDialogs();
    ~RecordingDialogs() override;
    // The innermost sink alive, or nullptr.
    static RecordingDialogs* current();
    RecordingDialogs(const RecordingDialogs&) = delete;
    RecordingDialogs& operator=(const RecordingDialogs&) = delete;

    void information(const QString& text, const QString& title) override;
    void warning(const QString& text, const QString& title) override;
    void beep() override;
    // Answers every file dialog with `fileName`, and notes its title and filter.
    QString openFileName(const QString& title, const QString& filter) override;
    QString saveFileName(const QString& title, const QString& filter) override;

    std::vector<Message> messages;
    int beeps = 0;
    QString fileName;
    QStringList fileDialogs; // "title|filter" of each dialog asked

private:
    forms::DialogSink* previous_;
    RecordingDialogs* outer_;
};

// Pretends the screen has the given size in twips, while it lives.
class ScopedScreen {
public:
    ScopedScreen(double widthTwips, double heightTwips);
    ~ScopedScreen();
    ScopedScreen(const ScopedScreen&) = delete;
    ScopedScreen& operator=(const ScopedScreen&) = delete;
};

// The screen classes windows lay themselves out by.
bool smallScreen();  // narrower than 10000 twips
bool mediumScreen(); // 10000 up to 12200 twips

// Font substitutions and a private, empty settings file for every window
// test; call once from initTestCase.
void prepareWindowTests();

// Switches the projector view on or off for as long as it lives, as Ctrl+B
// would, and lets the windows redraw.
class ScopedProjectorView {
public:
    explicit ScopedProjectorView(bool on = true);
    ~ScopedProjectorView();
    ScopedProjectorView(const ScopedProjectorView&) = delete;
    ScopedProjectorView& operator=(const ScopedProjectorView&) = delete;
};

// Switches the view away and back, as Ctrl+B twice would: every window draws
// every figure again whole, in one order.
void redrawnInView(bool projector);

// Lets queued work run: the repair after erasing and the repaint it asks for.
void settle();

// Delivers pending deferred deletions, so closed windows are really gone.
void flushDeletions();

// Closes every window a test opened and lets them go.
void closeAllWindows();

// Hands the focus to another window of the program and back to `window`, as
// a click on the launcher or a help window and back would.
void activateFromAnotherWindow(QWidget* window);
// Hands the focus to another program and back to `window`.
void activateFromAnotherProgram(QWidget* window);

// What every window test does around its functions: the fonts and settings
// of prepareWindowTests once, and no window left over from one function to
// the next. Derive the test class from it; a class with a cleanup of its own
// calls closeAllWindows there.
class WindowTest : public QObject {
    Q_OBJECT

protected slots:
    void initTestCase();
    void cleanup();
};

// Shows a window as the launcher would; null if it never showed.
template <typename Window> Window* showWindow(Window* window)
{
    window->showModeless();
    return QTest::qWaitForWindowExposed(window) ? window : nullptr;
}

// Opens a fresh window as the launcher would; null if it never showed.
template <typename Window> Window* openWindow() { return showWindow(new Window); }
