#pragma once
// Owners of what the driver, the tests, the demonstration and the benchmark hold and the
// program itself does not: processes and threads, loaded images, their own windows, drawing
// surfaces. Built on the program's owner template (UniqueHandle.h).
#include "UniqueHandle.h"

namespace unique_detail
{
inline void FreeLibraryModule(HMODULE h) noexcept { ::FreeLibrary(h); }
inline void DestroyWindowHandle(HWND h) noexcept { ::DestroyWindow(h); }
inline void DeleteMemoryDc(HDC h) noexcept { ::DeleteDC(h); }
} // namespace unique_detail

using unique_handle = unique_any<handle_traits<HANDLE, unique_detail::CloseKernelHandle>>;
using unique_hbitmap = unique_any<handle_traits<HBITMAP, unique_detail::DeleteGdiObject>>;
using unique_hmodule = unique_any<handle_traits<HMODULE, unique_detail::FreeLibraryModule>>;
using unique_hwnd = unique_any<handle_traits<HWND, unique_detail::DestroyWindowHandle>>;
// A device context made with CreateCompatibleDC (not one borrowed with GetDC).
using unique_hdc = unique_any<handle_traits<HDC, unique_detail::DeleteMemoryDc>>;
