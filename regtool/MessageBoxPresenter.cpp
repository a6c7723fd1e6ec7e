#include "MessageBoxPresenter.h"

#include <windows.h>

namespace regalto {

int MessageBoxPresenter::show(const std::wstring& text, const std::wstring& caption, unsigned int flags)
{
    return MessageBoxW(nullptr, text.c_str(), caption.c_str(), flags);
}

}  // namespace regalto
