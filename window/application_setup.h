#pragma once

class QApplication;
class QIcon;

namespace quenvale {

// Names the application, loads Qt's Japanese texts (edit menus, message box
// buttons), and sets the window font and icon. Call once, before any window
// is built.
void setUpApplication(QApplication& app);

// The program's icon: the 16 × 16 and 32 × 32 pictures.
QIcon applicationIcon();

} // namespace quenvale
