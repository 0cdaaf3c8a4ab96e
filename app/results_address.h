#pragma once

#include <QString>

#include <optional>

// The address of the results web page, from "Server.ini" in the program
// folder (section "ServerSetup", key "Address"):
// - no such file: nullopt (nothing is opened);
// - no key: kDefaultResultsAddress;
// - otherwise the value exactly as it stands, even when empty.
// Throws UserError naming the file when it exists but cannot be read.
std::optional<QString> resultsAddress(const QString& programFolder);

inline constexpr const char* kDefaultResultsAddress = "http://tarvo.example.com/tvm.asp?lxid=4";
