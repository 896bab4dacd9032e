#include <window/warning_sign.h>

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>

namespace quenvale {

namespace {

// Draws the triangle anew for each size instead of scaling a bitmap.
class DrawnWarningSign : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override { return new DrawnWarningSign; }
    QString key() const override { return QStringLiteral("quenvale-warning-sign"); }
};

void DrawnWarningSign::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                             QIcon::State /*state*/) {
    // Laid out on a 32-unit square.
    const qreal side = std::min(rect.width(), rect.height());
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->translate(rect.x() + (rect.width() - side) / 2, rect.y() + (rect.height() - side) / 2);
    painter->scale(side / 32, side / 32);

    const bool disabled = mode == QIcon::Disabled;
    QPainterPath triangle;
    triangle.moveTo(16, 2.5);
    triangle.lineTo(30.5, 28.5);
    triangle.lineTo(1.5, 28.5);
    triangle.closeSubpath();
    QPen outline(disabled ? QColor(0x80, 0x80, 0x80) : QColor(0x6B, 0x4E, 0x00), 1.5);
    outline.setJoinStyle(Qt::RoundJoin);
    painter->setPen(outline);
    painter->setBrush(disabled ? QColor(0xD0, 0xD0, 0xD0) : QColor(0xFF, 0xCC, 0x00));
    painter->drawPath(triangle);

    // The exclamation mark: a tapering bar and a dot.
    painter->setPen(Qt::NoPen);
    painter->setBrush(disabled ? QColor(0x60, 0x60, 0x60) : QColor(0x1A, 0x1A, 0x1A));
    QPainterPath bar;
    bar.moveTo(14.2, 10);
    bar.lineTo(17.8, 10);
    bar.lineTo(17, 20.5);
    bar.lineTo(15, 20.5);
    bar.closeSubpath();
    painter->drawPath(bar);
    painter->drawEllipse(QPointF(16, 24.2), 1.9, 1.9);
    painter->restore();
}

QPixmap DrawnWarningSign::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return pixmap;
}

} // namespace

QIcon warningSign() {
    return QIcon::fromTheme(QStringLiteral("dialog-warning"), QIcon(new DrawnWarningSign));
}

} // namespace quenvale
