#pragma once
// The exit statuses the command-line help gives.
namespace exitstatus {
constexpr int kInstalled = 0;
constexpr int kFailed = 1; // the installation failed or stopped
constexpr int kBadCommandLine = 2;
} // namespace exitstatus
