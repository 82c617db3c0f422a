#pragma once
// The outcome of encoding or saving an image: success, or failure with a reason for the user.

#include <string>

namespace qm {

struct ImageResult {
    bool ok = false;
    std::string reason; // why it failed, when not ok
    explicit operator bool() const { return ok; }

    static ImageResult success() { return {true, {}}; }
    static ImageResult failure(std::string why) { return {false, std::move(why)}; }
};

} // namespace qm
