// MakeSampleDrawing PATH: writes a small drawing with an entity of every kind
// to PATH, as a Jw_cad version 700 .jww file.
#include <cstdio>

#include "writer/SampleDrawing.h"

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::fputs("usage: MakeSampleDrawing PATH\n", stderr);
        return 2;
    }
    if (!jwwrite::SaveFile(argv[1], jwwrite::WriteDrawing(jwwrite::SampleDrawing()))) {
        std::fprintf(stderr, "MakeSampleDrawing: cannot write %ls\n", argv[1]);
        return 1;
    }
    return 0;
}
