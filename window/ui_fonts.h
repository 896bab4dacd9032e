#pragma once

#include <QFont>
#include <QString>

namespace quenvale {

// The family the window's texts are set in: "ＭＳ Ｐゴシック" where it is
// installed, else a metric-compatible Japanese P-gothic (IPAPGothic), else
// any installed family that covers Japanese. Empty when none covers Japanese.
QString japaneseFamily();

// The input and result boxes' font: 10.2 pt, regular.
QFont inputFont();
// Every other control's font: 9 pt, regular.
QFont controlFont();

} // namespace quenvale
