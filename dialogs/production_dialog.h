// ProductionDialog: a person's country buys units at a hex. With storing (rule 6) off one purchase
// puts a unit on the hex and closes the dialog; with it on, purchases are collected as orders in the
// building's stored-unit list, paid in the dialog's own reckoning and carried out together on "OK".
#pragma once

#include "dialogs/play_popup.h"
#include "dialogs/production_orders.h"
#include "ui/window_services.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class BitmapButton;
class OwnerDrawListBox;
class ProductionListBox;

namespace production_id {
enum : UINT {
    kTypeList = 1000, kHexPicture, kTerrainName, kFundsLabel, kUnitsLabel, kFunds, kUnits, kProducedLabel,
    kProduced, kOk, kCancel, kStoredLabel, kStoredList,
    // ">>生産>>" with storing on, "生産" without.
    kProduce = 1013, kCancelOrder, kStoredCount, kClassHead, kNameHead, kPriceHead, kPack, kDetails,
    kRateLabel, kRate, kMachinesLabel, kMachines, kUpperMark, kLowerMark,
};
} // namespace production_id

class ProductionDialog : public PlayPopup {
public:
    static constexpr int kWidth = 588;
    static constexpr int kStoringWidth = 836;
    static constexpr int kHeight = 322;

    // The current country buys at (x, y). run() answers 1 when units were made (or stored) and play
    // still runs, 0 otherwise.
    ProductionDialog(const WindowContext& context, swCWindow* owner, int x, int y);
    ~ProductionDialog() override;

    const std::vector<uint32_t>& typeIds() const { return m_typeIds; }
    const ProductionOrders& orders() const { return m_orders; }

    int OnInitDialog() override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

private:
    bool storing() const { return m_storing; }
    int clientWidth() const { return m_storing ? kStoringWidth : kWidth; }
    // Controls made in code, each with the game's interface font.
    HWND addControl(const char* className, UINT id, DWORD style, const char* utf8Text, int x, int y, int width,
        int height, bool pushButton = false);
    void createControls();
    void createStoringControls();
    void createFacilityMarks();
    void fillTypeList();
    void refreshFigures();
    void refreshStoredCount();
    void refreshStoredList(int selection);
    void updateOrderButtons();
    void sortBy(int head);
    void produce();
    void cancelOrder();
    void choosePack();
    void showDetails();
    void carryOutOrders();
    // The machines the person asked for in 1024; the field shows what that makes of the chosen type.
    int chosenMachines() const { return m_askedMachines; }
    void showMachinesMade();
    void warn(const char* utf8Text);

    int m_x;
    int m_y;
    int m_country;
    bool m_storing = false;
    ProductionOrders m_orders;
    std::vector<uint32_t> m_typeIds;
    OwnerDrawListBox* m_typeList = nullptr;
    ProductionListBox* m_storedList = nullptr;
    std::array<BitmapButton*, 3> m_heads {};
    int m_activeHead = 0;
    int m_askedMachines = 10;
    ModalIdleOff m_idleOff;
};
