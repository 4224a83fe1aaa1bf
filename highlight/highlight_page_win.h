// HighlightPage: the "Highlight" page of the Options sheet. It edits a copy of a window's highlight
// rules in a list view whose items are the working list (label = mask, item data = attributes),
// each drawn in its rule's colour and font. Whether a rule notifies has no room in the item (its
// data is the attributes word, and LPARAM holds only 32 bits on 32-bit Windows): a vector beside
// the items keeps it, in item order. When the page's dialog is destroyed the copy is rebuilt from
// the items in their order; Rules() is read after the sheet has closed.
#ifndef TARNWICK_HIGHLIGHT_HIGHLIGHT_PAGE_WIN_H
#define TARNWICK_HIGHLIGHT_HIGHLIGHT_PAGE_WIN_H

#include <vector>

#include "common/window_base_win.h"
#include "highlight/highlight_fonts_win.h"
#include "highlight/highlight_rules.h"

namespace tarnwick {

class HighlightPage final : public DialogBase {
 public:
  // `fonts` must outlive the page.
  HighlightPage(std::vector<HighlightRule> rules, const HighlightFonts& fonts);

  // The edited rules: the copy as made while the page was never shown, else as the list held
  // them when the page's dialog was destroyed.
  const std::vector<HighlightRule>& Rules() const { return rules_; }

 protected:
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnInit();
  bool OnCommand(int id);
  LRESULT OnListNotify(NMHDR& header);
  LRESULT OnCustomDraw(NMLVCUSTOMDRAW& draw);
  void OnItemChanged(const NMLISTVIEW& change);
  void OnPriorityMoved();
  void OnDestroy();

  void Add();
  void Remove();
  void ChooseColour();
  void PressStyle(int button, uint32_t bit);
  void PressNotify();
  void EnableRuleControls(bool enable, uint32_t attributes, bool notify);
  void SelectItem(int index);

  HWND List() const;
  int Selected() const;
  uint32_t Attributes(int index) const;
  void SetAttributes(int index, uint32_t attributes);
  int AppendItem(const HighlightRule& rule);

  std::vector<HighlightRule> rules_;
  std::vector<bool> notify_;  // per list item, in item order
  const HighlightFonts& fonts_;
};

}  // namespace tarnwick

#endif
