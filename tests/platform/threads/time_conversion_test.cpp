#include <windows.h>

#include <gtest/gtest.h>

namespace {

uint64_t Ticks(const FILETIME& ft) { return (uint64_t{ft.dwHighDateTime} << 32) | ft.dwLowDateTime; }
FILETIME FromTicks(uint64_t t) { return FILETIME{static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)}; }

TEST(TimeConversion, KnownDatesConvertBothWays) {
  struct Case {
    uint64_t ticks;
    SYSTEMTIME st;  // year, month, day of week, day, hour, minute, second, ms
  };
  const Case cases[] = {
      {0, {1601, 1, 1, 1, 0, 0, 0, 0}},
      {116444736000000000ull, {1970, 1, 4, 1, 0, 0, 0, 0}},
      {125911584000000000ull, {2000, 1, 6, 1, 0, 0, 0, 0}},
      {125963168123450000ull, {2000, 2, 2, 29, 16, 53, 32, 345}},  // leap day
      {133485408000000000ull, {2024, 1, 1, 1, 0, 0, 0, 0}},
      {0x7FFFFFFFFFFFFFFFull / 10000 * 10000, {30828, 9, 4, 14, 2, 48, 5, 477}},
  };
  for (const Case& c : cases) {
    FILETIME ft = FromTicks(c.ticks);
    SYSTEMTIME st{};
    ASSERT_TRUE(FileTimeToSystemTime(&ft, &st)) << c.ticks;
    EXPECT_EQ(st.wYear, c.st.wYear) << c.ticks;
    EXPECT_EQ(st.wMonth, c.st.wMonth) << c.ticks;
    EXPECT_EQ(st.wDay, c.st.wDay) << c.ticks;
    EXPECT_EQ(st.wDayOfWeek, c.st.wDayOfWeek) << c.ticks;
    EXPECT_EQ(st.wHour, c.st.wHour) << c.ticks;
    EXPECT_EQ(st.wMinute, c.st.wMinute) << c.ticks;
    EXPECT_EQ(st.wSecond, c.st.wSecond) << c.ticks;
    EXPECT_EQ(st.wMilliseconds, c.st.wMilliseconds) << c.ticks;
    if (c.st.wYear > 30827) continue;  // beyond what SystemTimeToFileTime accepts
    FILETIME back{};
    ASSERT_TRUE(SystemTimeToFileTime(&c.st, &back)) << c.ticks;
    EXPECT_EQ(Ticks(back), c.ticks);
  }
}

TEST(TimeConversion, OutOfRangeValuesAreRefused) {
  FILETIME negative = FromTicks(0x8000000000000000ull);
  SYSTEMTIME st{};
  EXPECT_FALSE(FileTimeToSystemTime(&negative, &st));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  const SYSTEMTIME bad[] = {
      {1600, 12, 0, 31, 0, 0, 0, 0}, {2023, 2, 0, 29, 0, 0, 0, 0}, {1900, 2, 0, 29, 0, 0, 0, 0},
      {2024, 13, 0, 1, 0, 0, 0, 0},  {2024, 4, 0, 31, 0, 0, 0, 0}, {2024, 1, 0, 1, 24, 0, 0, 0},
      {2024, 1, 0, 1, 0, 60, 0, 0},  {2024, 1, 0, 1, 0, 0, 60, 0}, {2024, 1, 0, 1, 0, 0, 0, 1000},
      {2024, 1, 0, 0, 0, 0, 0, 0},
  };
  for (const SYSTEMTIME& s : bad) {
    FILETIME ft{1, 2};
    SetLastError(0);
    EXPECT_FALSE(SystemTimeToFileTime(&s, &ft)) << s.wYear << "-" << s.wMonth << "-" << s.wDay;
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  }
  SYSTEMTIME leap{2000, 2, 0, 29, 0, 0, 0, 0};
  FILETIME ft{};
  EXPECT_TRUE(SystemTimeToFileTime(&leap, &ft)) << "2000 is a leap year";
}

TEST(TimeConversion, SystemAndLocalTimeAgreeWithTheFileTimes) {
  FILETIME now, local;
  GetSystemTimeAsFileTime(&now);
  ASSERT_TRUE(FileTimeToLocalFileTime(&now, &local));
  int64_t offset = static_cast<int64_t>(Ticks(local) - Ticks(now));
  EXPECT_LE(offset < 0 ? -offset : offset, 14LL * 3600 * 10000000) << "a real time zone";
  SYSTEMTIME st;
  GetSystemTime(&st);
  FILETIME fromSt;
  ASSERT_TRUE(SystemTimeToFileTime(&st, &fromSt));
  EXPECT_GE(Ticks(fromSt) + 10000, Ticks(now)) << "GetSystemTime is not older than before";
}

}  // namespace
