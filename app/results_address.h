#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// The address of the results web page, from "Server.ini" (section
// "ServerSetup", key "Address"): the learner's or teacher's own in
// `configFolder` ($XDG_CONFIG_HOME/tarvo/, "" for none) when it is there,
// else the program folder's (read-only where the program is installed):
// - no such file: nullopt (nothing is opened);
// - no key: kDefaultResultsAddress;
// - otherwise the value exactly as it stands, even when empty.
// Throws UserError naming the file when it exists but cannot be read, is not
// a regular file or is larger than kMaxServerIniBytes.
std::optional<QString> resultsAddress(const QString& programFolder,
                                      const QString& configFolder = {});
inline constexpr qint64 kMaxServerIniBytes = 64 * 1024;

// The address as a web page the desktop may open: only an http or https
// address with a host; anything else (a local file, another scheme, text
// that is no address) gives nullopt and nothing is opened.
std::optional<QUrl> webAddress(const QString& address);

inline constexpr const char* kDefaultResultsAddress = "http://tarvo.example.com/tvm.asp?lxid=4";
