#include <runtime/catalogue.h>
#include <window/window_options.h>

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

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString refusal(Language language, const std::string& error) {
    return fromUtf8(tr(language, "quenvale: {error} (quenvale --help で使い方を表示します)",
                       {{"error", error}}));
}

QCommandLineOption hidden(const QString& name, const QString& valueName = {}) {
    QCommandLineOption option(name, QString(), valueName);
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    return option;
}

} // namespace

StartRequest readStartRequest(const QStringList& arguments, Language fallback) {
    QCommandLineParser parser;
    // Qt's options are spelled with one dash ("-style fusion").
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("V"), QStringLiteral("version")});
    const QCommandLineOption lang(QStringLiteral("lang"), QString(), QStringLiteral("ja|en"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(lang);
    for (const QString& name : kQtValueOptions) {
        parser.addOption(hidden(name, QStringLiteral("value")));
    }
    for (const QString& name : kQtFlagOptions) {
        parser.addOption(hidden(name));
    }
    // Qt's own error texts are English only, and no translation can be
    // loaded before QApplication exists: the refusals are the catalogue's.
    const bool parsed = parser.parse(arguments);
    StartRequest request;
    request.language = fallback;
    if (parsed && parser.isSet(lang)) {
        const QString code = parser.value(lang);
        if (const std::optional<Language> chosen = languageNamed(code.toStdString())) {
            request.language = *chosen;
        } else {
            request.kind = StartRequest::Kind::Refuse;
            request.error =
                refusal(fallback,
                        tr(fallback, "--lang には ja か en を指定します(「{value}」は使えません)。",
                           {{"value", code.toStdString()}}));
            return request;
        }
    }
    const Language language = request.language;
    if (!parsed) {
        request.kind = StartRequest::Kind::Refuse;
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            const QString& name = unknown.constFirst();
            const QString spelled =
                (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
            request.error = refusal(language, tr(language, "不明なオプション「{option}」です。",
                                                 {{"option", spelled.toStdString()}}));
        } else {
            // The one other way parsing fails: an option that takes a value
            // came last. Qt names it in its own text; the option is the last
            // argument.
            request.error =
                refusal(language, tr(language, "オプション「{option}」には値が要ります。",
                                     {{"option", arguments.constLast().toStdString()}}));
        }
        return request;
    }
    if (parser.isSet(help)) {
        request.kind = StartRequest::Kind::PrintHelp;
        return request;
    }
    if (parser.isSet(version)) {
        request.kind = StartRequest::Kind::PrintVersion;
        return request;
    }
    if (!parser.positionalArguments().isEmpty()) {
        request.kind = StartRequest::Kind::Refuse;
        request.error = refusal(
            language,
            tr(language, "引数「{argument}」は使えません。quenvale はファイルを開きません。",
               {{"argument", parser.positionalArguments().constFirst().toStdString()}}));
    }
    return request;
}

QString helpText(Language language) {
    return fromUtf8(
        tr(language,
           "使い方:\n"
           "  quenvale [--lang ja|en] [Qt のオプション]\n"
           "  quenvale --help | --version\n"
           "\n"
           "PLLの基準水晶(標準 14.318 MHz)を交換したときの CPU(FSB)、PCI、AGP クロックを\n"
           "計算するウィンドウを開きます。コマンドラインで計算するには quenvale-calc を使います。\n"
           "\n"
           "  -h, --help        この説明を表示して終了します。\n"
           "  -V, --version     版を表示して終了します。\n"
           "  --lang ja|en      日本語(ja)か英語(en)で表示します。既定は LANGUAGE、LC_ALL、\n"
           "                    LC_MESSAGES、LANG の順に見て、ja で始まれば日本語です。\n"
           "  Qt の標準オプション(-style、-platform など)も使えます。\n"));
}

QString versionText() {
    return QStringLiteral("quenvale " QUENVALE_VERSION "\n");
}

} // namespace quenvale
