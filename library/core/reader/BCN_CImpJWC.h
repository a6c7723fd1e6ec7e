#pragma once
#include "reader/JwCADBase.h"
#include "jwc/JwcLayerBlock.h"
#include "jwc/JwcLayout.h"
#include "jwc/JwcRecordStream.h"
#include "jwc/JwcStringArea.h"

struct B_Base;
struct B_FigText;
struct JwcLineRecord;
struct JwcCurveRecord;
struct JwcTextRecord;
struct JwcPointRecord;
class JwcLoadProgress;

// Reader of .jwc drawings (files that begin "jw_cad(c)data......."): a
// 2400-byte header, a layer block and five sections of fixed-size records
// (lines, curves, texts, a string area, points). Figures are built while the
// records are read. The part-file reader BCN_CImpJWK shares all of it but the
// header.
//
// Section offsets and counts come from the file: they are computed in 64
// bits, and every section is read only as far as the file holds it.
class BCN_CImpJWC : public CJwCADBase {
public:
    BCN_CImpJWC();
    ~BCN_CImpJWC() override;

    float ToDeviceLength(double length) override;
    void SetupView() override;
    float GetPenWidth(int pen) override;
    void DrawOverlay(CD2DrawCore* core) override;
    COLORREF GetPenColor(int pen) override;
    double GetScale() override;
    BOOL GetInfoAndLayers(CFile* file, ZumenInfo* info, ZumenLayers* layers) override;
    BOOL GetInfo(CFile* file, ZumenInfo* info) override;
    int GetFileKind() override;
    BOOL Load(CFile* file) override;
    bool GetRandomLineShape(uint16_t lineType, RandomLineShape* shape) override;
    void FitForPreview(DrawData* request) override;

    // Whether the file is long enough and carries the signature; keeps what
    // the header check read.
    virtual BOOL CheckHeader(CFile& file);
    // Takes the counts and sizes from the header.
    virtual void ReadHeader(CFile& file);
    // Places the sections; returns the offset after the last one.
    virtual uint64_t ComputeSections();

    // Field n (from 1) of a 200-byte header text; commas and NULs end the
    // fields, and a field of 32 characters or more reads as 0.
    static double GetHeaderField(const char* text, int n);

protected:
    double MainField(int n) const;
    double ViewTextField(int n) const;
    void SetTextStyle(int style, uint16_t pen, int16_t width, int16_t height, int16_t spacing);

    // The figure of a record; false when the record makes none.
    bool ConvertLine(const JwcLineRecord& record, B_Base** holder);
    bool ConvertCurve(const JwcCurveRecord& record, B_Base** holder);
    bool ConvertCircle(const JwcCurveRecord& record, B_Base** holder);
    bool ConvertArc(const JwcCurveRecord& record, B_Base** holder);
    bool ConvertEllipse(const JwcCurveRecord& record, B_Base** holder);
    bool ConvertEllipseArc(const JwcCurveRecord& record, B_Base** holder);
    bool ConvertText(const JwcTextRecord& record, B_Base** holder);
    bool ConvertImageText(const B_FigText& text, B_Base** holder);
    bool ConvertPoint(const JwcPointRecord& record, B_Base** holder);
    bool ConvertHeaderPoint(int index, const uint8_t* headerPoints, B_Base** holder);
    void SetFigAttributes(B_Base& fig, uint16_t layer, uint16_t pen, uint16_t lineType);

    JwcStringArea m_strings;
    uint8_t m_header[jwc::kHeaderSize];
    JwcLayerBlock m_layerBlock;
    uint64_t m_layerBlockPos, m_linePos, m_curvePos, m_textPos, m_stringPos, m_pointPos;  // 0: absent
    int32_t m_markCount, m_pointCount, m_lineCount, m_curveCount, m_textCount;
    int64_t m_stringSize;
    uint32_t m_dataOffset;  // where the layer block starts
    // The drawing scale (100 for 1:100) that text sizes and device lengths
    // use; not the renderer's CDrawBase::m_scale (pixels per world unit).
    double m_scale;

private:
    double ViewPaperSize() const;
    double GroupScale(int group) const;
    double DrawingScale() const;
    int64_t ReadStringAreaSize() const;
    int64_t TotalRecords() const;
    bool HasNegativeSize() const;
    void ReadHeaderPoints(JwcLoadProgress& progress);
    template <class AddRecord>
    void ReadSection(CFile& file, const JwcSection& section, int limit, JwcLoadProgress& progress, AddRecord add);
    template <class Record>
    B_FigNode* AddConverted(const Record& record, bool (BCN_CImpJWC::*convert)(const Record&, B_Base**));
    void AddPointRecord(const uint8_t* bytes);
    void FillLayerTable(const uint8_t* names, ZumenLayers* layers) const;
};
