#pragma once

#include "MessageCatalog.h"
#include "MessagePresenter.h"

#include <ostream>
#include <vector>

namespace regalto {

bool operator==(const Message& left, const Message& right);
void PrintTo(const Message& message, std::ostream* out);

}  // namespace regalto

// Records every box and answers each with the same button.
class RecordingPresenter : public regalto::MessagePresenter {
public:
    int show(const std::wstring& text, const std::wstring& caption, unsigned int flags) override;

    std::vector<regalto::Message> shown;
    int answer = 0;
};
