#pragma once

#include <calculator/clock_panel.h>
#include <calculator/failure_message.h>
#include <window/event_binding.h>

#include <QWidget>

#include <array>
#include <functional>
#include <vector>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quenvale {

class PresetComboBox;
struct ControlRow;

// The program's one window. The panel is its model: each event of a control
// copies the user's gesture into the panel and runs the event's action, and
// then every control is set from the panel again. No value lives only in a
// control.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    using FailureReporter = std::function<void(const FailureDescription&)>;

    explicit MainWindow(QWidget* parent = nullptr);

    // Runs the Load event: fills the lists and sets the dividers for the
    // initial FSB. Call once, before showing the window.
    void load();

    const ClockPanel& panel() const { return panel_; }

    // Replaces the warning box that tells the user of a failed action.
    void setFailureReporter(FailureReporter reporter);

protected:
    // Enter runs the calculation wherever the focus is; the buttons take
    // Enter themselves and the open list of a combo box picks with it.
    void keyPressEvent(QKeyEvent* event) override;
    // Tab and Shift+Tab stop once at each option frame, on its selected
    // option, as the arrow keys move within the frame.
    bool focusNextPrevChild(bool next) override;

private:
    void buildControls();
    QWidget* createControl(const ControlRow& row, QWidget* container);
    void bindEvents();
    void describeForAccessibility();
    void setTabOrder();
    using OptionButtons = std::array<QRadioButton*, OptionGroup::size>;
    std::vector<QWidget*> tabStops() const;
    // The option frame the control belongs to, if it is an option.
    const OptionButtons* optionFrameOf(const QWidget* control) const;

    // The one place where an action runs and its failure is caught.
    void run(WindowEvent event, const EventArgs& args = {});
    void showPanel();
    void showFailure(const FailureDescription& failure);

    ClockPanel panel_;
    FailureReporter reportFailure_;

    std::array<PresetComboBox*, 2> inputs_{};
    OptionButtons pciOptions_{};
    OptionButtons agpOptions_{};
    QPushButton* calculateButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    std::array<QLineEdit*, 3> results_{};
    // The controls that take the focus, in tab order.
    std::vector<QWidget*> tabOrder_;
};

} // namespace quenvale
