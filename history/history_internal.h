// What the history's two halves share: the SQLite helpers, and the local
// file's side of the sender. Not for use outside history/.
#pragma once

#include "history.h"

#include <sqlite3.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace historydb {

struct DbClose {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct StmtFinalize {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Db = std::unique_ptr<sqlite3, DbClose>;
using Stmt = std::unique_ptr<sqlite3_stmt, StmtFinalize>;

// The German reason for a failed call on db.
std::string reason(sqlite3* db, int rc);
bool exec(sqlite3* db, const char* sql, std::string& err);
Stmt prepare(sqlite3* db, const char* sql, std::string& err);
// Steps a statement that returns no rows and resets it for the next use.
bool run(sqlite3* db, sqlite3_stmt* s, std::string& err);
void bindText(sqlite3_stmt* s, int i, const std::string& text);
std::string columnText(sqlite3_stmt* s, int i);
// Opens a history file of ours for reading and writing in the background
// (the sender): no creating, no upgrading, and a patient busy timeout.
Db openForSender(const std::string& path, std::string& err);

} // namespace historydb

// The open history's path; empty when none is open.
std::string historyPath();
// The background sender: woken after each commit, stopped by historyClose.
// Stopping gives it up to flush to send what the file holds; a sender still
// caught in a call after that is left to end on its own, never waited for.
void senderWake();
void senderStop(std::chrono::milliseconds flush = std::chrono::milliseconds(0));
// Hands a line to historyNotice.
void historyPostNotice(const std::string& line);

bool historyLoadServer(const std::string& uri, const HistoryFilter& filter, std::vector<StoredGame>& games,
                       std::string& err);
