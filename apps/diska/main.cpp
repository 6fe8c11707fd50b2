#include "disk/dk_form.h"
#include "forms/fonts.h"
#include "forms/projector_view.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    forms::installFontSubstitutions();
    forms::readViewSetting(app.arguments());
    auto* window = new DKForm;
    window->showModeless();
    return app.exec();
}
