#include "forms/option_button.h"

namespace forms {

OptionButton::OptionButton(const QString& caption, QWidget* parent)
    : QRadioButton(caption, parent)
{
    connect(this, &QRadioButton::clicked, this, &OptionButton::click);
}

void OptionButton::select()
{
    if (isChecked())
        return;
    setChecked(true);
    emit click();
}

} // namespace forms
