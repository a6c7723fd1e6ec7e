#include "FixtureMarker.h"

namespace {

constexpr DWORD waitMilliseconds = 60000;
constexpr DWORD pollMilliseconds = 100;

template <typename Done>
bool pollUntil(Done done)
{
    const ULONGLONG deadline = GetTickCount64() + waitMilliseconds;
    while (!done()) {
        if (GetTickCount64() > deadline) {
            return false;
        }
        Sleep(pollMilliseconds);
    }
    return true;
}

}  // namespace

FixtureMarker::FixtureMarker(const std::wstring& dllFileName)
    : key_(L"Software\\RegaltoFixture\\" + dllFileName)
{
    RegDeleteTreeW(HKEY_CURRENT_USER, key_.c_str());
}

FixtureMarker::~FixtureMarker()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, key_.c_str());
}

std::optional<DWORD> FixtureMarker::bits() const
{
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, key_.c_str(), L"Bits", RRF_RT_REG_DWORD, nullptr, &value, &size)
        != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

std::optional<DWORD> FixtureMarker::waitForBits() const
{
    pollUntil([this] { return bits().has_value(); });
    return bits();
}

bool FixtureMarker::waitUntilGone() const
{
    return pollUntil([this] { return !bits().has_value(); });
}
