#include <window/ui_fonts.h>

#include <QFontDatabase>
#include <QStringList>

namespace quenvale {

namespace {

// The face the layout was drawn for, by its Japanese and its English name.
const QStringList kOriginalFamilies{QStringLiteral(u"ＭＳ Ｐゴシック"),
                                    QStringLiteral(u"MS PGothic")};
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
        for (const QString& candidate :
             kOriginalFamilies +
                 QStringList{QStringLiteral(u"IPAPGothic"), QStringLiteral(u"IPA Pゴシック")}) {
            if (QFontDatabase::hasFamily(candidate)) {
                return candidate;
            }
        }
        const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
        return japanese.isEmpty() ? QString() : japanese.front();
    }();
    return family;
}

QFont inputFont() {
    QFont font = japaneseFont(10.2);
    if (!kOriginalFamilies.contains(font.families().value(0))) {
        // The substitute's digits run wider than the original's; tightened,
        // every preset and a seven-digit result fit boxes drawn for it.
        font.setLetterSpacing(QFont::PercentageSpacing, kSubstituteSpacing);
    }
    return font;
}

QFont controlFont() {
    return japaneseFont(9.0);
}

} // namespace quenvale
