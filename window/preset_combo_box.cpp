#include <window/preset_combo_box.h>

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyle>
#include <QWheelEvent>

#include <limits>

namespace quenvale {

PresetComboBox::PresetComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    QLineEdit* edit = lineEdit();
    // Qt keeps two pixels between the text and the field's edges where the
    // boxes were sized for one; "133.333" needs the room.
    edit->setTextMargins(-1, 0, -1, 0);
    // A line edit silently cuts what is pasted at 32,767 characters, and
    // what is left may read as a number where the whole text does not.
    edit->setMaxLength(std::numeric_limits<int>::max());
    // QComboBox selects the item matching the typed text when editing
    // finishes (Enter, focus loss) and reports it as activated; here only a
    // pick from the list counts as one.
    disconnect(edit, &QLineEdit::returnPressed, this, nullptr);
    disconnect(edit, &QLineEdit::editingFinished, this, nullptr);
    connect(edit, &QLineEdit::textEdited, this, &PresetComboBox::userEdited);
    connect(this, &QComboBox::activated, this, &PresetComboBox::itemPicked);
}

void PresetComboBox::showState(const std::vector<std::string>& items, const QString& text) {
    const QSignalBlocker blocker(this);
    if (!hasItems(items)) {
        clear();
        for (const std::string& item : items) {
            addItem(QString::fromStdString(item));
        }
    }
    const int item = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (currentText() == text) {
        // The user is typing: the item that is the text becomes current
        // without touching the line edit (its cursor and undo history stay).
        // A text that is no item leaves the index alone, since clearing it
        // would clear the text; the list and the arrow keys ignore it then.
        if (item >= 0 && item != currentIndex()) {
            setCurrentIndex(item);
        }
        return;
    }
    setCurrentIndex(item);
    setEditText(text);
}

void PresetComboBox::showPopup() {
    QAbstractItemView* list = view();
    const int frame = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    list->setMinimumWidth(list->sizeHintForColumn(0) + scrollBar + frame);
    QComboBox::showPopup();
    const int item = findText(currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    const QModelIndex current = item >= 0 ? model()->index(item, modelColumn()) : QModelIndex();
    list->setCurrentIndex(current);
    if (current.isValid()) {
        list->scrollTo(current);
    }
}

void PresetComboBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    // QComboBox would move from its current item, which stays on the last
    // pick while a typed text is no item; Page Up and Page Down step too.
    const bool up = event->key() == Qt::Key_Up || event->key() == Qt::Key_PageUp;
    const bool down = event->key() == Qt::Key_Down || event->key() == Qt::Key_PageDown;
    // Alt+Down opens the list, as QComboBox has it.
    if ((up || down) && (event->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) == 0) {
        emit stepRequested(up ? ListStep::Up : ListStep::Down);
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void PresetComboBox::wheelEvent(QWheelEvent* event) {
    event->ignore();
}

bool PresetComboBox::hasItems(const std::vector<std::string>& items) const {
    if (static_cast<std::size_t>(count()) != items.size()) {
        return false;
    }
    for (int i = 0; i < count(); ++i) {
        if (itemText(i) != QString::fromStdString(items[static_cast<std::size_t>(i)])) {
            return false;
        }
    }
    return true;
}

} // namespace quenvale
