#include "disk/dk_form.h"
#include "forms/fonts.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    forms::installFontSubstitutions();
    auto* window = new DKForm;
    window->showModeless();
    return app.exec();
}
