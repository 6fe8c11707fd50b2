#pragma once

#include <QFrame>

namespace forms {

// A plain container with a raised or sunken three-dimensional border.
class Panel3D : public QFrame {
    Q_OBJECT
public:
    enum class Bevel { Raised, Sunken };
    Panel3D(QWidget* parent, Bevel bevel = Bevel::Raised);
};

} // namespace forms
