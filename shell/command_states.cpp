#include "shell/command_states.h"

#include "resources/resource.h"

namespace tarnwick {

// The menu resource's initial states: the creation sequence then sets the checks from the settings.
CommandStates::CommandStates()
    : states_{{
          {ID_VIEW_TOOLBAR, false, true, true},
          {ID_VIEW_STATUS_BAR, false, true, true},
          {ID_VIEW_PING_STATISTICS, false, false, false},
          {ID_VIEW_REFRESH, true, false, false},
          {ID_VIEW_SERVER_INFO, true, false, false},
          {ID_TOOLS_AUTO_UPDATE, false, true, true},
          {ID_TOOLS_MINIMIZE_TO_TRAY, true, true, true},
          {ID_FILE_JOIN, true, true, false},
          {ID_FILE_AUTO_JOIN, true, true, true},
          {ID_FILE_DISCONNECT, true, true, false},
          {ID_TOOLS_REMOTE_CONSOLE, true, true, false},
      }} {}

CommandState* CommandStates::FindMutable(int id) {
  for (CommandState& state : states_) {
    if (state.id == id) return &state;
  }
  return nullptr;
}

const CommandState* CommandStates::Find(int id) const {
  for (const CommandState& state : states_) {
    if (state.id == id) return &state;
  }
  return nullptr;
}

bool CommandStates::SetEnabled(int id, bool enabled) {
  CommandState* state = FindMutable(id);
  if (state == nullptr) return false;
  state->enabled = enabled;
  return true;
}

bool CommandStates::SetChecked(int id, bool checked) {
  CommandState* state = FindMutable(id);
  if (state == nullptr) return false;
  state->checked = checked;
  return true;
}

bool CommandStates::IsEnabled(int id) const {
  const CommandState* state = Find(id);
  return state == nullptr || state->enabled;
}

bool CommandStates::IsChecked(int id) const {
  const CommandState* state = Find(id);
  return state != nullptr && state->checked;
}

}  // namespace tarnwick
