#include "forms/fonts.h"
#include "forms/projector_view.h"
#include "kit/bk_form.h"
#include "launcher/rl_form.h"
#include "lens/lens_form.h"
#include "mirror/sp_form.h"

#include <QApplication>
#include <QRegularExpression>
#include <QTimer>

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
    // "raylore FILE": the experiment opens once the launcher is up.
    const QStringList arguments = app.arguments().mid(1).filter(QRegularExpression("^(?!--)"));
    if (!arguments.isEmpty())
        QTimer::singleShot(0, launcher, [launcher, path = arguments.first()] { launcher->openExperimentFile(path); });
    return app.exec();
}
