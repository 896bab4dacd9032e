#include <calculator/clock_panel.h>
#include <form/control_table.h>
#include <form/form_session.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace quenvale {
namespace {

struct Gesture {
    WindowEvent event;
    EventArgs args;
};

struct SessionCase {
    const char* name;
    std::vector<Gesture> before; // after Load
    Gesture last;
    bool fails;
    std::optional<InputBox> focusBox;
    bool exits;
};

class SessionOutcome : public testing::TestWithParam<SessionCase> {};

TEST_P(SessionOutcome, SaysWhatFollowsTheEvent) {
    const SessionCase& c = GetParam();
    FormSession session;
    session.handle(WindowEvent::FormLoad);
    for (const Gesture& gesture : c.before) {
        session.handle(gesture.event, gesture.args);
    }
    const ClockPanel before = session.panel();
    const EventOutcome outcome = session.handle(c.last.event, c.last.args);
    EXPECT_EQ(outcome.failure.has_value(), c.fails);
    EXPECT_EQ(outcome.focusBox, c.focusBox);
    EXPECT_EQ(outcome.exitRequested, c.exits);
    if (c.fails) {
        // A failing action writes nothing; only the gesture's own text stays.
        EXPECT_EQ(session.panel().pci, before.pci);
        EXPECT_EQ(session.panel().agp, before.agp);
        EXPECT_EQ(session.panel().results, before.results);
        EXPECT_EQ(session.panel().calculateEnabled, before.calculateEnabled);
        EXPECT_EQ(outcome.failure->box, c.focusBox);
    }
}

const Gesture kCalculate{WindowEvent::CalculateClicked, {}};

INSTANTIATE_TEST_SUITE_P(
    Events, SessionOutcome,
    testing::Values(
        SessionCase{"CalculateUntouchedFocusesReference",
                    {},
                    kCalculate,
                    false,
                    InputBox::Reference,
                    false},
        SessionCase{"CalculateAfterFsbEditFocusesFsb",
                    {{WindowEvent::FsbEdited, {0, "150"}}},
                    kCalculate,
                    false,
                    InputBox::Fsb,
                    false},
        SessionCase{"CalculateAfterFsbThenReferencePick",
                    {{WindowEvent::FsbEdited, {0, "150"}}, {WindowEvent::ReferencePicked, {4, {}}}},
                    kCalculate,
                    false,
                    InputBox::Reference,
                    false},
        SessionCase{"DividerClickKeepsTheLastBox",
                    {{WindowEvent::FsbPicked, {0, {}}}, {WindowEvent::AgpDividerClicked, {0, {}}}},
                    kCalculate,
                    false,
                    InputBox::Fsb,
                    false},
        SessionCase{
            "BadReferenceBlamesReference",
            {{WindowEvent::FsbEdited, {0, "150"}}, {WindowEvent::ReferenceEdited, {0, "x"}}},
            kCalculate,
            true,
            InputBox::Reference,
            false},
        SessionCase{"PickWithBadFsbBlamesFsb",
                    {{WindowEvent::FsbEdited, {0, "abc"}}},
                    {WindowEvent::ReferencePicked, {0, {}}},
                    true,
                    InputBox::Fsb,
                    false},
        SessionCase{
            "EditMovesNoFocus", {}, {WindowEvent::FsbEdited, {0, "9"}}, false, std::nullopt, false},
        SessionCase{"ExitCloses", {}, {WindowEvent::ExitClicked, {}}, false, std::nullopt, true}),
    [](const testing::TestParamInfo<SessionCase>& param) { return param.param.name; });

struct StepCase {
    const char* text;
    ListStep step;
    std::optional<std::size_t> item;
};

class ListStepping : public testing::TestWithParam<StepCase> {};

TEST_P(ListStepping, MovesFromTheText) {
    const std::vector<std::string> fsb(kFsbPresets.begin(), kFsbPresets.end());
    EXPECT_EQ(steppedItem(fsb, GetParam().text, GetParam().step), GetParam().item)
        << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    FsbList, ListStepping,
    testing::Values(StepCase{"150", ListStep::Down, 19}, StepCase{"150", ListStep::Up, 17},
                    StepCase{"66.666", ListStep::Up, std::nullopt},
                    StepCase{"160", ListStep::Down, std::nullopt},
                    StepCase{"133.332", ListStep::Down, 13}, StepCase{"133.334", ListStep::Up, 13},
                    StepCase{"１５０．５", ListStep::Up, 18}, StepCase{"68.5", ListStep::Down, 2},
                    StepCase{"1e9", ListStep::Down, std::nullopt},
                    StepCase{"-5", ListStep::Down, 0}, StepCase{"", ListStep::Down, 0},
                    StepCase{"1,000", ListStep::Up, 20}));

struct TipCase {
    const char* reference;
    const char* fsb;
    bool textFits;
    std::string cpuTip; // empty: no tip
};

class CpuToolTip : public testing::TestWithParam<TipCase> {};

TEST_P(CpuToolTip, TellsWhatTheCrystalDoesOnceCalculated) {
    const TipCase& c = GetParam();
    FormSession session;
    session.handle(WindowEvent::FormLoad);
    session.handle(WindowEvent::ReferenceEdited, {0, c.reference});
    session.handle(WindowEvent::FsbEdited, {0, c.fsb});
    EXPECT_EQ(resultToolTip(session.panel(), CpuClock, c.textFits), "");
    ASSERT_FALSE(session.handle(WindowEvent::CalculateClicked).failure);
    EXPECT_EQ(resultToolTip(session.panel(), CpuClock, c.textFits), c.cpuTip);
    // A screen reader hears the same as one text, but for the text itself:
    // its sentences kept apart by a space.
    std::string spoken = c.cpuTip.substr(c.textFits ? 0 : c.cpuTip.find('\n') + 1);
    std::replace(spoken.begin(), spoken.end(), '\n', ' ');
    if (spoken.empty()) {
        spoken = "MHz";
    }
    EXPECT_EQ(resultDescription(session.panel(), CpuClock), spoken);
}

INSTANTIATE_TEST_SUITE_P(
    Crystals, CpuToolTip,
    testing::Values(TipCase{"14.318", "100", true,
                            "USB 48MHz: 許容範囲(±0.25%)内です。\n"
                            "Super I/O 24MHz: シリアルポートとフロッピーは定格どおりの速さです。\n"
                            "タイマーで刻む時計: ずれません。"},
                    TipCase{
                        "14.35", "100", true,
                        "USB 48.10728MHz: 許容範囲(±0.25%)内です。\n"
                        "Super I/O 24.05364MHz: シリアルポートとフロッピーが 0.2% 速くなります。"
                        "許容範囲(±2%)内です。\n"
                        "タイマーで刻む時計: 1日に約3分進みます。"},
                    TipCase{"15.000", "100", true,
                            "USB 50.28635MHz: "
                            "許容範囲(±0.25%)を外れ、USB機器が動かないことがあります。\n"
                            "Super I/O 25.14318MHz: シリアルポートとフロッピーが 4.8% 速くなり、"
                            "許容範囲(±2%)を外れます。通信や読み書きに失敗することがあります。\n"
                            "タイマーで刻む時計: 1日に約1時間9分進みます。"},
                    TipCase{"12.000", "1e9", false,
                            "8.381059E+08 MHz\nUSB 40.22908MHz: "
                            "許容範囲(±0.25%)を外れ、USB機器が動かないことがあります。\n"
                            "Super I/O 20.11454MHz: シリアルポートとフロッピーが 16.2% 遅くなり、"
                            "許容範囲(±2%)を外れます。通信や読み書きに失敗することがあります。\n"
                            "タイマーで刻む時計: 1日に約3時間53分遅れます。"},
                    // Too far out to tell USB or the drift; the clock itself is shown.
                    TipCase{"1e35", "1", true, ""}));

TEST(ControlTable, EveryReferenceNamesAControlAndEveryControlHasOneTabPlace) {
    std::set<std::size_t> tabIndices;
    for (const ControlRow& row : kControls) {
        EXPECT_TRUE(tabIndices.insert(tabIndex(row)).second) << row.objectName;
        EXPECT_EQ(&controlRow(row.role), &row) << row.objectName;
        if (row.container != kWindowName) {
            EXPECT_EQ(controlRow(row.container).kind, ControlKind::Frame) << row.objectName;
        }
        if (!row.labelFor.empty()) {
            EXPECT_EQ(row.kind, ControlKind::Label);
            EXPECT_NO_THROW(controlRow(row.labelFor)) << row.objectName;
        }
    }
    // The tab order numbers the controls from 0 without a gap.
    EXPECT_EQ(*tabIndices.rbegin(), kControls.size() - 1);
    for (const EventBinding& binding : eventBindings()) {
        EXPECT_NO_THROW(binding.source == kWindowName ? kControls.front()
                                                      : controlRow(binding.source));
    }
}

TEST(ControlTable, OptionsAreCaptionedByTheirDividers) {
    for (const auto& [group, role] : {std::pair{DividerGroup::Pci, Role::PciDivider},
                                      std::pair{DividerGroup::Agp, Role::AgpDivider}}) {
        const auto dividers = dividerTable(group);
        for (std::size_t i = 0; i < dividers.size(); ++i) {
            const ControlRow& row = controlRow(ControlRole{role, i});
            EXPECT_EQ(row.kind, ControlKind::OptionButton);
            EXPECT_EQ(row.caption, dividers[i].caption);
            EXPECT_EQ(controlRow(row.container).role.role,
                      group == DividerGroup::Pci ? Role::PciFrame : Role::AgpFrame);
        }
    }
}

// The focus visits the inputs, each divider frame's options, the buttons and
// the results, in the order the window was numbered in.
TEST(ControlTable, TabOrderVisitsTheFieldsInWindowOrder) {
    std::vector<ControlRole> expected{{Role::ReferenceBox}, {Role::FsbBox}};
    for (std::size_t i = 0; i < kPciDividers.size(); ++i) {
        expected.push_back({Role::PciDivider, i});
    }
    for (std::size_t i = 0; i < kAgpDividers.size(); ++i) {
        expected.push_back({Role::AgpDivider, i});
    }
    expected.insert(expected.end(), {{Role::CalculateButton},
                                     {Role::ExitButton},
                                     {Role::ResultBox, 0},
                                     {Role::ResultBox, 1},
                                     {Role::ResultBox, 2}});
    std::vector<ControlRole> visited;
    for (const ControlRow* row : tabOrder()) {
        visited.push_back(row->role);
    }
    EXPECT_EQ(visited, expected);
}

} // namespace
} // namespace quenvale
