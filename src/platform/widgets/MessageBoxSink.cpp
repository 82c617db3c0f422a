#include "MessageBoxSink.h"

#include "Prompts.h"

namespace qm::platform {
namespace {

QString textOf(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void MessageBoxSink::information(std::string_view text) {
    prompts().message(parent_, BoxIcon::Information, textOf(text), BoxButtons::Ok);
}

void MessageBoxSink::error(std::string_view text) {
    prompts().message(parent_, BoxIcon::Error, textOf(text), BoxButtons::Ok);
}

void MessageBoxSink::warning(std::string_view text) {
    prompts().message(parent_, BoxIcon::Warning, textOf(text), BoxButtons::Ok);
}

bool MessageBoxSink::confirm(std::string_view text) {
    return prompts().message(parent_, BoxIcon::Question, textOf(text), BoxButtons::YesNo) ==
           BoxAnswer::Yes;
}

void showGeneralError(QWidget* parent, std::string_view text) {
    prompts().message(parent, BoxIcon::Error, textOf(text), BoxButtons::Ok);
}

} // namespace qm::platform
