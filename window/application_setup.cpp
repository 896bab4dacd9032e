#include <window/application_setup.h>
#include <window/ui_fonts.h>

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QStringList>
#include <QStyle>
#include <QStyleFactory>
#include <QTranslator>

#include <algorithm>

namespace quenvale {

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
    QIcon icon;
    icon.addFile(QStringLiteral(":/quenvale/icons/quenvale-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/quenvale/icons/quenvale-32.png"), QSize(32, 32));
    return icon;
}

} // namespace quenvale
