// Clocks and calendar time: tick counts, performance counter, Sleep and FILETIME conversions.
#include "platform/kernel/test_clock.h"
#include "platform/kernel/winbase.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace {

// FILETIME counts 100 ns steps since 1601-01-01; the Unix epoch is this many steps later.
constexpr uint64_t kUnixEpochInFileTime = 116444736000000000ULL;
constexpr uint64_t kTicksPerSecond = 10000000ULL;
// Win32 refuses file times at or past 2^63.
constexpr uint64_t kMaxFileTime = 0x7FFFFFFFFFFFFFFFULL;

uint64_t monotonicNanoseconds()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return uint64_t(ts.tv_sec) * 1000000000ULL + uint64_t(ts.tv_nsec);
}

uint64_t toU64(const FILETIME& ft) { return uint64_t(ft.dwHighDateTime) << 32 | ft.dwLowDateTime; }

FILETIME fromU64(uint64_t value) { return { DWORD(value), DWORD(value >> 32) }; }

// Days since 1970-01-01 of a proleptic Gregorian date, and its inverse (civil calendar algorithms).
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    unsigned yoe = unsigned(y - era * 400);
    unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + int64_t(doe) - 719468;
}

void civilFromDays(int64_t z, int64_t& y, unsigned& m, unsigned& d)
{
    z += 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    unsigned doe = unsigned(z - era * 146097);
    unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = int64_t(yoe) + era * 400;
    unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y += m <= 2;
}

bool isLeap(int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

unsigned daysInMonth(int64_t y, unsigned m)
{
    static const unsigned days[] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    return m == 2 && isLeap(y) ? 29 : days[m - 1];
}

void systemTimeFromTm(const std::tm& tm, long nanoseconds, SYSTEMTIME& st)
{
    st.wYear = WORD(tm.tm_year + 1900);
    st.wMonth = WORD(tm.tm_mon + 1);
    st.wDayOfWeek = WORD(tm.tm_wday);
    st.wDay = WORD(tm.tm_mday);
    st.wHour = WORD(tm.tm_hour);
    st.wMinute = WORD(tm.tm_min);
    st.wSecond = WORD(tm.tm_sec > 59 ? 59 : tm.tm_sec);
    st.wMilliseconds = WORD(nanoseconds / 1000000);
}

} // namespace

DWORD GetTickCount() { return DWORD(GetTickCount64()); }

ULONGLONG GetTickCount64() { return platform::clockMilliseconds(); }

DWORD timeGetTime() { return GetTickCount(); }

BOOL QueryPerformanceCounter(LARGE_INTEGER* lpPerformanceCount)
{
    if (!lpPerformanceCount) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    lpPerformanceCount->QuadPart = LONGLONG(monotonicNanoseconds() / 100);
    return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* lpFrequency)
{
    if (!lpFrequency) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    lpFrequency->QuadPart = LONGLONG(kTicksPerSecond);
    return TRUE;
}

void Sleep(DWORD dwMilliseconds)
{
    if (dwMilliseconds == 0) {
        std::this_thread::yield();
        return;
    }
    if (dwMilliseconds == INFINITE) {
        for (;;)
            std::this_thread::sleep_for(std::chrono::hours(24));
    }
    if (platform::sleepOnTestClock(dwMilliseconds))
        return;
    std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds));
}

void GetLocalTime(LPSYSTEMTIME lpSystemTime)
{
    timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm tm;
    localtime_r(&ts.tv_sec, &tm);
    systemTimeFromTm(tm, ts.tv_nsec, *lpSystemTime);
}

void GetSystemTime(LPSYSTEMTIME lpSystemTime)
{
    timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm tm;
    gmtime_r(&ts.tv_sec, &tm);
    systemTimeFromTm(tm, ts.tv_nsec, *lpSystemTime);
}

BOOL FileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime)
{
    if (!lpFileTime || !lpLocalFileTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    uint64_t value = toU64(*lpFileTime);
    int64_t unixSeconds = int64_t(value / kTicksPerSecond) - int64_t(kUnixEpochInFileTime / kTicksPerSecond);
    time_t seconds = time_t(unixSeconds);
    std::tm tm;
    long offset = localtime_r(&seconds, &tm) ? tm.tm_gmtoff : 0;
    int64_t local = int64_t(value) + int64_t(offset) * int64_t(kTicksPerSecond);
    if (local < 0 || uint64_t(local) > kMaxFileTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpLocalFileTime = fromU64(uint64_t(local));
    return TRUE;
}

BOOL FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime)
{
    if (!lpFileTime || !lpSystemTime || toU64(*lpFileTime) > kMaxFileTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    uint64_t value = toU64(*lpFileTime);
    uint64_t totalSeconds = value / kTicksPerSecond;
    int64_t days = int64_t(totalSeconds / 86400) - 134774; // 1601-01-01 is 134774 days before 1970
    uint64_t secondOfDay = totalSeconds % 86400;
    int64_t year;
    unsigned month, day;
    civilFromDays(days, year, month, day);
    lpSystemTime->wYear = WORD(year);
    lpSystemTime->wMonth = WORD(month);
    lpSystemTime->wDay = WORD(day);
    // 1601-01-01 was a Monday.
    lpSystemTime->wDayOfWeek = WORD((days + 134774 + 1) % 7);
    lpSystemTime->wHour = WORD(secondOfDay / 3600);
    lpSystemTime->wMinute = WORD(secondOfDay / 60 % 60);
    lpSystemTime->wSecond = WORD(secondOfDay % 60);
    lpSystemTime->wMilliseconds = WORD(value % kTicksPerSecond / 10000);
    return TRUE;
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime)
{
    if (!lpSystemTime || !lpFileTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const SYSTEMTIME& st = *lpSystemTime;
    if (st.wYear < 1601 || st.wYear > 30827 || st.wMonth < 1 || st.wMonth > 12 || st.wDay < 1
        || st.wDay > daysInMonth(st.wYear, st.wMonth) || st.wHour > 23 || st.wMinute > 59 || st.wSecond > 59
        || st.wMilliseconds > 999) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    int64_t days = daysFromCivil(st.wYear, st.wMonth, st.wDay) + 134774;
    uint64_t seconds = uint64_t(days) * 86400 + st.wHour * 3600u + st.wMinute * 60u + st.wSecond;
    *lpFileTime = fromU64(seconds * kTicksPerSecond + uint64_t(st.wMilliseconds) * 10000);
    return TRUE;
}
