#include <calculator/clock_calculation.h>
#include <calculator/clock_hints.h>
#include <form/control_table.h>
#include <runtime/catalogue.h>
#include <window/main_window.h>
#include <window/preset_combo_box.h>
#include <window/result_box.h>
#include <window/twips.h>
#include <window/ui_fonts.h>
#include <window/warning_sign.h>

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTextLayout>
#include <QToolTip>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace quenvale {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor colour(Rgb rgb) {
    return {rgb.red, rgb.green, rgb.blue};
}

// The variant of the colour that reads on the palette's colour for the role
// it is drawn on.
QColor colourOn(const SchemeColour& scheme, const QPalette& palette, QPalette::ColorRole ground) {
    const QColor background = palette.color(ground);
    return colour(variantOn(scheme, {static_cast<std::uint8_t>(background.red()),
                                     static_cast<std::uint8_t>(background.green()),
                                     static_cast<std::uint8_t>(background.blue())}));
}

template <typename Control> Control* named(const QWidget& window, std::string_view name) {
    return window.findChild<Control*>(fromUtf8(name));
}

void showOptions(const std::vector<QRadioButton*>& buttons, const OptionGroup& group) {
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

// Breaks each line of the text where it would run wider than `width` in the
// tool tip's font. Japanese has no spaces, so a line may break between any
// two characters.
QString wrapped(const QString& text, int width) {
    QStringList lines;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, QToolTip::font());
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines << paragraph.mid(line.textStart(), line.textLength()).trimmed();
        }
        layout.endLayout();
    }
    return lines.join(QLatin1Char('\n'));
}

// Whether a line edit shows the whole of its text.
bool showsWhole(const QLineEdit& box) {
    const int frame = box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &box);
    const QMargins margins = box.textMargins();
    // QLineEdit keeps two pixels on either side of its text.
    const int room = box.contentsRect().width() - 2 * frame - margins.left() - margins.right() - 4;
    return box.fontMetrics().horizontalAdvance(box.text()) <= room;
}

} // namespace

MainWindow::MainWindow(Language language, QWidget* parent)
    : QWidget(parent), session_(language),
      reportFailure_([this](const FailureDescription& failure) { showFailure(failure); }) {
    setObjectName(fromUtf8(kWindowName));
    setWindowTitle(fromUtf8(quenvale::tr(language, {"Quenvale", "window title"})));
    // A fixed layout: the window can be moved, minimised and closed, but not
    // resized or maximised.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(twipsToPixels(kClientWidthTwips, logicalDpiX()),
                 twipsToPixels(kClientHeightTwips, logicalDpiY()));
    setFont(controlFont());

    focusTipTimer_.setSingleShot(true);
    focusTipTimer_.setInterval(0);
    connect(&focusTipTimer_, &QTimer::timeout, this, [this] {
        for (QLineEdit* box : results_) {
            if (box->hasFocus()) {
                showResultToolTip(*box);
            }
        }
    });
    buildControls();
    describeForAccessibility();
    setTabOrder();
    bindEvents();
    showPanel();
}

void MainWindow::load() {
    run(WindowEvent::FormLoad);
    // Typing at once replaces the preset crystal rather than adding to it.
    focusInput(InputBox::Reference);
}

void MainWindow::setFailureReporter(FailureReporter reporter) {
    reportFailure_ = std::move(reporter);
}

void MainWindow::buildControls() {
    std::map<std::string_view, QWidget*> containers{{kWindowName, this}};
    for (const ControlRow& row : kControls) {
        QWidget* control = createControl(row, containers.at(row.container));
        keep(row, control);
        if (row.kind == ControlKind::Frame) {
            containers.emplace(row.objectName, control);
        }
    }
    for (QLineEdit* box : results_) {
        box->installEventFilter(this);
    }
    buildHintMarks();
    showCreditColour();
}

void MainWindow::buildHintMarks() {
    QFont bold = font();
    bold.setBold(true);
    for (const ClockIndex index : {CpuClock, PciClock, AgpClock}) {
        const MarkBox place = hintMarkBox(index);
        auto* mark = new QLabel(named<QWidget>(*this, place.container));
        mark->setObjectName(fromUtf8(place.objectName));
        mark->setFont(bold);
        mark->setAlignment(Qt::AlignRight | Qt::AlignTop);
        // A space's width apart from the label, however far it grew.
        const auto* label = named<QLabel>(*this, controlRow({Role::ResultLabel, index}).objectName);
        const int left = std::max(twipsToPixels(place.left, logicalDpiX()),
                                  label->geometry().right() + 1) +
                         fontMetrics().horizontalAdvance(u' ');
        mark->setGeometry(left, twipsToPixels(place.top, logicalDpiY()),
                          twipsToPixels(place.left + place.width, logicalDpiX()) - left,
                          twipsToPixels(place.height, logicalDpiY()));
        mark->hide();
        hintMarks_.at(index) = mark;
    }
}

void MainWindow::keep(const ControlRow& row, QWidget* control) {
    const std::size_t index = row.role.index;
    switch (row.role.role) {
    case Role::ReferenceBox:
        inputs_[0] = qobject_cast<PresetComboBox*>(control);
        break;
    case Role::FsbBox:
        inputs_[1] = qobject_cast<PresetComboBox*>(control);
        break;
    case Role::PciDivider:
    case Role::AgpDivider: {
        OptionButtons& frame = row.role.role == Role::PciDivider ? pciOptions_ : agpOptions_;
        frame.resize(std::max(frame.size(), index + 1));
        frame[index] = qobject_cast<QRadioButton*>(control);
        break;
    }
    case Role::CalculateButton:
        calculateButton_ = qobject_cast<QPushButton*>(control);
        break;
    case Role::ExitButton:
        exitButton_ = qobject_cast<QPushButton*>(control);
        break;
    case Role::ResultBox:
        results_.at(index) = qobject_cast<QLineEdit*>(control);
        break;
    case Role::CreditLine:
        credit_ = qobject_cast<QLabel*>(control);
        break;
    default:
        break; // drawn, and never touched again
    }
}

QWidget* MainWindow::createControl(const ControlRow& row, QWidget* container) {
    // The table's Japanese captions are the catalogue's ids; the initial
    // texts of the boxes and the dividers' ratios are the same in any
    // language.
    const QString caption = row.kind == ControlKind::ComboBox || row.kind == ControlKind::TextBox
                                ? fromUtf8(row.caption)
                                : fromUtf8(captionIn(row, language()));
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
        auto* box = new ResultBox(caption, container);
        box->setFont(inputFont());
        // The program writes the results; the user may select and copy them.
        box->setReadOnly(true);
        control = box;
        break;
    }
    }
    control->setObjectName(fromUtf8(row.objectName));
    if (!row.toolTip.empty()) {
        control->setToolTip(fromUtf8(toolTipIn(row, language())));
    }

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
    for (const ControlRow& row : kControls) {
        if (row.labelFor.empty()) {
            continue;
        }
        auto* label = named<QLabel>(*this, row.objectName);
        auto* field = named<QWidget>(*this, row.labelFor);
        label->setBuddy(field);
        field->setAccessibleName(label->text());
        field->setAccessibleDescription(fromUtf8(kUnit));
    }
    for (QPushButton* button : {calculateButton_, exitButton_}) {
        button->setAccessibleName(button->text());
    }
}

void MainWindow::setTabOrder() {
    QWidget* previous = nullptr;
    for (const ControlRow* row : tabOrder()) {
        auto* control = named<QWidget>(*this, row->objectName);
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, control);
        }
        previous = control;
        tabOrder_.push_back(control);
    }
}

void MainWindow::bindEvents() {
    for (std::size_t i = 0; i < inputs_.size(); ++i) {
        const InputBox box = i == 0 ? InputBox::Reference : InputBox::Fsb;
        connect(inputs_[i], &PresetComboBox::userEdited, this, [this, box](const QString& text) {
            run(editedEvent(box), {.index = 0, .text = text.toStdString()});
        });
        connect(inputs_[i], &PresetComboBox::itemPicked, this, [this, box](int item) {
            run(pickedEvent(box), {.index = static_cast<std::size_t>(item), .text = {}});
        });
        connect(inputs_[i], &PresetComboBox::stepRequested, this,
                [this, box](ListStep step) { follow(session_.step(box, step)); });
    }
    for (const auto& [options, event] : {std::pair{&pciOptions_, WindowEvent::PciDividerClicked},
                                         std::pair{&agpOptions_, WindowEvent::AgpDividerClicked}}) {
        for (std::size_t i = 0; i < options->size(); ++i) {
            // A click, or the arrow keys moving the selection within the frame.
            connect((*options)[i], &QRadioButton::clicked, this,
                    [this, clicked = event, i] { run(clicked, {.index = i, .text = {}}); });
        }
    }
    connect(calculateButton_, &QPushButton::clicked, this,
            [this] { run(WindowEvent::CalculateClicked); });
    connect(exitButton_, &QPushButton::clicked, this, [this] { run(WindowEvent::ExitClicked); });
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (session_.panel().calculateEnabled) {
            run(WindowEvent::CalculateClicked);
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

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box != nullptr && std::find(results_.begin(), results_.end(), box) != results_.end()) {
        if (event->type() == QEvent::ToolTip) {
            showResultToolTip(*box);
            return true;
        }
        if (event->type() == QEvent::FocusIn) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                reason == Qt::ShortcutFocusReason) {
                // Once the focus has settled: a tool tip hides on any focus
                // change still under way.
                focusTipTimer_.start();
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::changeEvent(QEvent* event) {
    // Also sent when the application's palette changes under the window.
    if (event->type() == QEvent::PaletteChange) {
        showCreditColour();
        for (const ClockIndex index : {CpuClock, PciClock, AgpClock}) {
            showResult(index);
        }
    }
    QWidget::changeEvent(event);
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
    follow(session_.handle(event, args));
}

void MainWindow::follow(const EventOutcome& outcome) {
    // Disabling 計算実行 may pass the focus on to 終了; it is put back below.
    showPanel();
    if (outcome.failure) {
        reportFailure_(*outcome.failure);
        // Back from the warning box, the user corrects the text.
        activateWindow();
    }
    if (outcome.focusBox) {
        focusInput(*outcome.focusBox);
    }
    if (outcome.exitRequested) {
        close();
    }
}

void MainWindow::focusInput(InputBox box) {
    PresetComboBox* combo = inputs_[box == InputBox::Reference ? 0 : 1];
    combo->setFocus(Qt::OtherFocusReason);
    combo->lineEdit()->selectAll();
}

void MainWindow::showPanel() {
    const ClockPanel& panel = session_.panel();
    inputs_[0]->showState(panel.referenceList, QString::fromStdString(panel.referenceText));
    inputs_[1]->showState(panel.fsbList, QString::fromStdString(panel.fsbText));
    showOptions(pciOptions_, panel.pci);
    showOptions(agpOptions_, panel.agp);
    for (const ClockIndex index : {CpuClock, PciClock, AgpClock}) {
        showResult(index);
    }
    calculateButton_->setEnabled(panel.calculateEnabled);
}

void MainWindow::showCreditColour() {
    QPalette palette;
    palette.setColor(QPalette::WindowText,
                     colourOn(kCreditColours, this->palette(), QPalette::Window));
    credit_->setPalette(palette);
}

// The hint is given four ways, so that the colour never carries it alone:
// the colour of the text, a word beside the box, the tool tip and the
// accessible description.
void MainWindow::showResult(ClockIndex index) {
    const ClockPanel& panel = session_.panel();
    QLineEdit& box = *results_[index];
    const QString text = QString::fromStdString(panel.results[index]);
    // Rewriting an unchanged result would drop the user's selection.
    if (box.text() != text) {
        box.setText(text);
        // A result too long for its box shows its leading digits.
        box.setCursorPosition(0);
    }
    // An empty palette resolves nothing: the box takes its usual colours.
    QPalette palette;
    if (const ClockHint hint = panel.hints[index]; hint != ClockHint::Ok) {
        palette.setColor(QPalette::Text,
                         colourOn(hint == ClockHint::Danger ? kDangerColours : kCautionColours,
                                  this->palette(), QPalette::Base));
    }
    box.setPalette(palette);
    // For the eye: a screen reader hears the hint in the box's description.
    QLabel& mark = *hintMarks_.at(index);
    mark.setText(fromUtf8(resultMark(panel, index, language())));
    mark.setVisible(!mark.text().isEmpty());
    box.setToolTip(
        wrapped(fromUtf8(resultToolTip(panel, index, showsWhole(box), language())), kToolTipWidth));
    box.setAccessibleDescription(fromUtf8(resultDescription(panel, index, language())));
    box.setAccessibleName(
        fromUtf8(resultAccessibleName(panel, index, showsWhole(box), language())));
}

void MainWindow::showResultToolTip(QLineEdit& box) {
    if (box.toolTip().isEmpty()) {
        QToolTip::hideText();
        return;
    }
    // Right of the results frame, level with the box: it covers neither the
    // box, its unit, nor the box below. Qt puts a tip 16 px below the point.
    const QWidget& frame = *box.parentWidget();
    const QPoint beside = frame.mapToGlobal(QPoint(frame.width(), box.y() - 16));
    QToolTip::showText(beside, box.toolTip(), &box);
}

void MainWindow::showFailure(const FailureDescription& failure) {
    QMessageBox box(QMessageBox::Warning,
                    fromUtf8(quenvale::tr(language(), {"Quenvale", "window title"})),
                    QString::fromStdString(failure.message), QMessageBox::Ok, this);
    // The style's own sign is a small bitmap, blurred when scaled up on a
    // high-density screen; this one is drawn for the screen's pixel ratio.
    const int side = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
    box.setIconPixmap(warningSign().pixmap(QSize(side, side), devicePixelRatioF()));
    // Named by the catalogue, so that it speaks the window's language even
    // where Qt's translations are not installed.
    box.button(QMessageBox::Ok)->setText(fromUtf8(quenvale::tr(language(), {"OK", "button"})));
    // The message quotes what the user typed; it must not be read as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace quenvale
