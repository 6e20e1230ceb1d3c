#include "mainwindow/desktop/TrayIcon.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace qx;

namespace {

struct FakeShell : TTrayShell {
    bool Available() const override { return HasTray; }
    bool HasIcon() const override { return IconAtHand; }
    void Add(const std::string& tip) override { Log.push_back("add " + tip); }
    void Modify(const std::string& tip) override { Log.push_back("modify " + tip); }
    void Delete() override { Log.push_back("delete"); }
    TScreenPoint CursorPos() const override { return {300, 400}; }
    void BringOwnerToFront() override { Log.push_back("front"); }
    bool HasTray = true;
    bool IconAtHand = true;
    std::vector<std::string> Log;
};

// A clock that moves only when told, firing a due timer on the way.
struct FakeClock : TTrayClock {
    std::int64_t NowMs() const override { return Now; }
    int DoubleClickTime() const override { return 400; }
    void StartTimer(int ms, std::function<void()> elapsed) override
    {
        Due = Now + ms;
        Elapsed = std::move(elapsed);
    }
    void StopTimer() override { Elapsed = nullptr; }
    void Advance(int ms)
    {
        Now += ms;
        if (Elapsed && Now >= Due) std::exchange(Elapsed, nullptr)();
    }
    std::int64_t Now = 1000, Due = 0;
    std::function<void()> Elapsed;
};

struct FakeMenu : TTrayMenu {
    void Popup(int x, int y) override { At.push_back({x, y}); }
    std::vector<TScreenPoint> At;
};

class TrayIconTest : public ::testing::Test {
protected:
    TrayIconTest()
    {
        icon.OnClick = [this](TObject*) { events += "C"; };
        icon.OnDblClick = [this](TObject*) { events += "D"; };
    }
    // Plays a script: a message letter per step, a number of milliseconds between them.
    std::string Play(std::initializer_list<std::pair<TTrayMessage, int>> script)
    {
        for (const auto& [message, after] : script) {
            icon.HandleMessage(message);
            clock.Advance(after);
        }
        clock.Advance(1000);
        return std::exchange(events, "");
    }

    TTrayIconRegistry registry;
    FakeShell shell;
    FakeClock clock;
    TTrayIcon icon{shell, clock, nullptr, registry};
    std::string events;
};

constexpr auto Up = TTrayMessage::LButtonUp;
constexpr auto Dbl = TTrayMessage::LButtonDblClk;

} // namespace

TEST_F(TrayIconTest, ClicksAndDoubleClicksWhateverTheTrayReports)
{
    // A single click comes once the double-click time (+50 ms) has passed.
    icon.HandleMessage(Up);
    clock.Advance(449);
    EXPECT_EQ(events, "");
    clock.Advance(1);
    EXPECT_EQ(events, "C");
    events.clear();

    struct Case {
        const char* Name;
        std::initializer_list<std::pair<TTrayMessage, int>> Script;
        const char* Events;
    };
    const Case cases[] = {
        {"up, double-click, up", {{Up, 100}, {Dbl, 10}, {Up, 0}}, "D"},
        {"up, double-click", {{Up, 100}, {Dbl, 0}}, "D"},
        {"two ups, no double-click message", {{Up, 300}, {Up, 0}}, "D"},
        {"two ups and a double-click message", {{Up, 100}, {Up, 5}, {Dbl, 0}}, "D"},
        {"two slow ups", {{Up, 700}, {Up, 0}}, "CC"},
        {"second up after the double-click time, timer late", {{Up, 420}, {Up, 0}}, "CC"},
        {"a double click, then a click", {{Up, 100}, {Dbl, 10}, {Up, 900}, {Up, 0}}, "DC"},
        {"two double clicks", {{Up, 100}, {Dbl, 10}, {Up, 900}, {Up, 100}, {Dbl, 10}, {Up, 0}}, "DD"},
    };
    for (const Case& c : cases) EXPECT_EQ(Play(c.Script), c.Events) << c.Name;
}

TEST_F(TrayIconTest, TheSecondClickIsJudgedByTheClockNotByTheTimer)
{
    // A Qt timer may fire late; the second click is judged by the clock, not by the timer.
    clock.Due = 0;
    icon.HandleMessage(Up);
    clock.Now += 350;  // no timer run yet
    icon.HandleMessage(Up);
    clock.Advance(1000);
    EXPECT_EQ(events, "D");
}

TEST_F(TrayIconTest, MouseUpHandlerOrDisablingTakesTheClickAway)
{
    std::vector<TMouseButton> ups;
    icon.OnMouseUp = [&](TObject*, TMouseButton b, TShiftState, int, int) { ups.push_back(b); };
    EXPECT_EQ(Play({{Up, 0}}), "");
    EXPECT_EQ(ups, (std::vector<TMouseButton>{TMouseButton::mbLeft}));

    icon.OnMouseUp = nullptr;
    icon.HandleMessage(Up);
    icon.SetEnabled(false);
    clock.Advance(1000);
    icon.HandleMessage(Up);
    clock.Advance(1000);
    EXPECT_EQ(events, "") << "disabling forgets the pending click and ignores messages";

    // With only a double-click handler (the main window's), two clicks still restore the window.
    icon.SetEnabled(true);
    icon.OnClick = nullptr;
    EXPECT_EQ(Play({{Up, 200}, {Up, 0}}), "D");
}

TEST_F(TrayIconTest, MenusPopAtTheCursorInsteadOfMouseDown)
{
    FakeMenu left, right;
    std::vector<TMouseButton> downs;
    icon.OnMouseDown = [&](TObject*, TMouseButton b, TShiftState, int x, int y) {
        downs.push_back(b);
        EXPECT_EQ(x, 300);
        EXPECT_EQ(y, 400);
    };
    icon.RBPopupMenu = &right;
    icon.HandleMessage(TTrayMessage::RButtonDown);
    icon.HandleMessage(TTrayMessage::LButtonDown);  // no left menu: a mouse-down
    icon.HandleMessage(TTrayMessage::MButtonDown);
    ASSERT_EQ(right.At.size(), 1u);
    EXPECT_EQ(right.At[0].X, 300);
    EXPECT_EQ(shell.Log, (std::vector<std::string>{"front"}));
    EXPECT_EQ(downs, (std::vector<TMouseButton>{TMouseButton::mbLeft, TMouseButton::mbMiddle}));

    icon.LBPopupMenu = &left;
    icon.AutoPopup = false;
    icon.HandleMessage(TTrayMessage::LButtonDown);
    EXPECT_TRUE(left.At.empty());
    EXPECT_EQ(downs.size(), 3u);
}

TEST_F(TrayIconTest, VisibleNeedsAnIconAndATrayToHideTheWindow)
{
    EXPECT_EQ(icon.TipHelp(), "TipHelp");
    shell.IconAtHand = false;
    icon.SetVisible(true);
    EXPECT_FALSE(icon.Visible());
    EXPECT_TRUE(shell.Log.empty());

    shell.IconAtHand = true;
    icon.SetVisible(true);
    icon.SetTipHelp("QxEditor");
    icon.SetTipHelp("QxEditor");
    icon.IconChanged();
    icon.SetVisible(false);
    EXPECT_EQ(shell.Log, (std::vector<std::string>{"add TipHelp", "modify QxEditor", "modify QxEditor", "delete"}));
    EXPECT_FALSE(icon.CanHideWindow());

    // A desktop without a tray: the icon counts as visible but the window must stay.
    shell.Log.clear();
    shell.HasTray = false;
    icon.SetVisible(true);
    EXPECT_TRUE(icon.Visible());
    EXPECT_FALSE(icon.CanHideWindow());
    EXPECT_TRUE(shell.Log.empty());
}

TEST(TrayIconTip, CutAt62BytesOnACharacterBoundary)
{
    TTrayIconRegistry registry;
    FakeShell shell;
    FakeClock clock;
    TTrayIcon icon(shell, clock, nullptr, registry);
    icon.SetTipHelp(std::string(70, 'a'));
    EXPECT_EQ(icon.TipHelp(), std::string(62, 'a'));
    // 61 bytes and a double-byte character: the character does not fit and is left out whole.
    icon.SetTipHelp(std::string(61, 'a') + "漢字");
    EXPECT_EQ(icon.TipHelp(), std::string(61, 'a'));
    // 31 kanji are 62 bytes in CP932; half-width katakana take one byte each.
    std::string kanji;
    for (int i = 0; i < 40; ++i) kanji += "漢";
    icon.SetTipHelp(kanji);
    EXPECT_EQ(icon.TipHelp(), kanji.substr(0, 31 * 3));
    icon.SetTipHelp(std::string(60, 'a') + "ｱｲｳ");
    EXPECT_EQ(icon.TipHelp(), std::string(60, 'a') + "ｱｲ");
}

TEST(TrayIconRegistry, IdsFollowTheLastLivingIconUpToTheLimit)
{
    TTrayIconRegistry registry;
    FakeShell shell;
    FakeClock clock;
    auto make = [&] { return std::make_unique<TTrayIcon>(shell, clock, nullptr, registry); };
    auto a = make(), b = make(), c = make();
    EXPECT_EQ(c->Id(), 3);
    c.reset();
    c = make();
    EXPECT_EQ(c->Id(), 3);
    a.reset();
    auto d = make();
    EXPECT_EQ(d->Id(), 4);
    EXPECT_EQ(registry.Find(1), nullptr);

    // Messages go to the icon by id; an unknown id is ignored.
    int clicks = 0;
    d->OnDblClick = [&](TObject*) { ++clicks; };
    registry.Dispatch(4, Dbl);
    registry.Dispatch(99, Dbl);
    EXPECT_EQ(clicks, 1);

    std::vector<std::unique_ptr<TTrayIcon>> many;
    while (registry.Count() < kMaxTrayIcons) many.push_back(make());
    try {
        make();
        FAIL() << "the 101st icon was registered";
    } catch (const ENotifyIconError& e) {
        EXPECT_STREQ(e.what(), "タスクトレイにアイコンを登録できません。");
    }
    EXPECT_EQ(registry.Count(), kMaxTrayIcons);
}
