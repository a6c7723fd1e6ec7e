#include "RecordingPresenter.h"

#include <gtest/gtest.h>

namespace regalto {

bool operator==(const Message& left, const Message& right)
{
    return left.text == right.text && left.caption == right.caption && left.flags == right.flags;
}

void PrintTo(const Message& message, std::ostream* out)
{
    *out << "{" << ::testing::PrintToString(message.text) << ", " << ::testing::PrintToString(message.caption)
         << ", 0x" << std::hex << message.flags << std::dec << "}";
}

}  // namespace regalto

int RecordingPresenter::show(const std::wstring& text, const std::wstring& caption, unsigned int flags)
{
    shown.push_back({text, caption, flags});
    return answer;
}
