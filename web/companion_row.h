#pragma once

#include <rows/case_row.h>
#include <runtime/language.h>

#include <span>
#include <string>
#include <string_view>

namespace quenvale {

// One row of either table, as the page shows it.
struct CompanionRow {
    std::string reference;
    std::string fsb;
    std::string pciDivider;
    std::string agpDivider;
    std::string cpu;
    std::string pci;
    std::string agp;
    std::string core;
    std::string pciHint; // "ok", "caution" or "danger": the colour
    std::string agpHint;
    std::string pciWords; // the hint in short, and why
    std::string agpWords;
    std::string pciWhy;
    std::string agpWhy;
    std::string usb;
    std::string usbNote; // "範囲外" when the USB clock is out of tolerance
    std::string drift;
    std::string error; // a row that could not be calculated says why
    std::string action; // what choosing the row does, with its values: its button's name
    // The row's crystal and FSB in the window's lists, to pick them.
    int referenceItem = -1;
    int fsbItem = -1;
};

// Which table a row is of: choosing it puts its FSB in the window, or its
// crystal and FSB.
enum class RowOf { FsbTable, Plan };

// A row of either table from the row every output shares: a failed case
// says why, the others show their clocks, hints and consequences.
CompanionRow companionRow(const CaseRow& texts, RowOf table, Language language);

// The row as JSON, as the page reads it.
std::string companionRowJson(const CompanionRow& row);

// The text's place in the list, or -1.
int itemOf(std::span<const std::string_view> list, std::string_view text);

} // namespace quenvale
