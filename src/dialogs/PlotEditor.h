#pragma once
// TPlotEditor: the modal "Chart and indicator settings editor". It shows one symbol's indicator
// settings set on three pages (Chart Type, Indicator, Chart Colors) with a preview of the
// chart, and saves it for that symbol or assigns it to another. The editing itself is done by
// PlotEditorModel and the Indicator page's rules (IndicatorPage.h); this window shows their
// state and hands them the user's changes.

#include "PlotEditorModel.h"
#include "market/FormatSettings.h"
#include "platform/widgets/MessageBoxSink.h"

#include <QDialog>
#include <array>
#include <filesystem>
#include <string>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace qm {

class ColourButton;
class TParamRecList;

// What the editor works on besides the settings files; the references are the program's own
// and must outlive the dialog.
struct PlotEditorContext {
    std::filesystem::path settingsFolder;
    TParamRecList& settingsList;
    // The renderer options, changed as soon as their boxes are clicked.
    bool& showIndOnScale;
    bool& showParamsOnChart;
    // The indicator shown last, shown first at the next opening.
    int& indicatorIndex;
    FormatSettings locale;
    std::string chartTitle;             // the selected chart's title; empty without one
    std::filesystem::path saveAsFolder; // where Save As starts looking for a price file
};

class TPlotEditor final : public QDialog {
    Q_OBJECT

public:
    explicit TPlotEditor(const PlotEditorContext& context, QWidget* parent = nullptr);
    ~TPlotEditor() override;

    PlotEditorModel& model() { return model_; }
    // The indicator kind the Indicator page shows (1 to 30).
    int shownKind() const;
    // How many times the preview has been drawn.
    int previewDrawings() const { return previewDrawings_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    QWidget* makeChartTypePage();
    QWidget* makeIndicatorPage();
    QWidget* makeColoursPage();

    void symbolChanged();
    void chooseSymbol(const QString& symbol);
    void indicatorChanged();
    void showIndicator();
    void showChartPages();
    void redrawPreview();
    bool coloursPageShowing() const;

    void save();
    void saveAs();
    void deleteSymbol();
    void restoreFactorySettings();

    PlotEditorContext context_;
    platform::MessageBoxSink sink_;
    PlotEditorModel model_;
    int previewDrawings_ = 0;

    QTabWidget* pages_ = nullptr;
    QWidget* coloursPage_ = nullptr;
    QButtonGroup* chartTypes_ = nullptr;

    QComboBox* cbOscList_ = nullptr;
    QLabel* lblNumVars_ = nullptr;
    QSpinBox* iseNumVars_ = nullptr;
    std::array<QLabel*, 4> lblVar_{};
    std::array<QDoubleSpinBox*, 4> fseVar_{};
    std::array<QLabel*, 3> lblClr_{};
    std::array<ColourButton*, 3> colorBtn_{};
    QButtonGroup* priceRadios_ = nullptr;
    std::array<QRadioButton*, 3> rbUz_{};
    std::array<QCheckBox*, 3> stageChecks_{};

    QButtonGroup* elements_ = nullptr;
    ColourButton* colorBtn3_ = nullptr;
    QSpinBox* seFontSize_ = nullptr;
    QCheckBox* ckShoOscVal_ = nullptr;
    QCheckBox* ckShowIndParams_ = nullptr;
    QLabel* imgBMP_ = nullptr;

    QComboBox* cbPRMs_ = nullptr;
    QPushButton* cmdSave_ = nullptr;
    QPushButton* cmdSaveAs_ = nullptr;
    QPushButton* cmdDone_ = nullptr;
};

} // namespace qm
