#include "MessageBoxSink.h"

#include "Prompts.h"
#include "platform/QtText.h"

namespace qm::platform {

void MessageBoxSink::information(std::string_view text) {
    prompts().message(parent_, BoxIcon::Information, qtext(text), BoxButtons::Ok);
}

void MessageBoxSink::error(std::string_view text) {
    prompts().message(parent_, BoxIcon::Error, qtext(text), BoxButtons::Ok);
}

void MessageBoxSink::warning(std::string_view text) {
    prompts().message(parent_, BoxIcon::Warning, qtext(text), BoxButtons::Ok);
}

bool MessageBoxSink::confirm(std::string_view text) {
    return prompts().message(parent_, BoxIcon::Question, qtext(text), BoxButtons::YesNo) ==
           BoxAnswer::Yes;
}

void showGeneralError(QWidget* parent, std::string_view text) {
    prompts().message(parent, BoxIcon::Error, qtext(text), BoxButtons::Ok);
}

} // namespace qm::platform
