#pragma once

#include <QIcon>

namespace quenvale {

// The failure box's sign: the desktop's own warning icon where its icon
// theme has one, else a warning triangle drawn from shapes at whatever size
// and pixel ratio it is asked for, so that it is sharp on any screen.
QIcon warningSign();

} // namespace quenvale
