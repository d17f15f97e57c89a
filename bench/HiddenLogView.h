#pragma once
// The program's log view in this process, under a hidden parent: the decoder's formatters can
// write into it without the cost of drawing, which Wine spends on every visible insert.
#include "UniqueHandle.h"
#include "OrvaneView.h"

class CHiddenLogView
{
public:
    CHiddenLogView()
        : m_parent(::CreateWindowExW(0, L"STATIC", nullptr, WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                     nullptr, nullptr))
    {
        if (m_parent)
            m_view.Create(m_parent.get(), CWindow::rcDefault, nullptr, 0x563001C4, WS_EX_CLIENTEDGE);
    }

    [[nodiscard]] bool IsValid() const noexcept { return m_view.m_hWnd != nullptr; }
    COrvaneView& View() noexcept { return m_view; }

private:
    unique_hwnd m_parent;
    COrvaneView m_view;
};
