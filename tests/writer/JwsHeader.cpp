#include "JwsHeader.h"

#include "ByteWriter.h"

namespace jwwrite {

JwsHeader::JwsHeader()
{
    for (double& scale : groupScale)
        scale = 1.0;
}

void WriteJwsHeader(ByteWriter& out, const JwsHeader& header)
{
    out.Raw("JwsData.", 8);
    out.Fill(header.blockFill, 192);
    out.U32(header.version);
    out.F64(header.refX);
    out.F64(header.refY);
    for (double scale : header.groupScale)
        out.F64(scale);
    for (int i = 0; i < 6; ++i)
        out.U32(header.unusedWord);
    for (int i = 0; i < 6 + 4; ++i)
        out.F64(header.unusedDouble);
}

}  // namespace jwwrite
