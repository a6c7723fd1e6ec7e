#include <atlimage.h>

#include <atlcomcli.h>
#include <shlwapi.h>
#include <wincodec.h>

#include <limits.h>
#include <stdlib.h>

namespace
{

// COM for the length of one decode; a thread already in the other
// apartment kind keeps what it has.
class CImageComScope
{
public:
    CImageComScope() : m_hr(::CoInitializeEx(NULL, COINIT_APARTMENTTHREADED))
    {
    }
    ~CImageComScope()
    {
        if (SUCCEEDED(m_hr))
            ::CoUninitialize();
    }
    CImageComScope(const CImageComScope&) = delete;
    CImageComScope& operator=(const CImageComScope&) = delete;

private:
    HRESULT m_hr;
};

// Whether the frame's pixel format can hold transparency (an alpha channel,
// or a palette with transparent entries). Unknown formats count as such, so
// nothing is lost.
bool FrameHasTransparency(IWICImagingFactory* pFactory, IWICBitmapSource* pFrame)
{
    WICPixelFormatGUID format;
    CComPtr<IWICComponentInfo> info;
    CComPtr<IWICPixelFormatInfo2> formatInfo;
    BOOL bTransparency = TRUE;
    if (SUCCEEDED(pFrame->GetPixelFormat(&format)) && SUCCEEDED(pFactory->CreateComponentInfo(format, &info)) &&
        SUCCEEDED(info.QueryInterface(&formatInfo)))
        formatInfo->SupportsTransparency(&bTransparency);
    return bTransparency != FALSE;
}

HRESULT OpenImageFrame(IWICImagingFactory* pFactory, IStream* pStream, IWICBitmapFrameDecode** ppFrame)
{
    CComPtr<IWICBitmapDecoder> decoder;
    HRESULT hr = pFactory->CreateDecoderFromStream(pStream, NULL, WICDecodeMetadataCacheOnDemand, &decoder);
    return SUCCEEDED(hr) ? decoder->GetFrame(0, ppFrame) : hr;
}

// The bytes of one DIB row: whole 32-bit words.
LONGLONG DibStride(LONGLONG nWidth, int nBPP)
{
    return (nWidth * nBPP + 31) / 32 * 4;
}

} // namespace

namespace ATL
{

CImage::CImage() noexcept
    : m_hBitmap(NULL), m_pBits(NULL), m_nWidth(0), m_nHeight(0), m_nPitch(0), m_nBPP(0),
      m_bHasAlphaChannel(false), m_hDC(NULL), m_hOldBitmap(NULL), m_nDCRefCount(0)
{
}

CImage::~CImage() noexcept
{
    Destroy();
}

void CImage::Forget() noexcept
{
    ReleaseAllDCs();
    m_hBitmap = NULL;
    m_pBits = NULL;
    m_nWidth = m_nHeight = m_nPitch = m_nBPP = 0;
    m_bHasAlphaChannel = false;
}

void CImage::Destroy() noexcept
{
    HBITMAP hBitmap = m_hBitmap;
    Forget();
    if (hBitmap != NULL)
        ::DeleteObject(hBitmap);
}

HBITMAP CImage::Detach() noexcept
{
    HBITMAP hBitmap = m_hBitmap;
    Forget();
    return hBitmap;
}

void CImage::Attach(HBITMAP hBitmap, DIBOrientation eOrientation) noexcept
{
    Destroy();
    DIBSECTION section = {};
    int cbObject = ::GetObjectW(hBitmap, sizeof(section), &section);
    if (cbObject < static_cast<int>(sizeof(BITMAP)))
        return;
    m_hBitmap = hBitmap;
    m_nWidth = section.dsBm.bmWidth;
    m_nHeight = abs(section.dsBm.bmHeight);
    m_nBPP = section.dsBm.bmBitsPixel;
    if (cbObject != static_cast<int>(sizeof(DIBSECTION)) || section.dsBm.bmBits == NULL)
        return;
    bool bTopDown = eOrientation == DIBOR_DEFAULT ? section.dsBmih.biHeight < 0 : eOrientation == DIBOR_TOPDOWN;
    int nStride = section.dsBm.bmWidthBytes;
    BYTE* pFirstRow = static_cast<BYTE*>(section.dsBm.bmBits);
    m_pBits = bTopDown ? pFirstRow : pFirstRow + static_cast<ptrdiff_t>(m_nHeight - 1) * nStride;
    m_nPitch = bTopDown ? nStride : -nStride;
}

BOOL CImage::Create(int nWidth, int nHeight, int nBPP, DWORD dwFlags) noexcept
{
    Destroy();
    bool bAlpha = (dwFlags & createAlphaChannel) != 0;
    if (nWidth <= 0 || nHeight == 0 || nHeight == INT_MIN || (nBPP != 24 && nBPP != 32) || (bAlpha && nBPP != 32))
        return FALSE;
    if (DibStride(nWidth, nBPP) * abs(nHeight) > INT_MAX)
        return FALSE;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = nWidth;
    info.bmiHeader.biHeight = nHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(nBPP);
    info.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hBitmap == NULL)
        return FALSE;
    Attach(hBitmap, nHeight < 0 ? DIBOR_TOPDOWN : DIBOR_BOTTOMUP);
    m_bHasAlphaChannel = bAlpha;
    return TRUE;
}

HRESULT CImage::Load(LPCTSTR pszFileName) noexcept
{
    Destroy();
    CComPtr<IStream> stream;
    HRESULT hr = ::SHCreateStreamOnFileEx(pszFileName, STGM_READ | STGM_SHARE_DENY_WRITE, FILE_ATTRIBUTE_NORMAL, FALSE,
                                          NULL, &stream);
    return SUCCEEDED(hr) ? Load(stream) : hr;
}

HRESULT CImage::Load(IStream* pStream) noexcept
{
    Destroy();
    if (pStream == NULL)
        return E_POINTER;
    CImageComScope com;
    CComPtr<IWICImagingFactory> factory;
    CComPtr<IWICBitmapFrameDecode> frame;
    CComPtr<IWICFormatConverter> converter;
    HRESULT hr = factory.CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER);
    if (SUCCEEDED(hr))
        hr = OpenImageFrame(factory, pStream, &frame);
    if (SUCCEEDED(hr))
        hr = factory->CreateFormatConverter(&converter);
    bool bAlpha = SUCCEEDED(hr) && FrameHasTransparency(factory, frame);
    if (SUCCEEDED(hr))
        hr = converter->Initialize(frame, bAlpha ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR,
                                   WICBitmapDitherTypeNone, NULL, 0.0, WICBitmapPaletteTypeCustom);
    UINT nWidth = 0;
    UINT nHeight = 0;
    if (SUCCEEDED(hr))
        hr = converter->GetSize(&nWidth, &nHeight);
    if (FAILED(hr))
        return hr;
    if (nWidth > INT_MAX || nHeight > INT_MAX ||
        !Create(static_cast<int>(nWidth), -static_cast<int>(nHeight), bAlpha ? 32 : 24,
                bAlpha ? createAlphaChannel : 0))
        return E_OUTOFMEMORY;
    UINT cbImage = static_cast<UINT>(m_nPitch) * nHeight;
    hr = converter->CopyPixels(NULL, static_cast<UINT>(m_nPitch), cbImage, static_cast<BYTE*>(m_pBits));
    if (FAILED(hr))
        Destroy();
    return hr;
}

HDC CImage::GetDC() const noexcept
{
    if (m_hBitmap == NULL)
        return NULL;
    if (m_nDCRefCount == 0)
    {
        m_hDC = ::CreateCompatibleDC(NULL);
        if (m_hDC == NULL)
            return NULL;
        m_hOldBitmap = ::SelectObject(m_hDC, m_hBitmap);
    }
    ++m_nDCRefCount;
    return m_hDC;
}

void CImage::ReleaseDC() const noexcept
{
    if (m_nDCRefCount > 0 && --m_nDCRefCount == 0)
        ReleaseAllDCs();
}

void CImage::ReleaseAllDCs() const noexcept
{
    if (m_hDC == NULL)
        return;
    ::SelectObject(m_hDC, m_hOldBitmap);
    ::DeleteDC(m_hDC);
    m_hDC = NULL;
    m_hOldBitmap = NULL;
    m_nDCRefCount = 0;
}

BOOL CImage::Draw(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
                  int nSrcWidth, int nSrcHeight) const noexcept
{
    if (m_bHasAlphaChannel)
        return AlphaBlend(hDestDC, xDest, yDest, nDestWidth, nDestHeight, xSrc, ySrc, nSrcWidth, nSrcHeight);
    HDC hSrcDC = GetDC();
    if (hSrcDC == NULL)
        return FALSE;
    BOOL bDone = ::StretchBlt(hDestDC, xDest, yDest, nDestWidth, nDestHeight, hSrcDC, xSrc, ySrc, nSrcWidth,
                              nSrcHeight, SRCCOPY);
    ReleaseDC();
    return bDone;
}

BOOL CImage::Draw(HDC hDestDC, int xDest, int yDest) const noexcept
{
    return Draw(hDestDC, xDest, yDest, m_nWidth, m_nHeight, 0, 0, m_nWidth, m_nHeight);
}

BOOL CImage::Draw(HDC hDestDC, const RECT& rectDest) const noexcept
{
    return Draw(hDestDC, rectDest.left, rectDest.top, rectDest.right - rectDest.left, rectDest.bottom - rectDest.top,
                0, 0, m_nWidth, m_nHeight);
}

BOOL CImage::AlphaBlend(HDC hDestDC, int xDest, int yDest, BYTE bSrcAlpha, BYTE bBlendOp) const noexcept
{
    return AlphaBlend(hDestDC, xDest, yDest, m_nWidth, m_nHeight, 0, 0, m_nWidth, m_nHeight, bSrcAlpha, bBlendOp);
}

BOOL CImage::AlphaBlend(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
                        int nSrcWidth, int nSrcHeight, BYTE bSrcAlpha, BYTE bBlendOp) const noexcept
{
    HDC hSrcDC = GetDC();
    if (hSrcDC == NULL)
        return FALSE;
    BLENDFUNCTION blend = {bBlendOp, 0, bSrcAlpha, static_cast<BYTE>(m_bHasAlphaChannel ? AC_SRC_ALPHA : 0)};
    BOOL bDone = ::GdiAlphaBlend(hDestDC, xDest, yDest, nDestWidth, nDestHeight, hSrcDC, xSrc, ySrc, nSrcWidth,
                                 nSrcHeight, blend);
    ReleaseDC();
    return bDone;
}

} // namespace ATL
