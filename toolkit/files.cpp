// Files a user owns: replaced whole through a synced temporary file, and the
// per-user folders they live in.
#include "aotoolkit.h"

#include <cerrno>
#include <chrono>
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

// No write permission for anyone on an existing file or folder.
bool markedReadOnly(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (ec || !fs::exists(st)) return false;
    const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (st.permissions() & write) == fs::perms::none;
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

// Removes what killed saves of target left: "NAME.tmp-XXXXXX" files that
// nobody has written to for ten minutes (a save takes milliseconds, so such
// a file belongs to no save in progress).
void removeStaleTemporaries(const std::string& target)
{
    namespace fs = std::filesystem;
    const std::string prefix = fs::path(target).filename().string() + ".tmp-";
    const auto staleBefore = fs::file_time_type::clock::now() - std::chrono::minutes(10);
    std::error_code ec;
    for (fs::directory_iterator it(folderOf(target), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
        std::error_code ec2;
        if (!it->is_regular_file(ec2) || ec2) continue;
        const auto written = fs::last_write_time(it->path(), ec2);
        if (!ec2 && written < staleBefore) fs::remove(it->path(), ec2);
    }
}
#endif

} // namespace

std::vector<std::string_view> aotext_lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    size_t start = 0;
    size_t feed = 0; // the next '\n' at or after start (npos: none left)
    bool feedKnown = false;
    while (start < text.size()) {
        // Found with memchr, each byte looked at once: stored fonts are long.
        if (!feedKnown || (feed != std::string_view::npos && feed < start)) {
            feed = text.find('\n', start);
            feedKnown = true;
        }
        const size_t stop = feed == std::string_view::npos ? text.size() : feed;
        const void* cr = std::memchr(text.data() + start, '\r', stop - start);
        if (cr) {
            const size_t end = static_cast<size_t>(static_cast<const char*>(cr) - text.data());
            lines.push_back(text.substr(start, end - start));
            start = end + (end + 1 == feed ? 2 : 1);
        } else {
            lines.push_back(text.substr(start, stop - start));
            start = stop + 1;
        }
    }
    return lines;
}

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
    case EINVAL: return "keine gewöhnliche Datei"; // what aofile_replace refuses to replace
    default: return std::strerror(errnum);
    }
}

void aofile_injectwriteerror(int errnum) { injectedErrno = errnum; }

bool aofile_replace(const std::string& path, std::string_view bytes, std::string& err)
{
    int errnum = 0;
    return aofile_replace(path, bytes, err, errnum);
}

bool aofile_replace(const std::string& path, std::string_view bytes, std::string& err, int& errnum)
{
    namespace fs = std::filesystem;
    errnum = 0;
    auto fail = [&](int e) {
        errnum = e;
        err = path + ": " + aofile_reason(e);
        return false;
    };
    // A link stays a link: the file it points to is replaced. Only plain
    // files are replaced, never a device or a folder.
    std::error_code ec;
    std::string target = path;
    if (fs::is_symlink(fs::symlink_status(path, ec))) {
        fs::path resolved = fs::weakly_canonical(path, ec);
        if (ec) return fail(ENOENT);
        target = resolved.string();
    }
    const fs::file_status oldStatus = fs::status(target, ec);
    if (fs::exists(oldStatus) && !fs::is_regular_file(oldStatus))
        return fail(fs::is_directory(oldStatus) ? EISDIR : EINVAL);
    const std::string dir = folderOf(target);
    // Renaming would quietly replace a file (or fill a folder) marked
    // read-only, even for an administrator: that mark is respected.
    if (markedReadOnly(target) || markedReadOnly(dir)) return fail(EACCES);
#ifdef _WIN32
    std::string tmp = target + ".tmp";
    FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) return fail(errno);
    bool ok = injectedErrno == 0 && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    errnum = injectedErrno ? injectedErrno : errno;
    injectedErrno = 0;
    ok = std::fflush(f) == 0 && ok;
    if (ok) ok = _commit(_fileno(f)) == 0;
    std::fclose(f);
    if (ok) fs::rename(tmp, target, ec);
    if (!ok || ec) {
        std::filesystem::remove(tmp, ec);
        if (ok) errnum = EIO;
        err = path + ": " + aofile_reason(errnum);
        return false;
    }
    return true;
#else
    std::string tmp = target + ".tmp-XXXXXX";
    int fd = ::mkstemp(tmp.data());
    if (fd < 0) return fail(errno);
    // mkstemp creates 0600; the new file keeps the old one's mode (a shared
    // file stays writable for its group), a first one gets the usual mode.
    if (fs::is_regular_file(oldStatus)) {
        ::fchmod(fd, static_cast<mode_t>(oldStatus.permissions()) & 07777);
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    bool ok = writeAll(fd, bytes, errnum);
    if (ok && ::fsync(fd) != 0) ok = false, errnum = errno;
    if (::close(fd) != 0 && ok) ok = false, errnum = errno;
    if (ok && ::rename(tmp.c_str(), target.c_str()) != 0) ok = false, errnum = errno;
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
    removeStaleTemporaries(target);
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
