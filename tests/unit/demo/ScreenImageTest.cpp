// Pictures of the screen: what a window shows is what the picture holds, and the PNG written
// from it decodes to the same pixels.
#include "ScreenImage.h"
#include "TestFolder.h"

#include "ComPtr.h"
#include "UniqueHandle.h"

#include <gtest/gtest.h>
#include <wincodec.h>

namespace
{
constexpr COLORREF kFill = RGB(0x12, 0x80, 0xE0);
constexpr DWORD kFillPixel = 0x1280E0; // 0xRRGGBB
constexpr RECT kPlace{120, 100, 120 + 90, 100 + 60};

// A borderless window on top of everything that shows nothing but kFill.
class SolidWindow
{
public:
    SolidWindow()
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ::DefWindowProcW;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.hbrBackground = m_brush.get();
        windowClass.lpszClassName = kClassName;
        ::RegisterClassW(&windowClass);
        m_window.reset(::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, windowClass.lpszClassName, L"",
                                         WS_POPUP | WS_VISIBLE, kPlace.left, kPlace.top, kPlace.right - kPlace.left,
                                         kPlace.bottom - kPlace.top, nullptr, nullptr, windowClass.hInstance, nullptr));
        ::UpdateWindow(m_window.get());
    }
    ~SolidWindow()
    {
        // The class keeps the brush: it goes with the brush, so the next window gets a live one.
        m_window.reset();
        ::UnregisterClassW(kClassName, ::GetModuleHandleW(nullptr));
    }

private:
    static constexpr wchar_t kClassName[] = L"OrvaneDemoSolidWindow";
    unique_hbrush m_brush{::CreateSolidBrush(kFill)};
    unique_hwnd m_window;
};

bool DecodePng(const std::wstring& path, UINT& width, UINT& height, std::vector<BYTE>& bgr)
{
    CComPtr<IWICImagingFactory> factory;
    CComPtr<IWICBitmapDecoder> decoder;
    CComPtr<IWICBitmapFrameDecode> frame;
    WICPixelFormatGUID format{};
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  factory.PutVoid())) ||
        FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                  &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&width, &height)) ||
        FAILED(frame->GetPixelFormat(&format)) || format != GUID_WICPixelFormat24bppBGR)
        return false;
    bgr.resize(size_t{width} * height * 3);
    return SUCCEEDED(frame->CopyPixels(nullptr, width * 3, static_cast<UINT>(bgr.size()), bgr.data()));
}

class ScreenImage : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
    void TearDown() override { ::CoUninitialize(); }
};
} // namespace

TEST_F(ScreenImage, HoldsWhatTheScreenShowsInTheRectangle)
{
    SolidWindow window;
    CScreenImage image;
    ASSERT_EQ(CaptureSettled(kPlace, image), S_OK);
    ASSERT_EQ(image.Width(), kPlace.right - kPlace.left);
    ASSERT_EQ(image.Height(), kPlace.bottom - kPlace.top);
    // The corners tell a picture that is shifted, flipped or taken elsewhere.
    for (const POINT corner : {POINT{0, 0}, POINT{89, 0}, POINT{0, 59}, POINT{89, 59}, POINT{45, 30}})
        EXPECT_EQ(image.Pixel(corner.x, corner.y), kFillPixel) << corner.x << "," << corner.y;
}

TEST_F(ScreenImage, PngDecodesToTheCapturedPixels)
{
    SolidWindow window;
    // Half on the window, half beside it: two colours, so a picture written flipped or mirrored shows.
    const RECT straddling{kPlace.left - 40, kPlace.top, kPlace.left + 40, kPlace.top + 30};
    CScreenImage image;
    ASSERT_EQ(CaptureSettled(straddling, image), S_OK);
    TestFolder folder;
    const std::wstring path = folder.File(L"picture.png");
    ASSERT_EQ(image.SavePng(path.c_str()), S_OK);

    UINT width = 0;
    UINT height = 0;
    std::vector<BYTE> bgr;
    ASSERT_TRUE(DecodePng(path, width, height, bgr));
    ASSERT_EQ(width, 80u);
    ASSERT_EQ(height, 30u);
    size_t mismatches = 0;
    for (UINT y = 0; y < height; ++y)
        for (UINT x = 0; x < width; ++x)
        {
            const BYTE* p = &bgr[(size_t{y} * width + x) * 3];
            const DWORD decoded = DWORD{p[2]} << 16 | DWORD{p[1]} << 8 | p[0];
            mismatches += image.Pixel(static_cast<int>(x), static_cast<int>(y)) != decoded;
        }
    EXPECT_EQ(mismatches, 0u);
}

TEST_F(ScreenImage, RefusesAnEmptyRectangle)
{
    CScreenImage image;
    EXPECT_EQ(image.Capture(RECT{10, 10, 10, 40}), E_INVALIDARG);
    EXPECT_EQ(image.SavePng(L"never-written.png"), E_INVALIDARG);
}
