#include "forms/fonts.h"
#include "forms/projector_view.h"
#include "kit/bk_form.h"
#include "launcher/rl_form.h"
#include "lens/lens_form.h"
#include "mirror/sp_form.h"

#include <QApplication>
#include <QRegularExpression>
#include <QTimer>
#include <QWindow>

#include <memory>
#include <utility>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    forms::installFontSubstitutions();
    forms::readViewSetting(app.arguments());
    auto* launcher = new RL_Form;
    launcher->registry().add(1, [] { return new sp_form; });
    launcher->registry().add(2, [] { return new lens_form; });
    launcher->registry().add(3, [] { return new bk_form; });
    launcher->showModeless();
    // "raylore FILE": the experiment opens once the window manager has made the
    // launcher active. Opened earlier, the launcher's late activation comes
    // between the simulation window's first activation and its next one, which
    // resets the simulation. Without a window manager to answer, after a second.
    const QStringList arguments = app.arguments().mid(1).filter(QRegularExpression("^(?!--)"));
    if (!arguments.isEmpty()) {
        auto openOnce = [launcher, path = arguments.first(), done = std::make_shared<bool>(false)] {
            if (std::exchange(*done, true))
                return;
            launcher->openExperimentFile(path);
        };
        QObject::connect(
            &app, &QGuiApplication::focusWindowChanged, launcher,
            [launcher, openOnce](QWindow* focused) {
                if (focused && focused == launcher->windowHandle())
                    QTimer::singleShot(0, launcher, openOnce);
            },
            Qt::QueuedConnection);
        QTimer::singleShot(1000, launcher, openOnce);
    }
    return app.exec();
}
