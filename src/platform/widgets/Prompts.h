#pragma once
// Every modal question the program asks goes through one Prompts object: message boxes with
// buttons, the open, save and folder dialogs, the colour dialog and the print dialog. The
// program installs the real dialogs; tests install answers from a script, so no test waits on
// a dialog.

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

class QPrinter;
class QWidget;

namespace qm::platform {

enum class BoxIcon { Information, Warning, Error, Question };
enum class BoxButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class BoxAnswer { Ok, Cancel, Yes, No };

struct FileQuestion {
    QString title;
    QString folder;       // where the dialog starts
    QString proposedName; // a save dialog's proposed file name
    QStringList filters;  // "Gif87a Image (*.gif)", ...
    int filterIndex = 0;  // the filter chosen at the start, from 0
    QString defaultSuffix;
};

struct FileAnswer {
    QString path;
    int filterIndex = 0; // the filter chosen, from 0
};

class Prompts {
public:
    virtual ~Prompts() = default;
    // A message box titled with the program's name; the text's line breaks are normalised.
    virtual BoxAnswer message(QWidget* parent, BoxIcon icon, const QString& text,
                              BoxButtons buttons) = 0;
    // Nothing when cancelled.
    virtual std::optional<FileAnswer> openFile(QWidget* parent, const FileQuestion& question) = 0;
    virtual std::optional<FileAnswer> saveFile(QWidget* parent, const FileQuestion& question) = 0;
    virtual std::optional<QString> folder(QWidget* parent, const QString& title,
                                          const QString& start) = 0;
    virtual std::optional<QColor> colour(QWidget* parent, const QColor& initial) = 0;
    // The print dialog for `printer`; false when cancelled.
    virtual bool print(QWidget* parent, QPrinter& printer) = 0;
};

// The program's prompts: the real dialogs unless another set was installed.
Prompts& prompts();
// Installs `replacement` (not owned) as the program's prompts; nullptr goes back to the real
// dialogs. Returns the set that was installed before.
Prompts* installPrompts(Prompts* replacement);

// The title of every message box: the program's name.
void setBoxTitle(const QString& title);

// The text as a message box shows it: the core's "\r\n", "\n\r" and lone "\r" become "\n".
QString normalisedLineBreaks(const QString& text);

// The real dialogs.
class DialogPrompts final : public Prompts {
public:
    BoxAnswer message(QWidget* parent, BoxIcon icon, const QString& text,
                      BoxButtons buttons) override;
    std::optional<FileAnswer> openFile(QWidget* parent, const FileQuestion& question) override;
    std::optional<FileAnswer> saveFile(QWidget* parent, const FileQuestion& question) override;
    std::optional<QString> folder(QWidget* parent, const QString& title,
                                  const QString& start) override;
    std::optional<QColor> colour(QWidget* parent, const QColor& initial) override;
    bool print(QWidget* parent, QPrinter& printer) override;
};

} // namespace qm::platform
