#include <form/control_table.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quenvale {
namespace {

struct RatioCase {
    Rgb foreground;
    Rgb background;
    double ratio;
};

class ContrastRatio : public testing::TestWithParam<RatioCase> {};

TEST_P(ContrastRatio, IsWcagsFigure) {
    const RatioCase& c = GetParam();
    EXPECT_NEAR(contrastRatio(c.foreground, c.background), c.ratio, 0.005);
    EXPECT_DOUBLE_EQ(contrastRatio(c.background, c.foreground),
                     contrastRatio(c.foreground, c.background));
}

INSTANTIATE_TEST_SUITE_P(
    KnownPairs, ContrastRatio,
    testing::Values(RatioCase{{0, 0, 0}, {255, 255, 255}, 21.0},
                    RatioCase{{0x3D, 0x3D, 0x3D}, {0x3D, 0x3D, 0x3D}, 1.0},
                    // The lightest grey that passes on white.
                    RatioCase{{0x76, 0x76, 0x76}, {255, 255, 255}, 4.54},
                    // The light red on a dark desktop's box, as it was measured.
                    RatioCase{{0xC0, 0x00, 0x00}, {0x3D, 0x3D, 0x3D}, 1.68}));

// The faces a colour is drawn on: the window's and a box's, in the classic
// light scheme and in common dark ones (a Qt configuration tool's darker
// scheme, a desktop's dark theme, old and new).
const std::vector<Rgb> kLightFaces{{0xEF, 0xEF, 0xEF}, {0xFF, 0xFF, 0xFF}};
const std::vector<Rgb> kLightBoxes{{0xFF, 0xFF, 0xFF}};
const std::vector<Rgb> kDarkFaces{{0x22, 0x20, 0x20}, {0x3D, 0x3D, 0x3D}, {0x31, 0x36, 0x3B},
                                  {0x23, 0x26, 0x29}, {0x2A, 0x2E, 0x32}, {0x1B, 0x1E, 0x20}};

struct LegibilityCase {
    const char* name;
    SchemeColour colour;
    std::vector<Rgb> backgrounds;
    bool dark; // the variant expected on them
};

class SchemeColourOn : public testing::TestWithParam<LegibilityCase> {};

TEST_P(SchemeColourOn, ReadsAtFourAndAHalfToOne) {
    const LegibilityCase& c = GetParam();
    const Rgb expected = c.dark ? c.colour.dark : c.colour.light;
    for (const Rgb background : c.backgrounds) {
        const Rgb chosen = variantOn(c.colour, background);
        EXPECT_EQ(chosen.red, expected.red);
        EXPECT_EQ(chosen.green, expected.green);
        EXPECT_EQ(chosen.blue, expected.blue);
        EXPECT_GE(contrastRatio(chosen, background), 4.5)
            << int(background.red) << ' ' << int(background.green) << ' ' << int(background.blue);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Schemes, SchemeColourOn,
    testing::Values(LegibilityCase{"CreditLight", kCreditColours, kLightFaces, false},
                    LegibilityCase{"CreditDark", kCreditColours, kDarkFaces, true},
                    LegibilityCase{"CautionLight", kCautionColours, kLightBoxes, false},
                    LegibilityCase{"CautionDark", kCautionColours, kDarkFaces, true},
                    LegibilityCase{"DangerLight", kDangerColours, kLightBoxes, false},
                    LegibilityCase{"DangerDark", kDangerColours, kDarkFaces, true}),
    [](const testing::TestParamInfo<LegibilityCase>& param) { return param.param.name; });

} // namespace
} // namespace quenvale
