#include "disk/dk_form.h"
#include "forms/fonts.h"
#include "forms/projector_view.h"

#include <QApplication>
#include <QRegularExpression>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    forms::installFontSubstitutions();
    forms::readViewSetting(app.arguments());
    auto* window = new DKForm;
    window->showModeless();
    // "diska FILE": the experiment opens once the window is up.
    const QStringList arguments = app.arguments().mid(1).filter(QRegularExpression("^(?!--)"));
    if (!arguments.isEmpty())
        QTimer::singleShot(0, window, [window, path = arguments.first()] { window->openExperimentFile(path); });
    return app.exec();
}
