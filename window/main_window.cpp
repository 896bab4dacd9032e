#include <calculator/clock_calculation.h>
#include <calculator/clock_hints.h>
#include <runtime/runtime_error.h>
#include <window/layout_table.h>
#include <window/main_window.h>
#include <window/preset_combo_box.h>
#include <window/twips.h>
#include <window/ui_fonts.h>

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace quenvale {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string arrayName(std::string_view base, std::size_t index) {
    return std::string(base) + '(' + std::to_string(index) + ')';
}

// Each label names the field to its right or below it.
struct LabelFor {
    std::string_view label;
    std::string_view field;
};
constexpr std::array<LabelFor, 5> kLabelledFields{{
    {"Label2", "Combo1(0)"},
    {"Label3", "Combo1(1)"},
    {"Label4(0)", "Text1(0)"},
    {"Label5", "Text1(1)"},
    {"Label6", "Text1(2)"},
}};

constexpr std::array<std::string_view, 2> kToolTips{"PLL-ICに与える周波数",
                                                    "マザーボードで設定するFSB"};

constexpr QColor kCreditColour{0, 0, 255};

// What a field's accessible description says when there is nothing more.
constexpr std::string_view kUnit = "MHz";

// Over-clock hints on a result's text: dark enough to read on the white of
// the box (a contrast above 4.5:1), and told apart by hue.
constexpr QColor kCautionColour{0xA6, 0x5F, 0x00}; // amber
constexpr QColor kDangerColour{0xC0, 0x00, 0x00};  // red

bool isFocusable(ControlKind kind) {
    return kind == ControlKind::ComboBox || kind == ControlKind::OptionButton ||
           kind == ControlKind::CommandButton || kind == ControlKind::TextBox;
}

void showOptions(const std::array<QRadioButton*, OptionGroup::size>& buttons,
                 const OptionGroup& group) {
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        buttons[i]->setEnabled(group.isEnabled(i));
    }
    if (const DividerChoice selected = group.selection()) {
        // Checking one clears the others of its frame.
        buttons[*selected]->setChecked(true);
        return;
    }
    // An exclusive button refuses to be cleared, so exclusiveness is lifted
    // while the group is emptied.
    for (QRadioButton* button : buttons) {
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(true);
    }
}

// The hint is given three ways, so that the colour never carries it alone:
// the colour of the text, the tool tip and the accessible description.
void showHint(QLineEdit& box, ClockHint hint, std::string_view why) {
    // An empty palette resolves nothing: the box takes its usual colours.
    QPalette palette;
    if (hint != ClockHint::Ok) {
        palette.setColor(QPalette::Text,
                         hint == ClockHint::Danger ? kDangerColour : kCautionColour);
    }
    box.setPalette(palette);
    box.setToolTip(fromUtf8(why));
    box.setAccessibleDescription(fromUtf8(why.empty() ? kUnit : why));
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent),
      reportFailure_([this](const FailureDescription& failure) { showFailure(failure); }) {
    setObjectName(fromUtf8(kWindowName));
    setWindowTitle(fromUtf8(kWindowTitle));
    // A fixed layout: the window can be moved, minimised and closed, but not
    // resized or maximised.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(twipsToPixels(kClientWidthTwips, logicalDpiX()),
                 twipsToPixels(kClientHeightTwips, logicalDpiY()));
    setFont(controlFont());

    buildControls();
    describeForAccessibility();
    setTabOrder();
    bindEvents();
    showPanel();
}

void MainWindow::load() {
    run(WindowEvent::FormLoad);
}

void MainWindow::setFailureReporter(FailureReporter reporter) {
    reportFailure_ = std::move(reporter);
}

void MainWindow::buildControls() {
    std::map<std::string_view, QWidget*> containers{{kWindowName, this}};
    for (const ControlRow& row : kControls) {
        QWidget* control = createControl(row, containers.at(row.container));
        if (row.kind == ControlKind::Frame) {
            containers.emplace(row.name, control);
        }
    }
    for (std::size_t i = 0; i < inputs_.size(); ++i) {
        inputs_[i] = findChild<PresetComboBox*>(fromUtf8(arrayName("Combo1", i)));
        inputs_[i]->setToolTip(fromUtf8(kToolTips[i]));
    }
    for (std::size_t i = 0; i < OptionGroup::size; ++i) {
        pciOptions_[i] = findChild<QRadioButton*>(fromUtf8(arrayName("Option1", i)));
        agpOptions_[i] = findChild<QRadioButton*>(fromUtf8(arrayName("Option2", i)));
    }
    for (std::size_t i = 0; i < results_.size(); ++i) {
        results_[i] = findChild<QLineEdit*>(fromUtf8(arrayName("Text1", i)));
    }
    calculateButton_ = findChild<QPushButton*>(QStringLiteral("Command1"));
    exitButton_ = findChild<QPushButton*>(QStringLiteral("Command2"));

    auto* credit = findChild<QLabel*>(QStringLiteral("Label7"));
    QPalette palette = credit->palette();
    palette.setColor(QPalette::WindowText, kCreditColour);
    credit->setPalette(palette);
}

QWidget* MainWindow::createControl(const ControlRow& row, QWidget* container) {
    const QString caption = fromUtf8(row.caption);
    QWidget* control = nullptr;
    switch (row.kind) {
    case ControlKind::Frame:
        control = new QGroupBox(caption, container);
        break;
    case ControlKind::Label: {
        auto* label = new QLabel(caption, container);
        // Labels are read from the top of their box, level with the field
        // beside them.
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        control = label;
        break;
    }
    case ControlKind::ComboBox: {
        auto* combo = new PresetComboBox(container);
        combo->setFont(inputFont());
        combo->setEditText(caption);
        control = combo;
        break;
    }
    case ControlKind::OptionButton:
        control = new QRadioButton(caption, container);
        break;
    case ControlKind::CommandButton: {
        auto* button = new QPushButton(caption, container);
        // Enter on a focused button presses it.
        button->setAutoDefault(true);
        control = button;
        break;
    }
    case ControlKind::TextBox: {
        auto* box = new QLineEdit(caption, container);
        box->setFont(inputFont());
        // The program writes the results; the user may select and copy them.
        box->setReadOnly(true);
        control = box;
        break;
    }
    }
    control->setObjectName(fromUtf8(row.name));

    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    QRect geometry(twipsToPixels(row.left, dpiX), twipsToPixels(row.top, dpiY),
                   twipsToPixels(row.width, dpiX), twipsToPixels(row.height, dpiY));
    if (row.kind == ControlKind::Label) {
        // The substitute face runs a little wider than the one the layout
        // was drawn for; a label grows to the right rather than cut its text.
        geometry.setWidth(std::max(geometry.width(), control->sizeHint().width()));
    }
    control->setGeometry(geometry);
    return control;
}

void MainWindow::describeForAccessibility() {
    for (const LabelFor& pair : kLabelledFields) {
        auto* label = findChild<QLabel*>(fromUtf8(pair.label));
        auto* field = findChild<QWidget*>(fromUtf8(pair.field));
        label->setBuddy(field);
        field->setAccessibleName(label->text());
        field->setAccessibleDescription(fromUtf8(kUnit));
    }
    for (QPushButton* button : {calculateButton_, exitButton_}) {
        button->setAccessibleName(button->text());
    }
}

void MainWindow::setTabOrder() {
    std::vector<const ControlRow*> focusable;
    for (const ControlRow& row : kControls) {
        if (isFocusable(row.kind)) {
            focusable.push_back(&row);
        }
    }
    std::sort(focusable.begin(), focusable.end(),
              [](const ControlRow* a, const ControlRow* b) { return a->tabIndex < b->tabIndex; });
    QWidget* previous = nullptr;
    for (const ControlRow* row : focusable) {
        auto* control = findChild<QWidget*>(fromUtf8(row->name));
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, control);
        }
        previous = control;
        tabOrder_.push_back(control);
    }
    inputs_[0]->setFocus();
}

void MainWindow::bindEvents() {
    for (std::size_t i = 0; i < inputs_.size(); ++i) {
        connect(inputs_[i], &PresetComboBox::userEdited, this, [this, i](const QString& text) {
            run(WindowEvent::ComboChange,
                {.controlIndex = i, .itemIndex = 0, .text = text.toStdString()});
        });
        connect(inputs_[i], &PresetComboBox::itemPicked, this, [this, i](int item) {
            run(WindowEvent::ComboClick,
                {.controlIndex = i, .itemIndex = static_cast<std::size_t>(item), .text = {}});
        });
    }
    for (std::size_t i = 0; i < OptionGroup::size; ++i) {
        // A click, or the arrow keys moving the selection within the frame.
        connect(pciOptions_[i], &QRadioButton::clicked, this, [this, i] {
            run(WindowEvent::Option1Click, {.controlIndex = i, .itemIndex = 0, .text = {}});
        });
        connect(agpOptions_[i], &QRadioButton::clicked, this, [this, i] {
            run(WindowEvent::Option2Click, {.controlIndex = i, .itemIndex = 0, .text = {}});
        });
    }
    connect(calculateButton_, &QPushButton::clicked, this,
            [this] { run(WindowEvent::Command1Click); });
    connect(exitButton_, &QPushButton::clicked, this, [this] { run(WindowEvent::Command2Click); });
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (panel_.calculateEnabled) {
            run(WindowEvent::Command1Click);
        }
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool MainWindow::focusNextPrevChild(bool next) {
    const std::vector<QWidget*> stops = tabStops();
    QWidget* current = focusWidget();
    const OptionButtons* currentFrame = optionFrameOf(current);
    // Any option of a frame stands for the frame's one stop.
    const auto at = std::find_if(stops.begin(), stops.end(), [&](const QWidget* stop) {
        return stop == current || (currentFrame != nullptr && optionFrameOf(stop) == currentFrame);
    });
    if (at == stops.end()) {
        return QWidget::focusNextPrevChild(next);
    }
    const auto count = static_cast<std::ptrdiff_t>(stops.size());
    const std::ptrdiff_t step = next ? 1 : count - 1;
    QWidget* target = stops[static_cast<std::size_t>((at - stops.begin() + step) % count)];
    target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

std::vector<QWidget*> MainWindow::tabStops() const {
    std::vector<QWidget*> stops;
    for (QWidget* control : tabOrder_) {
        if (!control->isEnabled() || !control->isVisibleTo(this)) {
            continue;
        }
        const OptionButtons* frame = optionFrameOf(control);
        if (frame == nullptr) {
            stops.push_back(control);
            continue;
        }
        const bool frameHasStop = std::any_of(stops.begin(), stops.end(), [&](const QWidget* stop) {
            return optionFrameOf(stop) == frame;
        });
        if (frameHasStop) {
            continue;
        }
        // The frame's stop is its selected option, or its first available
        // one when none is selected.
        const auto selected = std::find_if(frame->begin(), frame->end(), [](QRadioButton* option) {
            return option->isChecked() && option->isEnabled();
        });
        stops.push_back(selected != frame->end() ? *selected : control);
    }
    return stops;
}

const MainWindow::OptionButtons* MainWindow::optionFrameOf(const QWidget* control) const {
    for (const OptionButtons* frame : {&pciOptions_, &agpOptions_}) {
        if (std::find(frame->begin(), frame->end(), control) != frame->end()) {
            return frame;
        }
    }
    return nullptr;
}

void MainWindow::run(WindowEvent event, const EventArgs& args) {
    const EventBinding& binding = bindingFor(event);
    std::optional<FailureDescription> failure;
    try {
        binding.run(panel_, args);
    } catch (const RuntimeError& error) {
        failure = describeFailure(error, panel_, binding.converts);
    }
    showPanel();
    if (failure) {
        reportFailure_(*failure);
        if (failure->box) {
            PresetComboBox* box = inputs_[*failure->box == InputBox::Reference ? 0 : 1];
            // Back from the warning box, the user corrects the text.
            activateWindow();
            box->setFocus(Qt::OtherFocusReason);
            box->lineEdit()->selectAll();
        }
    }
    if (panel_.exitRequested) {
        close();
    }
}

void MainWindow::showPanel() {
    inputs_[0]->showState(panel_.referenceList, QString::fromStdString(panel_.referenceText));
    inputs_[1]->showState(panel_.fsbList, QString::fromStdString(panel_.fsbText));
    showOptions(pciOptions_, panel_.pci);
    showOptions(agpOptions_, panel_.agp);
    for (std::size_t i = 0; i < results_.size(); ++i) {
        const QString text = QString::fromStdString(panel_.results[i]);
        // Rewriting an unchanged result would drop the user's selection.
        if (results_[i]->text() != text) {
            results_[i]->setText(text);
            // A result too long for its box shows its leading digits.
            results_[i]->setCursorPosition(0);
        }
    }
    showHint(*results_[PciClock], panel_.hints[PciClock], pciHintText(panel_.hints[PciClock]));
    showHint(*results_[AgpClock], panel_.hints[AgpClock], agpHintText(panel_.hints[AgpClock]));
    calculateButton_->setEnabled(panel_.calculateEnabled);
}

void MainWindow::showFailure(const FailureDescription& failure) {
    QMessageBox box(QMessageBox::Warning, fromUtf8(kWindowTitle),
                    QString::fromStdString(failure.message), QMessageBox::Ok, this);
    // The message quotes what the user typed; it must not be read as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace quenvale
