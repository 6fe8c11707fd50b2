#include "forms/dialogs.h"

#include <QApplication>
#include <QFileDialog>
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
    void warning(const QString& text, const QString& title) override
    {
        QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, QApplication::activeWindow());
        box.exec();
    }
    void beep() override { QApplication::beep(); }
    QString openFileName(const QString& title, const QString& filter) override
    {
        return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, QString(), filter);
    }
    QString saveFileName(const QString& title, const QString& filter) override
    {
        return QFileDialog::getSaveFileName(QApplication::activeWindow(), title, QString(), filter);
    }
};

RealDialogs realDialogs;
DialogSink* current = &realDialogs;

} // namespace

void information(const QString& text, const QString& title) { current->information(text, title); }
void warning(const QString& text, const QString& title) { current->warning(text, title); }
QString openFileName(const QString& title, const QString& filter) { return current->openFileName(title, filter); }
QString saveFileName(const QString& title, const QString& filter) { return current->saveFileName(title, filter); }
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
