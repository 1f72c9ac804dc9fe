// One run of zlapply: check the whole file, keep a restore point, apply it
// behind a watch, verify it, keep it or roll back.
#pragma once

#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "apply/audit.h"
#include "apply/confirmation.h"
#include "companion/command_line.h"
#include "driver/device.h"

namespace apply {

inline constexpr const char* kDefaultRestorePoint = "/run/zlconf/restore.conf";

// Exit statuses, one convention with the other companions.
inline constexpr int kApplied = 0;
inline constexpr int kNothingSent = 1;
inline constexpr int kWrongArguments = companion::kWrongArguments;
inline constexpr int kRolledBack = 4;
inline constexpr int kRollbackIncomplete = 5;

/// What an apply reaches the system through. In-process runs give the
/// driver model, an audit log that keeps the lines, a confirmation that
/// answers as told and an `interrupted` of their own.
struct apply_system {
    device& driver;
    audit_log& audit;
    confirmation& confirm;
    std::function<const char*()> interrupted;  // the termination signal caught, or null
    std::FILE* messages;
};

struct apply_request {
    std::string label;  // the input as messages name it
    std::string input;  // all of it
    std::optional<int> confirm_seconds;
    bool strict = false;
    std::string restore_point = kDefaultRestorePoint;
};

/// The whole apply; returns the exit status.
int apply_input(const apply_request& request, apply_system& sys);

/// `zlapply --rollback`: brings every link of the restore point left at
/// `restore_point` back, and removes it when every link matches.
int roll_back_restore_point(const std::string& restore_point, apply_system& sys);

int zlapply_main(int argc, char** argv);

}  // namespace apply
