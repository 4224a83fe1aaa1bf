// PropertyPage: one page of a property sheet. The page object outlives its window: the sheet
// creates the window when the page is first shown and destroys it when the sheet closes, so
// Exists() tells whether anything can be shown now. The sheet's notifications arrive as virtual
// calls; link controls on the page get their colours through LinkStatic::ReflectColour.
// A page and its sheet live on the thread that runs the sheet.
#ifndef TARNWICK_CONTROLS_PROPERTY_PAGE_WIN_H
#define TARNWICK_CONTROLS_PROPERTY_PAGE_WIN_H

#include <string>
#include <vector>

#include "common/win32.h"
#include "common/window_base_win.h"

namespace tarnwick {

// The PROPSHEETPAGE of a dialog object whose template is `templateId`: DialogBase::PageProc with
// the object as its lParam.
PROPSHEETPAGEW PageFor(DialogBase& page, HINSTANCE instance, int templateId);

// One page of a sheet to run: its object and its dialog template.
struct SheetPage {
  DialogBase* page;
  int templateId;
};

// Runs a modal property sheet without an Apply button, owned by `owner`, with the pages in order
// and `startPage` shown first; returns what PropertySheetW returns (OK 1, Cancel 0).
INT_PTR RunPropertySheet(HWND owner, const std::string& caption, const std::vector<SheetPage>& pages,
                         UINT startPage);

class PropertyPage : public DialogBase {
 public:
  bool Exists() const { return hwnd() != nullptr; }

 protected:
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  virtual void OnInit() {}
  // The page became the active page.
  virtual void OnSetActive() {}
  // The page stops being the active page (also when OK is pressed on it); false keeps the user on
  // the page.
  virtual bool OnKillActive() { return true; }
  // OK was pressed; reaches every page that has a window.
  virtual void OnApply() {}
  virtual bool OnCommand(int /*id*/, int /*code*/) { return false; }
  // Other notifications of the page's controls; true when handled, with the result to report.
  virtual bool OnNotify(NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
  // Any other message; true when handled, with what the dialog procedure returns.
  virtual bool OnOtherMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                              INT_PTR& /*result*/) {
    return false;
  }
  virtual void OnDestroy() {}

  HWND Item(int id) const { return GetDlgItem(hwnd(), id); }
  void SetItemText(int id, const std::string& text) const;
};

}  // namespace tarnwick

#endif
