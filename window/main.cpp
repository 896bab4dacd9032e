#include <window/application_setup.h>
#include <window/first_frame_probe.h>
#include <window/main_window.h>
#include <window/window_options.h>

#include <QApplication>

#include <cstdio>

namespace {

QStringList argumentList(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

int print(std::FILE* stream, const QString& text, int status) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    return std::fflush(stream) == 0 ? status : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    // Before QApplication, which would need a display.
    const quenvale::StartRequest request =
        quenvale::readStartRequest(argumentList(argc, argv), quenvale::environmentLanguage());
    switch (request.kind) {
    case quenvale::StartRequest::Kind::PrintHelp:
        return print(stdout, quenvale::helpText(request.language), 0);
    case quenvale::StartRequest::Kind::PrintVersion:
        return print(stdout, quenvale::versionText(), 0);
    case quenvale::StartRequest::Kind::Refuse:
        return print(stderr, request.error + QLatin1Char('\n'), 2);
    case quenvale::StartRequest::Kind::OpenWindow:
        break;
    }

    const auto app = quenvale::startApplication(argc, argv, request.language);
    quenvale::setUpApplication(*app, request.language);
    quenvale::MainWindow window(request.language);
    quenvale::FirstFrameProbe::attachIfRequested(window);
    window.load();
    window.show();
    return QApplication::exec();
}
