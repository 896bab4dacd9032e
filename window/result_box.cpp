#include <window/result_box.h>

#include <QPainter>
#include <QStyle>

namespace quenvale {

namespace {

const QString kEllipsis = QStringLiteral("…");

} // namespace

QRect ResultBox::textArea() const {
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const QMargins margins = textMargins();
    // QLineEdit keeps two pixels on either side of its text.
    return contentsRect().adjusted(frame + margins.left() + 2, frame + margins.top(),
                                   -(frame + margins.right() + 2), -(frame + margins.bottom()));
}

bool ResultBox::hidesTextOnRight() const {
    // The cursor's place is where the text at the cursor position is drawn,
    // however far the box is scrolled.
    const int textEnd =
        cursorRect().center().x() + fontMetrics().horizontalAdvance(text().mid(cursorPosition()));
    return textEnd > textArea().right() + 1;
}

void ResultBox::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    if (!hidesTextOnRight()) {
        return;
    }
    const QRect area = textArea();
    const int width = fontMetrics().horizontalAdvance(kEllipsis) + 2;
    const QRect mark(area.right() + 1 - width, area.top(), width, area.height());
    QPainter painter(this);
    painter.fillRect(mark, palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(mark, Qt::AlignRight | Qt::AlignVCenter, kEllipsis);
}

} // namespace quenvale
