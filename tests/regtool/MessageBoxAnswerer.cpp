#include "MessageBoxAnswerer.h"

#include <utility>

namespace {

// The static control that holds a message box's text.
constexpr int messageTextId = 0xFFFF;
constexpr wchar_t dialogClass[] = L"#32770";

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK findDialog(HWND window, LPARAM parameter)
{
    auto& search = *reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (owner == search.processId && IsWindowVisible(window) && lstrcmpW(className, dialogClass) == 0) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

std::wstring windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
    return text;
}

}  // namespace

MessageBoxAnswerer::MessageBoxAnswerer(std::vector<int> buttons)
    : buttons_(std::move(buttons))
{
}

void MessageBoxAnswerer::answerBoxesOf(DWORD processId)
{
    Search search{processId, nullptr};
    EnumWindows(findDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr || !answered_.insert(search.found).second) {
        return;
    }
    boxes.push_back({windowText(search.found), windowText(GetDlgItem(search.found, messageTextId))});
    const std::size_t index = boxes.size() - 1;
    const int button = index < buttons_.size() ? buttons_[index] : IDOK;
    PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}
