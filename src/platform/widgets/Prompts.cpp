#include "Prompts.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace qm::platform {
namespace {

Prompts* gInstalled = nullptr;

QString& boxTitle() {
    static QString title;
    return title;
}

QMessageBox::Icon iconOf(BoxIcon icon) {
    switch (icon) {
    case BoxIcon::Information:
        return QMessageBox::Information;
    case BoxIcon::Warning:
        return QMessageBox::Warning;
    case BoxIcon::Error:
        return QMessageBox::Critical;
    case BoxIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons buttonsOf(BoxButtons buttons) {
    switch (buttons) {
    case BoxButtons::Ok:
        return QMessageBox::Ok;
    case BoxButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case BoxButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case BoxButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// The answer a box closed without a button (Escape, the title bar) stands for.
BoxAnswer escapeAnswer(BoxButtons buttons) {
    switch (buttons) {
    case BoxButtons::Ok:
        return BoxAnswer::Ok;
    case BoxButtons::YesNo:
        return BoxAnswer::No;
    default:
        return BoxAnswer::Cancel;
    }
}

std::optional<FileAnswer> answerOf(const QString& path, const QStringList& filters,
                                   const QString& chosenFilter) {
    if (path.isEmpty()) return std::nullopt;
    const auto index = filters.indexOf(chosenFilter);
    return FileAnswer{path, index < 0 ? 0 : static_cast<int>(index)};
}

} // namespace

Prompts& prompts() {
    static DialogPrompts dialogs;
    return gInstalled ? *gInstalled : dialogs;
}

Prompts* installPrompts(Prompts* replacement) {
    Prompts* before = gInstalled;
    gInstalled = replacement;
    return before;
}

void setBoxTitle(const QString& title) {
    boxTitle() = title;
}

QString normalisedLineBreaks(const QString& text) {
    QString out = text;
    out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    out.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

BoxAnswer DialogPrompts::message(QWidget* parent, BoxIcon icon, const QString& text,
                                 BoxButtons buttons) {
    QMessageBox box(iconOf(icon), boxTitle(), normalisedLineBreaks(text), buttonsOf(buttons),
                    parent);
    switch (box.exec()) {
    case QMessageBox::Ok:
        return BoxAnswer::Ok;
    case QMessageBox::Cancel:
        return BoxAnswer::Cancel;
    case QMessageBox::Yes:
        return BoxAnswer::Yes;
    case QMessageBox::No:
        return BoxAnswer::No;
    default:
        return escapeAnswer(buttons);
    }
}

std::optional<FileAnswer> DialogPrompts::openFile(QWidget* parent, const FileQuestion& question) {
    QString chosen = question.filters.value(question.filterIndex);
    const QString path =
        QFileDialog::getOpenFileName(parent, question.title, question.folder,
                                     question.filters.join(QLatin1String(";;")), &chosen);
    return answerOf(path, question.filters, chosen);
}

std::optional<FileAnswer> DialogPrompts::saveFile(QWidget* parent, const FileQuestion& question) {
    QFileDialog dialog(parent, question.title, question.folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(question.filters);
    if (!question.filters.isEmpty())
        dialog.selectNameFilter(question.filters.value(question.filterIndex));
    dialog.setDefaultSuffix(question.defaultSuffix);
    if (!question.proposedName.isEmpty()) dialog.selectFile(question.proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return answerOf(dialog.selectedFiles().front(), question.filters, dialog.selectedNameFilter());
}

std::optional<QString> DialogPrompts::folder(QWidget* parent, const QString& title,
                                             const QString& start) {
    const QString chosen = QFileDialog::getExistingDirectory(parent, title, start);
    if (chosen.isEmpty()) return std::nullopt;
    return chosen;
}

std::optional<QColor> DialogPrompts::colour(QWidget* parent, const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
}

bool DialogPrompts::print(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace qm::platform
