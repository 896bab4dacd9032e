#pragma once

#include <calculator/failure_message.h>
#include <window/main_window.h>

#include <QPalette>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quenvale {

class PresetComboBox;

// A loaded, shown and active main window, driven the way a user drives it.
// Failures are collected instead of being shown in a modal box.
class WindowHarness {
public:
    // The Japanese window unless told otherwise: most tests read its
    // captions and messages.
    explicit WindowHarness(Language language = Language::Japanese);
    ~WindowHarness();

    MainWindow& window() { return *window_; }
    const ClockPanel& panel() const { return window_->panel(); }
    // The messages of the failures reported so far.
    const QStringList& failures() const { return failures_; }
    // Where the last failure put the blame.
    std::optional<InputBox> lastBlamed() const { return lastBlamed_; }

    PresetComboBox* input(int index) const;
    QRadioButton* pci(int index) const;
    QRadioButton* agp(int index) const;
    QLineEdit* result(int index) const;
    QPushButton* calculateButton() const;
    QPushButton* exitButton() const;

    // Selects all of the box's text and types over it: key by key, or as
    // an input method's commit for Japanese text.
    void typeInto(int box, const QString& text);
    // Opens the box's list, moves to the item and picks it with Enter.
    void pickFromPopup(int box, int item);
    // Clicks a control in its middle with the left mouse button.
    static void click(QWidget* control);
    // Presses a key on whatever has the focus.
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    static QString focusName();

    // The texts of the three result boxes, as shown.
    QStringList shownResults() const;

private:
    std::unique_ptr<MainWindow> window_;
    QStringList failures_;
    std::optional<InputBox> lastBlamed_;
};

// The text without the line breaks and blanks a tool tip is wrapped at.
QString unwrapped(QString text);
// Whether a result box's tool tip gives `why`, after the box's whole text
// where the box is too narrow to show it.
bool toolTipSays(const QLineEdit& box, const QString& why);

// Names the application and loads its translation once per test program.
void setUpTestApplication();

// A dark desktop's palette, as a dark colour scheme of the platform theme
// gives it: light text on a near-black face and a dark grey field. Given to
// a shown window, it stands for the desktop's scheme changing under it.
QPalette darkPalette();

// WCAG 2's contrast ratio of two colours, from 1 to 21.
double contrast(const QColor& a, const QColor& b);

} // namespace quenvale
