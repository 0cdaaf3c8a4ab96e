#pragma once

#include "history/history_service.h"

// The program's one learning history behind the service the program loads.
HistoryService& historyService();
