#include "skin/GdiPlusPng.h"

#include <cstring>

namespace {

const wchar_t kPngType[] = L"PNG";

// The bytes of a "PNG" resource; empty when it is missing or cannot be loaded.
struct ResourceBytes {
    const void* data = nullptr;
    DWORD size = 0;
};

ResourceBytes FindPng(HINSTANCE hInst, UINT nResId) {
    HRSRC hRes = ::FindResourceW(hInst, MAKEINTRESOURCEW(static_cast<WORD>(nResId)), kPngType);
    if (!hRes)
        return {};
    DWORD size = ::SizeofResource(hInst, hRes);
    HGLOBAL hData = ::LoadResource(hInst, hRes);
    const void* data = hData ? ::LockResource(hData) : nullptr;
    if (!data)
        return {};
    return {data, size};
}

} // namespace

CGdiPlusPng::~CGdiPlusPng() {
    CGdiPlusPng::Empty();
}

void CGdiPlusPng::Empty() {
    delete m_pImage;
    m_pImage = nullptr;
}

UINT CGdiPlusPng::GetWidth() const {
    return m_pImage ? m_pImage->GetWidth() : 0;
}

UINT CGdiPlusPng::GetHeight() const {
    return m_pImage ? m_pImage->GetHeight() : 0;
}

CGdiPlusPngResource::~CGdiPlusPngResource() {
    Empty();
}

void CGdiPlusPngResource::Empty() {
    CGdiPlusPng::Empty();
    FreeBuffer();
}

void CGdiPlusPngResource::FreeBuffer() {
    if (!m_hBuffer)
        return;
    ::GlobalUnlock(m_hBuffer);
    ::GlobalFree(m_hBuffer);
    m_hBuffer = nullptr;
}

bool CGdiPlusPngResource::Load(UINT nResId, HINSTANCE hInst) {
    Empty();
    ResourceBytes png = FindPng(hInst, nResId);
    if (!png.data || !png.size)
        return false;

    m_hBuffer = ::GlobalAlloc(GMEM_MOVEABLE, png.size);
    if (!m_hBuffer)
        return false;
    void* block = ::GlobalLock(m_hBuffer);
    if (!block) {
        ::GlobalFree(m_hBuffer);
        m_hBuffer = nullptr;
        return false;
    }
    std::memcpy(block, png.data, png.size);

    IStream* pStream = nullptr;
    if (::CreateStreamOnHGlobal(m_hBuffer, FALSE, &pStream) != S_OK) {
        FreeBuffer();
        return false;
    }
    m_pImage = new Gdiplus::Image(pStream);
    // The image holds its own reference to the stream.
    pStream->Release();
    if (!m_pImage) {
        FreeBuffer();
        return false;
    }
    if (m_pImage->GetLastStatus() == Gdiplus::Ok)
        return true;
    Empty();
    return false;
}

std::unique_ptr<Gdiplus::Image> LoadPngFromResource(HINSTANCE hInst, UINT nResId) {
    ResourceBytes png = FindPng(hInst, nResId);
    if (!png.data)
        return nullptr;
    HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE, png.size);
    if (!hMem)
        return nullptr;
    void* block = ::GlobalLock(hMem);
    if (!block) {
        ::GlobalFree(hMem);
        return nullptr;
    }
    std::memcpy(block, png.data, png.size);
    ::GlobalUnlock(hMem);

    // From here on the stream owns the block, and the image the stream.
    IStream* pStream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(hMem, TRUE, &pStream))) {
        ::GlobalFree(hMem);
        return nullptr;
    }
    std::unique_ptr<Gdiplus::Image> image(new Gdiplus::Image(pStream));
    pStream->Release();
    return image;
}
