#pragma once

#include "FakeEnvironment.h"
#include "RecordingLauncher.h"
#include "RecordingPresenter.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A run whose program file sits in a fresh temp folder, with every start and box recorded.
class RegistrationRunFixture : public ::testing::Test {
protected:
    RegistrationRunFixture();

    int run(const std::wstring& commandLine);

    // The regsvr32 a run of this test's width uses on a 64-bit system.
    static std::wstring systemRegsvr32();
    static std::wstring quoted(const std::wstring& text);
    // Exactly these parameters were started through regsvr32, in order, each traced just before.
    void expectStarted(const std::wstring& regsvr32, const std::vector<std::wstring>& parameters) const;
    void expectBoxes(const std::vector<regalto::Message>& boxes) const;

    ScratchFolder folder;
    FakeEnvironment environment;
    RecordingLauncher launcher;
    RecordingPresenter presenter;
};
