#include "base/SQLiteStatus.h"

#include <sqlite3.h>

bool SQLiteStatus::ok() const {
    return code == SQLITE_OK || code == SQLITE_ROW || code == SQLITE_DONE;
}
