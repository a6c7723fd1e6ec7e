#include "LumivexTestSupport.h"

#include "QuilloraTestSupport.h"

std::wstring LumivexDll()
{
    return BinFile(L"Lumivex.dll");
}

std::wstring PreviewHandlerKeyOf(const wchar_t* extension)
{
    return std::wstring(extension) + L"\\shellex\\{8895b1c6-b41f-4c1c-a562-0d564250836f}";
}
