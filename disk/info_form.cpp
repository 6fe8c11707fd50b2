#include "disk/info_form.h"

#include "forms/fonts.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {
constexpr double kClientWidth = 7320;
constexpr double kClientHeight = 4440;
} // namespace

QString diskaHelpText()
{
    static const char* const lines[] = {
        "",
        "'Diska' simuliert die Brechung eines Lichtstrahls an einer",
        "ebenen Grenzfläche eines Glaskörpers, der auf einer optischen Scheibe",
        "angebracht ist. Bei Anklicken des zweiten Quadrantens der optischen ",
        "Scheibe wird ein Lichtstrahl gezeichnet, dessen Einfallswinkel sich ",
        "durch Ziehen mit der Maus variieren läßt.",
        "",
        "In der Grafik links unten wird der Brechungswinkel als Funktion des ",
        "Einfallswinkels aufgetragen. In der Einstellung 'einzelne Werte' ",
        "erscheinen bei Loslassen der Maustaste einzelne Punkte in der Grafik,",
        "in der Einstellung 'kontinuierlich' werden Punkte für alle Winkel ",
        "eingezeichnet, die der Strahl beim Ziehen mit der Maus durchlaufen hat.",
        "",
        "Für kleine Winkel ist der Brechungswinkel direkt proportional zum ",
        "Einfallswinkel, für große Einfallswinkel geht die Proportionalität ",
        "verloren. Dies läßt sich durch Einblenden einer entsprechenden Geraden ",
        "verdeutlichen.",
    };
    QString text;
    for (const char* line : lines)
        text += QString::fromUtf8(line) + QStringLiteral("\r\n");
    return text;
}

info_form::info_form()
    : Text1(new QPlainTextEdit(client()))
{
    setObjectName("info_form");
    setWindowTitle("Hinweise zu Diska");
    setClientSizeTwips(kClientWidth, kClientHeight);
    closeOnEscape();
    auto* fill = new QVBoxLayout(client());
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(Text1);
    Text1->setObjectName("Text1");
    Text1->setAccessibleName(windowTitle());
    Text1->verticalScrollBar()->setAccessibleName(QString::fromUtf8("Text blättern"));
    Text1->horizontalScrollBar()->setAccessibleName(QString::fromUtf8("Text seitlich blättern"));
    Text1->setFrameShape(QFrame::NoFrame);
    Text1->setFont(forms::sansSerifNarrow(8.25, true));
    Text1->setReadOnly(true);
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1->setPlainText(diskaHelpText());
}
