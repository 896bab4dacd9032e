#include <runtime/catalogue.h>

#include <gtest/gtest.h>

#include <form/control_table.h>

namespace quenvale {
namespace {

// A caption or tool tip missing from the catalogue would stay Japanese in the
// English window. Inputs' initial texts and the dividers' ratios are numbers,
// the same in any language.
TEST(control_table, every_caption_and_tool_tip_is_in_the_catalogue) {
    for (const ControlRow& row : kControls) {
        const bool captioned = row.kind == ControlKind::Frame || row.kind == ControlKind::Label ||
                               row.kind == ControlKind::CommandButton;
        if (captioned) {
            EXPECT_TRUE(findText(Language::English, row.caption)) << row.objectName;
        }
        if (!row.toolTip.empty()) {
            EXPECT_TRUE(findText(Language::English, row.toolTip)) << row.objectName;
        }
    }
}

} // namespace
} // namespace quenvale
