// GetOpenFileNameA, GetSaveFileNameA and the extended error of the last common dialog.
#include "platform/commdlg/file_dialog.h"

namespace {

thread_local DWORD t_lastError = 0;

BOOL runFileDialog(LPOPENFILENAMEA ofn, bool save)
{
    t_lastError = 0;
    if (!ofn || ofn->lStructSize < offsetof(OPENFILENAMEA, pvReserved)) {
        t_lastError = CDERR_STRUCTSIZE;
        return FALSE;
    }
    if (!ofn->lpstrFile || ofn->nMaxFile == 0) {
        t_lastError = CDERR_INITIALIZATION;
        return FALSE;
    }
    platform::commdlg::FileDialog dialog(*ofn, save);
    BOOL chosen = dialog.run();
    t_lastError = dialog.error();
    return chosen;
}

} // namespace

BOOL GetOpenFileNameA(LPOPENFILENAMEA ofn)
{
    return runFileDialog(ofn, false);
}

BOOL GetSaveFileNameA(LPOPENFILENAMEA ofn)
{
    return runFileDialog(ofn, true);
}

DWORD CommDlgExtendedError()
{
    return t_lastError;
}
