#include "help/info_window.h"

#include "forms/fonts.h"
#include "forms/geometry.h"
#include "forms/screen.h"
#include "help/info_texts.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

struct InfoDesign {
    const char* name;
    const char* caption;
    double clientWidth;
    double clientHeight;
    double smallFieldHeight; // help windows on small screens
    double focusBoxLeft;     // help windows only
    double placeX;
    double placeY;
    const std::vector<InfoLine>& (*lines)();
};

const InfoDesign& design(InfoWindow::Kind kind)
{
    static const InfoDesign about{"RL_info", "Informationen zu RayLore", 8445, 4470, 0, 0, 0.9, 0.9, aboutLines};
    static const InfoDesign mirror{"sp_info", "Hinweise zum Programm ", 9735, 6240, 4800, 9480, 0.75, 0.75,
                                   mirrorHelpLines};
    static const InfoDesign lens{"lens_info", "Hinweise zum Programm", 9720, 6240, 5000, 9480, 0.6, 0.7,
                                 lensHelpLines};
    static const InfoDesign kit{"bk_info", "Hinweise zum Programm", 9270, 6240, 5000, 9000, 0.6, 0.7, kitHelpLines};
    switch (kind) {
    case InfoWindow::Kind::MirrorHelp: return mirror;
    case InfoWindow::Kind::LensHelp: return lens;
    case InfoWindow::Kind::KitHelp: return kit;
    case InfoWindow::Kind::About: break;
    }
    return about;
}

constexpr double kDesignPoints = 8.25;
// On small screens help fields become 8000 wide, the about window 7300 x 4000.
constexpr double kSmallHelpWidth = 8000;
constexpr double kSmallAboutWidth = 7300;
constexpr double kSmallAboutHeight = 4000;
constexpr double kCaptionAllowance = 300;

} // namespace

InfoWindow::InfoWindow(Kind kind)
    : InfoText(new QPlainTextEdit(client()))
{
    const InfoDesign& d = design(kind);
    const bool help = kind != Kind::About;
    setObjectName(d.name);
    setWindowTitle(QString::fromUtf8(d.caption));
    setClientSizeTwips(d.clientWidth, d.clientHeight);
    closeOnEscape();

    auto* fill = new QVBoxLayout(client());
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(InfoText);
    InfoText->setObjectName("InfoText");
    InfoText->setAccessibleName(windowTitle());
    InfoText->verticalScrollBar()->setAccessibleName(QString::fromUtf8("Text blättern"));
    InfoText->horizontalScrollBar()->setAccessibleName(QString::fromUtf8("Text seitlich blättern"));
    InfoText->setFont(forms::sansSerifNarrow(kDesignPoints));
    InfoText->setLineWrapMode(QPlainTextEdit::NoWrap);
    InfoText->setReadOnly(true);
    InfoText->setFrameShape(help ? QFrame::Box : QFrame::NoFrame);
    InfoText->setVerticalScrollBarPolicy(help ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);

    if (help) {
        FocusBox = new QWidget(client());
        FocusBox->setObjectName("FocusBox");
        FocusBox->setFocusPolicy(Qt::StrongFocus);
        forms::setGeometryTwips(FocusBox, {d.focusBoxLeft, 0, 12, 12});
        FocusBox->lower();
        InfoText->setTextInteractionFlags(Qt::NoTextInteraction);
        InfoText->installEventFilter(this);
    } else {
        InfoText->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }

    const double screenWidth = forms::Screen::widthTwips();
    const bool small = forms::Screen::isSmall();

    if (small) {
        if (help)
            setOuterSizeTwips(kSmallHelpWidth, d.smallFieldHeight + kCaptionAllowance);
        else
            setOuterSizeTwips(kSmallAboutWidth, kSmallAboutHeight);
    }

    if (screenWidth > forms::Screen::kSmallBelow && screenWidth < forms::Screen::kWideFrom)
        InfoText->setFont(forms::sansSerifNarrow(9.75));
    else if (help)
        InfoText->setFont(forms::sansSerifNarrow(9.6));

    const double placeY = !help && small ? 0.8 : d.placeY;
    placeOnScreen(d.placeX, placeY);

    // Tab stops eight average characters apart line up the padded first column.
    InfoText->setTabStopDistance(8 * QFontMetricsF(InfoText->font()).averageCharWidth());
    InfoText->setPlainText(assembleInfoText(d.lines(), !help));
}

bool InfoWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && watched == InfoText)
        FocusBox->setFocus(Qt::OtherFocusReason);
    return forms::Form::eventFilter(watched, event);
}

InfoWindow* makeRL_info() { return new InfoWindow(InfoWindow::Kind::About); }
InfoWindow* makeSp_info() { return new InfoWindow(InfoWindow::Kind::MirrorHelp); }
InfoWindow* makeLens_info() { return new InfoWindow(InfoWindow::Kind::LensHelp); }
InfoWindow* makeBk_info() { return new InfoWindow(InfoWindow::Kind::KitHelp); }
