#include "SeedDrawings.h"
#include <windows.h>
#include "SampleDrawings.h"
#include "writer/JwcWriter.h"
#include "writer/SampleDrawing.h"

namespace {
jwwrite::JwcRecords SomeRecords()
{
    jwwrite::JwcRecords records;
    for (int i = 0; i < 12; ++i) {
        float f = static_cast<float>(i * 10);
        records.lines.push_back({f, 0, f + 50, 80, static_cast<uint8_t>(1 + i % 9), static_cast<uint8_t>(1 + i % 8),
                                 static_cast<uint8_t>(i)});
    }
    jwwrite::JwcCurve circle;
    circle.cx = 50;
    circle.cy = 50;
    circle.radius = 30;
    records.curves.push_back(circle);
    jwwrite::JwcCurve arc = circle;
    arc.radius = 20;
    arc.flatness = 5000;
    arc.start = 30 * 65536;
    arc.end = 200 * 65536;
    arc.tilt = 20 * 65536;
    records.curves.push_back(arc);
    records.strings = std::string("\x95\xB6\x8E\x9A\0text\0", 10);
    jwwrite::JwcText text;
    text.x1 = 5;
    text.y1 = 5;
    text.x2 = 40;
    records.texts.push_back(text);
    text.stringOffset = 5;
    text.y1 = 20;
    records.texts.push_back(text);
    records.points.push_back({10, 10, 0, 1, 0});
    return records;
}

void AddSamples(std::vector<SeedDrawing>& seeds)
{
    for (const std::wstring& path : SampleDrawingFiles()) {
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            continue;
        std::vector<uint8_t> bytes(GetFileSize(file, nullptr));
        DWORD read = 0;
        if (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size())
            seeds.push_back({path.substr(path.find_last_of(L'\\') + 1), std::move(bytes)});
        CloseHandle(file);
    }
}
}

std::vector<SeedDrawing> SeedDrawings()
{
    std::vector<SeedDrawing> seeds;
    seeds.push_back({L"fixture700.jww", jwwrite::WriteDrawing(jwwrite::SampleDrawing(700))});
    seeds.push_back({L"fixture600.jww", jwwrite::WriteDrawing(jwwrite::SampleDrawing(600))});
    seeds.push_back({L"fixture.jws", jwwrite::WriteSymbol(jwwrite::SampleSymbol())});
    jwwrite::JwcDrawing drawing;
    static_cast<jwwrite::JwcRecords&>(drawing) = SomeRecords();
    seeds.push_back({L"fixture.jwc", jwwrite::WriteJwc(drawing)});
    jwwrite::JwkSymbol symbol;
    static_cast<jwwrite::JwcRecords&>(symbol) = SomeRecords();
    seeds.push_back({L"fixture.jwk", jwwrite::WriteJwk(symbol)});
    AddSamples(seeds);
    return seeds;
}
