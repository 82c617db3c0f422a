#pragma once
// The desktop program's message sink: every message of the core in a message box through the
// program's prompts, over the window that asked.

#include "market/MessageSink.h"

#include <QPointer>
#include <QWidget>

namespace qm::platform {

class MessageBoxSink final : public MessageSink {
public:
    explicit MessageBoxSink(QWidget* parent = nullptr) : parent_(parent) {}

    void information(std::string_view text) override;
    void error(std::string_view text) override;
    void warning(std::string_view text) override;
    bool confirm(std::string_view text) override;

private:
    QPointer<QWidget> parent_;
};

// Shows `text` in the general error box, which reports what went wrong in a command that could
// not finish.
void showGeneralError(QWidget* parent, std::string_view text);

} // namespace qm::platform
