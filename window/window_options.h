#pragma once

#include <runtime/language.h>

#include <QStringList>

namespace quenvale {

// What the program's own options ask for, read before any window or display
// is touched, so that --help and --version work on a bare terminal.
struct StartRequest {
    enum class Kind { OpenWindow, PrintHelp, PrintVersion, Refuse };
    Kind kind = Kind::OpenWindow;
    // The language of the window and of every text printed: --lang, else
    // the one `fallback` names (the environment's).
    Language language = Language::Japanese;
    // For Refuse: the whole line to print, in that language.
    QString error;
};

// Reads the arguments, the program's name first. Qt's own options (-style,
// -platform, ...) are accepted and left for QApplication.
StartRequest readStartRequest(const QStringList& arguments, Language fallback);

// The texts printed for --help and --version.
QString helpText(Language language);
QString versionText();

} // namespace quenvale
