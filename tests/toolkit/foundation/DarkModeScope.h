#pragma once
#include "foundation/base/KvoDarkMode.h"

// Puts the toolkit into (or out of) dark mode for one test and restores the
// state it found. The palette and the gradient fill only read the flag, so
// setting it is the whole road; Wine has no dark mode of its own to follow.
class DarkModeScope {
public:
    explicit DarkModeScope(bool dark) : m_saved(g_darkModeActive) { g_darkModeActive = dark; }
    ~DarkModeScope() { g_darkModeActive = m_saved; }
    DarkModeScope(const DarkModeScope&) = delete;
    DarkModeScope& operator=(const DarkModeScope&) = delete;

private:
    bool m_saved;
};
