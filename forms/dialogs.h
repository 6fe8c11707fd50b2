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
};

// Modal box with the information icon and one OK button.
void information(const QString& text, const QString& title);
void beep();
// A refused action: a beep, then the box titled "Anwendungsfehler".
void refuse(const QString& text);

// Returns the previous sink; nullptr restores the real dialogs.
DialogSink* setDialogSink(DialogSink* sink);

} // namespace forms
