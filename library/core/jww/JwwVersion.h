#pragma once

// The format version of the JWW or JWS file being read. Its header sets it and
// every entity record that follows takes its layout from it. One value for the
// whole process, without a lock: the exports that read headers run one at a
// time under the named mutex.
extern int g_jwwVersion;

// Whether the current file version is at least version, compared unsigned as
// the header compares it.
inline bool IsJwwVersionAtLeast(unsigned version)
{
    return static_cast<unsigned>(g_jwwVersion) >= version;
}
