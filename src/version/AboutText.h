#pragma once
// The lines of the About box, built from a version record.
#include "VersionInfo.h"

// The record's FileDescription followed by the processor width, e.g. "Orvane (64-bit)";
// false, text unchanged, when the record has no FileDescription.
bool FormatAboutDescription(const CVersionInfo& info, CString& text);

// "Version major.minor (build patch)" from the fixed file version; the fourth part of the
// version is not shown.
void FormatAboutVersion(const VS_FIXEDFILEINFO& info, CString& text);
