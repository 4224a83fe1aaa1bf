// CommandStates: the enabled and checked flags of the commands whose state changes while a window
// runs. The window applies them to its menus when a menu opens and to its tool bar when its thread
// is idle; commands not listed here are always enabled.
#ifndef TARNWICK_SHELL_COMMAND_STATES_H
#define TARNWICK_SHELL_COMMAND_STATES_H

#include <array>

namespace tarnwick {

struct CommandState {
  int id;
  bool onToolbar;  // whether the tool bar shows this state too
  bool enabled;
  bool checked;
};

class CommandStates {
 public:
  CommandStates();

  // False for commands outside the table (which nothing needs to change).
  bool SetEnabled(int id, bool enabled);
  bool SetChecked(int id, bool checked);
  // Commands outside the table read as enabled and unchecked.
  bool IsEnabled(int id) const;
  bool IsChecked(int id) const;
  const CommandState* Find(int id) const;

  const std::array<CommandState, 11>& All() const { return states_; }

 private:
  CommandState* FindMutable(int id);
  std::array<CommandState, 11> states_;
};

}  // namespace tarnwick

#endif
