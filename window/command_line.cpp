#include <window/command_line.h>

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace quenvale {

namespace {

// The options QGuiApplication and QApplication take, with a value or
// without; they pass through to Qt untouched.
const QStringList kQtValueOptions{QStringLiteral("platform"),
                                  QStringLiteral("platformpluginpath"),
                                  QStringLiteral("platformtheme"),
                                  QStringLiteral("plugin"),
                                  QStringLiteral("qwindowgeometry"),
                                  QStringLiteral("qwindowicon"),
                                  QStringLiteral("qwindowtitle"),
                                  QStringLiteral("session"),
                                  QStringLiteral("display"),
                                  QStringLiteral("geometry"),
                                  QStringLiteral("style"),
                                  QStringLiteral("stylesheet"),
                                  QStringLiteral("qmljsdebugger"),
                                  QStringLiteral("title"),
                                  QStringLiteral("name"),
                                  QStringLiteral("visual"),
                                  QStringLiteral("fn"),
                                  QStringLiteral("font"),
                                  QStringLiteral("bg"),
                                  QStringLiteral("background"),
                                  QStringLiteral("fg"),
                                  QStringLiteral("foreground"),
                                  QStringLiteral("btn"),
                                  QStringLiteral("button"),
                                  QStringLiteral("im"),
                                  QStringLiteral("ncols")};
const QStringList kQtFlagOptions{
    QStringLiteral("reverse"),     QStringLiteral("widgetcount"),
    QStringLiteral("nograb"),      QStringLiteral("dograb"),
    QStringLiteral("sync"),        QStringLiteral("cmap"),
    QStringLiteral("testability"), QStringLiteral("qdevicepixelratio")};

QCommandLineOption hidden(const QString& name, const QString& valueName = {}) {
    QCommandLineOption option(name, QString(), valueName);
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    return option;
}

} // namespace

StartRequest readStartRequest(const QStringList& arguments) {
    QCommandLineParser parser;
    // Qt's options are spelled with one dash ("-style fusion").
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("V"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    for (const QString& name : kQtValueOptions) {
        parser.addOption(hidden(name, QStringLiteral("value")));
    }
    for (const QString& name : kQtFlagOptions) {
        parser.addOption(hidden(name));
    }
    if (!parser.parse(arguments)) {
        return {StartRequest::Kind::Refuse, parser.errorText()};
    }
    if (parser.isSet(help)) {
        return {StartRequest::Kind::PrintHelp, {}};
    }
    if (parser.isSet(version)) {
        return {StartRequest::Kind::PrintVersion, {}};
    }
    if (!parser.positionalArguments().isEmpty()) {
        return {StartRequest::Kind::Refuse,
                QStringLiteral("Unexpected argument '%1'; quenvale opens no files.")
                    .arg(parser.positionalArguments().constFirst())};
    }
    return {};
}

QString helpText() {
    return QStringLiteral(
        u"使い方 / usage:\n"
        u"  quenvale [Qt のオプション / Qt options]\n"
        u"  quenvale --help | --version\n"
        u"\n"
        u"PLLの基準水晶(標準 14.318 MHz)を交換したときの CPU(FSB)、PCI、AGP クロックを\n"
        u"計算するウィンドウを開きます。コマンドラインで計算するには quenvale-calc を使います。\n"
        u"\n"
        u"  -h, --help        この説明を表示して終了します。\n"
        u"  -V, --version     版を表示して終了します。\n"
        u"  Qt の標準オプション(-style、-platform など)も使えます。\n"
        u"\n"
        u"Opens a window that computes the CPU (FSB), PCI and AGP clocks of a\n"
        u"motherboard whose 14.318 MHz reference crystal is replaced. For the same\n"
        u"calculation on the command line, use quenvale-calc.\n"
        u"\n"
        u"  -h, --help        show this help and exit.\n"
        u"  -V, --version     show the version and exit.\n"
        u"  Qt's standard options (-style, -platform, ...) work too.\n");
}

QString versionText() {
    return QStringLiteral("quenvale " QUENVALE_VERSION "\n");
}

} // namespace quenvale
