// BriefBitmapWindow: the briefing's scroll window over a long news or mission text. It shows the
// page's background with the map's picture and overview map, and the text picture scrolled over
// them (white shows the page through).
#pragma once

#include "lib/media/bitmap.h"
#include "lib/window.h"
#include "ui/window_kit.h"

#include <memory>

class BriefBitmapWindow : public ui::KitWindow<swCWindow> {
public:
    static constexpr const char* kClassName = "VKRC_BRIEFINTBITMAPWINDOW_CNAME";
    static constexpr POINT kOrigin { 18, 117 };
    static constexpr SIZE kSize { 620, 330 };
    // The part of the window left of its scroll bar.
    static constexpr int kViewWidth = 608;
    static constexpr int kLineStep = 12;

    explicit BriefBitmapWindow(swCWindow* parent);

    // What the window shows; the pictures belong to the dialog and outlive the window's use of them.
    struct Content {
        const swCBitmap* page = nullptr;
        const swCBitmap* picture = nullptr;
        RECT pictureBox {};
        HBITMAP overview = nullptr;
        POINT overviewAt {};
        SIZE overviewSize {};
    };
    // Shows the text picture from its top, with a scroll range of its height.
    void showText(const Content& content, std::unique_ptr<swCBitmap> text);
    // Composes again after the dialog drew into the pictures it shares (the blinking marks).
    void refresh();
    // Hides the window and lets go of the text picture.
    void hideText();
    int position() const { return m_position; }
    int textHeight() const { return m_textHeight; }

    int OnMessage(MessageRecord& msg) override;
    // A part of the briefing's page: its clicks are the dialog's to answer.
    const ui::WindowDescription& description() const override
    {
        static constexpr ui::WindowDescription kDescription { .drawn = true, .closing = ui::Closing::Unanswered };
        return kDescription;
    }
    HBITMAP background() const override { return m_back.handle(); }

private:
    void scrollTo(int position);
    void compose();

    Content m_content;
    std::unique_ptr<swCBitmap> m_text;
    swCBitmap m_back;
    int m_textHeight = 0;
    int m_position = 0;
};
