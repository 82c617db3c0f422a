#pragma once
// Every text the application shell shows: captions, titles and messages.

#include <string_view>

namespace qm::app_messages {

// The program's name in message boxes and the desktop's task list.
inline constexpr std::string_view kApplicationTitle = "Quillmar 7.0";
// The main window's caption.
inline constexpr std::string_view kMainCaption = "Quillmar v7.0";

inline constexpr std::string_view kAlreadyRunning =
    "A reminder ... an instance of Quillmar7 is already running!";

// Followed by the folder that could not be made.
inline constexpr std::string_view kCannotCreate = "Cannot create ";

// The configuration's source file type is not a number: "'x' is not a valid integer value".
inline constexpr std::string_view kNotAnIntegerTail = "' is not a valid integer value";

// The symbol box found no file: "Can't find " + symbol + ". Fetch it now?" and a hint.
inline constexpr std::string_view kCannotFindHead = "Can't find ";
inline constexpr std::string_view kCannotFindTail = ". Fetch it now?\r\n(Look at Xfer now setting)";

} // namespace qm::app_messages
