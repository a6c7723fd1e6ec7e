#pragma once

#include <windows.h>

#include <string>

// What a finished child program left: its exit code and what it wrote.
struct ChildResult {
    bool finished = false;
    DWORD exitCode = 0;
    std::string out;  // standard output, as written
    std::string err;  // standard error, as written
};

// Runs a command line, waits for it (a program still running after the time
// limit is ended) and collects its two output streams.
ChildResult RunChild(const std::wstring& commandLine, DWORD timeoutMs = 300000);

// The command line quoting of one argument.
std::wstring Quoted(const std::wstring& argument);
