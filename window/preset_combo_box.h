#pragma once

#include <form/form_session.h>

#include <QComboBox>
#include <QString>

#include <string>
#include <vector>

namespace quenvale {

// An editable combo box whose list is a fixed set of presets. Unlike a plain
// QComboBox it never adds typed text to its list, never completes what is
// typed, and reports a pick only when the user picks an item: Qt's own
// "activate the matching item" on Enter and on focus loss is switched off.
class PresetComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit PresetComboBox(QWidget* parent = nullptr);

    // Shows the given list and text without reporting an edit or a pick.
    // Leaves the line edit alone when it already holds the text, so that the
    // cursor stays where the user is typing.
    void showState(const std::vector<std::string>& items, const QString& text);

    // Opens the list at least as wide as its widest item, with the item that
    // is the box's text highlighted, or none when the text is no item.
    void showPopup() override;

signals:
    // The user changed the text: typing, deleting, pasting, undoing.
    void userEdited(const QString& text);
    // The user picked an item of the list, also the item already shown.
    void itemPicked(int index);
    // Up or Down with the list closed: the window picks the item that
    // follows the text, which only it knows for certain.
    void stepRequested(quenvale::ListStep step);

protected:
    // Enter belongs to the window (it runs the calculation), not to the box;
    // Up and Down move from the text, not from the item picked last.
    void keyPressEvent(QKeyEvent* event) override;
    // QComboBox picks the next item on a turn of the mouse wheel, even over a
    // box without focus: a scroll across the window would change the FSB and
    // its dividers. Only deliberate picks count here.
    void wheelEvent(QWheelEvent* event) override;

private:
    bool hasItems(const std::vector<std::string>& items) const;
};

} // namespace quenvale
