// A window of quenvale's size with one Japanese label and nothing else:
// what any Qt Widgets program that shows Japanese text pays to start.

#include <form/control_table.h>
#include <window/first_frame_probe.h>
#include <window/twips.h>

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(
        quenvale::twipsToPixels(quenvale::kClientWidthTwips, window.logicalDpiX()),
        quenvale::twipsToPixels(quenvale::kClientHeightTwips, window.logicalDpiY()));
    QLabel label(QStringLiteral(u"計算結果"), &window);
    label.move(8, 8);
    quenvale::FirstFrameProbe::attachIfRequested(window);
    window.show();
    return QApplication::exec();
}
