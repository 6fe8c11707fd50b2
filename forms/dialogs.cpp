#include "forms/dialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace forms {
namespace {

class RealDialogs final : public DialogSink {
public:
    void information(const QString& text, const QString& title) override
    {
        QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, QApplication::activeWindow());
        box.exec();
    }
    void beep() override { QApplication::beep(); }
};

RealDialogs realDialogs;
DialogSink* current = &realDialogs;

} // namespace

void information(const QString& text, const QString& title) { current->information(text, title); }
void beep() { current->beep(); }

void refuse(const QString& text)
{
    beep();
    information(text, QStringLiteral("Anwendungsfehler"));
}

DialogSink* setDialogSink(DialogSink* sink)
{
    DialogSink* previous = current == &realDialogs ? nullptr : current;
    current = sink ? sink : &realDialogs;
    return previous;
}

} // namespace forms
