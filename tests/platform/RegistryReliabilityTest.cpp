// Writers killed at any moment and writers running at the same time must never cost a value
// whose write had returned, nor leave a hive that cannot be read.
#include "platform/Registry.h"
#include "support/TempFolder.h"

#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

using platform::RegistryHive;
using platform::RegistryKey;

namespace {

std::string valueName(const std::string& writer, int index) {
    return writer + "_" + std::to_string(index);
}

// In a child process: writes values one by one, reporting each returned write on the pipe.
[[noreturn]] void runWriter(const std::string& writer, int count, int reportFd) {
    for (int i = 0; i < count; ++i) {
        RegistryKey key;
        if (!key.create(RegistryHive::CurrentUser, "Software\\Test\\" + writer) ||
            !key.setString(valueName(writer, i), "value of " + valueName(writer, i)))
            _exit(2);
        const std::string line = std::to_string(i) + "\n";
        if (write(reportFd, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
            _exit(3);
    }
    _exit(0);
}

pid_t startWriter(const std::string& writer, int count, int& readFd) {
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        runWriter(writer, count, fds[1]);
    }
    close(fds[1]);
    readFd = fds[0];
    return child;
}

// Reads the pipe until the first report arrives, so that a kill after it lands among the writes.
std::string firstReport(int readFd) {
    std::string text;
    char buffer[256];
    ssize_t n;
    while (text.find('\n') == std::string::npos && (n = read(readFd, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(n));
    return text;
}

// Every index the writer reported, read until the pipe closes.
std::set<int> reportedWrites(int readFd, std::string text = {}) {
    char buffer[4096];
    for (ssize_t n; (n = read(readFd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    close(readFd);
    std::set<int> indexes;
    for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
         start = end + 1)
        indexes.insert(std::stoi(text.substr(start, end - start)));
    return indexes;
}

void expectValuesPresent(const std::string& writer, const std::set<int>& indexes) {
    RegistryKey key;
    ASSERT_TRUE(indexes.empty() ||
                key.open(RegistryHive::CurrentUser, "Software\\Test\\" + writer));
    for (int i : indexes) {
        std::string value;
        EXPECT_TRUE(key.queryString(valueName(writer, i), value, 200)) << valueName(writer, i);
        EXPECT_EQ(value, "value of " + valueName(writer, i));
    }
}

class RegistryReliabilityTest : public testing::Test {
protected:
    void SetUp() override { setenv("SETUP_REGISTRY_DIR", (temp / "registry").c_str(), 1); }
    void TearDown() override { unsetenv("SETUP_REGISTRY_DIR"); }
    TempFolder temp;
};

} // namespace

TEST_F(RegistryReliabilityTest, WriterKilledAtRandomMomentsLosesNoReturnedWrite) {
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> delayMicroseconds(0, 40000);
    int killedWhileWriting = 0;
    std::size_t returnedWrites = 0;
    for (int round = 0; round < 25; ++round) {
        const std::string writer = "round" + std::to_string(round);
        int readFd = -1;
        const pid_t child = startWriter(writer, 100000, readFd);
        ASSERT_GT(child, 0);
        const std::string first = firstReport(readFd);
        usleep(static_cast<useconds_t>(delayMicroseconds(random)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        killedWhileWriting += WIFSIGNALED(status) ? 1 : 0;
        const std::set<int> reported = reportedWrites(readFd, first);
        returnedWrites += reported.size();
        expectValuesPresent(writer, reported);
        // Earlier rounds' values must survive the later rounds' deaths too.
        if (round > 0)
            expectValuesPresent("round0", {0});
    }
    EXPECT_EQ(killedWhileWriting, 25);
    EXPECT_GE(returnedWrites, 25u);
    std::printf("%zu writes returned before the kills\n", returnedWrites);
}

TEST_F(RegistryReliabilityTest, TwoWritersAtOnceLoseNothing) {
    constexpr int kCount = 150;
    int firstFd = -1, secondFd = -1;
    const pid_t first = startWriter("first", kCount, firstFd);
    const pid_t second = startWriter("second", kCount, secondFd);
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    const std::set<int> firstReported = reportedWrites(firstFd);
    const std::set<int> secondReported = reportedWrites(secondFd);
    int status = 0;
    waitpid(first, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    waitpid(second, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(firstReported.size(), static_cast<std::size_t>(kCount));
    EXPECT_EQ(secondReported.size(), static_cast<std::size_t>(kCount));
    expectValuesPresent("first", firstReported);
    expectValuesPresent("second", secondReported);
}
