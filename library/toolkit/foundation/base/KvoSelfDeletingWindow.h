#pragma once
// Base of window objects that delete themselves when their window goes
// (PostNcDestroy). One rule of ownership for all of them: the creator owns
// the object until its window exists, the window from then on. A creation
// can fail after the window existed (a dialog's control that cannot be
// made, a WM_CREATE that fails): the window has then deleted the object
// already, and the creator must not delete it again.

class CKvoSelfDeletingWindow {
public:
    CKvoSelfDeletingWindow() = default;
    CKvoSelfDeletingWindow(const CKvoSelfDeletingWindow&) = delete;
    CKvoSelfDeletingWindow& operator=(const CKvoSelfDeletingWindow&) = delete;

    // Makes the window of window, a new object of a class derived from this
    // one, with create() (its Create or CreateEx); true when the window
    // stands. On false the object is gone: deleted by its window, or here
    // when no window was made.
    template <class Window, class CreateFunction>
    static bool CreateOwned(Window* window, CreateFunction create)
    {
        bool deletedByWindow = false;
        CKvoSelfDeletingWindow* watched = window;
        watched->m_deletedFlag = &deletedByWindow;
        const bool made = create() != 0;
        if (deletedByWindow)
            return false;
        watched->m_deletedFlag = nullptr;
        if (!made)
            delete window;
        return made;
    }

protected:
    // Runs when the derived object is deleted, by its window or its creator.
    ~CKvoSelfDeletingWindow()
    {
        if (m_deletedFlag)
            *m_deletedFlag = true;
    }

private:
    // The creator's flag while CreateOwned runs.
    bool* m_deletedFlag = nullptr;
};
