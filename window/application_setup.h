#pragma once

#include <runtime/language.h>

#include <memory>
#include <string>

class QApplication;
class QIcon;

namespace quenvale {

// Builds the QApplication. Where Qt can reach no display, says so on one line
// in the language (naming what to set) and ends the program with status 1,
// instead of Qt's own messages and an abort; Qt's other messages of its start
// are passed on once it has started.
std::unique_ptr<QApplication> startApplication(int& argc, char** argv, Language language);

// That line, without its line break.
std::string noDisplayText(Language language);

// Names the application, has Qt's own texts (edit menus, message box
// buttons) follow the language, and sets the window font and icon. Call
// once, before any window is built.
void setUpApplication(QApplication& app, Language language);

// The program's icon, in every size it is drawn in (16 to 256 pixels).
QIcon applicationIcon();

} // namespace quenvale
