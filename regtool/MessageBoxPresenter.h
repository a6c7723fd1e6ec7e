#pragma once

#include "MessagePresenter.h"

namespace regalto {

class MessageBoxPresenter : public MessagePresenter {
public:
    int show(const std::wstring& text, const std::wstring& caption, unsigned int flags) override;
};

}  // namespace regalto
