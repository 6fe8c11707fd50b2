#pragma once

#include "forms/form.h"

class QPlainTextEdit;

// The about window and the three help windows: one multi-line text field that
// fills the window. The help windows keep the keyboard focus away from their
// text, so no caret or selection ever shows in it.
class InfoWindow : public forms::Form {
    Q_OBJECT
public:
    enum class Kind { About, MirrorHelp, LensHelp, KitHelp };

    explicit InfoWindow(Kind kind);

    QPlainTextEdit* textField() const { return InfoText; }
    QWidget* focusSink() const { return FocusBox; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* InfoText;
    QWidget* FocusBox = nullptr;
};

// The windows under the names the simulations know them by.
InfoWindow* makeRL_info();
InfoWindow* makeSp_info();
InfoWindow* makeLens_info();
InfoWindow* makeBk_info();
