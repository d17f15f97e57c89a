#pragma once
// The owner of a SetupAPI device information set, for the decoder's look-ups and the devices
// the driver registers. Apart from UniqueHandle.h so that only the code that walks devices
// sees SetupAPI's header; core links SetupAPI for the one call here.
#include "UniqueHandle.h"

#include <setupapi.h>

namespace unique_detail
{
inline void DestroyDevInfo(HDEVINFO h) noexcept { ::SetupDiDestroyDeviceInfoList(h); }
} // namespace unique_detail

using unique_hdevinfo = unique_any<handle_traits<HDEVINFO, unique_detail::DestroyDevInfo, -1>>;
