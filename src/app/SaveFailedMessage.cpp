// The message of a failed save, naming the files it kept as the only copies of a version.
#include "AppMessageBox.h"

#include "LongPath.h"
#include "WriteFileAtomically.h"
#include "resource.h"

int ShowSaveFailed(CKeptFiles& kept)
{
    if (kept.newTextPath.IsEmpty())
        return AppMessageBox(IDS_SAVE_FAILED, 0, -1);
    if (kept.earlierFilePath.IsEmpty())
        return AppMessageBox(IDS_SAVE_FAILED_KEPT, 0, -1, ShownPath(kept.newTextPath));
    return AppMessageBox(IDS_SAVE_FAILED_KEPT_BOTH, 0, -1, ShownPath(kept.newTextPath), ShownPath(kept.earlierFilePath));
}
