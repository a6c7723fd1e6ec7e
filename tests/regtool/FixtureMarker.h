#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The key the stand-in server writes when it is registered; deleted again on destruction.
class FixtureMarker {
public:
    explicit FixtureMarker(const std::wstring& dllFileName);
    ~FixtureMarker();
    FixtureMarker(const FixtureMarker&) = delete;
    FixtureMarker& operator=(const FixtureMarker&) = delete;

    // Pointer width of the process that registered the DLL; nothing while it is not registered.
    std::optional<DWORD> bits() const;
    // regsvr32 runs on its own, so its work shows up some time after the program ended.
    std::optional<DWORD> waitForBits() const;
    bool waitUntilGone() const;

private:
    std::wstring key_;
};
