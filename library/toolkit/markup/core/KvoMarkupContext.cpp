#include "markup/core/KvoMarkupContext.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/core/KvoMarkupTypeRegistry.h"

void CKvoMarkupContext::RegisterMarkupTypes()
{
    // Once per process, on the UI thread of the first context.
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    // Each property takes the next slot as it is registered, so this order
    // fixes the slots: the list from its head (the last record made first),
    // every base before its derived types.
    for (CKvoMarkupType* type = CKvoMarkupTypeRegistry::Instance().GetFirstType(); type; type = type->GetNextType())
        type->RegisterType();
}
