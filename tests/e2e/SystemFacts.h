#pragma once
// What the system says about itself, asked independently of the program under test, so the
// tests can tell whether the program's header describes this system.
#include <windows.h>

#include <string>

// The real version numbers (not subject to any manifest), as "major.minor (Build n)".
std::wstring RealVersionNumbers();

// One property of the Win32_OperatingSystem object as the system's "wmic" tool prints it;
// empty when the tool could not be run or printed nothing for it.
std::wstring OperatingSystemProperty(const wchar_t* property);
