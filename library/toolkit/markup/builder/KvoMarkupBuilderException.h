#pragma once
#include <afx.h>

// A build error: the first fault in markup, which ends the parse. Thrown by
// pointer (ThrowMarkupBuildError) and caught by the builder, which reads
// the message and deletes the exception.
class CKvoMarkupBuilderException : public CSimpleException {
public:
    // Keeps at most the first 255 characters of message.
    explicit CKvoMarkupBuilderException(LPCWSTR message);

    // Copies the message (cut to the buffer) and sets *helpContext to 0;
    // FALSE for a null buffer.
    BOOL GetErrorMessage(LPWSTR buffer, UINT size, PUINT helpContext = NULL) const override;

private:
    WCHAR m_message[256];
};

// Raises a build error with message (formatted by the caller: cut only
// after formatting).
[[noreturn]] void ThrowMarkupBuildError(LPCWSTR message);
