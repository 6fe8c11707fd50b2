#pragma once

#include <QRadioButton>

namespace forms {

// An option button whose clicked signal also fires when code selects it while
// it was not selected, as the windows' mode switches rely on.
class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    OptionButton(const QString& caption, QWidget* parent);

    void select();
};

} // namespace forms
