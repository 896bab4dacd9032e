#include <window/application_setup.h>
#include <window/first_frame_probe.h>
#include <window/main_window.h>

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    quenvale::setUpApplication(app);
    quenvale::MainWindow window;
    quenvale::FirstFrameProbe::attachIfRequested(window);
    window.load();
    window.show();
    return QApplication::exec();
}
