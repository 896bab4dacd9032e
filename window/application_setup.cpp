#include <runtime/catalogue.h>
#include <window/application_setup.h>
#include <window/ui_fonts.h>

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLibraryInfo>
#include <QStringList>
#include <QStyle>
#include <QStyleFactory>
#include <QTranslator>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace quenvale {

namespace {

// Qt's messages while the QApplication is being built: held back, because
// where no platform plugin can start they are Qt's raw account of it.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
std::vector<HeldMessage>* heldMessages = nullptr;
Language startLanguage = Language::English;

void holdStartMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        // The one fatal message of a QGuiApplication's start: no platform
        // plugin could be initialised, for want of a display. Qt would abort
        // once this returns, so the program ends here; _Exit, because the
        // half-built application must not be torn down.
        const std::string line = noDisplayText(startLanguage) + "\n";
        std::fwrite(line.data(), 1, line.size(), stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    heldMessages->push_back(
        {type, QByteArray(context.category != nullptr ? context.category : "default"), text});
}

} // namespace

std::string noDisplayText(Language language) {
    return std::string(tr(
        language, "quenvale: 画面に接続できません。DISPLAY か WAYLAND_DISPLAY で画面を指定するか、"
                  "画面なしで動かすには QT_QPA_PLATFORM=offscreen を指定してください。"));
}

std::unique_ptr<QApplication> startApplication(int& argc, char** argv, Language language) {
    std::vector<HeldMessage> held;
    heldMessages = &held;
    startLanguage = language;
    const QtMessageHandler previous = qInstallMessageHandler(holdStartMessage);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    heldMessages = nullptr;
    for (const HeldMessage& message : held) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    return app;
}

void setUpApplication(QApplication& app, Language language) {
    QCoreApplication::setApplicationName(QStringLiteral("Quenvale"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUENVALE_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("quenvale"));

    // Qt's texts speak the window's language, not the locale's: English is
    // Qt's own, so only Japanese needs a translation.
    if (language == Language::Japanese) {
        auto* translator = new QTranslator(&app);
        if (translator->load(QStringLiteral("qtbase_ja"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(translator);
        } else {
            delete translator;
        }
    }

    // The layout is drawn for 3-D frames whose caption sits on the frame
    // line and for 20-pixel combo boxes; a style chosen by the user wins.
    const QStringList options = QCoreApplication::arguments().mid(1);
    const bool styleChosen =
        !qEnvironmentVariableIsEmpty("QT_STYLE_OVERRIDE") ||
        std::any_of(options.begin(), options.end(), [](const QString& argument) {
            return argument.startsWith(QLatin1String("-style")) ||
                   argument.startsWith(QLatin1String("--style"));
        });
    if (!styleChosen) {
        if (QStyle* style = QStyleFactory::create(QStringLiteral("Windows"))) {
            QApplication::setStyle(style);
        }
    }

    QApplication::setFont(controlFont());
    QApplication::setWindowIcon(applicationIcon());
}

QIcon applicationIcon() {
    // Every picture the build put in the resources, each at its own size.
    QIcon icon;
    const QDir pictures(QStringLiteral(":/quenvale/icons"));
    for (const QString& name : pictures.entryList(QDir::Files)) {
        icon.addFile(pictures.filePath(name));
    }
    return icon;
}

} // namespace quenvale
