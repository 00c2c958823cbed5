// System time, local time and FILETIME <-> SYSTEMTIME in the proleptic Gregorian calendar.
#include "platform/kernel/sync/clock.h"

#include <win/sync.h>

#include <ctime>

namespace {

constexpr uint64_t kTicksPerMs = 10000;
constexpr uint64_t kTicksPerSecond = 10000000;
constexpr uint64_t kTicksPerDay = 86400 * kTicksPerSecond;
constexpr int64_t kDaysFrom1601To1970 = 134774;
constexpr uint64_t kUnixEpochIn100ns = 116444736000000000ull;

// Days since 1970-01-01 of a civil date, and back (the usual era-based algorithms).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  int64_t era = (y >= 0 ? y : y - 399) / 400;
  unsigned yoe = static_cast<unsigned>(y - era * 400);
  unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int64_t* y, unsigned* m, unsigned* d) {
  z += 719468;
  int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  unsigned doe = static_cast<unsigned>(z - era * 146097);
  unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  unsigned mp = (5 * doy + 2) / 153;
  *d = doy - (153 * mp + 2) / 5 + 1;
  *m = mp < 10 ? mp + 3 : mp - 9;
  *y = static_cast<int64_t>(yoe) + era * 400 + (*m <= 2);
}

unsigned DaysInMonth(unsigned year, unsigned month) {
  static const unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

uint64_t ToTicks(const FILETIME& ft) {
  return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

FILETIME FromTicks(uint64_t ticks) {
  return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

// The host's current offset of local time from UTC, in 100 ns units.
int64_t LocalOffsetTicks() {
  time_t now = static_cast<time_t>((talix::ClockWallTime100ns() - kUnixEpochIn100ns) /
                                   kTicksPerSecond);
  tm local{};
  if (!localtime_r(&now, &local)) return 0;
  return static_cast<int64_t>(local.tm_gmtoff) * static_cast<int64_t>(kTicksPerSecond);
}

void TicksToSystemTime(uint64_t ticks, SYSTEMTIME* st) {
  uint64_t days = ticks / kTicksPerDay, rest = ticks % kTicksPerDay;
  int64_t year;
  unsigned month, day;
  CivilFromDays(static_cast<int64_t>(days) - kDaysFrom1601To1970, &year, &month, &day);
  st->wYear = static_cast<WORD>(year);
  st->wMonth = static_cast<WORD>(month);
  st->wDay = static_cast<WORD>(day);
  st->wDayOfWeek = static_cast<WORD>((days + 1) % 7);  // 1601-01-01 was a Monday
  st->wHour = static_cast<WORD>(rest / (3600 * kTicksPerSecond));
  st->wMinute = static_cast<WORD>(rest / (60 * kTicksPerSecond) % 60);
  st->wSecond = static_cast<WORD>(rest / kTicksPerSecond % 60);
  st->wMilliseconds = static_cast<WORD>(rest / kTicksPerMs % 1000);
}

}  // namespace

BOOL FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime) {
  if (!lpFileTime || !lpSystemTime || (lpFileTime->dwHighDateTime & 0x80000000u)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  TicksToSystemTime(ToTicks(*lpFileTime), lpSystemTime);
  return TRUE;
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime) {
  if (!lpSystemTime || !lpFileTime) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const SYSTEMTIME& st = *lpSystemTime;  // wDayOfWeek is ignored, as documented
  if (st.wYear < 1601 || st.wYear > 30827 || st.wMonth < 1 || st.wMonth > 12 || st.wDay < 1 ||
      st.wDay > DaysInMonth(st.wYear, st.wMonth) || st.wHour > 23 || st.wMinute > 59 ||
      st.wSecond > 59 || st.wMilliseconds > 999) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  int64_t days = DaysFromCivil(st.wYear, st.wMonth, st.wDay) + kDaysFrom1601To1970;
  uint64_t ticks = static_cast<uint64_t>(days) * kTicksPerDay +
                   ((st.wHour * 60ull + st.wMinute) * 60 + st.wSecond) * kTicksPerSecond +
                   st.wMilliseconds * kTicksPerMs;
  *lpFileTime = FromTicks(ticks);
  return TRUE;
}

BOOL FileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime) {
  if (!lpFileTime || !lpLocalFileTime) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *lpLocalFileTime = FromTicks(ToTicks(*lpFileTime) + static_cast<uint64_t>(LocalOffsetTicks()));
  return TRUE;
}

void GetSystemTimeAsFileTime(LPFILETIME lpSystemTimeAsFileTime) {
  if (lpSystemTimeAsFileTime) *lpSystemTimeAsFileTime = FromTicks(talix::ClockWallTime100ns());
}

void GetSystemTime(LPSYSTEMTIME lpSystemTime) {
  if (lpSystemTime) TicksToSystemTime(talix::ClockWallTime100ns(), lpSystemTime);
}

void GetLocalTime(LPSYSTEMTIME lpSystemTime) {
  if (!lpSystemTime) return;
  uint64_t local = talix::ClockWallTime100ns() + static_cast<uint64_t>(LocalOffsetTicks());
  TicksToSystemTime(local, lpSystemTime);
}
