#include "forms/option_button.h"

namespace forms {

OptionButton::OptionButton(const QString& caption, QWidget* parent)
    : QRadioButton(caption, parent)
{
}

void OptionButton::select()
{
    if (isChecked())
        return;
    setChecked(true);
    emit clicked(true);
}

} // namespace forms
