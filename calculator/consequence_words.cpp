#include <calculator/consequences.h>
#include <runtime/catalogue.h>
#include <runtime/format_single.h>

#include <cmath>
#include <string>

namespace quenvale {

std::string_view usbVerdict(const Consequences& consequences, Language language) {
    return consequences.usbWithinTolerance
               ? tr(language, "許容範囲(±0.25%)内です。")
               : tr(language, "許容範囲(±0.25%)を外れ、USB機器が動かないことがあります。");
}

namespace {

// A share as a person quotes it: per cent with one decimal, "4.8", "10".
std::string percentText(double share) {
    return formatSingle(static_cast<float>(std::round(std::fabs(share) * 1000) / 10));
}

} // namespace

std::string superIoVerdict(const Consequences& consequences, Language language) {
    const double share = static_cast<double>(consequences.sioMhz) / kNominalSuperIo - 1;
    const std::string percent = percentText(share);
    if (percent == "0") {
        return std::string(tr(language, "シリアルポートとフロッピーは定格どおりの速さです。"));
    }
    const std::string tolerance = percentText(kSuperIoTolerance);
    const std::initializer_list<Argument> arguments{{"percent", percent}, {"tolerance", tolerance}};
    if (consequences.sioWithinTolerance) {
        return share > 0 ? tr(language,
                              "シリアルポートとフロッピーが {percent}% 速くなります。"
                              "許容範囲(±{tolerance}%)内です。",
                              arguments)
                         : tr(language,
                              "シリアルポートとフロッピーが {percent}% 遅くなります。"
                              "許容範囲(±{tolerance}%)内です。",
                              arguments);
    }
    return share > 0
               ? tr(language,
                    "シリアルポートとフロッピーが {percent}% 速くなり、許容範囲(±{tolerance}%)"
                    "を外れます。通信や読み書きに失敗することがあります。",
                    arguments)
               : tr(language,
                    "シリアルポートとフロッピーが {percent}% 遅くなり、許容範囲(±{tolerance}%)"
                    "を外れます。通信や読み書きに失敗することがあります。",
                    arguments);
}

std::string driftDuration(float seconds, Language language) {
    const double magnitude = std::fabs(static_cast<double>(seconds));
    if (magnitude == 0) {
        return "0";
    }
    if (magnitude < 0.5) {
        return std::string(tr(language, "1秒未満"));
    }
    if (magnitude < 59.5) {
        return tr(language, "{seconds}秒",
                  {{"seconds", formatSingle(static_cast<float>(std::round(magnitude)))}});
    }
    const double minutes = std::round(magnitude / 60);
    if (minutes < 60) {
        return tr(language, "{minutes}分",
                  {{"minutes", formatSingle(static_cast<float>(minutes))}});
    }
    const double hours = std::floor(minutes / 60);
    const double left = minutes - hours * 60;
    const std::string hoursText = formatSingle(static_cast<float>(hours));
    // Beyond a single's seven digits the minutes are noise.
    if (left == 0 || hours >= 1e7) {
        return tr(language, "{hours}時間", {{"hours", hoursText}});
    }
    return tr(language, "{hours}時間{minutes}分",
              {{"hours", hoursText}, {"minutes", formatSingle(static_cast<float>(left))}});
}

std::string signedDriftDuration(const Consequences& consequences, Language language) {
    const float drift = consequences.timerDriftSecondsPerDay;
    const std::string duration = driftDuration(drift, language);
    return drift > 0 ? "+" + duration : drift < 0 ? "-" + duration : duration;
}

std::string timerDriftSentence(const Consequences& consequences, Language language) {
    const float drift = consequences.timerDriftSecondsPerDay;
    if (drift == 0) {
        return std::string(tr(language, "ずれません。"));
    }
    const std::string duration = driftDuration(drift, language);
    // Rounded, so "about"; under half a second it says so itself.
    const bool rounded = std::fabs(drift) >= 0.5F;
    const std::initializer_list<Argument> arguments{{"duration", duration}};
    if (drift > 0) {
        return rounded ? tr(language, "1日に約{duration}進みます。", arguments)
                       : tr(language, "1日に{duration}進みます。", arguments);
    }
    return rounded ? tr(language, "1日に約{duration}遅れます。", arguments)
                   : tr(language, "1日に{duration}遅れます。", arguments);
}

std::string_view timerClockName(Language language) {
    return tr(language, "タイマーの刻みで数える OS の時計 (RTC は別)");
}

} // namespace quenvale
