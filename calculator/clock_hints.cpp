#include <calculator/clock_hints.h>

namespace quenvale {

namespace {

ClockHint hintFor(float mhz, double nominal) {
    const auto clock = static_cast<double>(mhz);
    if (clock > nominal * kDangerShare) {
        return ClockHint::Danger;
    }
    if (clock > nominal * kCautionShare) {
        return ClockHint::Caution;
    }
    return ClockHint::Ok;
}

} // namespace

ClockHint pciHint(float mhz) {
    return hintFor(mhz, kNominalPci);
}

ClockHint agpHint(float mhz) {
    return hintFor(mhz, kNominalAgp);
}

std::string_view hintName(ClockHint hint) {
    switch (hint) {
    case ClockHint::Caution:
        return "caution";
    case ClockHint::Danger:
        return "danger";
    case ClockHint::Ok:
        break;
    }
    return "ok";
}

std::string_view pciHintText(ClockHint hint) {
    switch (hint) {
    case ClockHint::Caution:
        return "注意: PCIクロックが定格33.33MHzの112.5%を超えています。"
               "IDEやSCSIの機器が誤動作することがあります。";
    case ClockHint::Danger:
        return "危険: PCIクロックが定格33.33MHzの125%を超えています。"
               "IDEやSCSIの機器、拡張カードが動作しないおそれがあります。";
    case ClockHint::Ok:
        break;
    }
    return {};
}

std::string_view agpHintText(ClockHint hint) {
    switch (hint) {
    case ClockHint::Caution:
        return "注意: AGPクロックが定格66.67MHzの112.5%を超えています。"
               "ビデオカードによっては表示が不安定になります。";
    case ClockHint::Danger:
        return "危険: AGPクロックが定格66.67MHzの125%を超えています。"
               "多くのAGPカードは75から83MHzを超えると動作しません。";
    case ClockHint::Ok:
        break;
    }
    return {};
}

} // namespace quenvale
