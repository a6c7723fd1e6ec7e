#pragma once

#include <string>

namespace regalto {

enum class MessageId {
    ArgumentSplitFailed,
    ModulePathFailed,
    ModuleFolderFailed,
    EnvironmentFailed,
    EmptyList,
    Question,
    RegisterFailed,
    UnregisterFailed,
    RegisterSucceeded,
    UnregisterSucceeded,
};

// One message box as the user sees it.
struct Message {
    std::wstring text;
    std::wstring caption;
    unsigned int flags;
};

// The fixed texts of every box; the language module of the library is never used here.
class MessageCatalog {
public:
    // Boxes shown before the settings are read have no English text.
    static Message message(MessageId id, bool japanese);
};

}  // namespace regalto
