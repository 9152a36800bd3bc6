// Files a user owns: replaced whole through a synced temporary file, and the
// per-user folders they live in.
#include "aotoolkit.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Fault injection for tests: the next write of a replace fails with this errno.
int injectedErrno = 0;

std::string folderOf(const std::string& path)
{
    std::filesystem::path p(path);
    std::string dir = p.parent_path().string();
    return dir.empty() ? std::string(".") : dir;
}

#ifndef _WIN32
bool writeAll(int fd, std::string_view bytes, int& errnum)
{
    size_t done = 0;
    while (done < bytes.size()) {
        if (injectedErrno) {
            errnum = injectedErrno;
            injectedErrno = 0;
            return false;
        }
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            errnum = errno;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}
#endif

} // namespace

std::string aofile_reason(int errnum)
{
    switch (errnum) {
    case ENOSPC: return "Datenträger voll";
#ifdef EDQUOT
    case EDQUOT: return "Datenträger voll (Kontingent)";
#endif
    case EACCES:
    case EPERM: return "keine Schreibrechte";
    case EROFS: return "Datenträger schreibgeschützt";
    case ENOENT: return "Ordner fehlt";
    case ENOTDIR: return "Pfad ist kein Ordner";
    case EISDIR: return "ist ein Ordner";
    case EIO: return "Ein-/Ausgabefehler";
    default: return std::strerror(errnum);
    }
}

void aofile_injectwriteerror(int errnum) { injectedErrno = errnum; }

bool aofile_replace(const std::string& path, std::string_view bytes, std::string& err)
{
    const std::string dir = folderOf(path);
#ifdef _WIN32
    std::string tmp = path + ".tmp";
    FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) {
        err = path + ": " + aofile_reason(errno);
        return false;
    }
    bool ok = injectedErrno == 0 && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    int errnum = injectedErrno ? injectedErrno : errno;
    injectedErrno = 0;
    ok = std::fflush(f) == 0 && ok;
    if (ok) ok = _commit(_fileno(f)) == 0;
    std::fclose(f);
    std::error_code ec;
    if (ok) std::filesystem::rename(tmp, path, ec);
    if (!ok || ec) {
        std::filesystem::remove(tmp, ec);
        err = path + ": " + aofile_reason(ok ? EIO : errnum);
        return false;
    }
    return true;
#else
    std::string tmp = path + ".tmp-XXXXXX";
    int fd = ::mkstemp(tmp.data());
    if (fd < 0) {
        err = path + ": " + aofile_reason(errno);
        return false;
    }
    // mkstemp creates 0600; a replaced file keeps the usual mode.
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    int errnum = 0;
    bool ok = writeAll(fd, bytes, errnum);
    if (ok && ::fsync(fd) != 0) ok = false, errnum = errno;
    if (::close(fd) != 0 && ok) ok = false, errnum = errno;
    if (ok && ::rename(tmp.c_str(), path.c_str()) != 0) ok = false, errnum = errno;
    if (!ok) {
        ::unlink(tmp.c_str());
        err = path + ": " + aofile_reason(errnum);
        return false;
    }
    // The rename itself is durable only once the folder is synced.
    int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
#endif
}

namespace {

std::string envOr(const char* name)
{
    const char* v = std::getenv(name);
    return v && *v ? std::string(v) : std::string();
}

std::string home()
{
#ifdef _WIN32
    std::string h = envOr("USERPROFILE");
#else
    std::string h = envOr("HOME");
#endif
    return h.empty() ? std::string(".") : h;
}

} // namespace

std::string aopath_configdir()
{
#ifdef _WIN32
    std::string base = envOr("APPDATA");
    if (base.empty()) base = home() + "/AppData/Roaming";
#else
    std::string base = envOr("XDG_CONFIG_HOME");
    if (base.empty() || base[0] != '/') base = home() + "/.config";
#endif
    return base + "/ziffron";
}

std::string aopath_datadir()
{
#ifdef _WIN32
    std::string base = envOr("APPDATA");
    if (base.empty()) base = home() + "/AppData/Roaming";
#else
    std::string base = envOr("XDG_DATA_HOME");
    if (base.empty() || base[0] != '/') base = home() + "/.local/share";
#endif
    return base + "/ziffron";
}

bool aopath_makedirs(const std::string& dir, std::string& err)
{
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec || !std::filesystem::is_directory(dir, ec)) {
        err = dir + ": " + aofile_reason(ec ? ec.value() : ENOTDIR);
        return false;
    }
    return true;
}
