// CustomColorDialog: pictures, controls, tabs, entry choice, hue edits and the buttons.
#include "lib/media/custom_color_dialog.h"

#include "lib/error.h"
#include "lib/file.h"
#include "lib/file_fault.h"
#include "lib/media/picture_services.h"
#include "platform/kernel/host.h"
#include "platform/user/resource_table.h"

#include <cstdio>
#include <mutex>
#include <string>

using namespace custom_color_ids;

namespace {

constexpr int kPreviewSize = 48;
const RECT kPreviewRect { 0, 0, kPreviewSize, kPreviewSize };

// Control objects the dialog owns itself: made with the global new so that they are not
// marked to delete themselves with their windows.
template <class T, class... Args>
std::unique_ptr<T> makeOwned(Args&&... args)
{
    return std::unique_ptr<T>(::new T(std::forward<Args>(args)...));
}

std::string cp932(const char* utf8)
{
    return platform::utf8ToCp932(utf8);
}

const char* const kCountryNames[8] = { "BLUE", "RED", "GREEN", "YELLOW", "PURPLE", "CYAN", "ORANGE", "MAGENTA" };
const char* const kMarkerNames[4] = { "迎撃：味方", "迎撃：敵", "ECM：味方", "ECM：敵" };

bool isMarker(int entry)
{
    return entry < CustomColorTable::kFirstCountryEntry;
}

const char* pictureFile(int entry)
{
    return isMarker(entry) ? "ecmcc.bmp" : "unit48.bmp";
}

std::vector<uint8_t> readPicture(const char* fileName)
{
    std::vector<uint8_t> bytes;
    readFileBytes(pictureServices().bitmapPath(fileName).c_str(), kMaxPictureFileBytes, bytes);
    return bytes;
}

// Runs a picture step; a picture that cannot be made leaves its preview empty.
template <class F>
void tryPicture(F step)
{
    try {
        step();
    } catch (swCError* error) {
        delete error;
    }
}

} // namespace

void registerCustomColorTemplate()
{
    static std::once_flag once;
    std::call_once(once, [] {
        platform::resources::DialogTemplate dialog;
        dialog.caption = cp932("カスタムカラー");
        dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT;
        dialog.clientSize = { 530, 246 };
        dialog.fontFace = cp932("ＭＳ Ｐゴシック");
        dialog.fontPointSize = 9;
        platform::resources::addDialog(MAKEINTRESOURCEA(kTemplate), std::move(dialog));
    });
}

CustomColorDialog::CustomColorDialog(swCWindow* owner, CustomColorTable& table)
    : DialogBase(kTemplate, owner, false), m_table(table)
{
    registerCustomColorTemplate();
}

CustomColorDialog::~CustomColorDialog() = default;

int CustomColorDialog::OnInitDialog()
{
    m_working = m_table;
    loadPictures();
    createControls();
    showTab(0);
    selectEntry(CustomColorTable::kFirstCountryEntry);
    return 0;
}

void CustomColorDialog::loadPictures()
{
    m_buildingImage = readPicture("land48_build.bmp");
    m_borderImage = readPicture("border48.bmp");
    WindowDcHolder screen(handle());
    for (int i = 0; i < CustomColorTable::kShownEntries; ++i) {
        const CustomColourEntry& entry = m_working.entry(i);
        auto filter = std::make_unique<ColourFilter>(entry.hue, entry.second, entry.third, 3);
        const std::string path = pictureServices().bitmapPath(pictureFile(i));
        tryPicture([&] { filter->bitmapLoadRect(path.c_str(), 0, 0, kPreviewSize, kPreviewSize); });
        if (!filter->handle()) {
            // An empty preview is all transparent, so the swatch shows its land tile alone.
            filter->bitmapCreateCompatible(screen, kPreviewSize, kPreviewSize);
            MemoryDcHolder canvas(screen.dc());
            HGDIOBJ old = SelectObject(canvas.dc(), filter->handle());
            canvas.fillRectColor(0, 0, kPreviewSize - 1, kPreviewSize - 1, kPictureKey);
            SelectObject(canvas.dc(), old);
        }
        m_entryPreviews[size_t(i)] = std::move(filter);
    }
    m_currentPreview = std::make_unique<swCBitmap>(screen, kPreviewSize, kPreviewSize);
    m_landBase = std::make_unique<swCBitmap>();
    const std::string basePath = pictureServices().bitmapPath("land48_base.bmp");
    tryPicture([&] { m_landBase->bitmapLoadFile(basePath.c_str()); });
    m_buildingCanvas = std::make_unique<swCBitmap>(screen, 2 * kPreviewSize, kPreviewSize);
    m_borderCanvas = std::make_unique<swCBitmap>(screen, 2 * kPreviewSize, kPreviewSize);
}

void CustomColorDialog::createControls()
{
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(handle(), WM_GETFONT, 0, 0));
    auto useFont = [font](swCWindow& control) {
        if (font && control.handle())
            SendMessageA(control.handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    };

    m_tabControl = makeOwned<TabControl>(this, kTab, WS_CLIPSIBLINGS);
    m_tabControl->controlCreate({ 8, 8, 304, 230 });
    useFont(*m_tabControl);
    const char* const tabs[2] = { "部隊/建物/国境線", "迎撃/ECM" };
    for (int i = 0; i < 2; ++i) {
        const std::string text = cp932(tabs[i]);
        TCITEMA item {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPSTR>(text.c_str());
        SendMessageA(m_tabControl->handle(), TCM_INSERTITEMA, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    }

    m_panel = makeOwned<CustomColorWindow>(m_tabControl.get(), this);
    m_panel->setFrame(4, 28, 296, 196);
    m_panel->Create();
    for (int i = 0; i < 8; ++i) {
        auto label = makeOwned<StaticText>(m_panel.get(), kFirstLabel + UINT(i), SS_LEFT);
        label->controlCreate({ 0, 0, 64, 14 });
        useFont(*label);
        m_labels.push_back(std::move(label));
        m_swatches.push_back(makeOwned<CustomColorSwatch>(m_panel.get(), kFirstSwatch + UINT(i), 0, 0));
    }

    m_preview = makeOwned<CustomColorSwatch>(this, kPreview, 320, 16);
    m_buildingPreview = makeOwned<CustomColorSwatch>(this, kBuildingPreview, 392, 16);
    m_borderPreview = makeOwned<CustomColorSwatch>(this, kBorderPreview, 464, 16);
    const HBITMAP base = m_landBase->handle();
    m_preview->setPictures(base, m_currentPreview->handle());
    m_buildingPreview->setPictures(m_buildingCanvas->handle(), nullptr);
    m_borderPreview->setPictures(m_borderCanvas->handle(), nullptr);

    m_trackbar = makeOwned<Trackbar>(this, kTrackbar, TBS_AUTOTICKS | WS_TABSTOP);
    m_trackbar->controlCreate({ 320, 96, 208, 32 });
    SendMessageA(m_trackbar->handle(), TBM_SETRANGE, FALSE, MAKELPARAM(0, CustomColorTable::kMaxHue));
    SendMessageA(m_trackbar->handle(), TBM_SETTICFREQ, 15, 0);

    m_numberBox = makeOwned<EditBox>(this, kNumberBox, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL);
    m_numberBox->controlCreate({ 320, 140, 48, 22 });
    m_numberBox->editSetAllowedChars("0123456789");
    SendMessageA(m_numberBox->handle(), EM_LIMITTEXT, 3, 0);
    useFont(*m_numberBox);

    struct ButtonSpec {
        UINT id;
        const char* text;
        ControlFrame frame;
    };
    const ButtonSpec buttons[4] = {
        { kReset, "初期化", { 376, 138, 72, 26 } },
        { kApply, "適用", { 456, 138, 72, 26 } },
        { kOk, "OK", { 376, 212, 72, 26 } },
        { kCancel, "ｷｬﾝｾﾙ", { 456, 212, 72, 26 } },
    };
    for (const ButtonSpec& spec : buttons) {
        auto button = makeOwned<PushButton>(this, spec.id, BS_PUSHBUTTON | WS_TABSTOP);
        const std::string text = cp932(spec.text);
        button->controlCreateTitled(text.c_str(), spec.frame);
        useFont(*button);
        m_buttons.push_back(std::move(button));
    }
}

void CustomColorDialog::showTab(int tab)
{
    m_tab = tab;
    for (size_t i = 0; i < m_labels.size(); ++i) {
        ShowWindow(m_labels[i]->handle(), SW_HIDE);
        ShowWindow(m_swatches[i]->handle(), SW_HIDE);
    }
    const int count = tab == 0 ? 8 : 4;
    const int columns = tab == 0 ? 4 : 2;
    for (int i = 0; i < count; ++i) {
        const int x = 8 + 72 * (i % columns);
        const int y = 8 + 86 * (i / columns);
        const int entry = tab == 0 ? CustomColorTable::kFirstCountryEntry + i : i;
        const std::string text = tab == 0 ? std::string(kCountryNames[i]) : cp932(kMarkerNames[i]);
        StaticText& label = *m_labels[size_t(i)];
        CustomColorSwatch& swatch = *m_swatches[size_t(i)];
        SetWindowTextA(label.handle(), text.c_str());
        MoveWindow(label.handle(), x, y, 64, 14, TRUE);
        MoveWindow(swatch.handle(), x, y + 14, CustomColorSwatch::kSize, CustomColorSwatch::kSize, TRUE);
        swatch.setPictures(m_landBase->handle(), m_entryPreviews[size_t(entry)]->handle());
        swatch.setMarkedPressed(entry == m_selected);
        ShowWindow(label.handle(), SW_SHOW);
        ShowWindow(swatch.handle(), SW_SHOW);
    }
    m_buildingPreview->setDrawPictures(tab == 0);
    m_borderPreview->setDrawPictures(tab == 0);
    repaint(kBuildingPreview);
    repaint(kBorderPreview);
}

void CustomColorDialog::selectEntry(int entry)
{
    m_selected = entry;
    m_value = m_working.entry(entry);
    const int first = m_tab == 0 ? CustomColorTable::kFirstCountryEntry : 0;
    for (size_t i = 0; i < m_swatches.size(); ++i) {
        m_swatches[i]->setMarkedPressed(int(i) + first == entry);
        InvalidateRect(m_swatches[i]->handle(), nullptr, FALSE);
    }
    m_currentPreview->bitmapBlit(0, 0, m_entryPreviews[size_t(entry)]->handle(), kPreviewRect);
    repaint(kPreview);
    recomputeLandPreviews(m_value);
    m_pictureImage = readPicture(pictureFile(entry));
    showHue();
}

void CustomColorDialog::showHue()
{
    m_guard = true;
    SendMessageA(m_trackbar->handle(), TBM_SETPOS, TRUE, m_value.hue);
    SetDlgItemInt(handle(), int(kNumberBox), m_value.hue, FALSE);
    m_guard = false;
}

void CustomColorDialog::recomputePreviews()
{
    if (!m_pictureImage.empty()) {
        tryPicture([&] {
            ColourFilter filter(m_value.hue, m_value.second, m_value.third, 3);
            filter.bitmapFromPackedDIB(m_pictureImage);
            m_currentPreview->bitmapBlit(0, 0, filter.handle(), kPreviewRect);
        });
    }
    repaint(kPreview);
    recomputeLandPreviews(m_value);
}

void CustomColorDialog::recomputeLandPreviews(const CustomColourEntry& value)
{
    if (m_tab != 0)
        return;
    const HBITMAP base = m_landBase->handle();
    if (!m_buildingImage.empty()) {
        tryPicture([&] {
            ColourFilter building(value.hue, value.second, value.third, 3);
            building.bitmapFromPackedDIB(m_buildingImage);
            if (base)
                m_buildingCanvas->bitmapBlit(kPreviewSize, 0, base, { 0, 0, 48, 48 });
            m_buildingCanvas->bitmapBlitTransparent(kPreviewSize, 0, building.handle(), { 0, 48, 48, 96 }, kPictureKey);
        });
    }
    if (!m_borderImage.empty()) {
        tryPicture([&] {
            ColourFilter border(value.hue, value.second, value.third, 3);
            border.bitmapFromPackedDIB(m_borderImage);
            if (base)
                m_borderCanvas->bitmapBlit(kPreviewSize, 0, base, { 48, 0, 96, 48 });
            for (int x = 0; x <= 240; x += 48)
                m_borderCanvas->bitmapBlitTransparent(kPreviewSize, 0, border.handle(), { x, 144, x + 48, 192 }, kPictureKey);
        });
    }
    repaint(kBuildingPreview);
    repaint(kBorderPreview);
}

void CustomColorDialog::repaint(UINT id)
{
    if (HWND control = GetDlgItem(handle(), int(id)))
        InvalidateRect(control, nullptr, FALSE);
}

void CustomColorDialog::onTrackbar(UINT code)
{
    if (m_guard || code == TB_ENDTRACK)
        return;
    m_value.hue = uint16_t(clampHue(int(SendMessageA(m_trackbar->handle(), TBM_GETPOS, 0, 0))));
    m_guard = true;
    SetDlgItemInt(handle(), int(kNumberBox), m_value.hue, FALSE);
    m_guard = false;
    recomputePreviews();
}

void CustomColorDialog::onNumberBox()
{
    if (m_guard)
        return;
    char text[16] = {};
    GetWindowTextA(m_numberBox->handle(), text, sizeof text);
    const int typed = std::atoi(text);
    const int hue = clampHue(typed);
    m_value.hue = uint16_t(hue);
    m_guard = true;
    if (hue != typed)
        SetDlgItemInt(handle(), int(kNumberBox), UINT(hue), FALSE);
    SendMessageA(m_trackbar->handle(), TBM_SETPOS, TRUE, hue);
    m_guard = false;
    recomputePreviews();
}

void CustomColorDialog::apply()
{
    m_working.setEntry(m_selected, m_value);
    m_entryPreviews[size_t(m_selected)]->bitmapBlit(0, 0, m_currentPreview->handle(), kPreviewRect);
    const int first = m_tab == 0 ? CustomColorTable::kFirstCountryEntry : 0;
    const int slot = m_selected - first;
    if (slot >= 0 && slot < int(m_swatches.size()))
        InvalidateRect(m_swatches[size_t(slot)]->handle(), nullptr, FALSE);
}

void CustomColorDialog::reset()
{
    m_value = CustomColorTable::defaultEntry(m_selected);
    showHue();
    recomputePreviews();
}

void CustomColorDialog::confirm()
{
    const std::string path = pictureServices().programFilePath(CustomColorTable::kFileName);
    try {
        m_working.save(path);
    } catch (swCError* error) {
        error->Show(handle());
        delete error;
        // Put back what the table holds, in case the failed write left part of a file.
        try {
            m_table.save(path);
        } catch (swCError* again) {
            delete again;
        }
        return;
    }
    m_table = m_working;
    setResult(1);
    Destroy();
}

int CustomColorDialog::OnMessage(MessageRecord& msg)
{
    if (msg.message == WM_HSCROLL && reinterpret_cast<HWND>(msg.lParam) == m_trackbar->handle()) {
        onTrackbar(LOWORD(msg.wParam));
        return 1;
    }
    return 0;
}

int CustomColorDialog::OnCommand(MessageRecord& msg, UINT id, UINT code)
{
    if (id >= kFirstSwatch && id < kFirstSwatch + 8) {
        if (code == BN_CLICKED)
            selectEntry(int(id - kFirstSwatch) + (m_tab == 0 ? CustomColorTable::kFirstCountryEntry : 0));
        return 1;
    }
    switch (id) {
    case kNumberBox:
        if (code == EN_UPDATE)
            onNumberBox();
        return 1;
    case kApply:
        apply();
        return 1;
    case kReset:
        reset();
        return 1;
    case kOk:
    case IDOK:
        confirm();
        return 1;
    case kCancel:
    case IDCANCEL:
        setResult(0);
        Destroy();
        return 1;
    default:
        return DialogBase::OnCommand(msg, id, code);
    }
}

int CustomColorDialog::OnNotify(MessageRecord&, UINT id, NMHDR* header)
{
    if (id != kTab || !header || header->code != TCN_SELCHANGE)
        return 0;
    const int tab = int(SendMessageA(m_tabControl->handle(), TCM_GETCURSEL, 0, 0));
    showTab(tab == 1 ? 1 : 0);
    selectEntry(m_tab == 0 ? CustomColorTable::kFirstCountryEntry : 0);
    return 1;
}
