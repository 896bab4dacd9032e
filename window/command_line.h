#pragma once

#include <QStringList>

#include <optional>

namespace quenvale {

// What the program's own options ask for, read before any window or display
// is touched, so that --help and --version work on a bare terminal.
struct StartRequest {
    enum class Kind { OpenWindow, PrintHelp, PrintVersion, Refuse };
    Kind kind = Kind::OpenWindow;
    // For Refuse: one line that says what was wrong.
    QString error;
};

// Reads the arguments, the program's name first. Qt's own options (-style,
// -platform, ...) are accepted and left for QApplication.
StartRequest readStartRequest(const QStringList& arguments);

// The texts printed for --help and --version.
QString helpText();
QString versionText();

} // namespace quenvale
