#include "markup/core/KvoMarkupPropertyMetadata.h"
#include "markup/core/KvoMarkupObject.h"

CKvoMarkupPropertyMetadata::CKvoMarkupPropertyMetadata(CKvoMarkupObject* defaultValue, DWORD flags)
    : CKvoMarkupPropertyMetadata(defaultValue, nullptr, nullptr, flags)
{
}

CKvoMarkupPropertyMetadata::CKvoMarkupPropertyMetadata(CKvoMarkupObject* defaultValue,
                                                       KvoMarkupValueConverter converter, DWORD flags)
    : CKvoMarkupPropertyMetadata(defaultValue, converter, nullptr, flags)
{
}

CKvoMarkupPropertyMetadata::CKvoMarkupPropertyMetadata(CKvoMarkupObject* defaultValue,
                                                       KvoMarkupChangeCallback callback, DWORD flags)
    : CKvoMarkupPropertyMetadata(defaultValue, nullptr, callback, flags)
{
}

CKvoMarkupPropertyMetadata::CKvoMarkupPropertyMetadata(CKvoMarkupObject* defaultValue,
                                                       KvoMarkupValueConverter converter,
                                                       KvoMarkupChangeCallback callback, DWORD flags)
    : m_pDefaultValue(defaultValue), m_pfnConverter(converter), m_pfnChangeCallback(callback), m_flags(flags)
{
}

CKvoMarkupPropertyMetadata::~CKvoMarkupPropertyMetadata()
{
    if (m_pDefaultValue)
        m_pDefaultValue->Release();
}
