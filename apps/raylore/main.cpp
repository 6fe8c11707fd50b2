#include "forms/fonts.h"
#include "launcher/rl_form.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    forms::installFontSubstitutions();
    auto* launcher = new RL_Form;
    launcher->showModeless();
    return app.exec();
}
