#pragma once

#include <calculator/clock_hints.h>
#include <report/clock_chart.h>
#include <runtime/language.h>

#include <string>
#include <string_view>

namespace quenvale {

// A hint in words, as the chart's legend and the page's table say it.
std::string hintWords(ClockHint hint, Language language);

// The words of the chart of the crystal's FSB table, in the language: the
// command line and the page draw the same picture.
ChartLabels chartLabels(std::string_view crystal, Language language);

} // namespace quenvale
