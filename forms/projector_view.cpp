#include "forms/projector_view.h"

#include "forms/form.h"

#include <QApplication>
#include <QSettings>

namespace forms {
namespace {

constexpr auto kKey = "beamer";

bool& current()
{
    static bool on = false;
    return on;
}

// Both programs read and write the same file.
QSettings settings() { return QSettings(QStringLiteral("RayLore"), QStringLiteral("RayLore")); }

} // namespace

bool projectorView() { return current(); }
int lineWeight() { return current() ? 3 : 1; }
double readoutScale() { return current() ? 1.5 : 1.0; }

void readViewSetting(const QStringList& arguments)
{
    current() = settings().value(kKey, false).toBool();
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--beamer"))
            current() = true;
        else if (argument == QLatin1String("--no-beamer"))
            current() = false;
    }
}

void setProjectorView(bool on)
{
    settings().setValue(kKey, on);
    if (on == current())
        return;
    current() = on;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<Form*>(widget))
            form->applyView();
}

} // namespace forms
