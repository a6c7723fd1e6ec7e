#pragma once
#include <afx.h>

// A command's prompt string: its newline-separated parts are the status-bar
// description, the tooltip, the caption and the key-tip letters.
class CKvoPrompt {
public:
    explicit CKvoPrompt(LPCWSTR text) : m_text(text) {}

    enum Part { Description = 0, Tooltip = 1, Caption = 2, KeyboardTip = 3 };

    int GetPartCount() const;
    // The part, empty when the prompt has fewer parts.
    CString GetPart(int index) const;
    const CString& GetText() const { return m_text; }

private:
    CString m_text;
};
