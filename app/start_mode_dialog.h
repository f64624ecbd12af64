// StartModeDialog: asks on the first start whether to play in normal or simple mode.
#pragma once

#include "lib/control.h"
#include "lib/dialog_base.h"

#include <memory>

class StartModeDialog : public DialogBase {
public:
    static constexpr UINT kTemplate = 152;
    static constexpr UINT kNormalButton = 1000;
    static constexpr UINT kSimpleButton = 1001;

    explicit StartModeDialog(swCWindow* owner = nullptr);
    ~StartModeDialog() override;

    int OnInitDialog() override;
    // Each mode button writes "SimpleMode" in "Environment" (0 normal, 1 simple) and closes; a
    // cancel writes normal mode.
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

private:
    void choose(int simpleMode);

    std::unique_ptr<PushButton> m_normal;
    std::unique_ptr<PushButton> m_simple;
};
