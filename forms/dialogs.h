#pragma once

#include <QString>

namespace forms {

// Where message boxes and beeps go. Tests install a recording sink so that
// nothing ever blocks on a modal box.
class DialogSink {
public:
    virtual ~DialogSink() = default;
    virtual void information(const QString& text, const QString& title) = 0;
    virtual void beep() = 0;
    // A sink that does not record these sees a warning as information and
    // every file dialog cancelled.
    virtual void warning(const QString& text, const QString& title) { information(text, title); }
    // The standard file dialogs; an empty name when the user cancels.
    virtual QString openFileName(const QString& /*title*/, const QString& /*filter*/) { return {}; }
    virtual QString saveFileName(const QString& /*title*/, const QString& /*filter*/) { return {}; }
};

// Modal box with the information icon and one OK button.
void information(const QString& text, const QString& title);
// The same with the warning icon.
void warning(const QString& text, const QString& title);
QString openFileName(const QString& title, const QString& filter);
QString saveFileName(const QString& title, const QString& filter);
void beep();
// A refused action: a beep, then the box titled "Anwendungsfehler".
void refuse(const QString& text);

// Returns the previous sink; nullptr restores the real dialogs.
DialogSink* setDialogSink(DialogSink* sink);

} // namespace forms
