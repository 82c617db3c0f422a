#pragma once
// Prompts answered from a script, for widget tests: every question is recorded with its text,
// and answered with the next scripted answer of its kind. A message box with only an OK button
// needs no answer; any other question without one fails the test and is cancelled, so no test
// ever waits on a dialog.

#include "platform/widgets/Prompts.h"

#include <QPrinter>
#include <deque>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace qm::test {

struct AskedPrompt {
    enum class Kind { Message, OpenFile, SaveFile, Folder, Colour, Print } kind;
    platform::BoxIcon icon = platform::BoxIcon::Information;
    platform::BoxButtons buttons = platform::BoxButtons::Ok;
    QString text; // message text, or the dialog's title
    platform::FileQuestion file;
};

class ScriptedPrompts final : public platform::Prompts {
public:
    std::vector<AskedPrompt> asked;
    std::deque<platform::BoxAnswer> boxAnswers;
    std::deque<std::optional<platform::FileAnswer>> fileAnswers;
    std::deque<std::optional<QString>> folderAnswers;
    std::deque<std::optional<QColor>> colourAnswers;
    // Print dialogs: whether to print, and where (a PDF file; empty: cancel).
    std::deque<QString> printFiles;

    platform::BoxAnswer message(QWidget*, platform::BoxIcon icon, const QString& text,
                                platform::BoxButtons buttons) override {
        asked.push_back(
            {AskedPrompt::Kind::Message, icon, buttons, platform::normalisedLineBreaks(text), {}});
        if (!boxAnswers.empty()) return take(boxAnswers);
        if (buttons == platform::BoxButtons::Ok) return platform::BoxAnswer::Ok;
        ADD_FAILURE() << "unanswered question: " << text.toStdString();
        return buttons == platform::BoxButtons::YesNo ? platform::BoxAnswer::No
                                                      : platform::BoxAnswer::Cancel;
    }
    std::optional<platform::FileAnswer> openFile(QWidget*,
                                                 const platform::FileQuestion& q) override {
        return fileAnswer(AskedPrompt::Kind::OpenFile, q);
    }
    std::optional<platform::FileAnswer> saveFile(QWidget*,
                                                 const platform::FileQuestion& q) override {
        return fileAnswer(AskedPrompt::Kind::SaveFile, q);
    }
    std::optional<QString> folder(QWidget*, const QString& title, const QString&) override {
        asked.push_back({AskedPrompt::Kind::Folder, {}, {}, title, {}});
        return answerOrFail(folderAnswers, title);
    }
    std::optional<QColor> colour(QWidget*, const QColor&) override {
        asked.push_back({AskedPrompt::Kind::Colour, {}, {}, {}, {}});
        return answerOrFail(colourAnswers, QStringLiteral("colour"));
    }
    bool print(QWidget*, QPrinter& printer) override {
        asked.push_back({AskedPrompt::Kind::Print, {}, {}, {}, {}});
        if (printFiles.empty()) {
            ADD_FAILURE() << "unanswered print dialog";
            return false;
        }
        const QString file = take(printFiles);
        if (file.isEmpty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        return true;
    }

    // The texts of the message boxes shown, in order.
    std::vector<std::string> messageTexts() const {
        std::vector<std::string> out;
        for (const auto& a : asked)
            if (a.kind == AskedPrompt::Kind::Message) out.push_back(a.text.toStdString());
        return out;
    }

private:
    template <class T> static T take(std::deque<T>& queue) {
        T front = std::move(queue.front());
        queue.pop_front();
        return front;
    }
    template <class T>
    std::optional<T> answerOrFail(std::deque<std::optional<T>>& queue, const QString& what) {
        if (!queue.empty()) return take(queue);
        ADD_FAILURE() << "unanswered dialog: " << what.toStdString();
        return std::nullopt;
    }
    std::optional<platform::FileAnswer> fileAnswer(AskedPrompt::Kind kind,
                                                   const platform::FileQuestion& q) {
        asked.push_back({kind, {}, {}, q.title, q});
        return answerOrFail(fileAnswers, q.title);
    }
};

// Installs a script for the life of the scope; the one before comes back afterwards.
class PromptsScope {
public:
    explicit PromptsScope(ScriptedPrompts& prompts) : before_(platform::installPrompts(&prompts)) {}
    ~PromptsScope() { platform::installPrompts(before_); }
    PromptsScope(const PromptsScope&) = delete;
    PromptsScope& operator=(const PromptsScope&) = delete;

private:
    platform::Prompts* before_;
};

} // namespace qm::test
