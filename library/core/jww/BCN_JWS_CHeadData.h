#pragma once

#include <afx.h>

#include "jww/BCN_JWS_HeadData.h"

// The short header of a symbol file. After it, a symbol has the layout of a
// drawing; a drawing header filled with defaults stands in for the rest.
class BCN_JWS_CHeadData : public CObject, public BCN_JWS_HeadData {
    DECLARE_SERIAL(BCN_JWS_CHeadData)
public:
    BCN_JWS_CHeadData();
    ~BCN_JWS_CHeadData() override;

    // Reads the 452 bytes; reading only.
    void Serialize(CArchive& ar) override;
};
