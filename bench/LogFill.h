#pragma once
// Orvane's log filled to a given length before a measurement, with the events a storm brings.
// The caller keeps the frame minimized meanwhile: the view then draws nothing, and thousands
// of lines go in within seconds.
#include "OrvaneProcess.h"

#include <string>

class CBenchDevices;

// Sends interface arrivals and removals of devices' interfaces, and plain events for the last
// few lines, until the log holds at least minimumLines lines; text receives the log as it then
// is. Fails when the log stops growing (the view took no more text).
HRESULT FillLogTo(const OrvaneProcess& orvane, const CBenchDevices& devices, size_t minimumLines, std::wstring& text);
