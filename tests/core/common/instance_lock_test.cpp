#include "core/common/instance_lock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace photara {
namespace {

namespace fs = std::filesystem;

// Sets (or unsets, with nullopt) an environment variable for one scope.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

struct EnvCase {
    const char* name;
    std::optional<std::string> runtimeDir;  // XDG_RUNTIME_DIR
    std::optional<std::string> tmpDir;      // TMPDIR
};

class DefaultLockPathTest : public ::testing::TestWithParam<EnvCase> {};

// The desktop's session and a cron job (no session variables) must meet at one lock.
TEST_P(DefaultLockPathTest, IsTheSameWhateverTheSessionVariablesSay) {
    const ScopedEnv test("PHOTARA_TEST_LOCK_FOLDER", std::nullopt);
    std::string bare;
    {
        const ScopedEnv runtime("XDG_RUNTIME_DIR", std::nullopt);
        const ScopedEnv tmp("TMPDIR", std::nullopt);
        bare = InstanceLock::defaultPath();
    }
    const ScopedEnv runtime("XDG_RUNTIME_DIR", GetParam().runtimeDir);
    const ScopedEnv tmp("TMPDIR", GetParam().tmpDir);
    EXPECT_EQ(InstanceLock::defaultPath(), bare);
    EXPECT_NE(bare.find("/photara-" + std::to_string(::geteuid()) + "/"), std::string::npos)
        << bare;
}

INSTANTIATE_TEST_SUITE_P(Sessions, DefaultLockPathTest,
                         ::testing::Values(EnvCase{"Desktop", "/run/user/1000", std::nullopt},
                                           EnvCase{"CronJob", std::nullopt, std::nullopt},
                                           EnvCase{"OwnTemporaryFolder", std::nullopt, "/var/tmp"},
                                           EnvCase{"Both", "/run/user/1000", "/var/tmp"}),
                         [](const ::testing::TestParamInfo<EnvCase>& p) { return p.param.name; });

class InstanceLockFileTest : public ::testing::Test {
  protected:
    InstanceLockFileTest() {
        char pattern[] = "/tmp/photara-lock-test.XXXXXX";
        base = ::mkdtemp(pattern);
    }
    ~InstanceLockFileTest() override { fs::remove_all(base); }
    fs::path base;
};

// The lock's folder is shared by every user: a name planted there is never followed.
TEST_F(InstanceLockFileTest, APlantedLinkIsRefusedAndItsTargetUntouched) {
    const fs::path target = base / "victim";
    std::ofstream(target) << "keep";
    const std::string path = InstanceLock::pathIn(base.string());
    fs::create_symlink(target, path);
    InstanceLock lock(path, "photara-cli");
    EXPECT_EQ(lock.acquire(), InstanceLock::Outcome::LockFileUnusable);
    std::ifstream in(target);
    std::string text;
    in >> text;
    EXPECT_EQ(text, "keep");
}

TEST_F(InstanceLockFileTest, TheUsersFolderIsMadeForTheOwnerAlone) {
    const std::string path = InstanceLock::pathIn(base.string());
    InstanceLock first(path, "photara");
    ASSERT_EQ(first.acquire(), InstanceLock::Outcome::Acquired);
    InstanceLock second(path, "photara-cli");
    EXPECT_EQ(second.acquire(), InstanceLock::Outcome::AlreadyRunning);
    EXPECT_EQ(second.holder(), "photara (process " + std::to_string(::getpid()) + ")");
    struct stat info {};
    ASSERT_EQ(::stat(fs::path(path).parent_path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

}  // namespace
}  // namespace photara
