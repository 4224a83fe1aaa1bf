#include "shell/about_box_win.h"

#include <array>
#include <vector>

#include "common/string_resource_win.h"
#include "common/unique_handle_win.h"
#include "common/wide_text_win.h"
#include "common/window_dpi_win.h"
#include "common/window_base_win.h"
#include "resources/resource.h"
#include "controls/link_static_win.h"

namespace tarnwick {
namespace {

constexpr wchar_t kStringTable[] = L"\\StringFileInfo\\040904B0\\";
constexpr int kCreditCount = IDC_ABOUT_CREDIT_LAST - IDC_ABOUT_CREDIT_FIRST + 1;

// Through the W calls: the program may sit in a folder named in any script.
std::wstring ProgramPath() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring();
}

// The version information of a file; empty when it has none.
std::vector<char> ReadVersionInfo(const std::wstring& path) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
  if (size == 0) return {};
  std::vector<char> info(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, info.data())) return {};
  return info;
}

std::string QueryValue(std::vector<char>& info, const wchar_t* name) {
  const std::wstring query = std::wstring(kStringTable) + name;
  wchar_t* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) ||
      value == nullptr || length == 0) {
    return std::string();
  }
  // The length counts the terminator, when the value has one.
  std::wstring text(value, length);
  const size_t end = text.find(L'\0');
  return Narrow(end == std::wstring::npos ? text : text.substr(0, end));
}

// Centres the box over its owner, or over the work area when it has none.
void CentreOverOwner(HWND box) {
  RECT area = {};
  HWND owner = GetWindow(box, GW_OWNER);
  if (owner == nullptr || !IsWindowVisible(owner) || !GetWindowRect(owner, &area)) {
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  }
  RECT own = {};
  GetWindowRect(box, &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  const int left = area.left + (area.right - area.left - width) / 2;
  const int top = area.top + (area.bottom - area.top - height) / 2;
  SetWindowPos(box, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

class AboutBox final : public DialogBase {
 protected:
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    INT_PTR colour = 0;
    if (LinkStatic::ReflectColour(message, wParam, lParam, colour)) return colour;
    switch (message) {
      case WM_INITDIALOG:
        OnInit();
        return TRUE;
      case kDpiChangedMessage:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return TRUE;
      case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
          EndDialog(hwnd(), LOWORD(wParam));
          return TRUE;
        }
        return FALSE;
      default:
        return FALSE;
    }
  }

 private:
  void OnInit() {
    author_.Attach(GetDlgItem(hwnd(), IDC_ABOUT_AUTHOR));
    ScaleBanner(WindowDpi(hwnd()));
    banner_.Attach(GetDlgItem(hwnd(), IDC_ABOUT_BANNER));
    SetDlgItemTextA(hwnd(), IDC_ABOUT_BANNER, LoadResourceString(IDS_MAKER_WEB_ADDRESS).c_str());
    for (int i = 0; i < kCreditCount; ++i) {
      credits_[static_cast<size_t>(i)].Attach(GetDlgItem(hwnd(), IDC_ABOUT_CREDIT_FIRST + i));
    }
    ShowVersion();
    CentreOverOwner(hwnd());
  }

  // The system has scaled the dialog for a screen of another DPI: the banner and the links follow.
  void OnDpiChanged(UINT dpi, const RECT& suggested) {
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ScaleBanner(dpi);
    author_.OnDpiChanged(dpi);
    banner_.OnDpiChanged(dpi);
    for (LinkStatic& credit : credits_) credit.OnDpiChanged(dpi);
  }

  // The dialog grows with the DPI; the banner is drawn at 96 DPI and grows with it.
  void ScaleBanner(UINT dpi) {
    if (dpi == kDesignDpi && !bannerPicture_) return;
    UniqueGdiObject banner(LoadBitmapForDpi(GetWindowInstance(hwnd()), IDB_ABOUT_BANNER, dpi));
    if (!banner) return;
    SendDlgItemMessageA(hwnd(), IDC_ABOUT_BANNER, STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(banner.Get()));
    bannerPicture_ = std::move(banner);
  }

  void ShowVersion() {
    std::vector<char> info = ReadVersionInfo(ProgramPath());
    if (info.empty()) return;
    SetDialogItemTextUtf8(hwnd(), IDC_ABOUT_BUILD, "Build: " + QueryValue(info, L"SpecialBuild"));
    SetDialogItemTextUtf8(hwnd(), IDC_ABOUT_VERSION,
                          QueryValue(info, L"ProductName") + " v" +
                              QueryValue(info, L"ProductVersion") + "\n" +
                              QueryValue(info, L"LegalCopyright"));
  }

  UniqueGdiObject bannerPicture_;
  LinkStatic author_;
  LinkStatic banner_;
  std::array<LinkStatic, kCreditCount> credits_;
};

}  // namespace

void ShowAbout(HINSTANCE instance) {
  AboutBox box;
  box.RunModal(instance, IDD_ABOUT, GetActiveWindow());
}

}  // namespace tarnwick
