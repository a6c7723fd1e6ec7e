#pragma once
#include <afx.h>

// The markup context: where markup is parsed and its objects live.
class CKvoMarkupContext {
public:
    // Registers the properties of every markup type, base types first; the
    // first call does the work, later calls return at once. Every context
    // runs it when it is made, on its UI thread.
    static void RegisterMarkupTypes();
};
