#pragma once

#include <string>

namespace regalto {

// Shows a message box with no owner window and returns the button pressed.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;

    virtual int show(const std::wstring& text, const std::wstring& caption, unsigned int flags) = 0;
};

}  // namespace regalto
