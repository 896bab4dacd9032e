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
    if (currentText() == text) {
        return;
    }
    // The current item follows the text, so that the arrow keys and the
    // list go on from it; a text outside the list has no current item.
    setCurrentIndex(findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
    setEditText(text);
}

void PresetComboBox::showPopup() {
    QAbstractItemView* list = view();
    const int frame = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    list->setMinimumWidth(list->sizeHintForColumn(0) + scrollBar + frame);
    QComboBox::showPopup();
}

void PresetComboBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void PresetComboBox::wheelEvent(QWheelEvent* event) { event->ignore(); }

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
