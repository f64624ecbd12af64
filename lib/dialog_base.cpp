// DialogBase and ModelessDialogBase.
#include "lib/dialog_base.h"

#include "lib/application.h"

DialogBase::DialogBase(UINT templateId, swCWindow* parent, bool modeless, const DialogControlEntry* controlTable)
    : swCDialog(templateId, parent, controlTable)
    , m_modeless(modeless)
{
    if (m_modeless)
        theApplication().appAddModeless(this);
}

DialogBase::~DialogBase()
{
    if (m_modeless)
        theApplication().appRemoveModeless(this);
}

BOOL DialogBase::run()
{
    return m_modeless ? CreateModeless() : CreateModal();
}

BOOL DialogBase::close()
{
    return m_modeless ? DestroyWindow(handle()) : DestroyModal();
}

ModelessDialogBase::ModelessDialogBase(UINT templateId, swCWindow* parent, const DialogControlEntry* controlTable)
    : swCDialog(templateId, parent, controlTable)
{
}

ModelessDialogBase::~ModelessDialogBase()
{
    theApplication().appRemoveModeless(this);
}

BOOL ModelessDialogBase::Destroy()
{
    return DestroyWindow(handle());
}
