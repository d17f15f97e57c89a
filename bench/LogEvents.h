#pragma once
// The text that each device-change event added to the log, cut out of the log read after a
// run. The control's limit is measured by inserting exactly these texts, one per event, so
// both sides of the comparison end with the same text.
#include <string>
#include <vector>

// Splits what after holds beyond before into events: each is a time-stamped line and the
// continuation lines under it, CR LF included. False when after does not begin with before,
// or the added text is not whole log lines beginning with a time-stamped one.
bool SplitAddedEvents(const std::wstring& before, const std::wstring& after, std::vector<std::wstring>& events);

// The number of lines, counting CR LF pairs.
size_t CountLines(const std::wstring& text);
