// The application's global flags.
#include "app/AppFlags.h"

AppFlags& Flags() {
  static AppFlags flags;
  return flags;
}
