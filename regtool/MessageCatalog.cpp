#include "MessageCatalog.h"

#include <windows.h>

#include <cstddef>
#include <iterator>

namespace regalto {

namespace {

struct Entry {
    MessageId id;
    const wchar_t* japanese;
    const wchar_t* english;  // null: Japanese in every case
    const wchar_t* caption;
    unsigned int flags;
};

constexpr wchar_t errorCaption[] = L"Error";
constexpr wchar_t registCaption[] = L"Regist";

constexpr Entry entries[] = {
    {MessageId::ArgumentSplitFailed, L"引数解析に失敗しました", nullptr, errorCaption, MB_ICONERROR},
    {MessageId::ModulePathFailed, L"モジュールパスの取得に失敗しました", nullptr, errorCaption, MB_ICONERROR},
    {MessageId::ModuleFolderFailed, L"モジュールパスの分離に失敗しました", nullptr, errorCaption, MB_ICONERROR},
    {MessageId::EnvironmentFailed, L"環境の取得に失敗しました。", L"Failed to get environment.", errorCaption,
     MB_ICONERROR},
    {MessageId::EmptyList, L"パラメータが空です。", L"The parameter is empty.", errorCaption, MB_ICONERROR},
    {MessageId::Question, L"モジュールの登録は[はい]、解除は[いいえ]",
     L"Click \"Yes\" to register the module, click \"No\" to unregister.", registCaption,
     MB_YESNOCANCEL | MB_ICONQUESTION},
    {MessageId::RegisterFailed, L"COM登録に失敗しました。", L"COM registration failed.", errorCaption, MB_ICONERROR},
    {MessageId::UnregisterFailed, L"COM解除に失敗しました。", L"COM release failed.", errorCaption, MB_ICONERROR},
    {MessageId::RegisterSucceeded, L"COM登録に成功しました。", L"COM registration was successful.", registCaption,
     MB_ICONINFORMATION},
    {MessageId::UnregisterSucceeded, L"COM解除に成功しました。", L"COM release was successful.", registCaption,
     MB_ICONINFORMATION},
};

constexpr bool entriesFollowIds()
{
    for (std::size_t index = 0; index < std::size(entries); ++index) {
        if (static_cast<std::size_t>(entries[index].id) != index) {
            return false;
        }
    }
    return std::size(entries) == static_cast<std::size_t>(MessageId::UnregisterSucceeded) + 1;
}

static_assert(entriesFollowIds(), "one message entry per MessageId, in MessageId order");

}  // namespace

Message MessageCatalog::message(MessageId id, bool japanese)
{
    const Entry& entry = entries[static_cast<std::size_t>(id)];
    const wchar_t* text = (japanese || entry.english == nullptr) ? entry.japanese : entry.english;
    return Message{text, entry.caption, entry.flags};
}

}  // namespace regalto
