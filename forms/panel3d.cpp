#include "forms/panel3d.h"

namespace forms {

Panel3D::Panel3D(QWidget* parent, Bevel bevel)
    : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | (bevel == Bevel::Raised ? QFrame::Raised : QFrame::Sunken));
    setLineWidth(2);
    setAutoFillBackground(true);
}

} // namespace forms
