#include <window/ui_fonts.h>

#include <QFontDatabase>
#include <QStringList>

namespace quenvale {

namespace {

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
             {QStringLiteral(u"ＭＳ Ｐゴシック"), QStringLiteral(u"MS PGothic"),
              QStringLiteral(u"IPAPGothic"), QStringLiteral(u"IPA Pゴシック")}) {
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
    return japaneseFont(10.2);
}

QFont controlFont() {
    return japaneseFont(9.0);
}

} // namespace quenvale
