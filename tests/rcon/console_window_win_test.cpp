// The remote console as a window: showing and hiding, its controls, its output, saving the log,
// the history and the placement in the settings, the resizing rules and the background.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "rcon/console_log_file_win.h"
#include "settings/settings_store.h"
#include "shell/message_loop_win.h"
#include "tests/rcon/console_fixture_win.h"
#include "tests/support/registry_test_root_win.h"

namespace tarnwick {
namespace {

using testing::ConsoleTest;
using testing::PumpPending;
using testing::PumpUntil;
using testing::SendCommand;

class ConsoleWindow : public ConsoleTest {};

TEST_F(ConsoleWindow, CreatedHiddenAndShownByTheRemoteConsoleCommand) {
  const HWND console = Console().hwnd();
  ASSERT_NE(console, nullptr);
  EXPECT_FALSE(IsWindowVisible(console));
  char caption[64] = {};
  GetWindowTextA(console, caption, sizeof(caption));
  EXPECT_STREQ(caption, "Remote console");
  EXPECT_EQ(GetWindow(console, GW_OWNER), window.hwnd());
  const LONG style = GetWindowLongA(console, GWL_STYLE);
  for (DWORD bit : {DWORD{WS_POPUP}, DWORD{WS_CAPTION}, DWORD{WS_SYSMENU}, DWORD{WS_MAXIMIZEBOX},
                    DWORD{WS_THICKFRAME}})
    EXPECT_EQ(static_cast<DWORD>(style) & bit, bit);

  Connect();
  SendCommand(window.hwnd(), ID_TOOLS_REMOTE_CONSOLE);
  EXPECT_TRUE(IsWindowVisible(console));
  EXPECT_FALSE(IsZoomed(console));
}

TEST_F(ConsoleWindow, ControlsHaveTheirStyles) {
  struct Case {
    int id;
    const char* className;
    LONG style;
  } cases[] = {
      {IDC_RCON_PASSWORD, "Edit", ES_PASSWORD | ES_AUTOHSCROLL | WS_DISABLED},
      {IDC_RCON_SHOW_LOG, "Button", BS_AUTOCHECKBOX | WS_DISABLED},
      {IDC_RCON_COMMAND_GROUP, "Button", BS_GROUPBOX},
      {IDC_RCON_COMMAND, "ComboBox", CBS_DROPDOWN | CBS_SORT | CBS_AUTOHSCROLL | WS_DISABLED},
      {IDOK, "Button", BS_OWNERDRAW | BS_FLAT | WS_DISABLED},
      {IDC_RCON_OUTPUT_GROUP, "Button", BS_GROUPBOX},
      {IDC_RCON_OUTPUT, "Edit",
       ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL},
      {IDCANCEL, "Button", BS_PUSHBUTTON},
      {IDC_RCON_GRIP, "ScrollBar", SBS_SIZEGRIP},
  };
  for (const Case& c : cases) {
    const HWND control = Item(c.id);
    ASSERT_NE(control, nullptr) << c.id;
    char className[32] = {};
    GetClassNameA(control, className, sizeof(className));
    EXPECT_STREQ(className, c.className) << c.id;
    EXPECT_EQ(GetWindowLongA(control, GWL_STYLE) & c.style, c.style) << c.id;
  }
  EXPECT_EQ(GetWindowLongA(Item(IDOK), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_GE(static_cast<uint32_t>(SendMessageA(Console().OutputBox(), EM_GETLIMITTEXT, 0, 0)),
            0x7FFFFFFEu)
      << "the largest limit of an edit control";
  char text[32] = {};
  GetWindowTextA(Item(IDOK), text, sizeof(text));
  EXPECT_STREQ(text, "Send");
}

TEST_F(ConsoleWindow, OutputCollectsTextWhileHidden) {
  Console().AppendConsoleText("first line\n");
  Console().AppendConsoleText("second ");
  Console().AppendConsoleText("line\n");
  EXPECT_FALSE(IsWindowVisible(Console().hwnd()));
  EXPECT_EQ(Output(), "first line\r\nsecond line\r\n");
  DWORD start = 0;
  DWORD end = 0;
  SendMessageA(Console().OutputBox(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 25u) << "the caret follows the text";
  EXPECT_EQ(end, 25u);
  EXPECT_FALSE(SendMessageA(Console().OutputBox(), EM_CANUNDO, 0, 0));
}

TEST_F(ConsoleWindow, EscAndCloseHideAndShowingAgainKeepsTheOutput) {
  Connect();
  Console().AppendConsoleText("kept\n");
  const auto pressEscapeIn = [&](HWND control) {
    PostMessageA(control, WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageA(control, WM_KEYUP, VK_ESCAPE, 0xC0000001);
    PumpPending();
  };
  struct Case {
    const char* what;
    std::function<void()> hide;
  } cases[] = {
      {"Esc in the password box", [&] { pressEscapeIn(Item(IDC_RCON_PASSWORD)); }},
      {"Esc in the output", [&] { pressEscapeIn(Console().OutputBox()); }},
      {"Close", [&] { SendMessageA(Item(IDCANCEL), BM_CLICK, 0, 0); }},
      {"the close box",
       [&] {
         SendMessageA(Console().hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
         PumpPending();
       }},
  };
  for (const Case& c : cases) {
    SendCommand(window.hwnd(), ID_TOOLS_REMOTE_CONSOLE);
    ASSERT_TRUE(IsWindowVisible(Console().hwnd())) << c.what;
    c.hide();
    EXPECT_FALSE(IsWindowVisible(Console().hwnd())) << c.what;
    EXPECT_NE(Console().hwnd(), nullptr) << c.what;
  }
  SendCommand(window.hwnd(), ID_TOOLS_REMOTE_CONSOLE);
  EXPECT_EQ(Output(), "kept\r\n");
}

TEST_F(ConsoleWindow, EnterSends) {
  Connect();
  SetPassword("demo");
  SetCommand("echo by enter");
  SendCommand(window.hwnd(), ID_TOOLS_REMOTE_CONSOLE);
  COMBOBOXINFO info = {};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(Console().CommandBox(), &info));
  SetFocus(info.hwndItem);
  PostMessageA(info.hwndItem, WM_KEYDOWN, VK_RETURN, 1);
  PumpPending();
  EXPECT_TRUE(WaitForOutput("by enter\r\n"));
}

// Stands in for the save-file dialog: checks the request and answers with a path (or cancels).
class SaveDialogForTest {
 public:
  explicit SaveDialogForTest(std::string path) : path_(std::move(path)) {
    SetSaveFileDialog([this](OPENFILENAMEA& request) {
      ++calls;
      owner = request.hwndOwner;
      flags = request.Flags;
      defaultName = request.lpstrFile;
      extension = request.lpstrDefExt != nullptr ? request.lpstrDefExt : "";
      const char* filterEnd = request.lpstrFilter;
      while (*filterEnd != '\0' || *(filterEnd + 1) != '\0') ++filterEnd;
      filter.assign(request.lpstrFilter, filterEnd + 2);
      if (path_.empty() || path_.size() >= request.nMaxFile) return false;
      std::copy(path_.begin(), path_.end(), request.lpstrFile);
      request.lpstrFile[path_.size()] = '\0';
      return true;
    });
  }
  ~SaveDialogForTest() { SetSaveFileDialog(nullptr); }

  int calls = 0;
  HWND owner = nullptr;
  DWORD flags = 0;
  std::string defaultName;
  std::string extension;
  std::string filter;

 private:
  std::string path_;
};

// A folder of its own under the temporary folder, removed with what the test wrote into it.
class TempFolder {
 public:
  TempFolder() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    path_ = std::string(base) + "tarnwick-console-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(GetTickCount());
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~TempFolder() {
    for (const std::string& file : files_) DeleteFileA(file.c_str());
    RemoveDirectoryA(path_.c_str());
  }
  std::string File(const std::string& name) {
    files_.push_back(path_ + "\\" + name);
    return files_.back();
  }

 private:
  std::string path_;
  std::vector<std::string> files_;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST_F(ConsoleWindow, SaveWritesTheOutputWithCrLf) {
  TempFolder folder;
  const std::string path = folder.File("saved.log");
  {
    std::ofstream old(path, std::ios::binary);
    old << "an older and much longer file that the save replaces completely\r\n";
  }
  Console().AppendConsoleText("L 12/06/2026 - 10:00:00: first\n");
  Console().AppendConsoleText("second\n");
  SaveDialogForTest dialog(path);
  SendMessageA(Console().hwnd(), WM_COMMAND, ID_RCON_SAVE_LOG, 0);
  EXPECT_EQ(dialog.calls, 1);
  EXPECT_EQ(ReadFile(path), "L 12/06/2026 - 10:00:00: first\r\nsecond\r\n");
  EXPECT_EQ(dialog.owner, Console().hwnd());
  EXPECT_EQ(dialog.defaultName, "Tarnwick.log");
  EXPECT_EQ(dialog.extension, "log");
  constexpr char kFilter[] = "Log files (.log;.txt)\0*.log;*.txt\0All files (*.*)\0*.*\0";
  EXPECT_EQ(dialog.filter, std::string(kFilter, sizeof(kFilter)));
  const DWORD wanted = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOREADONLYRETURN;
  EXPECT_EQ(dialog.flags & wanted, wanted);
}

TEST_F(ConsoleWindow, SaveOfAnEmptyOutputAndCancelledSaves) {
  TempFolder folder;
  const std::string empty = folder.File("empty.log");
  {
    SaveDialogForTest dialog(empty);
    SendMessageA(Console().hwnd(), WM_COMMAND, ID_RCON_SAVE_LOG, 0);
  }
  EXPECT_NE(GetFileAttributesA(empty.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(ReadFile(empty), "");

  Console().AppendConsoleText("not saved\n");
  SaveDialogForTest cancelled("");
  SendMessageA(Console().hwnd(), WM_COMMAND, ID_RCON_SAVE_LOG, 0);
  EXPECT_EQ(cancelled.calls, 1);
  EXPECT_EQ(ReadFile(empty), "");
  EXPECT_TRUE(boxes_.Boxes().empty());

  SaveDialogForTest nowhere(folder.File("missing-folder\\x.log"));
  SendMessageA(Console().hwnd(), WM_COMMAND, ID_RCON_SAVE_LOG, 0);
  EXPECT_TRUE(boxes_.Boxes().empty()) << "a file that cannot be created is skipped silently";
}

TEST_F(ConsoleWindow, ClearLogEmptiesTheOutput) {
  Console().AppendConsoleText("gone\n");
  SendMessageA(Console().hwnd(), WM_COMMAND, ID_RCON_CLEAR_LOG, 0);
  EXPECT_EQ(Output(), "");
}

std::unique_ptr<Key> SettingsKey(testing::WindowUnderTest& window) {
  return window.Registry()
      .store()
      .Root(RootKey::kCurrentUser)
      .OpenSubkey(kSettingsKeyPath, KeyAccess::kRead);
}

TEST_F(ConsoleWindow, ClosingTheWindowStoresTheHistory) {
  Connect();
  SetPassword("demo");
  Send("status");
  Send("echo one");
  window.Close();
  auto key = SettingsKey(window);
  ASSERT_NE(key, nullptr);
  KeyValue value;
  ASSERT_EQ(key->QueryValue("Rcon recent list", kAnySize, value), KeyStatus::kSuccess);
  const std::string stored(value.data.begin(), value.data.end());
  EXPECT_EQ(stored, std::string("echo one\0status\0\0", 17));
}

TEST_F(ConsoleWindow, ClearComboThenClosingRemovesTheStoredHistory) {
  Connect();
  SetPassword("demo");
  Send("status");
  SendMessageA(Console().hwnd(), WM_COMMAND, ID_RCON_CLEAR_COMBO, 0);
  EXPECT_TRUE(History().empty());
  EXPECT_EQ(ComboEditText(Console().CommandBox()), "");
  window.Close();
  auto key = SettingsKey(window);
  ASSERT_NE(key, nullptr);
  KeyValue value;
  EXPECT_EQ(key->QueryValue("Rcon recent list", kAnySize, value), KeyStatus::kNotFound);
}

RECT ControlRect(HWND dialog, int id) {
  RECT rect = {};
  GetWindowRect(GetDlgItem(dialog, id), &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

TEST_F(ConsoleWindow, ControlsFollowTheWindowsSize) {
  const HWND console = Console().hwnd();
  RECT window0 = {};
  GetWindowRect(console, &window0);
  MINMAXINFO limits = {};
  SendMessageA(console, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(limits.ptMinTrackSize.x, window0.right - window0.left)
      << "the initial size is the least";
  EXPECT_EQ(limits.ptMinTrackSize.y, window0.bottom - window0.top);

  const int ids[] = {
      IDC_RCON_PASSWORD,     IDC_RCON_SHOW_LOG, IDC_RCON_COMMAND_GROUP, IDC_RCON_COMMAND, IDOK,
      IDC_RCON_OUTPUT_GROUP, IDC_RCON_OUTPUT,   IDC_RCON_GRIP,          IDCANCEL};
  std::vector<RECT> before;
  for (int id : ids) before.push_back(ControlRect(console, id));
  const RECT label = ControlRect(console, -1);
  constexpr int dx = 121;
  constexpr int dy = 80;
  SetWindowPos(console, nullptr, 0, 0, window0.right - window0.left + dx,
               window0.bottom - window0.top + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  struct Change {
    int left, top, right, bottom;
  } changes[] = {
      {0, 0, dx, 0},  {dx, 0, dx, 0},   {0, 0, dx, 0},
      {0, 0, dx, 0},  {dx, 0, dx, 0},   {0, 0, dx, dy},
      {0, 0, dx, dy}, {dx, dy, dx, dy}, {dx / 2, dy, dx / 2, dy},
  };
  for (size_t i = 0; i < std::size(ids); ++i) {
    const RECT after = ControlRect(console, ids[i]);
    EXPECT_EQ(after.left - before[i].left, changes[i].left) << ids[i];
    EXPECT_EQ(after.top - before[i].top, changes[i].top) << ids[i];
    EXPECT_EQ(after.right - before[i].right, changes[i].right) << ids[i];
    EXPECT_EQ(after.bottom - before[i].bottom, changes[i].bottom) << ids[i];
  }
  const RECT labelAfter = ControlRect(console, -1);
  EXPECT_EQ(labelAfter.left, label.left);
  EXPECT_EQ(labelAfter.right, label.right);

  SetWindowPos(console, nullptr, 0, 0, window0.right - window0.left, window0.bottom - window0.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (size_t i = 0; i < std::size(ids); ++i) {
    const RECT back = ControlRect(console, ids[i]);
    EXPECT_EQ(back.left, before[i].left) << ids[i];
    EXPECT_EQ(back.right, before[i].right) << ids[i];
    EXPECT_EQ(back.bottom, before[i].bottom) << ids[i];
  }
}

TEST_F(ConsoleWindow, ErasingSkipsTheControlsButNotTheGroupBoxes) {
  SendCommand(window.hwnd(), ID_TOOLS_REMOTE_CONSOLE);
  PumpPending();
  const HWND console = Console().hwnd();
  const RECT output = ControlRect(console, IDC_RCON_OUTPUT);
  const RECT group = ControlRect(console, IDC_RCON_OUTPUT_GROUP);
  const POINT insideControl{(output.left + output.right) / 2, (output.top + output.bottom) / 2};
  const POINT insideGroup{(group.left + output.left) / 2, (output.top + output.bottom) / 2};
  const POINT outside{(group.left + group.right) / 2,
                      (group.bottom + ControlRect(console, IDCANCEL).top) / 2};
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

TEST(ConsolePlacement, StoredPlaceIsTakenWithoutShowingTheConsole) {
  testing::HostAddressesForTest hosts({testing::kLoopbackHost});
  testing::BoxRecorder boxes;
  RegistryTestRoot registry;
  MessageLoop loop;
  {
    MainWindow first(GetModuleHandleA(nullptr), false, &registry.store());
    ASSERT_TRUE(first.Create());
    first.Console().Show();
    SetWindowPos(first.Console().hwnd(), nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageA(first.hwnd(), WM_CLOSE, 0, 0);
  }
  PumpPending();
  consoleShows = 0;
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, &CountConsoleShows, nullptr, GetCurrentThreadId());
  {
    MainWindow second(GetModuleHandleA(nullptr), false, &registry.store());
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
