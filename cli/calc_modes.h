#pragma once

#include <cli/calc_types.h>
#include <runtime/language.h>

#include <iosfwd>

namespace quenvale::cli {

// Each mode of quenvale-calc; the exit status: 0 done, 1 a calculation failed.
int runSingle(const SingleArgs& args, std::ostream& out, std::ostream& err, Language language);
// --batch also fails, with 1, where the standard input cannot be read.
int runBatch(const BatchArgs& args, std::istream& in, std::ostream& out, std::ostream& err,
             Language language);
int runTable(const TableArgs& args, std::ostream& out, Language language);
int runCrystalFor(const CrystalForArgs& args, std::ostream& out, std::ostream& err,
                  Language language);
int runPlan(const PlanArgs& args, std::ostream& out, std::ostream& err, Language language);

} // namespace quenvale::cli
