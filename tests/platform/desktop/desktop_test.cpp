// The desktop and its harness: input through one road in order, key state, idle waiting,
// reading the screen and the screenshot the environment asks for.
#include "platform/desktop/harness.h"
#include "platform/desktop/virtual_desktop.h"
#include "platform/kernel/host.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>

using namespace platform::desktop;
namespace harness = platform::harness;

namespace {

class RecordingSink : public InputSink {
public:
    void deliver(const InputEvent& event) override
    {
        std::lock_guard lock(m_mutex);
        events.push_back(event);
    }
    bool isIdle() override { return idle; }

    std::vector<InputEvent> take()
    {
        std::lock_guard lock(m_mutex);
        return std::move(events);
    }

    std::atomic<bool> idle { true };
    std::vector<InputEvent> events;

private:
    std::mutex m_mutex;
};

// Attaches a sink to the process's desktop for one test.
struct SinkScope {
    explicit SinkScope(InputSink& sink) { Desktop::instance().setInputSink(&sink); }
    ~SinkScope() { Desktop::instance().setInputSink(nullptr); }
};

std::string tempFile(const std::string& name)
{
    return (std::filesystem::temp_directory_path() / ("derazodo_desktop_" + std::to_string(::getpid()) + "_" + name)).string();
}

} // namespace

TEST(DesktopHarness, DeliversInjectedInputInOrderAtScreenPositions)
{
    RecordingSink sink;
    SinkScope scope(sink);
    harness::click(30, 40);
    harness::wheel(31, 41, -240);
    harness::pressKey(0x0D);
    harness::typeText("あA");
    auto events = sink.take();
    using K = InputEvent::Kind;
    std::vector<K> kinds;
    for (const auto& e : events)
        kinds.push_back(e.kind);
    EXPECT_EQ(kinds, (std::vector<K> { K::MouseMove, K::MouseDown, K::MouseUp, K::MouseWheel, K::KeyDown, K::KeyUp, K::Text }));
    EXPECT_EQ(events[1].screen.x, 30);
    EXPECT_EQ(events[1].screen.y, 40);
    EXPECT_EQ(events[1].button, InputEvent::Button::Left);
    EXPECT_EQ(events[3].wheelDelta, -240);
    EXPECT_EQ(events[4].virtualKey, 0x0Du);
    EXPECT_EQ(events[6].textCp932, std::string("\x82\xA0" "A"));
    EXPECT_EQ(Desktop::instance().cursorPosition().x, 31);
}

TEST(DesktopHarness, KeepsAsyncKeyStateFromInjectedInput)
{
    Desktop& desktop = Desktop::instance();
    desktop.wasKeyPressedSinceLastQuery('Q');
    harness::keyDown('Q');
    EXPECT_TRUE(desktop.isKeyDown('Q'));
    harness::keyUp('Q');
    EXPECT_FALSE(desktop.isKeyDown('Q'));
    EXPECT_TRUE(desktop.wasKeyPressedSinceLastQuery('Q'));
    EXPECT_FALSE(desktop.wasKeyPressedSinceLastQuery('Q')) << "the mark is cleared by the query";
    harness::mouseDown(1, 1, InputEvent::Button::Right);
    EXPECT_TRUE(desktop.isKeyDown(0x02));
    harness::mouseUp(1, 1, InputEvent::Button::Right);
    EXPECT_FALSE(desktop.isKeyDown(0x02));
    EXPECT_FALSE(desktop.isKeyDown(100000)) << "out-of-range keys are never down";
}

TEST(DesktopHarness, WaitsForIdleAndTimesOut)
{
    RecordingSink sink;
    SinkScope scope(sink);
    sink.idle = false;
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(harness::waitIdle(std::chrono::milliseconds(50)));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));

    std::thread worker([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        sink.idle = true;
    });
    EXPECT_TRUE(harness::waitIdle(std::chrono::seconds(10)));
    worker.join();
}

TEST(DesktopHarness, WaitIdleWithoutWindowSystemFails)
{
    EXPECT_FALSE(harness::waitIdle(std::chrono::milliseconds(10)));
}

TEST(DesktopHarness, ReadsTheComposedScreenAndWritesBmp)
{
    Desktop& desktop = Desktop::instance();
    EXPECT_TRUE(desktop.isHeadless());
    auto surface = std::make_shared<platform::Surface>(16, 8);
    surface->fill(0x00123456);
    LayerState state { surface, RECT { 100, 100, 116, 108 }, true, std::nullopt };
    LayerId id = desktop.addLayer(state);
    harness::Image image = harness::readRect(RECT { 98, 100, 116, 108 });
    ASSERT_EQ(image.width, 18);
    ASSERT_EQ(image.height, 8);
    EXPECT_EQ(image.at(2, 0), 0x00123456u);
    EXPECT_NE(image.at(0, 0), 0x00123456u);

    std::string path = tempFile("shot.bmp");
    ASSERT_TRUE(harness::writeBmp(image, path));
    std::ifstream file(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), {});
    ASSERT_GT(bytes.size(), 54u);
    auto field = [&](size_t at) { return uint32_t(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | bytes[at + 3] << 24); };
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(field(18), 18u);
    EXPECT_EQ(field(22), 8u);
    // Bottom-up rows: the first stored row is the bottom one; its third pixel is the layer's, blue first.
    size_t third = field(10) + 2 * (bytes[28] / 8);
    ASSERT_LT(third + 2, bytes.size());
    EXPECT_EQ(bytes[third], 0x56);
    EXPECT_EQ(bytes[third + 2], 0x12);
    std::filesystem::remove(path);
    desktop.removeLayer(id);
    EXPECT_NE(harness::readRect(RECT { 100, 100, 101, 101 }).at(0, 0), 0x00123456u);
    EXPECT_EQ(harness::readRect(RECT { -10, -10, -1, -1 }).width, 0);
}

TEST(DesktopScreenshot, WrittenAfterTheDelayAndKeptAtExit)
{
    std::string path = tempFile("timed.png");
    std::filesystem::remove(path);
    DesktopOptions options;
    options.screen = SIZE { 320, 320 };
    options.screenshotPath = path;
    options.screenshotAfterMs = 20;
    {
        VirtualDesktop desktop(options, makeHeadlessBackend());
        for (int i = 0; i < 500 && !std::filesystem::exists(path); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_TRUE(std::filesystem::exists(path));
        std::ifstream file(path, std::ios::binary);
        std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), {});
        ASSERT_GT(bytes.size(), 33u) << "signature and header";
        EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 4), "PNG");
        EXPECT_EQ(std::string(bytes.begin() + 12, bytes.begin() + 16), "IHDR");
        EXPECT_EQ(bytes[18] * 256 + bytes[19], 320) << "width";
        file.close();
        std::filesystem::remove(path);
    }
    // The timed picture showed the program; the empty desktop at exit must not replace it.
    EXPECT_FALSE(std::filesystem::exists(path)) << "written again on exit";
}

TEST(DesktopScreenshot, WrittenAtExitWhenTheRunEndsBeforeTheDelay)
{
    std::string path = tempFile("early.png");
    std::filesystem::remove(path);
    DesktopOptions options;
    options.screen = SIZE { 320, 320 };
    options.screenshotPath = path;
    options.screenshotAfterMs = 60000;
    {
        VirtualDesktop desktop(options, makeHeadlessBackend());
    }
    EXPECT_TRUE(std::filesystem::exists(path));
    std::filesystem::remove(path);
}

TEST(DesktopOptions, ScreenSizeComesFromTheEnvironmentWithinLimits)
{
    EXPECT_EQ(parseScreenSize("1024x768").cx, 1024);
    EXPECT_EQ(parseScreenSize("1024x768").cy, 768);
    for (const char* bad : { "", "1024", "1024x768x", "0x0", "-800x600", "99999x600", "abc" }) {
        SIZE s = parseScreenSize(bad);
        EXPECT_EQ(s.cx, 1280) << bad;
        EXPECT_EQ(s.cy, 960) << bad;
    }
    EXPECT_EQ(parseScreenSize(nullptr).cx, 1280);
}

TEST(MessageBoxPolicy, AnswersFromQueueThenDefaultThenTheBoxDefaultAndRecords)
{
    harness::clearMessageBoxes();
    EXPECT_TRUE(harness::messageBoxPolicyActive()) << "always on a headless desktop";
    harness::queueMessageBoxAnswer(7);
    EXPECT_EQ(harness::answerMessageBox("first", "caption", 4, 6), 7);
    EXPECT_EQ(harness::answerMessageBox("second", "caption", 4, 6), 6);
    harness::setDefaultMessageBoxAnswer(2);
    EXPECT_EQ(harness::answerMessageBox("third", "c", 1, 1), 2);
    auto boxes = harness::messageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, "first");
    EXPECT_EQ(boxes[0].caption, "caption");
    EXPECT_EQ(boxes[0].style, 4u);
    EXPECT_EQ(boxes[1].answer, 6);
    harness::clearMessageBoxes();
    EXPECT_TRUE(harness::messageBoxes().empty());
}

TEST(MessageBoxPolicy, UnattendedBoxesNeverChooseToRetry)
{
    harness::clearMessageBoxes();
    harness::setDefaultMessageBoxAnswer(0);
    // Retry/Cancel (5) with Retry as the default button: Cancel. Abort/Retry/Ignore (2): Abort.
    EXPECT_EQ(harness::answerMessageBox("out of memory", "", 0x2005, 4), 2);
    EXPECT_EQ(harness::answerMessageBox("device", "", 2, 4), 3);
    harness::queueMessageBoxAnswer(4);
    EXPECT_EQ(harness::answerMessageBox("asked", "", 5, 4), 4) << "a queued answer still wins";
    harness::clearMessageBoxes();
}
