#pragma once
#include <atlstr.h>
#include "render/gdi/FigNodeList.h"

class CJwCADBase;
struct B_FigText;

// A drawing's text variables and '^' codes: expands a variable text into its
// value and splits a coded text into runs, which it keeps until the next
// split.
class CModifyString {
public:
    explicit CModifyString(CJwCADBase* reader);
    virtual ~CModifyString();

    CModifyString(const CModifyString&) = delete;
    CModifyString& operator=(const CModifyString&) = delete;

    // True when text is a variable; out then holds its value. False leaves
    // out untouched.
    bool ExpandVariable(const wchar_t* text, CStringW& out);
    // Splits text into runs; false when it carries no codes.
    bool ParseTextCodes(B_FigText* text);

    CFigNodeList& GetRuns() { return m_runs; }
    void ClearRuns();

private:
    CJwCADBase* m_reader;
    CFigNodeList m_runs;  // owns its nodes
    bool m_codesEnabled;
};
