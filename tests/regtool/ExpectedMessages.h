#pragma once

#include "MessageCatalog.h"

// The boxes as the user must see them, written out here independently of the program.
namespace expected {

inline const regalto::Message argumentSplitFailed{L"引数解析に失敗しました", L"Error", 0x10};
inline const regalto::Message modulePathFailed{L"モジュールパスの取得に失敗しました", L"Error", 0x10};
inline const regalto::Message moduleFolderFailed{L"モジュールパスの分離に失敗しました", L"Error", 0x10};

inline const regalto::Message environmentJapanese{L"環境の取得に失敗しました。", L"Error", 0x10};
inline const regalto::Message environmentEnglish{L"Failed to get environment.", L"Error", 0x10};
inline const regalto::Message emptyJapanese{L"パラメータが空です。", L"Error", 0x10};
inline const regalto::Message emptyEnglish{L"The parameter is empty.", L"Error", 0x10};
inline const regalto::Message questionJapanese{L"モジュールの登録は[はい]、解除は[いいえ]", L"Regist", 0x23};
inline const regalto::Message questionEnglish{
    L"Click \"Yes\" to register the module, click \"No\" to unregister.", L"Regist", 0x23};
inline const regalto::Message registerFailedJapanese{L"COM登録に失敗しました。", L"Error", 0x10};
inline const regalto::Message registerFailedEnglish{L"COM registration failed.", L"Error", 0x10};
inline const regalto::Message unregisterFailedJapanese{L"COM解除に失敗しました。", L"Error", 0x10};
inline const regalto::Message unregisterFailedEnglish{L"COM release failed.", L"Error", 0x10};
inline const regalto::Message registeredJapanese{L"COM登録に成功しました。", L"Regist", 0x40};
inline const regalto::Message registeredEnglish{L"COM registration was successful.", L"Regist", 0x40};
inline const regalto::Message unregisteredJapanese{L"COM解除に成功しました。", L"Regist", 0x40};
inline const regalto::Message unregisteredEnglish{L"COM release was successful.", L"Regist", 0x40};

}  // namespace expected
