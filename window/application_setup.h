#pragma once

#include <runtime/language.h>

class QApplication;
class QIcon;

namespace quenvale {

// Names the application, has Qt's own texts (edit menus, message box
// buttons) follow the language, and sets the window font and icon. Call
// once, before any window is built.
void setUpApplication(QApplication& app, Language language);

// The program's icon: the 16 × 16 and 32 × 32 pictures.
QIcon applicationIcon();

} // namespace quenvale
