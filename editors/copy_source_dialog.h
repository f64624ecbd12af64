// CopySourceDialog: chooses the production type an empty user slot is copied from, among the used
// built-in and user types.
#pragma once

#include "lib/dialog_base.h"
#include "ui/window_context.h"
#include "ui/window_kit.h"

#include <vector>

namespace copy_source_id {
constexpr int kPrompt = 1004;
constexpr int kOk = 1018;
constexpr int kCancel = 1019;
constexpr int kList = 1028;
} // namespace copy_source_id

class CopySourceDialog : public ui::KitWindow<DialogBase> {
public:
    CopySourceDialog(const WindowContext& context, swCWindow* owner);

    int OnInitDialog() override;
    const ui::WindowDescription& description() const override;
    void closeGesture() override;
    int OnMessage(MessageRecord& msg) override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    // After result 1: the production type (0 to 249) to copy from.
    int source() const { return m_source; }
    // The production types listed, in row order.
    const std::vector<int>& numbers() const { return m_numbers; }

private:
    void end(int result);

    const GameState& m_game;
    std::vector<int> m_numbers;
    // The first row's type until the selection changes: OK at once copies what is shown selected.
    int m_source = -1;
    HWND m_list = nullptr;
};
