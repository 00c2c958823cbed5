// Lookups in the generated case and class tables.
#include "platform/kernel/wstr/char_tables.h"

#include <algorithm>

namespace talix {
namespace {

WCHAR MapThroughRuns(const chartables::CaseRun* runs, size_t count, WCHAR c) {
  const chartables::CaseRun* end = runs + count;
  // The last run whose first character is not after c.
  const chartables::CaseRun* run = std::upper_bound(
      runs, end, c, [](WCHAR value, const chartables::CaseRun& r) { return value < r.first; });
  if (run == runs) return c;
  --run;
  if (c > run->last || (c - run->first) % run->stride != 0) return c;
  return static_cast<WCHAR>(c + run->delta);
}

}  // namespace

WCHAR ToUpperCase(WCHAR c) {
  if (c < 0x80) return (c >= u'a' && c <= u'z') ? static_cast<WCHAR>(c - 32) : c;
  return MapThroughRuns(chartables::kUpperRuns, chartables::kUpperRunsCount, c);
}

WCHAR ToLowerCase(WCHAR c) {
  if (c < 0x80) return (c >= u'A' && c <= u'Z') ? static_cast<WCHAR>(c + 32) : c;
  return MapThroughRuns(chartables::kLowerRuns, chartables::kLowerRunsCount, c);
}

WCHAR FoldCase(WCHAR c) {
  if (c < 0x80) return (c >= u'A' && c <= u'Z') ? static_cast<WCHAR>(c + 32) : c;
  return MapThroughRuns(chartables::kFoldRuns, chartables::kFoldRunsCount, c);
}

uint8_t CharClasses(WCHAR c) {
  const chartables::ClassRun* begin = chartables::kClassRuns;
  const chartables::ClassRun* end = begin + chartables::kClassRunsCount;
  const chartables::ClassRun* run = std::upper_bound(
      begin, end, c, [](WCHAR value, const chartables::ClassRun& r) { return value < r.start; });
  return (run - 1)->bits;  // the first run starts at U+0000
}

}  // namespace talix
