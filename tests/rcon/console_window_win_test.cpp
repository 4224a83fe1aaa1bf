// The remote console as a window: showing and hiding, its controls, its output, saving the log,
// the placement in the settings, the resizing rules and the background.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "rcon/console_log_file_win.h"
#include "rcon/console_output.h"
#include "tests/rcon/console_fixture_win.h"
#include "tests/support/modal_driver_win.h"

namespace tarnwick {
namespace {

using namespace testing;

class ConsoleWindow : public ConsoleTest {};

TEST_F(ConsoleWindow, CreatedHiddenCollectsTextKeepsItWhenEscHidesItAndSavesIt) {
  const HWND console = Console().hwnd();
  ASSERT_NE(console, nullptr);
  EXPECT_EQ(GetWindow(console, GW_OWNER), window.hwnd());
  Connect();
  Console().AppendConsoleText("first line\n");
  Console().AppendConsoleText("second ");
  Console().AppendConsoleText("line\n");
  EXPECT_FALSE(IsWindowVisible(Console().hwnd()));
  EXPECT_EQ(Output(), "first line\r\nsecond line\r\n");
  EXPECT_FALSE(SendMessageA(Console().OutputBox(), EM_CANUNDO, 0, 0));

  // Esc hides it, also in the output, a multi-line edit that takes the key itself.
  for (const HWND control : {Item(IDC_RCON_PASSWORD), Console().OutputBox()}) {
    SendCommand(window.hwnd(), ID_TOOLS_REMOTE_CONSOLE);
    ASSERT_TRUE(IsWindowVisible(console));
    EXPECT_FALSE(IsZoomed(console));
    PostMessageA(control, WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageA(control, WM_KEYUP, VK_ESCAPE, 0xC0000001);
    PumpPending();
    EXPECT_FALSE(IsWindowVisible(Console().hwnd())) << control;
  }
  SendCommand(window.hwnd(), ID_TOOLS_REMOTE_CONSOLE);
  EXPECT_EQ(Output(), "first line\r\nsecond line\r\n");

  // Log lines as the server wrote them: UTF-8 kept, an old server's Latin-1 read as such.
  Console().ReceivePrint("\xDC" "ber\n", true);
  Console().ReceivePrint("\xD1\x81\xD0\xB4 \xE2\x99\xA5 \xF0\x9F\x98\x80\n", true);
  EXPECT_EQ(Output(), "first line\r\nsecond line\r\n\u00DCber\r\n\u0441\u0434 \u2665 \U0001F600\r\n");
  EXPECT_EQ(HIWORD(SendMessageW(Console().OutputBox(), EM_GETSEL, 0, 0)),
            GetWindowTextLengthW(Console().OutputBox()))
      << "the caret follows the text";

  // "Save log as..." writes the text shown, over an older and longer file.
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  const std::string path =
      folder + std::string("tarnwick-console-") + std::to_string(GetCurrentProcessId()) + ".log";
  std::ofstream(path, std::ios::binary) << std::string(200, '-');
  // Answers the dialog with `answer`; an empty one cancels.
  const auto save = [&](const std::string& answer) {
    SetSaveFileDialog([&](OPENFILENAMEW& request) {
      lstrcpynW(request.lpstrFile, Widen(answer).c_str(), static_cast<int>(request.nMaxFile));
      return !answer.empty();
    });
    SendMessageA(Console().hwnd(), WM_COMMAND, ID_RCON_SAVE_LOG, 0);
    SetSaveFileDialog(nullptr);
  };
  const auto read = [&] {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  save(path);
  const std::string saved = Output();
  EXPECT_EQ(read(), saved);
  Console().AppendConsoleText("not saved\n");
  save("");
  EXPECT_EQ(read(), saved) << "a cancelled save writes nothing";
  save(path + "-no-such-folder\\x.log");
  EXPECT_TRUE(boxes_.Boxes().empty()) << "a file that cannot be created is skipped silently";
  DeleteFileA(path.c_str());

  // A log stream runs for days: beyond a megabyte the oldest lines go. (That the box shows the
  // kept text, which the save writes, is the rcon fuzzer's invariant.)
  std::string lines;
  for (int i = 0; lines.size() <= kConsoleOutputLimit; ++i) {
    lines += "L log line " + std::to_string(i) + "\n";
  }
  Console().AppendConsoleText(lines);
  Console().AppendConsoleText("the newest line\n");
  const std::string output = Output();
  EXPECT_LE(output.size(), kConsoleOutputLimit);
  EXPECT_GT(output.size(), kConsoleOutputLimit / 2);
  EXPECT_EQ(output.rfind("L log line ", 0), 0u) << "whole lines go";
  EXPECT_EQ(output.substr(output.size() - 17), "the newest line\r\n");
}

TEST_F(ConsoleWindow, ControlsFollowTheWindowsSizeAndErasingSkipsThem) {
  const HWND console = Console().hwnd();
  const auto place = [&](int id) { return RectInParent(GetDlgItem(console, id)); };
  const RECT frame = ScreenRect(console);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  MINMAXINFO limits = {};
  SendMessageA(console, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(limits.ptMinTrackSize.x, width) << "the initial size is the least";
  EXPECT_EQ(limits.ptMinTrackSize.y, height);

  constexpr int dx = 121;
  constexpr int dy = 80;
  const struct {
    int id;
    RECT change;
  } cases[] = {
      // One control of each rule of the console's layout table.
      {IDC_RCON_COMMAND, {0, 0, dx, 0}},    {IDOK, {dx, 0, dx, 0}},
      {IDC_RCON_OUTPUT, {0, 0, dx, dy}},    {IDC_RCON_GRIP, {dx, dy, dx, dy}},
      {IDCANCEL, {dx / 2, dy, dx / 2, dy}}, {-1, {0, 0, 0, 0}},  // a label stays
  };
  std::vector<RECT> before;
  for (const auto& c : cases) before.push_back(place(c.id));
  const auto resize = [&](int w, int h) {
    SetWindowPos(console, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  };
  resize(width + dx, height + dy);
  for (size_t i = 0; i < std::size(cases); ++i) {
    const RECT after = place(cases[i].id);
    const RECT moved{after.left - before[i].left, after.top - before[i].top,
                     after.right - before[i].right, after.bottom - before[i].bottom};
    EXPECT_TRUE(EqualRect(&moved, &cases[i].change)) << cases[i].id;
  }
  resize(width, height);
  for (size_t i = 0; i < std::size(cases); ++i) {
    const RECT back = place(cases[i].id);
    EXPECT_TRUE(EqualRect(&back, &before[i])) << "no rounding builds up: " << cases[i].id;
  }

  // Erasing skips the controls but not the group boxes.
  SendCommand(window.hwnd(), ID_TOOLS_REMOTE_CONSOLE);
  PumpPending();
  const RECT output = place(IDC_RCON_OUTPUT);
  const RECT group = place(IDC_RCON_OUTPUT_GROUP);
  const POINT insideControl{(output.left + output.right) / 2, (output.top + output.bottom) / 2};
  const POINT insideGroup{(group.left + output.left) / 2, (output.top + output.bottom) / 2};
  const POINT outside{(group.left + group.right) / 2, (group.bottom + place(IDCANCEL).top) / 2};
  constexpr COLORREF kMarker = RGB(255, 0, 255);
  HDC dc = GetDC(console);
  RECT client = {};
  GetClientRect(console, &client);
  HBRUSH marker = CreateSolidBrush(kMarker);
  FillRect(dc, &client, marker);
  DeleteObject(marker);
  SendMessageA(console, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  EXPECT_EQ(GetPixel(dc, insideControl.x, insideControl.y), kMarker) << "left to the control";
  EXPECT_EQ(GetPixel(dc, insideGroup.x, insideGroup.y), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(GetPixel(dc, outside.x, outside.y), GetSysColor(COLOR_BTNFACE));
  ReleaseDC(console, dc);

  ShowWindow(console, SW_MAXIMIZE);
  EXPECT_FALSE(IsWindowVisible(Item(IDC_RCON_GRIP))) << "no size grip while maximized";
  ShowWindow(console, SW_RESTORE);
  EXPECT_TRUE(IsWindowVisible(Item(IDC_RCON_GRIP)));
}

int consoleShows = 0;

LRESULT CALLBACK CountConsoleShows(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code >= 0 && call->message == WM_SHOWWINDOW && call->wParam != FALSE) {
    char title[32] = {};
    GetWindowTextA(call->hwnd, title, sizeof(title));
    consoleShows += std::string(title) == "Remote console";
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A window of its own: one opened with "-new", as the fixture's, keeps no settings.
TEST_F(ConsoleWindow, StoredPlaceIsTakenWithoutShowingTheConsole) {
  {
    MainWindow first(GetModuleHandleA(nullptr), false, &window.Registry().store());
    ASSERT_TRUE(first.Create());
    first.Console().Show();
    SetWindowPos(first.Console().hwnd(), nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageA(first.hwnd(), WM_CLOSE, 0, 0);
  }
  PumpPending();
  consoleShows = 0;
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, &CountConsoleShows, nullptr, GetCurrentThreadId());
  {
    MainWindow second(GetModuleHandleA(nullptr), false, &window.Registry().store());
    ASSERT_TRUE(second.Create());
    EXPECT_EQ(consoleShows, 0) << "not even for a moment";
    EXPECT_FALSE(IsWindowVisible(second.Console().hwnd()));
    second.Console().Show();
    RECT place = {};
    GetWindowRect(second.Console().hwnd(), &place);
    EXPECT_EQ(place.left, 123);
    EXPECT_EQ(place.top, 77);
    DestroyWindow(second.hwnd());
  }
  UnhookWindowsHookEx(hook);
  PumpPending();
}

}  // namespace
}  // namespace tarnwick
