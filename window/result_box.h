#pragma once

#include <QLineEdit>

namespace quenvale {

// A result's box: a read-only line edit that draws an ellipsis at its right
// edge while text lies beyond it, so that the leading digits of a long
// result never pass for the whole number.
class ResultBox : public QLineEdit {
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

    // Whether some of the text is scrolled out past the right edge.
    bool hidesTextOnRight() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Where the text is drawn, inside the frame and Qt's own margins.
    QRect textArea() const;
};

} // namespace quenvale
