#include "rcon/rcon_message_win.h"

namespace tarnwick {

UINT RConMessage() {
  static const UINT message = RegisterWindowMessageA("RConMsg");
  return message;
}

}  // namespace tarnwick
