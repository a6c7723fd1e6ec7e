#include "commandbars/KvoPrompt.h"

int CKvoPrompt::GetPartCount() const
{
    int parts = 1;
    for (int i = 0; i < m_text.GetLength(); ++i)
        parts += m_text[i] == L'\n' ? 1 : 0;
    return parts;
}

CString CKvoPrompt::GetPart(int index) const
{
    int start = 0;
    for (int part = 0; part < index; ++part) {
        start = m_text.Find(L'\n', start);
        if (start < 0)
            return CString();
        ++start;
    }
    int end = m_text.Find(L'\n', start);
    return end < 0 ? m_text.Mid(start) : m_text.Mid(start, end - start);
}
