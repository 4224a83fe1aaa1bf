#include "dialogs/option_values.h"

#include "common/ansi_text.h"
#include "common/utf8_text.h"

namespace tarnwick {
namespace {

int32_t Flag(bool on) { return on ? 1 : 0; }
int32_t Number(uint32_t value) { return static_cast<int32_t>(value); }
uint32_t Unsigned(int32_t value) { return static_cast<uint32_t>(value); }

}  // namespace

OptionValues OptionValuesFrom(const Settings& settings) {
  OptionValues values;
  values.general.minimizeToTray = Flag(settings.minimizeToTray);
  values.general.startWithLogon = Flag(settings.startWithLogon);
  values.general.serverList = Flag(settings.serverList);
  values.general.serverListHeight = Number(settings.serverListHeight);
  values.general.priority = Number(settings.gamePriority);
  values.general.location = settings.gameClientPath;
  values.refresh.autoUpdate = Flag(settings.autoUpdate);
  values.refresh.pingInterval = Number(settings.pingInterval);
  values.refresh.detailsInterval = Number(settings.detailsInterval);
  values.refresh.playersInterval = Number(settings.playersInterval);
  values.tray.autoUpdateTray = Flag(settings.autoUpdateTray);
  values.tray.pingIntervalTray = Number(settings.pingIntervalTray);
  values.tray.detailsIntervalTray = Number(settings.detailsIntervalTray);
  values.tray.iconSet = Number(settings.iconSet);
  values.tray.flashInTray = Flag(settings.flashInTray);
  values.misc.autoDisconnect = Flag(settings.autoDisconnect);
  values.misc.confirmJoin = Flag(settings.confirmJoin);
  values.misc.playerListHighlight = Flag(settings.playerListHighlight);
  values.notify.players = Flag(settings.notifyPlayers);
  values.notify.freeSlot = Flag(settings.notifyFreeSlot);
  values.notify.connection = Flag(settings.notifyConnection);
  values.notify.mapChange = Flag(settings.notifyMapChange);
  values.notify.playersIntervalTray = Number(settings.playersIntervalTray);
  return values;
}

AppliedOptions ApplyOptionValues(const OptionValues& values, Settings& settings) {
  AppliedOptions applied;
  const GeneralPageValues& general = values.general;
  settings.startWithLogon = general.startWithLogon != 0;
  settings.gameClientPath =
      Utf16ToUtf8(Utf8ToUtf16(general.location).substr(0, kMaxGameClientPath));
  settings.gamePriority = Unsigned(general.priority);
  settings.minimizeToTray = general.minimizeToTray != 0;
  const bool serverList = general.serverList != 0;
  const uint32_t height = Unsigned(general.serverListHeight);
  if (serverList != settings.serverList || height != settings.serverListHeight) {
    settings.serverList = serverList;
    settings.serverListHeight = height;
    applied.addressBoxChanged = true;
  }
  settings.autoUpdate = values.refresh.autoUpdate != 0;
  settings.pingInterval = Unsigned(values.refresh.pingInterval);
  settings.detailsInterval = Unsigned(values.refresh.detailsInterval);
  settings.playersInterval = Unsigned(values.refresh.playersInterval);
  settings.autoUpdateTray = values.tray.autoUpdateTray != 0;
  settings.pingIntervalTray = Unsigned(values.tray.pingIntervalTray);
  settings.detailsIntervalTray = Unsigned(values.tray.detailsIntervalTray);
  settings.iconSet = Unsigned(values.tray.iconSet);
  settings.flashInTray = values.tray.flashInTray != 0;
  const bool highlight = values.misc.playerListHighlight != 0;
  if (highlight != settings.playerListHighlight) {
    settings.playerListHighlight = highlight;
    applied.highlightChanged = true;
  }
  settings.autoDisconnect = values.misc.autoDisconnect != 0;
  settings.confirmJoin = values.misc.confirmJoin != 0;
  settings.notifyPlayers = values.notify.players != 0;
  settings.notifyFreeSlot = values.notify.freeSlot != 0;
  settings.notifyConnection = values.notify.connection != 0;
  settings.notifyMapChange = values.notify.mapChange != 0;
  settings.playersIntervalTray = Unsigned(values.notify.playersIntervalTray);
  return applied;
}

std::optional<int32_t> ReadNumberText(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  if (i >= text.size() || text[i] < '0' || text[i] > '9') return std::nullopt;
  return ParseDecimal(text);
}

}  // namespace tarnwick
