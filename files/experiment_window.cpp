#include "files/experiment_window.h"

#include "forms/dialogs.h"
#include "forms/form.h"

#include <QAction>

namespace files {
namespace {

const QString kOpenTitle = QString::fromUtf8("Versuch öffnen");

std::function<void(const Opened&)>& programOpener()
{
    static std::function<void(const Opened&)> opener;
    return opener;
}
const QString kSaveTitle = QStringLiteral("Versuch speichern");

void save(ExperimentWindow& window, const Kind& kind)
{
    QString path = forms::saveFileName(kSaveTitle, kind.filter());
    if (path.isEmpty())
        return;
    if (!path.endsWith('.' + kind.suffix))
        path += '.' + kind.suffix;
    const QString error = writeExperiment(path, kind, window.simulation(), window.experimentFields());
    if (!error.isEmpty())
        forms::warning(error, kSaveTitle);
}

QAction* action(forms::Form& form, const QString& text, const QKeySequence& keys)
{
    auto* a = new QAction(text, &form);
    a->setShortcut(keys);
    a->setShortcutContext(Qt::WindowShortcut);
    form.addAction(a);
    return a;
}

} // namespace

std::optional<Opened> askAndRead(const Kind& kind)
{
    const QString path = forms::openFileName(kOpenTitle, kind.filter());
    if (path.isEmpty())
        return std::nullopt;
    Opened opened = readExperiment(path, kind);
    if (!opened.error.isEmpty())
        forms::warning(opened.error, kOpenTitle);
    return opened;
}

bool showOpened(forms::Form& form, ExperimentWindow& window, const Opened& opened)
{
    const QString error = window.showExperimentFields(opened.fields);
    if (!error.isEmpty()) {
        forms::warning(error, kOpenTitle);
        return false;
    }
    if (!form.isActiveWindow())
        form.keepThroughNextActivation();
    return true;
}

void setProgramOpener(std::function<void(const Opened&)> opener) { programOpener() = std::move(opener); }

void addExperimentActions(forms::Form& form, ExperimentWindow& window, const Kind& kind)
{
    QObject::connect(action(form, QString::fromUtf8("Versuch speichern …"), QKeySequence::Save), &QAction::triggered,
                     &form, [&window, kind] { save(window, kind); });
    QObject::connect(action(form, QString::fromUtf8("Versuch öffnen …"), QKeySequence::Open), &QAction::triggered,
                     &form, [&form, &window, kind] {
                         const std::optional<Opened> opened = askAndRead(kind);
                         if (!opened || !opened->error.isEmpty())
                             return;
                         if (opened->simulation == window.simulation())
                             showOpened(form, window, *opened);
                         else if (programOpener())
                             programOpener()(*opened);
                         else
                             forms::warning(QString::fromUtf8("Die Simulation „%1“ im Feld „simulation“ ist unbekannt.")
                                                .arg(opened->simulation),
                                            kOpenTitle);
                     });
}

} // namespace files
