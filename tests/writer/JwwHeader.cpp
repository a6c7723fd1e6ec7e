#include "JwwHeader.h"

#include "ByteWriter.h"

namespace jwwrite {

JwwHeader::JwwHeader()
    : groupWriteLayer{}, penColor{}, penWidth{}, printWidth{}, lineTypePattern{}, lineTypeBits{}, lineTypePitch{},
      randomAmplitude{}
{
    for (int g = 0; g < 16; ++g) {
        groupState[g] = 2;
        groupScale[g] = 100.0;
        for (int l = 0; l < 16; ++l)
            layerState[g][l] = 2;
    }
}

namespace {

class HeaderWriter {
public:
    HeaderWriter(ByteWriter& out, const JwwHeader& header) : m_out(out), m_h(header) {}

    void Write()
    {
        m_out.Raw("JwwData.", 8);
        m_out.U32(m_h.version);
        m_out.Text(m_h.memo);
        m_out.U32(m_h.paper);
        m_out.U32(m_h.writeGroup);
        Groups();
        UnusedWords(14);
        UnusedWords(6);
        m_out.I32(m_h.widthMode);
        UnusedDoubles(3);
        UnusedWords(2);
        UnusedDoubles(5);
        Names();
        View();
        Marks();
        Pens();
        LineTypes();
        Counters();
        if (m_h.version >= 420)
            ExtendedTables();
        Tail();
    }

private:
    void UnusedWords(int n)
    {
        for (int i = 0; i < n; ++i)
            m_out.U32(m_h.unusedWord);
    }
    void UnusedDoubles(int n)
    {
        for (int i = 0; i < n; ++i)
            m_out.F64(m_h.unusedDouble);
    }

    void Groups()
    {
        for (int g = 0; g < 16; ++g) {
            m_out.U32(m_h.groupState[g]);
            m_out.U32(m_h.groupWriteLayer[g]);
            m_out.F64(m_h.groupScale[g]);
            UnusedWords(1);
            for (int l = 0; l < 16; ++l) {
                m_out.U32(m_h.layerState[g][l]);
                UnusedWords(1);
            }
        }
    }

    void Names()
    {
        for (int g = 0; g < 16; ++g)
            for (int l = 0; l < 16; ++l)
                m_out.Text(m_h.layerName[g][l]);
        for (int g = 0; g < 16; ++g)
            m_out.Text(m_h.groupName[g]);
    }

    void View()
    {
        UnusedDoubles(2);
        UnusedWords(1);
        UnusedDoubles(1);
        if (m_h.version >= 300)
            UnusedDoubles(2);
        UnusedWords(1);
        m_out.F64(m_h.viewZoom);
        m_out.F64(m_h.viewCenterX);
        m_out.F64(m_h.viewCenterY);
        UnusedDoubles(3);
    }

    void Marks()
    {
        if (m_h.version >= 300) {
            for (int i = 0; i < 8; ++i) {
                UnusedDoubles(3);
                UnusedWords(1);
            }
            // The text drawing state.
            UnusedDoubles(3);
            UnusedWords(1);
            UnusedDoubles(3);
            UnusedWords(1);
        } else {
            UnusedDoubles(4 * 3);
        }
        UnusedDoubles(10);
        UnusedDoubles(1);
    }

    void Pens()
    {
        for (int p = 0; p < 10; ++p) {
            m_out.U32(m_h.penColor[p]);
            UnusedWords(1);
        }
        for (int p = 0; p < 10; ++p) {
            UnusedWords(1);
            m_out.U32(m_h.penWidth[p]);
            m_out.F64(m_h.printWidth[p]);
        }
    }

    void PlainLineType(int t)
    {
        m_out.U32(m_h.lineTypePattern[t]);
        m_out.U32(m_h.lineTypeBits[t]);
        m_out.U32(m_h.lineTypePitch[t]);
        UnusedWords(1);
    }

    void LineTypes()
    {
        for (int t = 2; t <= 9; ++t)
            PlainLineType(t);
        for (int t = 11; t <= 15; ++t) {
            m_out.U32(m_h.lineTypePattern[t]);
            m_out.U32(m_h.randomAmplitude[t]);
            m_out.U32(m_h.lineTypePitch[t]);
            UnusedWords(2);
        }
        for (int t = 16; t <= 19; ++t)
            PlainLineType(t);
    }

    void Counters()
    {
        UnusedWords(11);
        m_out.I32(m_h.timeSpan);
        UnusedWords(1);
        UnusedWords(3);
        UnusedDoubles(9);
        UnusedWords(2);
    }

    void ExtendedTables()
    {
        for (int p = 100; p <= 356; ++p) {
            m_out.U32(m_h.penColor[p]);
            UnusedWords(1);
        }
        for (int p = 100; p <= 356; ++p) {
            m_out.Text(m_h.colorName[p - 100]);
            UnusedWords(1);
            m_out.U32(m_h.penWidth[p]);
            m_out.F64(m_h.printWidth[p]);
        }
        for (int t = 30; t <= 62; ++t)
            PlainLineType(t);
        for (int i = 0; i < 33; ++i) {
            m_out.Text(m_h.lineTypeName[i]);
            UnusedWords(1);
            UnusedDoubles(10);
        }
    }

    void Tail()
    {
        for (int i = 0; i < 10; ++i) {
            UnusedDoubles(3);
            UnusedWords(1);
        }
        UnusedDoubles(3);
        UnusedWords(2);
        UnusedDoubles(2);
        UnusedWords(1);
        UnusedDoubles(6);
    }

    ByteWriter& m_out;
    const JwwHeader& m_h;
};

}  // namespace

void WriteJwwHeader(ByteWriter& out, const JwwHeader& header)
{
    HeaderWriter(out, header).Write();
}

}  // namespace jwwrite
