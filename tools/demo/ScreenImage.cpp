#include "ScreenImage.h"

#include "Wait.h"
#include "ComPtr.h"
#include "DriverHandles.h"

#include <wincodec.h>

#include <algorithm>
#include <cstring>

HRESULT CScreenImage::Capture(const RECT& rect)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return E_INVALIDARG;

    const unique_screen_dc screen(::GetDC(nullptr));
    if (!screen)
        return E_FAIL;
    unique_hdc memory(::CreateCompatibleDC(screen.get()));
    if (!memory)
        return E_FAIL;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    unique_hbitmap bitmap(::CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr)
        return E_OUTOFMEMORY;

    const HGDIOBJ previous = ::SelectObject(memory.get(), bitmap.get());
    const BOOL copied =
        ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY | CAPTUREBLT);
    ::SelectObject(memory.get(), previous);
    if (!copied)
        return E_FAIL;
    ::GdiFlush();

    const auto* pixels = static_cast<const DWORD*>(bits);
    m_pixels.assign(pixels, pixels + static_cast<size_t>(width) * height);
    m_width = width;
    m_height = height;
    return S_OK;
}

bool CScreenImage::SameAs(const CScreenImage& other) const noexcept
{
    if (m_width != other.m_width || m_height != other.m_height)
        return false;
    // The unused fourth byte of a pixel is whatever the screen left there: compare colours only.
    return std::equal(m_pixels.begin(), m_pixels.end(), other.m_pixels.begin(),
                      [](DWORD a, DWORD b) { return ((a ^ b) & 0xFFFFFF) == 0; });
}

HRESULT CScreenImage::SavePng(const wchar_t* path) const
{
    if (m_pixels.empty() || path == nullptr)
        return E_INVALIDARG;

    // 24-bit rows, each padded to whole 32-bit words, as the PNG encoder takes them.
    const UINT stride = (static_cast<UINT>(m_width) * 3 + 3) & ~3u;
    std::vector<BYTE> rows(static_cast<size_t>(stride) * m_height);
    for (int y = 0; y < m_height; ++y)
    {
        BYTE* out = rows.data() + static_cast<size_t>(y) * stride;
        for (int x = 0; x < m_width; ++x)
            std::memcpy(out + static_cast<size_t>(x) * 3, &m_pixels[static_cast<size_t>(y) * m_width + x], 3);
    }

    CComPtr<IWICImagingFactory> factory;
    CComPtr<IWICStream> stream;
    CComPtr<IWICBitmapEncoder> encoder;
    CComPtr<IWICBitmapFrameEncode> frame;
    CComPtr<IPropertyBag2> options;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    HRESULT hr = ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                    factory.PutVoid());
    if (SUCCEEDED(hr))
        hr = factory->CreateStream(&stream);
    if (SUCCEEDED(hr))
        hr = stream->InitializeFromFilename(path, GENERIC_WRITE);
    if (SUCCEEDED(hr))
        hr = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder);
    if (SUCCEEDED(hr))
        hr = encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache);
    if (SUCCEEDED(hr))
        hr = encoder->CreateNewFrame(&frame, &options);
    if (SUCCEEDED(hr))
        hr = frame->Initialize(options.Get());
    if (SUCCEEDED(hr))
        hr = frame->SetSize(static_cast<UINT>(m_width), static_cast<UINT>(m_height));
    if (SUCCEEDED(hr))
        hr = frame->SetPixelFormat(&format);
    if (SUCCEEDED(hr) && format != GUID_WICPixelFormat24bppBGR)
        hr = WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
    if (SUCCEEDED(hr))
        hr = frame->WritePixels(static_cast<UINT>(m_height), stride, static_cast<UINT>(rows.size()), rows.data());
    if (SUCCEEDED(hr))
        hr = frame->Commit();
    if (SUCCEEDED(hr))
        hr = encoder->Commit();
    return hr;
}

HRESULT CaptureSettled(const RECT& rect, CScreenImage& image, DWORD settleMs, DWORD timeoutMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    HRESULT hr = image.Capture(rect);
    ULONGLONG stableSince = ::GetTickCount64();
    while (SUCCEEDED(hr))
    {
        const ULONGLONG now = ::GetTickCount64();
        if (now - stableSince >= settleMs)
            return S_OK;
        if (now >= deadline)
            return HRESULT_FROM_WIN32(ERROR_TIMEOUT);
        // Look again shortly, serving this thread's own windows meanwhile.
        PumpMessages(50);
        CScreenImage next;
        hr = next.Capture(rect);
        if (SUCCEEDED(hr) && !next.SameAs(image))
        {
            image = std::move(next);
            stableSince = ::GetTickCount64();
        }
    }
    return hr;
}
