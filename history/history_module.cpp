// The learning history as a module the program loads at its first use: it
// brings Qt SQL and Qt Charts, which the start screen does not wait for. The
// one symbol it shows is the entry that hands over the program's history.
#include "history/history_service.h"
#include "history/history_service_impl.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT HistoryService* tarvo_history_service() {
    return &historyService();
}
