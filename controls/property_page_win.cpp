#include "controls/property_page_win.h"

#include <string>

#include "common/string_resource_win.h"
#include "common/wide_text_win.h"
#include "controls/link_static_win.h"

namespace tarnwick {

PROPSHEETPAGEW PageFor(DialogBase& page, HINSTANCE instance, int templateId) {
  PROPSHEETPAGEW sheetPage = {};
  sheetPage.dwSize = sizeof(sheetPage);
  sheetPage.dwFlags = PSP_DEFAULT;
  sheetPage.hInstance = instance;
  sheetPage.pszTemplate = MAKEINTRESOURCEW(templateId);
  sheetPage.pfnDlgProc = &DialogBase::PageProc;
  sheetPage.lParam = reinterpret_cast<LPARAM>(&page);
  return sheetPage;
}

INT_PTR RunPropertySheet(HWND owner, const std::string& caption, const std::vector<SheetPage>& pages,
                         UINT startPage) {
  const HINSTANCE instance = ResourceModule();
  std::vector<PROPSHEETPAGEW> sheetPages;
  for (const SheetPage& page : pages) sheetPages.push_back(PageFor(*page.page, instance, page.templateId));
  PROPSHEETHEADERW header = {};
  header.dwSize = sizeof(header);
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP;
  header.hwndParent = owner;
  header.hInstance = instance;
  const std::wstring wideCaption = Widen(caption);
  header.pszCaption = wideCaption.c_str();
  header.nPages = static_cast<UINT>(sheetPages.size());
  header.nStartPage = startPage;
  header.ppsp = sheetPages.data();
  return PropertySheetW(&header);
}

void PropertyPage::SetItemText(int id, const std::string& text) const {
  SetDialogItemTextUtf8(hwnd(), id, text);
}

INT_PTR PropertyPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR result = 0;
  if (LinkStatic::ReflectColour(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_INITDIALOG:
      OnInit();
      return TRUE;
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_NOTIFY: {
      NMHDR& header = *reinterpret_cast<NMHDR*>(lParam);
      switch (header.code) {
        case PSN_SETACTIVE:
          OnSetActive();
          SetResult(0);
          return TRUE;
        case PSN_KILLACTIVE:
          SetResult(OnKillActive() ? FALSE : TRUE);
          return TRUE;
        case PSN_APPLY:
          OnApply();
          SetResult(PSNRET_NOERROR);
          return TRUE;
        default: {
          LRESULT notifyResult = 0;
          if (!OnNotify(header, notifyResult)) return FALSE;
          SetResult(notifyResult);
          return TRUE;
        }
      }
    }
    case WM_DESTROY:
      OnDestroy();
      return FALSE;
    default:
      return OnOtherMessage(message, wParam, lParam, result) ? result : FALSE;
  }
}

}  // namespace tarnwick
