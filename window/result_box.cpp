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
    // The mark replaces whatever is cut at the right, from the end of the
    // last character that leaves it room, so that no part of a digit shows.
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const QRect inside = contentsRect().adjusted(frame, frame, -frame, -frame);
    const int latest = inside.right() - fontMetrics().horizontalAdvance(kEllipsis) - 1;
    const int cursorX = cursorRect().center().x();
    const QString shown = text().mid(cursorPosition());
    int from = cursorX;
    for (qsizetype length = 1; length <= shown.size(); ++length) {
        const int end = cursorX + fontMetrics().horizontalAdvance(shown.left(length));
        if (end > latest) {
            break;
        }
        from = end;
    }
    const QRect mark(from, inside.top(), inside.right() + 1 - from, inside.height());
    QPainter painter(this);
    painter.fillRect(mark, palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(mark, Qt::AlignLeft | Qt::AlignVCenter, kEllipsis);
}

} // namespace quenvale
