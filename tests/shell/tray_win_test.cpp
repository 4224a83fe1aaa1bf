// Going into the tray and back: with the notification area replaced by a stand-in that refuses
// what the shell refuses, and in the tray Wine shows (a "Wine System Tray" window at the top left).
// And the window's own pictures when it moves to a screen of another DPI.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <vector>

#include "common/unique_handle_win.h"
#include "resources/resource.h"
#include "shell/main_window_settings_win.h"
#include "tests/support/connected_window_win.h"
#include "tests/support/window_test_support_win.h"

namespace tarnwick {
namespace {

using namespace testing;

TEST(TrayPresenceGlue, OnlyGoToTrayAddsTheIconThenFlashesItAndDoubleClickBringsTheWindowBack) {
  for (const bool versionThree : {true, false}) {
    TrayRecorder tray;
    tray.acceptVersion = versionThree;
    WindowUnderTest window;
    SendMessageA(window.hwnd(), TaskbarCreatedMessage(), 0, 0);
    SendCommand(window.hwnd(), ID_TOOLS_MINIMIZE_TO_TRAY);
    ShowWindow(window.hwnd(), SW_MINIMIZE);
    PumpPending();
    EXPECT_TRUE(IsWindowVisible(window.hwnd())) << "minimised without Minimize to tray: no icon";
    EXPECT_TRUE(tray.Calls().empty()) << "nor when the taskbar restarts while the window shows";
    ShowWindow(window.hwnd(), SW_RESTORE);
    SendCommand(window.hwnd(), ID_FILE_GO_TO_TRAY);
    EXPECT_FALSE(IsWindowVisible(window.hwnd()));
    ASSERT_GE(tray.Calls().size(), 2u);
    EXPECT_EQ(tray.Calls()[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(tray.Calls()[0].flags, static_cast<UINT>(NIF_MESSAGE)) << "no picture or tip yet";
    EXPECT_EQ(tray.Calls()[0].size, static_cast<DWORD>(NOTIFYICONDATAW_V1_SIZE));
    EXPECT_EQ(tray.Calls()[1].message, static_cast<DWORD>(NIM_SETVERSION));
    EXPECT_EQ(window->Tray().RecordSize(),
              static_cast<DWORD>(versionThree ? NOTIFYICONDATAW_V2_SIZE : NOTIFYICONDATAW_V1_SIZE))
        << "a shell without version 3 keeps the first record size";
    const HICON picture = window->Tray().CurrentIcon();
    EXPECT_NE(picture, nullptr);
    tray.Clear();
    window->RefreshCaption();
    EXPECT_TRUE(tray.Calls().empty()) << "the same text and picture modify nothing";

    // (The flash's timing is the portable test's part.) The blank icon and the picture alternate.
    for (int tick = 0; tick < 12; ++tick) window->Tray().FlashStep();
    ASSERT_EQ(tray.Calls().size(), 10u) << "ticks 3 to 12";
    for (size_t i = 0; i < 10; ++i) EXPECT_EQ(tray.Calls()[i].icon == picture, i % 2 == 1) << i;
    EXPECT_FALSE(window->Tray().IsFlashing());
    EXPECT_EQ(window->Tray().CurrentIcon(), picture);

    SendMessageA(window.hwnd(), TrayCallbackMessage(), 0, WM_LBUTTONDBLCLK);
    PumpPending();
    EXPECT_TRUE(IsWindowVisible(window.hwnd()));
    EXPECT_FALSE(IsIconic(window.hwnd()));
    EXPECT_EQ(tray.Count(NIM_DELETE), 1u);
  }
}

HICON SmallIcon(int id) {
  return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON,
                                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                       LR_SHARED));
}

// Each way into the tray ends with one icon in the shell showing the picture and the tip, and
// the icon goes when the window comes back, exactly once.
TEST(TrayPresenceGlue, EveryWayIntoTheTrayShowsThePictureAndTheTip) {
  struct Way {
    const char* name;
    std::function<void(WindowUnderTest&, TrayRecorder&)> enter;
  };
  const auto goToTray = [](WindowUnderTest& window, TrayRecorder&) {
    SendCommand(window.hwnd(), ID_FILE_GO_TO_TRAY);
  };
  const Way ways[] = {
      {"Go to tray", goToTray},
      // What the window thread does with "-tray", after showing the window.
      {"-tray start", [](WindowUnderTest& window, TrayRecorder&) { window->ShowInTray(true); }},
      {"minimise", [](WindowUnderTest& window, TrayRecorder&) {
         ShowWindow(window.hwnd(), SW_MINIMIZE);
         PumpPending();
       }},
      {"taskbar recreated", [&goToTray](WindowUnderTest& window, TrayRecorder& tray) {
         goToTray(window, tray);
         tray.Restart();
         SendMessageA(window.hwnd(), TaskbarCreatedMessage(), 0, 0);
       }},
      {"taskbar message while the shell keeps the icon",
       [&goToTray](WindowUnderTest& window, TrayRecorder& tray) {
         goToTray(window, tray);
         SendMessageA(window.hwnd(), TaskbarCreatedMessage(), 0, 0);
       }},
      {"shell not ready at first", [&goToTray](WindowUnderTest& window, TrayRecorder& tray) {
         tray.running = false;
         goToTray(window, tray);
         SendMessageA(window.hwnd(), WM_TIMER, kTrayRetryTimerId, 0);
         tray.running = true;
         SendMessageA(window.hwnd(), WM_TIMER, kTrayRetryTimerId, 0);
       }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    TrayRecorder tray;
    WindowUnderTest window;
    way.enter(window, tray);
    EXPECT_FALSE(IsWindowVisible(window.hwnd()));
    ASSERT_EQ(tray.Icons().size(), 1u);
    EXPECT_EQ(tray.Icons()[0].tip, "Tarnwick");
    EXPECT_EQ(tray.Icons()[0].picture, SmallIcon(IDR_MAINFRAME));
    EXPECT_TRUE(window->Tray().IsFlashing());

    HWND handle = window.hwnd();
    SendCommand(handle, ID_FILE_EXIT);
    PumpPending();
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_TRUE(tray.Icons().empty());
    EXPECT_EQ(tray.Count(NIM_DELETE), 1u);
  }
}

std::vector<uint32_t> IconOn(HICON icon, int size, COLORREF background) {
  return testing::DrawnPixels(size, size, [&](HDC dc) {
    const UniqueGdiObject brush(CreateSolidBrush(background));
    const RECT all{0, 0, size, size};
    FillRect(dc, &all, static_cast<HBRUSH>(brush.Get()));
    DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
  });
}

// Whether the screen shows the icon's opaque pixels somewhere in the window's client area.
bool ShowsIcon(HWND window, HICON icon) {
  const int size = GetSystemMetrics(SM_CXSMICON);
  const std::vector<uint32_t> onBlack = IconOn(icon, size, RGB(0, 0, 0));
  const std::vector<uint32_t> onWhite = IconOn(icon, size, RGB(255, 255, 255));
  RECT client = {};
  GetClientRect(window, &client);
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  const auto copy = [&](HDC dc) {
    const ScopedWindowDc screen(nullptr);
    BitBlt(dc, 0, 0, client.right, client.bottom, screen.Get(), origin.x, origin.y, SRCCOPY);
  };
  const std::vector<uint32_t> shown = testing::DrawnPixels(client.right, client.bottom, copy);
  for (int top = 0; top + size <= client.bottom; ++top) {
    for (int left = 0; left + size <= client.right; ++left) {
      bool same = true;
      for (int y = 0; y < size && same; ++y) {
        for (int x = 0; x < size && same; ++x) {
          const size_t at = static_cast<size_t>(y * size + x);
          if (onBlack[at] != onWhite[at]) continue;  // transparent
          same = shown[static_cast<size_t>((top + y) * client.right + left + x)] == onBlack[at];
        }
      }
      if (same) return true;
    }
  }
  return false;
}

size_t IconsIn(HWND tray) {
  size_t count = 0;
  for (HWND icon = GetWindow(tray, GW_CHILD); icon; icon = GetWindow(icon, GW_HWNDNEXT)) {
    count += IsWindowVisible(icon) ? 1 : 0;
  }
  return count;
}

// Wine's shell draws each icon in a child window of its tray window. (It leaves the old picture
// on the screen when a fully transparent one replaces it, so the dark phase of the flash cannot be
// seen there; the stand-in tests cover it.)
TEST(TrayOnWine, TheTrayWindowShowsOneIconWithThePictureAndLetsItGo) {
  WindowUnderTest window;
  SendCommand(window.hwnd(), ID_FILE_GO_TO_TRAY);
  HWND tray = FindWindowA(nullptr, "Wine System Tray");
  ASSERT_NE(tray, nullptr);
  HICON picture = SmallIcon(IDR_MAINFRAME);
  EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(tray) && ShowsIcon(tray, picture); }));
  EXPECT_EQ(IconsIn(tray), 1u) << "the minimise that follows adds no second icon";

  HICON full = SmallIcon(IDI_TRAY_STRIPES_FULL);
  window->Tray().Show("de_dust [16/16] on Alpha - Tarnwick", IDI_TRAY_STRIPES_FULL, false);
  EXPECT_TRUE(PumpUntil([&] { return ShowsIcon(tray, full); })) << "later pictures reach the tray";

  SendCommand(window.hwnd(), ID_FILE_EXIT);
  PumpPending();
  EXPECT_TRUE(PumpUntil([&] { return IconsIn(tray) == 0; }));
}

// A balloon on Wine's own tray: the real Shell_NotifyIconW takes every call (the hook only keeps
// the balloon records it passed on and the shell's answers), and Wine's shell shows a balloon
// tooltip. Joins of a watched name come from the demo server's player list.
class BalloonOnWine : public testing::ConnectedWindow {
 protected:
  struct Shown {
    std::string title;
    std::string text;
    BOOL accepted;
  };
  BalloonOnWine() {
    SetTrayShellHook([this](DWORD message, const NOTIFYICONDATAW& data) {
      const BOOL accepted = Shell_NotifyIconW(message, const_cast<NOTIFYICONDATAW*>(&data));
      if ((data.uFlags & NIF_INFO) != 0)
        balloons.push_back({Narrow(data.szInfoTitle), Narrow(data.szInfo), accepted});
      return accepted;
    });
  }
  ~BalloonOnWine() override { SetTrayShellHook(nullptr); }
  void Join(const std::string& name) {
    players.push_back({name, 0, 1.0f});
    server->SetPlayers(players);
  }
  void Wait(DWORD ms) {
    const DWORD start = GetTickCount();
    PumpUntil([&] { return GetTickCount() - start >= ms; }, ms + 1000);
  }
  std::vector<Shown> balloons;
  std::vector<demo::DemoPlayer> players = demo::DemoConfig().players;
};

// A visible balloon tooltip of another process (Wine's shell).
bool ShellShowsBalloon() {
  struct Search {
    bool found = false;
  } search;
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        char name[64] = {};
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        GetClassNameA(window, name, sizeof(name));
        if (process != GetCurrentProcessId() && IsWindowVisible(window) &&
            lstrcmpiA(name, "tooltips_class32") == 0 &&
            (GetWindowLongA(window, GWL_STYLE) & TTS_BALLOON) != 0)
          reinterpret_cast<Search*>(param)->found = true;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TEST_F(BalloonOnWine, AWatchedJoinShowsABalloonAndJoinsWithinTenSecondsMergeIntoTheNext) {
  window->CurrentSettings().playersIntervalTray = 1;
  window->CurrentSettings().detailsIntervalTray = 1;
  window->HighlightRules().push_back({MakeHighlightAttributes(0, 0, 4), "Gordon*", true});
  window->HighlightRules().push_back({MakeHighlightAttributes(0, 0, 4), "Alyx", false});
  ASSERT_TRUE(Connect());
  SendCommand(window.hwnd(), ID_FILE_GO_TO_TRAY);
  ASSERT_TRUE(window->Monitor().IsTimerSet(TimerId::Players)) << "a notifying rule reads players";
  Wait(2500);  // the first lists: what is there already is no join
  Join("Alyx");
  Wait(2500);
  EXPECT_TRUE(balloons.empty()) << "a name no notifying rule matches";

  Join("Gordon");
  ASSERT_TRUE(PumpUntil([&] { return !balloons.empty(); }, 6000));
  const DWORD first = GetTickCount();
  EXPECT_TRUE(balloons[0].accepted);
  EXPECT_EQ(balloons[0].text, "Gordon joined " + demo::DemoConfig().map);
  EXPECT_EQ(balloons[0].title, demo::DemoConfig().host_name);
  EXPECT_TRUE(PumpUntil(ShellShowsBalloon)) << "Wine's tray shows it";

  Join("Gordon Jr");
  server->SetMaxPlayers(6);  // full: six players
  Wait(2500);
  Join("Gordon Sr");
  Wait(2500);
  server->SetMaxPlayers(16);
  ASSERT_TRUE(PumpUntil([&] { return balloons.size() > 1; }, 12000));
  EXPECT_GE(GetTickCount() - first, kBalloonIntervalMs - 100) << "one balloon in 10 s";
  EXPECT_EQ(balloons.size(), 2u);
  EXPECT_EQ(balloons[1].text, "Gordon Jr and 1 other joined " + demo::DemoConfig().map +
                                  "\nA slot is free (7/16)");

  // A click on it opens the window and, for the free slot, asks as autojoin does.
  boxes.Answer(IDNO);
  SendMessageA(window.hwnd(), TrayCallbackMessage(), 0, NIN_BALLOONUSERCLICK);
  PumpPending();
  EXPECT_TRUE(IsWindowVisible(window.hwnd()));
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].title, "Tarnwick PID " + std::to_string(GetCurrentProcessId()));
  EXPECT_FALSE(window->Monitor().IsTimerSet(TimerId::Players)) << "shown: the window's own plan";
}

// With "connection lost" notified, a server that stops while the window is in the tray is told in
// a balloon and not in a box, and the window keeps asking until it answers again.
TEST_F(BalloonOnWine, AServerThatStopsIsToldLostAndBackWithoutABox) {
  window->CurrentSettings().notifyConnection = true;
  window->CurrentSettings().pingIntervalTray = 1;
  window->CurrentSettings().detailsIntervalTray = 1;
  ASSERT_TRUE(Connect());
  SendCommand(window.hwnd(), ID_FILE_GO_TO_TRAY);
  Wait(1500);
  demo::DemoConfig config;
  config.port = server->Port();
  server->Stop();
  ASSERT_TRUE(PumpUntil([&] { return !balloons.empty(); }, 5000));
  EXPECT_EQ(balloons[0].text, "Connection lost");
  EXPECT_FALSE(window->Monitor().IsAnswering());

  server = std::make_unique<demo::DemoServer>(config);
  ASSERT_TRUE(server->Start());
  ASSERT_TRUE(PumpUntil([&] { return balloons.size() > 1; }, 15000));
  EXPECT_EQ(balloons[1].text, "Server is back");
  EXPECT_TRUE(window->Monitor().IsConnected());
  EXPECT_TRUE(boxes.Boxes().empty());
}

// Sent by the system when the window moves to a screen of another DPI; the test pretends one.
int FontHeight(HWND control) {
  LOGFONTW font = {};
  GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
  return std::abs(font.lfHeight);
}

int AddressBandHeight(FrameBars& bars) {
  REBARBANDINFOA band = {};
  band.cbSize = sizeof(band);
  band.fMask = RBBIM_CHILDSIZE;
  SendMessageA(bars.Rebar(), RB_GETBANDINFOA,
               static_cast<WPARAM>(SendMessageA(bars.Rebar(), RB_IDTOINDEX, IDC_ADDRESS_BOX, 0)),
               reinterpret_cast<LPARAM>(&band));
  return static_cast<int>(band.cyMinChild);
}

TEST(WindowDpi, AMoveToADoubleDpiScreenDoublesThePicturesAndFontsAndKeepsTheStoredWidths) {
  WindowUnderTest window;
  const std::array<int32_t, 4> stored = window->Players().ColumnWidths();
  HWND list = window->Players().hwnd();
  // Every text of the window: list, address box, status bar and the highlight styles.
  const auto fonts = [&] {
    LOGFONTW bold = {};
    GetObjectW(window->Fonts().Get(1), sizeof(bold), &bold);
    return std::array<int, 4>{FontHeight(list), FontHeight(window->Bars().AddressBox()),
                              FontHeight(window->Status().hwnd()),
                              static_cast<int>(std::abs(bold.lfHeight))};
  };
  const std::array<int, 4> first = fonts();
  const int addressBand = AddressBandHeight(window->Bars());
  RECT suggested = {20, 30, 820, 630};
  constexpr UINT kDpiChanged = 0x02E0;
  SendMessageA(window.hwnd(), kDpiChanged, MAKEWPARAM(192, 192),
               reinterpret_cast<LPARAM>(&suggested));

  const auto iconSize = [](LRESULT imageList) {
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(imageList), &width, &height);
    return std::pair(width, height);
  };
  EXPECT_EQ(iconSize(SendMessageA(window->Bars().Toolbar(), TB_GETIMAGELIST, 0, 0)),
            std::pair(32, 30));
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  EXPECT_EQ(iconSize(SendMessageA(header, HDM_GETIMAGELIST, 0, 0)), std::pair(16, 14));
  EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0), 2 * stored[1]);
  EXPECT_EQ(window->Players().ColumnWidths(), stored);
  WindowSettings saved;
  TakeFromWindows({nullptr, nullptr, nullptr, list, window->Players().Dpi()}, saved);
  EXPECT_EQ(saved.settings.listWidths, stored) << "saved as at 96 DPI";
  RECT placed = {};
  GetWindowRect(window.hwnd(), &placed);
  EXPECT_TRUE(EqualRect(&placed, &suggested));
  const std::array<int, 4> doubled = fonts();
  for (size_t i = 0; i < first.size(); ++i) EXPECT_NEAR(doubled[i], 2 * first[i], 1) << i;
  EXPECT_GT(AddressBandHeight(window->Bars()), addressBand) << "the band grows with its box";

  // Back on the first screen the fonts are the first sizes again, with no drift.
  RECT back = {20, 30, 420, 330};
  SendMessageA(window.hwnd(), kDpiChanged, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&back));
  EXPECT_EQ(fonts(), first);
  EXPECT_EQ(AddressBandHeight(window->Bars()), addressBand);
}

}  // namespace
}  // namespace tarnwick
