#include <form/control_table.h>
#include <window/ui_fonts.h>

#include <QFontDatabase>
#include <QStringList>

namespace quenvale {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The face the layout was drawn for, by its Japanese and its English name:
// the first two of the shared list.
const QStringList kOriginalFamilies{fromUtf8(kFontFamilies[0]), fromUtf8(kFontFamilies[1])};
constexpr double kSubstituteSpacing = 84.0;

QFont japaneseFont(double points) {
    QFont font;
    const QString family = japaneseFamily();
    if (!family.isEmpty()) {
        font.setFamilies({family});
    }
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    return font;
}

} // namespace

QString japaneseFamily() {
    static const QString family = [] {
        // fontconfig answers a missing family with some Latin-only face, so
        // each candidate is checked to be really installed.
        for (const std::string_view candidate : kFontFamilies) {
            if (QFontDatabase::hasFamily(fromUtf8(candidate))) {
                return fromUtf8(candidate);
            }
        }
        const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
        return japanese.isEmpty() ? QString() : japanese.front();
    }();
    return family;
}

QFont inputFont() {
    QFont font = japaneseFont(kInputFontPoints);
    if (!kOriginalFamilies.contains(font.families().value(0))) {
        // The substitute's digits run wider than the original's; tightened,
        // every preset and a seven-digit result fit boxes drawn for it.
        font.setLetterSpacing(QFont::PercentageSpacing, kSubstituteSpacing);
    }
    return font;
}

QFont controlFont() {
    return japaneseFont(kControlFontPoints);
}

} // namespace quenvale
