// A build without libpq (Windows): the school server is named as missing and
// the local file does all the work.
#include "history.h"
#include "history_internal.h"

namespace {
const char* const kMissing = "Schulserver wird in diesem Build nicht unterstützt (ohne libpq gebaut)";
}

void senderWake() {}
void senderStop(std::chrono::milliseconds) {}

void historyStartSender(const std::string&)
{
    historyPostNotice(kMissing);
}

bool historySync(const std::string&, const std::string&, int& sent, std::string& err)
{
    sent = 0;
    err = kMissing;
    return false;
}

bool historyAddMachine(const std::string&, const std::string&, const std::string&, const std::string&, std::string&,
                       std::string&, std::string& err)
{
    err = kMissing;
    return false;
}

bool historyInitServer(const std::string&, const std::string&, const std::string&, std::string&, std::string& err)
{
    err = kMissing;
    return false;
}

bool historyLoadServer(const std::string&, const HistoryFilter&, std::vector<StoredGame>& games, std::string& err)
{
    games.clear();
    err = kMissing;
    return false;
}

ServerSession::ServerSession(std::string uri) : uri_(std::move(uri)) {}
ServerSession::~ServerSession() = default;
void ServerSession::disconnect() {}

bool ServerSession::sendTask(const std::string&, const std::string&, const GameStart&, const std::string&, const TaskRecord&,
                             std::string& err)
{
    err = kMissing;
    return false;
}
