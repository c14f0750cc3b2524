#include "files/atomic_file.hpp"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <limits>

#include <gtest/gtest.h>

#include "common/checked.hpp"
#include "common/number_text.hpp"
#include "tests/support/files.hpp"

namespace toluvek {
namespace {

namespace fs = std::filesystem;

// What the fake system call answers, in turn; then it writes normally.
std::vector<long> g_answers;
long ScriptedWrite(int fd, const void* data, std::size_t size) {
  if (g_answers.empty()) return ::write(fd, data, size);
  const long answer = g_answers.front();
  g_answers.erase(g_answers.begin());
  if (answer == -1) {
    errno = ENOSPC;
    return -1;
  }
  if (answer == -2) {
    errno = EINTR;
    return -1;
  }
  // A short count: write that much for real, as a disk that fills up does.
  return ::write(fd, data, std::min(size, static_cast<std::size_t>(answer)));
}

class AtomicWrite : public ::testing::Test {
 protected:
  void SetUp() override {
    old_mask_ = ::umask(022);
    target_ = folder_.File("data.txt");
    WriteBytes(target_, "old contents\r\n");
    g_answers.clear();
  }
  void TearDown() override { ::umask(old_mask_); }

  TempFolder folder_;
  std::string target_;
  mode_t old_mask_ = 0;
};

TEST_F(AtomicWrite, CreatesANewFileWithTheUsualPermissions) {
  const std::string fresh = folder_.File("fresh.dat");
  EXPECT_FALSE(WriteFileAtomically(fresh, kStartUpFile));
  EXPECT_EQ(ReadBytes(fresh), kStartUpFile);
  EXPECT_EQ(fs::status(fresh).permissions(), fs::perms::owner_read | fs::perms::owner_write |
                                                 fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(folder_.Names(), (std::vector<std::string>{"data.txt", "fresh.dat"}));
}

TEST_F(AtomicWrite, ReplacesAFileKeepingItsPermissions) {
  ASSERT_EQ(::chmod(target_.c_str(), 0600), 0);
  EXPECT_FALSE(WriteFileAtomically(target_, "new"));
  EXPECT_EQ(ReadBytes(target_), "new");
  EXPECT_EQ(fs::status(target_).permissions(), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(folder_.Names(), std::vector<std::string>{"data.txt"});
}

TEST_F(AtomicWrite, AFullDiskLeavesTheOldFileAndNoTemporaryFile) {
  const struct {
    const char* name;
    std::vector<long> answers;
    std::errc error;
  } cases[] = {
      {"short count without an error", {5}, std::errc::no_space_on_device},
      {"nothing written", {0}, std::errc::no_space_on_device},
      {"ENOSPC", {-1}, std::errc::no_space_on_device},
      {"short count after an interruption", {-2, 3}, std::errc::no_space_on_device},
  };
  for (const auto& c : cases) {
    g_answers = c.answers;
    const std::error_code error = WriteFileAtomically(target_, kStartUpFile, ScriptedWrite);
    EXPECT_EQ(error, std::make_error_code(c.error)) << c.name;
    EXPECT_EQ(ReadBytes(target_), "old contents\r\n") << c.name;
    EXPECT_EQ(folder_.Names(), std::vector<std::string>{"data.txt"}) << c.name;
  }
}

TEST_F(AtomicWrite, AnInterruptedWriteIsRepeated) {
  g_answers = {-2};
  EXPECT_FALSE(WriteFileAtomically(target_, kStartUpFile, ScriptedWrite));
  EXPECT_EQ(ReadBytes(target_), kStartUpFile);
}

TEST_F(AtomicWrite, AMissingFolderIsReported) {
  EXPECT_EQ(WriteFileAtomically(folder_.File("no/such.txt"), "x"),
            std::make_error_code(std::errc::no_such_file_or_directory));
}

// Runs `write` where the folder's permissions count: as an unprivileged user when the tests
// run as root. Returns the error's value.
int WriteWithoutPrivileges(const std::string& path) {
  if (::geteuid() != 0) return WriteFileAtomically(path, "new").value();
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(255);
    ::_exit(WriteFileAtomically(path, "new").value());
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(AtomicWrite, AReadOnlyFolderLeavesTheOldFile) {
  ASSERT_EQ(::chmod(target_.c_str(), 0666), 0);  // the file itself could be written
  ASSERT_EQ(::chmod(folder_.path().c_str(), 0555), 0);
  const int error = WriteWithoutPrivileges(target_);
  ASSERT_NE(error, 255) << "could not drop privileges";
  EXPECT_EQ(error, EACCES);
  ASSERT_EQ(::chmod(folder_.path().c_str(), 0700), 0);
  EXPECT_EQ(ReadBytes(target_), "old contents\r\n");
  EXPECT_EQ(folder_.Names(), std::vector<std::string>{"data.txt"});
}

TEST_F(AtomicWrite, ASymbolicLinkIsFollowedAndKept) {
  ASSERT_EQ(::mkdir(folder_.File("real").c_str(), 0700), 0);
  const std::string real = folder_.File("real/gas.txt");
  WriteBytes(real, "old");
  const std::string link = folder_.File("link.txt");
  ASSERT_EQ(::symlink("real/gas.txt", link.c_str()), 0);  // relative to the link's folder
  const std::string chain = folder_.File("chain.txt");
  ASSERT_EQ(::symlink(link.c_str(), chain.c_str()), 0);
  EXPECT_FALSE(WriteFileAtomically(chain, "new"));
  EXPECT_EQ(ReadBytes(real), "new");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_TRUE(fs::is_symlink(chain));
  EXPECT_EQ(folder_.Names(),
            (std::vector<std::string>{"chain.txt", "data.txt", "link.txt", "real"}));
  // A link to a name not there yet creates the file it names.
  const std::string dangling = folder_.File("dangling.txt");
  ASSERT_EQ(::symlink("real/later.txt", dangling.c_str()), 0);
  EXPECT_FALSE(WriteFileAtomically(dangling, "later"));
  EXPECT_EQ(ReadBytes(folder_.File("real/later.txt")), "later");
  EXPECT_TRUE(fs::is_symlink(dangling));
  // A loop ends.
  const std::string loop = folder_.File("loop.txt");
  ASSERT_EQ(::symlink("loop.txt", loop.c_str()), 0);
  EXPECT_EQ(WriteFileAtomically(loop, "x"),
            std::make_error_code(std::errc::too_many_symbolic_link_levels));
}

TEST_F(AtomicWrite, RefusesWhatIsNoRegularFileAndAWriteProtectedFile) {
  const std::string fifo = folder_.File("pipe.txt");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ASSERT_EQ(::mkdir(folder_.File("sub").c_str(), 0700), 0);
  const std::string linked_fifo = folder_.File("to-pipe.txt");
  ASSERT_EQ(::symlink("pipe.txt", linked_fifo.c_str()), 0);
  ASSERT_EQ(::chmod(target_.c_str(), 0444), 0);  // read-only for everyone, the superuser too
  const std::vector<std::string> names = folder_.Names();
  const struct {
    std::string path;
    SaveRefusal refusal;
  } cases[] = {
      {fifo, SaveRefusal::kNotAFile},
      {linked_fifo, SaveRefusal::kNotAFile},
      {folder_.File("sub"), SaveRefusal::kNotAFile},
      {folder_.File("sub/"), SaveRefusal::kNotAFile},
      {target_, SaveRefusal::kWriteProtected},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WriteFileAtomically(c.path, "new"), c.refusal) << c.path;
    EXPECT_EQ(folder_.Names(), names) << c.path;
  }
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_EQ(ReadBytes(target_), "old contents\r\n");
}

TEST_F(AtomicWrite, AFileOfAnotherUserIsNotReplacedThroughAWritableFolder) {
  ASSERT_EQ(::chmod(target_.c_str(), 0644), 0);
  ASSERT_EQ(::chmod(folder_.path().c_str(), 0777), 0);
  if (::geteuid() != 0) GTEST_SKIP() << "needs a file of another user";
  const int error = WriteWithoutPrivileges(target_);
  ASSERT_NE(error, 255) << "could not drop privileges";
  EXPECT_EQ(error, static_cast<int>(SaveRefusal::kWriteProtected));
  EXPECT_EQ(ReadBytes(target_), "old contents\r\n");
  EXPECT_EQ(folder_.Names(), std::vector<std::string>{"data.txt"});
}

TEST_F(AtomicWrite, ANameAsLongAsAllowedFits) {
  const std::string name(255 - 4, 'n');
  EXPECT_FALSE(WriteFileAtomically(folder_.File(name + ".txt"), "new"));
  EXPECT_EQ(folder_.Names(), (std::vector<std::string>{"data.txt", name + ".txt"}));
}

TEST_F(AtomicWrite, AFileSizeLimitIsAFailedWriteNotASignal) {
  const pid_t child = ::fork();
  if (child == 0) {
    const rlimit none{0, RLIM_INFINITY};
    if (::setrlimit(RLIMIT_FSIZE, &none) != 0) ::_exit(255);
    const std::error_code error = WriteFileAtomically(target_, kStartUpFile);
    ::_exit(error == std::make_error_code(std::errc::file_too_large) ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadBytes(target_), "old contents\r\n");
  EXPECT_EQ(folder_.Names(), std::vector<std::string>{"data.txt"});
}

}  // namespace
}  // namespace toluvek
