#pragma once

#include <afx.h>

#include <memory>
#include <utility>
#include <vector>

#include "entities/CBlockDefList.h"
#include "entities/CEntityList.h"
#include "jww/BCN_JWS_CHeadData.h"
#include "jww/BCN_JWW_CHeadData.h"
#include "stream/CJwwArchive.h"

// Everything a drawing or symbol file holds, read the way the reader reads
// it without a progress window: the header, the entity list (limited), the
// block definitions and, from version 700 on, the embedded files.
class WholeStream {
public:
    explicit WholeStream(CFile& file);
    ~WholeStream();

    BCN_JWW_CHeadData header;
    BCN_JWS_CHeadData symbolHeader;  // filled for symbols
    CEntityList entities;
    CBlockDefList blocks;
    std::vector<std::pair<CStringW, std::vector<BYTE>>> images;

private:
    void ReadImages(CFile& file);

    CJwwArchive m_archive;
};
