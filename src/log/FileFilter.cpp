#include "FileFilter.h"

#include <new>

HRESULT CFileFilter::Load(UINT id)
{
    m_specs.clear();
    try
    {
        m_text.LoadString(id);
    }
    catch (const std::bad_alloc&)
    {
        m_text.Empty();
        return E_OUTOFMEMORY;
    }
    return Split();
}

// Turns every "|" into a NUL and pairs each pattern with the name before it. A name with
// no pattern after it, or a last piece that no "|" closes, makes no pair.
HRESULT CFileFilter::Split()
{
    const int length = m_text.GetLength();
    if (length == 0)
        return S_OK;

    wchar_t* text = m_text.GetBuffer(length);
    try
    {
        const wchar_t* name = nullptr;
        int pieceStart = 0;
        for (int i = 0; i < length; ++i)
        {
            if (text[i] != L'|')
                continue;
            text[i] = L'\0';
            const wchar_t* piece = text + pieceStart;
            pieceStart = i + 1;
            if (name == nullptr)
            {
                name = piece;
            }
            else
            {
                m_specs.push_back(COMDLG_FILTERSPEC{name, piece});
                name = nullptr;
            }
        }
    }
    catch (const std::bad_alloc&)
    {
        m_specs.clear();
        m_text.ReleaseBuffer(length);
        return E_OUTOFMEMORY;
    }
    m_text.ReleaseBuffer(length);
    return S_OK;
}
