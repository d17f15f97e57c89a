#include "InterfaceCategories.h"

// The rows are data and live in InterfaceCategories.def, each name written once: the macro
// makes the text the log shows from it.
#define INTERFACE_CATEGORY(name, data1, data2, data3, b0, b1, b2, b3, b4, b5, b6, b7) \
    {L"" #name, {data1, data2, data3, {b0, b1, b2, b3, b4, b5, b6, b7}}},

const InterfaceCategory g_interfaceCategories[kInterfaceCategoryCount] = {
#include "InterfaceCategories.def"
};
#undef INTERFACE_CATEGORY

// A row missing from the file would leave an all-zero row behind, so count them.
#define INTERFACE_CATEGORY(...) +1
static_assert(0
#include "InterfaceCategories.def"
                  == kInterfaceCategoryCount,
              "InterfaceCategories.def must hold kInterfaceCategoryCount rows");
#undef INTERFACE_CATEGORY

const wchar_t* FindInterfaceCategory(const GUID& guid) noexcept
{
    for (const InterfaceCategory& row : g_interfaceCategories)
    {
        if (::IsEqualGUID(row.guid, guid))
            return row.name;
    }
    return nullptr;
}
