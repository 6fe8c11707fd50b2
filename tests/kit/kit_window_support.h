#pragma once

#include "forms/picture_box.h"
#include "kit/bk_form.h"

#include <QComboBox>
#include <QImage>

// Driving the kit window as a user would, for the window tests.
namespace kitwin {

// Through the kit box, opening it first when it is closed.
inline void add(bk_form& form, kit::Kind kind)
{
    if (form.KitOpen % 2 == 0)
        form.BaukastenButton_Click();
    switch (kind) {
    case kit::Kind::Converging: form.Sammelpicture_Click(); break;
    case kit::Kind::Diverging: form.StreuPicture_Click(); break;
    case kit::Kind::Eye: form.AugPicture_Click(); break;
    case kit::Kind::None: break;
    }
}

inline void move(bk_form& form, double x, double y) { form.Picture1_MouseMove(0, 0, float(x), float(y)); }

inline void click(bk_form& form, double x, double y)
{
    move(form, x, y);
    form.Picture1_MouseDown(1, 0, float(x), float(y));
    form.Picture1_MouseUp(1, 0, float(x), float(y));
}

inline void drag(bk_form& form, double fromX, double fromY, double toX, double toY)
{
    move(form, fromX, fromY);
    form.Picture1_MouseDown(1, 0, float(fromX), float(fromY));
    form.Picture1_MouseMove(1, 0, float(toX), float(toY));
    form.Picture1_MouseUp(1, 0, float(toX), float(toY));
}

// As Qt delivers it: press, release, double click, release.
inline void doubleClick(bk_form& form, double x, double y)
{
    click(form, x, y);
    form.Picture1_DblClick();
    form.Picture1_MouseUp(1, 0, float(x), float(y));
}

// On element k's body, between its faces.
inline void openPanel(bk_form& form, int k)
{
    doubleClick(form, (form.system().ElemX[k] + form.system().ElemX[k + 1]) / 2, 0);
}

inline void chooseObject(bk_form& form, kit::ObjectMode mode)
{
    form.objekte->setCurrentIndex(static_cast<int>(mode));
    form.objekte_Click();
}

inline QImage canvas(const bk_form& form) { return form.Picture1->canvas().copy(); }

} // namespace kitwin
