#include "store_log.h"

Q_LOGGING_CATEGORY(lcStore, "game.store")
