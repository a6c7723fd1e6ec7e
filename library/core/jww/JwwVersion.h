#pragma once

// The format version of the JWW or JWS file being read. Its header sets it and
// every entity record that follows takes its layout from it. One value per
// thread: a load reads its header and its records on its own load thread, and
// the preview loads drawings on its threads beside the exports.
extern thread_local int g_jwwVersion;

// Whether the current file version is at least version, compared unsigned as
// the header compares it.
inline bool IsJwwVersionAtLeast(unsigned version)
{
    return static_cast<unsigned>(g_jwwVersion) >= version;
}
