#pragma once
#include <afxmt.h>

class CKvoCommandBar;

// What the command bars of one UI thread share while they track the mouse:
// how many modal tracking loops (scroll bars, control presses) run now.
class CKvoCommandBarTrackingState : public CNoTrackObject {
public:
    int m_nTrackingLoops = 0;

    // The calling thread's state, made on first use.
    static CKvoCommandBarTrackingState* ForThisThread();
};

// What the command bars of one UI thread share while a bar enters tracking
// mode: the bar that is entering, so that a nested request can tell.
class CKvoCommandBarEnteringState : public CNoTrackObject {
public:
    CKvoCommandBar* m_pEnteringBar = nullptr; // not owned

    // The calling thread's state, made on first use.
    static CKvoCommandBarEnteringState* ForThisThread();
};

// Counts one modal tracking loop in the thread's tracking state while it
// lives.
class CKvoTrackingLoopCount {
public:
    CKvoTrackingLoopCount();
    ~CKvoTrackingLoopCount();
    CKvoTrackingLoopCount(const CKvoTrackingLoopCount&) = delete;
    CKvoTrackingLoopCount& operator=(const CKvoTrackingLoopCount&) = delete;

private:
    CKvoCommandBarTrackingState* m_state;
};
