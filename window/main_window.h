#pragma once

#include <calculator/clock_panel.h>
#include <calculator/failure_message.h>
#include <form/form_session.h>

#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quenvale {

class PresetComboBox;
struct ControlRow;

// The program's one window, drawn from the shared control table. The form
// session is its model: each event of a control copies the user's gesture
// into the panel and runs the event's action, and then every control is set
// from the panel again. No value lives only in a control.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    using FailureReporter = std::function<void(const FailureDescription&)>;

    explicit MainWindow(Language language, QWidget* parent = nullptr);

    Language language() const { return session_.language(); }

    // Runs the Load event: fills the lists and sets the dividers for the
    // initial FSB. Call once, before showing the window.
    void load();

    const ClockPanel& panel() const { return session_.panel(); }

    // Replaces the warning box that tells the user of a failed action.
    void setFailureReporter(FailureReporter reporter);

    // The widest a result's tool tip grows before it wraps, in pixels.
    static constexpr int kToolTipWidth = 300;

protected:
    // Enter runs the calculation wherever the focus is; the buttons take
    // Enter themselves and the open list of a combo box picks with it.
    void keyPressEvent(QKeyEvent* event) override;
    // Tab and Shift+Tab stop once at each option frame, on its selected
    // option, as the arrow keys move within the frame.
    bool focusNextPrevChild(bool next) override;
    // Shows a result's tool tip beside its box, on hover and on keyboard
    // focus alike.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A new palette (the desktop switched to a dark scheme, say) brings the
    // variants of the window's own colours that read on it.
    void changeEvent(QEvent* event) override;

private:
    void buildControls();
    // Puts a mark on the line of each result's label, ending where its unit
    // ends, for the word that tells the result's hint.
    void buildHintMarks();
    // Keeps the control the program works with under its role.
    void keep(const ControlRow& row, QWidget* control);
    QWidget* createControl(const ControlRow& row, QWidget* container);
    void bindEvents();
    void describeForAccessibility();
    void setTabOrder();
    // A frame's options, one for each divider of its group.
    using OptionButtons = std::vector<QRadioButton*>;
    std::vector<QWidget*> tabStops() const;
    // The option frame the control belongs to, if it is an option.
    const OptionButtons* optionFrameOf(const QWidget* control) const;

    // Runs an event's action, then does what follows it.
    void run(WindowEvent event, const EventArgs& args = {});
    // The one place where what follows an action is done: the panel shown
    // again, a failure told, the focus moved, the window closed.
    void follow(const EventOutcome& outcome);
    void showPanel();
    void showResult(ClockIndex index);
    void showCreditColour();
    void showResultToolTip(QLineEdit& box);
    void focusInput(InputBox box);
    void showFailure(const FailureDescription& failure);

    FormSession session_;
    FailureReporter reportFailure_;

    std::array<PresetComboBox*, 2> inputs_{};
    OptionButtons pciOptions_{};
    OptionButtons agpOptions_{};
    QPushButton* calculateButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    std::array<QLineEdit*, kClockCount> results_{};
    std::array<QLabel*, kClockCount> hintMarks_{};
    QLabel* credit_ = nullptr;
    // The controls that take the focus, in tab order.
    std::vector<QWidget*> tabOrder_;
    // Shows the focused result's tool tip once a focus change is over.
    QTimer focusTipTimer_;
};

} // namespace quenvale
