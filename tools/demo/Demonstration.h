#pragma once
// The demonstration: a short stream of device changes played into a running Orvane through its
// window, as the system delivers them, with the commands a user would choose on the way.
#include "MenuDriver.h"

#include <windows.h>

#include <functional>
#include <string>

class OrvaneProcess;

// Tells the person watching what happens next.
using Narrator = std::function<void(const wchar_t*)>;

// Chooses a menu command as a user would (MenuDriver::Choose); a time-out when it cannot.
HRESULT ChooseMenuCommand(OrvaneProcess& orvane, MenuBarMenu menu, UINT id);

// Gives the frame a size at which the log's longest lines (device paths) show whole, within
// the desktop's work area.
HRESULT PlaceFrame(OrvaneProcess& orvane);

// Notifications > Device is turned on; a serial port arrives; a USB flash drive (registered
// with SetupAPI for the occasion) is plugged in, so its disk interface and then its volume
// arrive; the volume and the interface are removed and the drive is unregistered again; the
// display changes its resolution.
HRESULT PlayDemonstration(OrvaneProcess& orvane, const Narrator& narrate);

// File > Save As through the program's own dialog, into path (a file already there is deleted
// first, so no overwrite question comes up). Done when the log is no longer marked modified.
HRESULT SaveLogThroughDialog(OrvaneProcess& orvane, const std::wstring& path);

// A PNG of the frame's area of the screen, with whatever menu or box lies over it.
HRESULT SaveFrameScreenshot(const OrvaneProcess& orvane, const std::wstring& path);
