#include "tests/support/form_fuzzer.h"

#include "forms/form.h"
#include "forms/picture_box.h"
#include "forms/projector_view.h"
#include "forms/screen.h"
#include "tests/support/app_fixture.h"
#include "tests/support/pixels.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <deque>
#include <random>

namespace {

// A rare control is offered to the fuzzer once in this many picks.
constexpr int kRareOdds = 12;
constexpr std::size_t kRecentEvents = 12;

class Fuzzer {
public:
    Fuzzer(const FuzzTarget& target, quint64 seed)
        : target_(target)
        , rng_(seed)
    {
    }

    FuzzResult run(int events);

private:
    int roll(int below) { return std::uniform_int_distribution<int>(0, below - 1)(rng_); }
    bool chance(int percent) { return roll(100) < percent; }
    double uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(rng_); }
    template <typename T> T* pickUsable();

    // The last events, for the report of a failure.
    void note(const QString& what)
    {
        recent_.push_back(what);
        if (recent_.size() > kRecentEvents)
            recent_.pop_front();
    }
    void step();
    void mouse();
    void clickButton();
    void scroll();
    void typeText();
    void key();
    void resize();
    QString check();

    Qt::MouseButton randomButton();
    Qt::KeyboardModifiers randomModifiers();
    QPointF randomPosition(const QWidget* box);
    void sendMouse(QWidget* box, QEvent::Type type, QPointF pos, Qt::MouseButton button,
                   Qt::KeyboardModifiers modifiers);

    const FuzzTarget& target_;
    std::mt19937_64 rng_;
    QPointer<forms::Form> form_;
    Qt::MouseButtons held_ = Qt::NoButton;
    QPointer<forms::PictureBox> grab_;
    std::deque<QString> recent_;
    bool modalSeen_ = false;
    QString releaseFault_;
};

template <typename T> T* Fuzzer::pickUsable()
{
    QList<T*> candidates;
    for (T* w : form_->findChildren<T*>()) {
        if (!w->isVisible() || !w->isEnabled())
            continue;
        if (target_.rareControls.contains(w->objectName()) && roll(kRareOdds) != 0)
            continue;
        candidates.append(w);
    }
    return candidates.isEmpty() ? nullptr : candidates[roll(static_cast<int>(candidates.size()))];
}

Qt::MouseButton Fuzzer::randomButton()
{
    const int r = roll(10);
    return r < 6 ? Qt::LeftButton : r < 9 ? Qt::RightButton : Qt::MiddleButton;
}

Qt::KeyboardModifiers Fuzzer::randomModifiers()
{
    const int r = roll(100);
    if (r < 70)
        return Qt::NoModifier;
    if (r < 85)
        return Qt::ShiftModifier;
    if (r < 90)
        return Qt::ControlModifier;
    if (r < 95)
        return Qt::AltModifier;
    return Qt::ShiftModifier | (chance(50) ? Qt::ControlModifier : Qt::AltModifier);
}

// Mostly inside; about a tenth on an edge or a few pixels beyond it.
QPointF Fuzzer::randomPosition(const QWidget* box)
{
    const double w = box->width();
    const double h = box->height();
    QPointF p(uniform(0, w), uniform(0, h));
    if (chance(10)) {
        const double beyond = uniform(-4, 1);
        switch (roll(4)) {
        case 0: p.setX(beyond); break;
        case 1: p.setX(w - 1 - beyond); break;
        case 2: p.setY(beyond); break;
        default: p.setY(h - 1 - beyond); break;
        }
    }
    return p;
}

void Fuzzer::sendMouse(QWidget* box, QEvent::Type type, QPointF pos, Qt::MouseButton button,
                       Qt::KeyboardModifiers modifiers)
{
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
        held_ |= button;
    else if (type == QEvent::MouseButtonRelease)
        held_ &= ~Qt::MouseButtons(button);
    QMouseEvent event(type, pos, box->mapToGlobal(pos), button, held_, modifiers);
    QApplication::sendEvent(box, &event);
    if (type == QEvent::MouseButtonRelease && form_ && releaseFault_.isEmpty())
        releaseFault_ = target_.afterRelease(*form_);
}

void Fuzzer::mouse()
{
    // While a button is held, Qt sends every mouse event to the pressed widget.
    if (held_ == Qt::NoButton || !grab_ || !grab_->isVisible())
        grab_ = pickUsable<forms::PictureBox>();
    forms::PictureBox* box = grab_;
    if (!box)
        return;
    QPointer<forms::PictureBox> guard(box);
    const QPointF pos = randomPosition(box);
    const Qt::KeyboardModifiers mods = randomModifiers();
    const int kind = roll(100);
    const QString where = QStringLiteral("%1 at (%2, %3) mods %4")
                              .arg(box->objectName())
                              .arg(pos.x(), 0, 'f', 1)
                              .arg(pos.y(), 0, 'f', 1)
                              .arg(int(mods));
    if (kind < 25) {
        const Qt::MouseButton button = randomButton();
        note(QStringLiteral("press %1 %2").arg(int(button)).arg(where));
        sendMouse(box, QEvent::MouseButtonPress, pos, button, mods);
    } else if (kind < 45) {
        Qt::MouseButton button = randomButton();
        for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
            if (held_ & b)
                button = b;
        note(QStringLiteral("release %1 %2").arg(int(button)).arg(where));
        sendMouse(box, QEvent::MouseButtonRelease, pos, button, mods);
    } else if (kind < 92) {
        note(QStringLiteral("move %1").arg(where));
        sendMouse(box, QEvent::MouseMove, pos, Qt::NoButton, mods);
    } else {
        note(QStringLiteral("double click %1").arg(where));
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                        QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease})
            if (guard) // a click may have closed the window
                sendMouse(box, type, pos, Qt::LeftButton, mods);
    }
}

void Fuzzer::clickButton()
{
    QAbstractButton* button = pickUsable<QAbstractButton>();
    if (!button)
        return;
    note(QStringLiteral("click %1 '%2'").arg(button->objectName(), button->text()));
    button->click();
}

void Fuzzer::scroll()
{
    QScrollBar* bar = pickUsable<QScrollBar>();
    if (!bar)
        return;
    static const QAbstractSlider::SliderAction actions[] = {
        QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderSingleStepSub,
        QAbstractSlider::SliderPageStepAdd,   QAbstractSlider::SliderPageStepSub,
        QAbstractSlider::SliderToMinimum,     QAbstractSlider::SliderToMaximum,
    };
    const auto action = actions[roll(6)];
    note(QStringLiteral("scroll %1 action %2").arg(bar->parentWidget()->objectName()).arg(int(action)));
    bar->triggerAction(action);
}

void Fuzzer::typeText()
{
    QLineEdit* edit = pickUsable<QLineEdit>();
    if (!edit)
        return;
    static const QString alphabet = QStringLiteral("0123456789-+,.eE xyz");
    QString text;
    for (int i = roll(6); i >= 0; --i)
        text += alphabet[roll(static_cast<int>(alphabet.size()))];
    note(QStringLiteral("type '%1' into %2").arg(text, edit->objectName()));
    if (chance(30))
        QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void Fuzzer::key()
{
    static const Qt::Key keys[] = {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Tab, Qt::Key_Backtab,
                                   Qt::Key_Space,  Qt::Key_Shift, Qt::Key_Up,  Qt::Key_Down};
    const Qt::Key key = keys[roll(8)];
    QWidget* target = QApplication::focusWidget();
    if (!target || target->window() != form_)
        target = form_;
    note(QStringLiteral("key %1 to %2").arg(int(key)).arg(target->objectName()));
    QTest::keyClick(target, key);
}

void Fuzzer::resize()
{
    const int w = static_cast<int>(uniform(120, forms::twipsToPixels(forms::Screen::widthTwips())));
    const int h = static_cast<int>(uniform(100, forms::twipsToPixels(forms::Screen::heightTwips())));
    note(QStringLiteral("resize to %1 x %2").arg(w).arg(h));
    form_->resize(w, h);
}

// One event of a kind picked by these odds, in percent.
void Fuzzer::step()
{
    const std::pair<int, std::function<void()>> kinds[] = {
        {60, [this] { mouse(); }},
        {14, [this] { clickButton(); }},
        {8, [this] { scroll(); }},
        {3, [this] { typeText(); }},
        {5, [this] { key(); }},
        {4, [this] { resize(); }},
        {3,
         [this] {
             const bool program = chance(50);
             note(QStringLiteral("activate from another %1").arg(program ? "program" : "window"));
             program ? activateFromAnotherProgram(form_) : activateFromAnotherWindow(form_);
         }},
        // Ctrl+B, as any window of the program takes it, also in the middle of a drag.
        {1,
         [this] {
             note(QStringLiteral("switch the projector view"));
             form_->projectorAction()->trigger();
         }},
        {2,
         [this] {
             note(QStringLiteral("hide and show"));
             form_->hide();
             if (form_)
                 form_->show();
         }},
    };
    int r = roll(100);
    for (const auto& [odds, act] : kinds) {
        if (r < odds)
            return act();
        r -= odds;
    }
}

QString Fuzzer::check()
{
    if (modalSeen_)
        return QStringLiteral("a modal box opened for real instead of going to the dialog sink");
    if (!releaseFault_.isEmpty())
        return QStringLiteral("after a release: %1").arg(releaseFault_);
    if (!form_)
        return {};
    for (forms::PictureBox* box : form_->findChildren<forms::PictureBox*>()) {
        if (box->refusedFigures() > 0)
            return QStringLiteral("%1 was handed a non-finite figure").arg(box->objectName());
        if (const QString hole = holeInStayingFigures(*box); !hole.isEmpty())
            return hole;
    }
    return target_.invariant(*form_);
}

FuzzResult Fuzzer::run(int events)
{
    RecordingDialogs dialogs;
    QTimer watchdog;
    watchdog.setInterval(0);
    QObject::connect(&watchdog, &QTimer::timeout, [this] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modalSeen_ = true;
            modal->close();
        }
        // A menu popped up by a click (the menu bar's overflow button) waits in a loop of its own.
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    watchdog.start();

    FuzzResult result;
    for (int i = 0; i < events; ++i) {
        if (!form_) {
            held_ = Qt::NoButton;
            form_ = target_.open();
            note(QStringLiteral("open %1").arg(form_->objectName()));
        }
        step();
        QCoreApplication::sendPostedEvents();
        flushDeletions();
        result.eventsRun = i + 1;
        const QString broken = check();
        if (!broken.isEmpty()) {
            result.ok = false;
            result.failure = QStringLiteral("after event %1: %2\nlast events:\n  ").arg(i).arg(broken);
            for (const QString& e : recent_)
                result.failure += e + QStringLiteral("\n  ");
            break;
        }
    }
    result.messages = static_cast<int>(dialogs.messages.size());
    if (form_)
        form_->unload();
    forms::setProjectorView(false);
    flushDeletions();
    return result;
}

} // namespace

FuzzResult fuzzForm(const FuzzTarget& target, int events)
{
    bool seeded = false;
    quint64 seed = qEnvironmentVariable("RAYLORE_FUZZ_SEED").toULongLong(&seeded);
    if (!seeded)
        seed = std::random_device{}() * 0x100000000ull + std::random_device{}();
    bool counted = false;
    const int overridden = qEnvironmentVariableIntValue("RAYLORE_FUZZ_EVENTS", &counted);
    const int count = counted ? overridden : events;
    std::fprintf(stderr, "fuzz seed %llu (replay with RAYLORE_FUZZ_SEED=%llu), %d events\n",
                 static_cast<unsigned long long>(seed), static_cast<unsigned long long>(seed), count);
    std::fflush(stderr);

    Fuzzer fuzzer(target, seed);
    FuzzResult result = fuzzer.run(count);
    result.seed = seed;
    if (!result.ok)
        result.failure = QStringLiteral("seed %1, %2").arg(seed).arg(result.failure);
    return result;
}
