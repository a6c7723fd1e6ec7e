#include "markup/elements/KvoMarkupRoutedEvent.h"
#include <memory>
#include <new>
#include "markup/values/KvoMarkupString.h"

CKvoMarkupRoutedEvent::CKvoMarkupRoutedEvent(LPCWSTR name, CKvoMarkupType* ownerType,
                                             CKvoMarkupPropertyMetadata* metadata)
    : CKvoMarkupDependencyProperty(name, CKvoMarkupString::s_type, ownerType, metadata, FALSE)
{
}

CKvoMarkupRoutedEvent* CKvoMarkupRoutedEvent::RegisterRoutedEvent(LPCWSTR name, DWORD routing,
                                                                  CKvoMarkupType* ownerType)
{
    // The routing lives in the metadata's flags; a direct event has none.
    std::unique_ptr<CKvoMarkupPropertyMetadata> metadata;
    if (routing != KvoMarkupRouting::Direct) {
        metadata.reset(new (std::nothrow) CKvoMarkupPropertyMetadata(nullptr, routing));
        if (!metadata)
            return nullptr;
    }
    CKvoMarkupRoutedEvent* event = new (std::nothrow) CKvoMarkupRoutedEvent(name, ownerType, metadata.get());
    if (event)
        metadata.release();
    return static_cast<CKvoMarkupRoutedEvent*>(Enter(event));
}

DWORD CKvoMarkupRoutedEvent::GetRouting() const
{
    return GetMetadata() ? GetMetadata()->GetFlags() : KvoMarkupRouting::Direct;
}
