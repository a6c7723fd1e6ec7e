#pragma once
#include <atlstr.h>
#include <atltime.h>
#include <functional>
#include <vector>
#include "render/gdi/FigNodeList.h"

class CJwCADBase;
struct B_FigText;

// A drawing's text variables and '^' codes: expands a variable text into its
// value and splits a coded text into runs, which it keeps until the next
// split.
class CModifyString {
public:
    // The current time as the variables see it.
    using Clock = std::function<CTime()>;

    explicit CModifyString(CJwCADBase* reader);
    virtual ~CModifyString();

    CModifyString(const CModifyString&) = delete;
    CModifyString& operator=(const CModifyString&) = delete;

    // True when text is a variable; out then holds its value. False leaves
    // out untouched.
    bool ExpandVariable(const wchar_t* text, CStringW& out);
    // Splits text into runs; false when it is drawn as it stands.
    bool ParseTextCodes(B_FigText* text);

    CFigNodeList& GetRuns() { return m_runs; }
    void ClearRuns();

    // Replaces the system clock (null restores it).
    void SetClock(Clock clock);

private:
    // Variables (ModifyStringVariables.cpp).
    bool ExpandCurrentTime(const wchar_t* text, CStringW& out);
    bool ExpandFileTime(const wchar_t* text, CStringW& out);
    bool ExpandDrawingText(const wchar_t* text, CStringW& out);
    bool CurrentTimeLetter(wchar_t prefix, wchar_t letter, const CTime& now, CStringW& out);
    CStringW ScaleNumeratorText() const;

    // Codes (ModifyStringCodes.cpp).
    bool SplitRuns(const B_FigText& source);
    void FlushRun(B_FigText& accumulator, const B_FigText& source);
    bool ApplyCode(const CStringW& text, int& i, B_FigText& accumulator, const B_FigText& source);
    void AddSingleCharacterRun(const CStringW& text, int& i, uint16_t kind, B_FigText& accumulator,
                               const B_FigText& source);
    void AddOverlaidPair(const CStringW& text, int& i, B_FigText& accumulator, const B_FigText& source);
    void AppendRun(const B_FigText& run);
    bool ApplyLeaderDots(const B_FigText& source);
    void NarrowRuns(const B_FigText& source, int digit);
    std::vector<B_FigText*> RunTexts();
    // Layout (ModifyStringLayout.cpp).
    void LayOutRuns(const B_FigText& source);

    CJwCADBase* m_reader;
    CFigNodeList m_runs;  // owns its nodes
    bool m_codesEnabled;
    Clock m_clock;
};
