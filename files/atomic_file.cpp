#include "files/atomic_file.hpp"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <ctime>

#include "files/file_descriptor.hpp"

namespace toluvek {
namespace {

long SystemWrite(int fd, const void* data, std::size_t size) {
  return ::write(fd, data, size);
}

std::error_code LastError() {
  return {errno, std::generic_category()};
}

// The folder part of a path, "." when it has none.
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// At most this many symbolic links are followed, as the kernel does for a path.
constexpr int kMaxLinksFollowed = 40;

// The path that a save through `path` replaces: `path` itself, or where its chain of symbolic
// links ends (perhaps at a name that does not exist yet, which the save then creates).
std::error_code FollowLinks(const std::string& path, std::string& target) {
  target = path;
  for (int followed = 0; followed <= kMaxLinksFollowed; ++followed) {
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0) {
      return errno == ENOENT ? std::error_code() : LastError();
    }
    if (!S_ISLNK(info.st_mode)) return {};
    std::string link(PATH_MAX, '\0');
    const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
    if (length < 0) return LastError();
    if (static_cast<std::size_t>(length) == link.size()) {
      return std::make_error_code(std::errc::filename_too_long);
    }
    if (length == 0) return std::make_error_code(std::errc::no_such_file_or_directory);
    link.resize(static_cast<std::size_t>(length));
    target = link.front() == '/' ? link : FolderOf(target).append("/").append(link);
  }
  return std::make_error_code(std::errc::too_many_symbolic_link_levels);
}

// Whether the existing file at `target` may be replaced. A superuser passes every access
// check, so a file without any write permission bit counts as protected for everyone: that
// is how a user marks a file read-only. `existing` tells whether there is a file at all.
std::error_code CheckReplaceable(const std::string& target, struct stat& info, bool& existing) {
  existing = false;
  if (::stat(target.c_str(), &info) != 0) {
    return errno == ENOENT ? std::error_code() : LastError();
  }
  existing = true;
  if (!S_ISREG(info.st_mode)) return SaveRefusal::kNotAFile;
  if ((info.st_mode & 0222) == 0) return SaveRefusal::kWriteProtected;
  if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
    return errno == EACCES ? std::error_code(SaveRefusal::kWriteProtected) : LastError();
  }
  return {};
}

// The permissions of a new file: the usual ones under the process's umask.
mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Holds SIGXFSZ back while it lives, so that a write beyond the file size limit fails with
// EFBIG instead of ending the process; a signal raised meanwhile is taken and dropped.
class FileSizeSignalHeld {
 public:
  FileSizeSignalHeld() {
    sigemptyset(&signal_);
    sigaddset(&signal_, SIGXFSZ);
    held_ = ::pthread_sigmask(SIG_BLOCK, &signal_, &previous_) == 0;
  }
  ~FileSizeSignalHeld() {
    if (!held_) return;
    sigset_t pending;
    if (!sigismember(&previous_, SIGXFSZ) && ::sigpending(&pending) == 0 &&
        sigismember(&pending, SIGXFSZ)) {
      const timespec no_wait{0, 0};
      ::sigtimedwait(&signal_, nullptr, &no_wait);
    }
    ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }
  FileSizeSignalHeld(const FileSizeSignalHeld&) = delete;
  FileSizeSignalHeld& operator=(const FileSizeSignalHeld&) = delete;

 private:
  sigset_t signal_;
  sigset_t previous_;
  bool held_ = false;
};

class SaveRefusalCategoryImpl : public std::error_category {
 public:
  const char* name() const noexcept override { return "toluvek save"; }
  std::string message(int value) const override {
    switch (static_cast<SaveRefusal>(value)) {
      case SaveRefusal::kValueOutOfRange:
        return "a value is out of range";
      case SaveRefusal::kNotAFile:
        return "not a regular file";
      case SaveRefusal::kWriteProtected:
        return "the file is write-protected";
    }
    return "refused";
  }
};

}  // namespace

const std::error_category& SaveRefusalCategory() {
  static const SaveRefusalCategoryImpl category;
  return category;
}

std::error_code make_error_code(SaveRefusal refusal) {
  return {static_cast<int>(refusal), SaveRefusalCategory()};
}

std::string SaveFailureText(std::error_code error) {
  if (error.category() == SaveRefusalCategory()) return error.message();
  switch (static_cast<std::errc>(error.value())) {
    case std::errc::no_space_on_device:
      return "the disk is full";
    case std::errc::file_too_large:
      return "the file size limit was reached";
    case std::errc::permission_denied:
    case std::errc::operation_not_permitted:
      return "the folder may not be written";
    case std::errc::read_only_file_system:
      return "the disk is read-only";
    case std::errc::no_such_file_or_directory:
    case std::errc::not_a_directory:
      return "the folder does not exist";
    case std::errc::is_a_directory:
    case std::errc::device_or_resource_busy:
      return "not a regular file";
    case std::errc::filename_too_long:
      return "the name is too long";
    case std::errc::too_many_symbolic_link_levels:
      return "too many symbolic links";
    case std::errc::io_error:
      return "the disk reported an error";
    default:
      break;
  }
  return "the file could not be written";
}

std::error_code WriteFileAtomically(const std::string& path, std::string_view bytes,
                                    WriteCall write_call) {
  if (write_call == nullptr) write_call = SystemWrite;
  std::string target;
  if (const std::error_code error = FollowLinks(path, target)) return error;
  struct stat existing {};
  bool exists = false;
  if (const std::error_code error = CheckReplaceable(target, existing, exists)) return error;
  // The new file keeps the old one's permissions, and its owner where the process may give it.
  const mode_t mode = exists ? existing.st_mode & 07777 : NewFileMode();

  // A short fixed name, so that it fits beside a target whose name is as long as allowed.
  const std::string folder = FolderOf(target);
  std::string temporary = folder + "/.toluvek-XXXXXX";
  FileSizeSignalHeld file_size_signal_held;
  FileDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
  if (file.get() < 0) return LastError();

  const auto fail = [&](std::error_code error) {
    if (file.get() >= 0) file.Close();
    ::unlink(temporary.c_str());
    return error;
  };

  std::size_t written = 0;
  while (written < bytes.size()) {
    const std::size_t wanted = bytes.size() - written;
    const long n = write_call(file.get(), bytes.data() + written, wanted);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(LastError());
    }
    // A short count without an error is how a full disk shows: give up rather than commit a
    // truncated file.
    if (static_cast<std::size_t>(n) != wanted) {
      return fail(std::make_error_code(std::errc::no_space_on_device));
    }
    written += wanted;
  }
  if (exists && (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid())) {
    // Fails without privileges unless only the group changes to one of the user's; the file
    // is then the user's own, as any newly written file is.
    if (::fchown(file.get(), existing.st_uid, existing.st_gid) != 0 &&
        ::fchown(file.get(), static_cast<uid_t>(-1), existing.st_gid) != 0) {
      errno = 0;
    }
  }
  if (::fchmod(file.get(), mode) != 0) return fail(LastError());
  if (::fsync(file.get()) != 0) return fail(LastError());
  if (!file.Close()) return fail(LastError());
  if (::rename(temporary.c_str(), target.c_str()) != 0) return fail(LastError());

  // Make the rename itself durable; the new file is in place whatever this reports.
  FileDescriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.get() >= 0) ::fsync(directory.get());
  return {};
}

}  // namespace toluvek
