// GDI+ images decoded from the executable's "PNG" resources.
//
// GDI+ must be running before anything here is called, and must stay running while an image
// from here is alive.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <memory>

// Owns one decoded image.
class CGdiPlusPng {
public:
    CGdiPlusPng() : m_pImage(nullptr) {}
    virtual ~CGdiPlusPng();
    CGdiPlusPng(const CGdiPlusPng&) = delete;
    CGdiPlusPng& operator=(const CGdiPlusPng&) = delete;

    void Empty();
    // Size in pixels; 0 without an image or when GDI+ cannot tell.
    UINT GetWidth() const;
    UINT GetHeight() const;

    Gdiplus::Image* m_pImage;
};

// An image together with the memory it is decoded from: GDI+ reads the pixels through a stream
// over m_hBuffer for as long as the image lives, so the block stays locked until then and is
// freed only after the image is gone.
class CGdiPlusPngResource : public CGdiPlusPng {
public:
    CGdiPlusPngResource() : m_hBuffer(nullptr) {}
    ~CGdiPlusPngResource() override;

    // Replaces whatever is held by the "PNG" resource nResId of hInst. On failure the holder
    // is left empty, never holding the previous image.
    bool Load(UINT nResId, HINSTANCE hInst);
    void Empty();

    HGLOBAL m_hBuffer;

private:
    void FreeBuffer();
};

// A new image of the "PNG" resource nResId of hInst, or null when the resource is missing or no
// memory can be had. The image owns the stream it reads from, and the stream owns its memory.
// Data that does not decode still gives an image, one that measures 0 x 0 and draws nothing.
std::unique_ptr<Gdiplus::Image> LoadPngFromResource(HINSTANCE hInst, UINT nResId);
