#include "PlotEditor.h"

#include "ColourButton.h"
#include "EditorMessages.h"
#include "EditorPreview.h"
#include "IndicatorPage.h"
#include "format/NumberFormat.h"
#include "help/Help.h"
#include "indicators/Catalogue.h"
#include "indicators/OscObj.h"
#include "platform/widgets/Prompts.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace qm {
namespace {

namespace em = editor_messages;

QString qs(std::string_view text) {
    return platform::normalisedLineBreaks(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

template <class W> W* named(W* widget, const char* name, std::string_view hint = {}) {
    widget->setObjectName(QString::fromLatin1(name));
    if (!hint.empty()) widget->setToolTip(qs(hint));
    return widget;
}

void limitTyping(QAbstractSpinBox* box, int characters) {
    if (auto* edit = box->findChild<QLineEdit*>()) edit->setMaxLength(characters);
}

// A parameter box writes its value with a number pattern, as the chart writes numbers.
class ParamBox final : public QDoubleSpinBox {
public:
    explicit ParamBox(QWidget* parent) : QDoubleSpinBox(parent) {
        setDecimals(3);
        setRange(editor::kBoxMin, editor::kBoxMax);
        setKeyboardTracking(false);
        limitTyping(this, editor::kBoxMaxLength);
    }
    void setPattern(std::string_view pattern) {
        pattern_ = pattern.empty() ? kPlainPattern : pattern;
        // Shown again in the new pattern.
        setValue(value());
    }

protected:
    QString textFromValue(double value) const override {
        FormatSettings fs;
        fs.decimalSeparator = locale().decimalPoint().at(0).toLatin1();
        fs.thousandSeparator = '\0';
        return QString::fromStdString(formatNumber(value, pattern_, fs));
    }

private:
    static constexpr std::string_view kPlainPattern = "0.###";
    std::string_view pattern_ = kPlainPattern;
};

ScreenFacts screenFacts(const QWidget& widget) {
    ScreenFacts facts;
    if (const QScreen* screen = widget.screen()) {
        const qreal ratio = screen->devicePixelRatio();
        facts.width = static_cast<int>(std::lround(screen->geometry().width() * ratio));
        facts.height = static_cast<int>(std::lround(screen->geometry().height() * ratio));
        facts.pixelsPerInch = static_cast<int>(std::lround(screen->logicalDotsPerInch() * ratio));
    }
    return facts;
}

constexpr QSize kFormSize(361, 420);
constexpr QSize kPreviewSize(330, 210);

} // namespace

TPlotEditor::TPlotEditor(const PlotEditorContext& context, QWidget* parent)
    : QDialog(parent), context_(context), sink_(this),
      model_(context.settingsFolder, context.settingsList, sink_) {
    setObjectName(QStringLiteral("PlotEditor"));
    setWindowTitle(qs(em::kCaption));
    setWindowFlags((windowFlags() | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) &
                   ~Qt::WindowContextHelpButtonHint);

    pages_ = named(new QTabWidget(this), "PageControl1", em::kPagesHint);
    pages_->addTab(makeChartTypePage(), qs(em::kChartTypePage));
    pages_->addTab(makeIndicatorPage(), qs(em::kIndicatorPage));
    coloursPage_ = makeColoursPage();
    pages_->addTab(coloursPage_, qs(em::kColoursPage));
    pages_->setTabToolTip(0, qs(em::kChartTypePageHint));
    pages_->setTabToolTip(1, qs(em::kIndicatorPageHint));
    pages_->setTabToolTip(2, qs(em::kColoursPageHint));

    auto* lblParams = named(new QLabel(qs(em::kSymbolLabel), this), "lblParams");
    cbPRMs_ = named(new QComboBox(this), "cbPRMs", em::kSymbolListHint);
    cbPRMs_->installEventFilter(this);
    cmdSaveAs_ = named(new QPushButton(qs(em::kSaveAs), this), "cmdSaveAs", em::kSaveAsHint);
    auto* cmdFactory =
        named(new QPushButton(qs(em::kFactory), this), "CmdRestoreDefaults", em::kFactoryHint);
    cmdSave_ = named(new QPushButton(qs(em::kSave), this), "cmdSave", em::kSaveHint);
    cmdDone_ = named(new QPushButton(qs(em::kDone), this), "cmdDone", em::kDoneHint);
    cmdDone_->setDefault(true);

    auto* symbolRow = new QHBoxLayout;
    symbolRow->addWidget(lblParams);
    symbolRow->addWidget(cbPRMs_, 1);
    auto* buttons = new QGridLayout;
    buttons->addWidget(cmdSaveAs_, 0, 0);
    buttons->addWidget(cmdFactory, 0, 1);
    buttons->addWidget(cmdSave_, 1, 0);
    buttons->addWidget(cmdDone_, 1, 1);
    auto* form = new QVBoxLayout(this);
    form->addWidget(pages_, 1);
    form->addLayout(symbolRow);
    form->addLayout(buttons);

    connect(cbPRMs_, &QComboBox::currentIndexChanged, this, &TPlotEditor::symbolChanged);
    connect(cmdSave_, &QPushButton::clicked, this, &TPlotEditor::save);
    connect(cmdSaveAs_, &QPushButton::clicked, this, &TPlotEditor::saveAs);
    connect(cmdFactory, &QPushButton::clicked, this, &TPlotEditor::restoreFactorySettings);
    connect(cmdDone_, &QPushButton::clicked, this, &QDialog::accept);
    connect(pages_, &QTabWidget::currentChanged, this, &TPlotEditor::redrawPreview);
    auto* helpKey = new QAction(this);
    helpKey->setShortcut(Qt::Key_F1);
    addAction(helpKey);
    connect(helpKey, &QAction::triggered, this,
            [this] { help::showHelp(this, help::kSettingsEditor); });

    // The opening: the symbols, the selected chart's symbol, the options, its settings, and the
    // indicator shown last on the Indicator page.
    {
        const QSignalBlocker quiet(cbPRMs_);
        for (const std::string& symbol : model_.symbols())
            cbPRMs_->addItem(QString::fromStdString(symbol));
        cbPRMs_->setCurrentIndex(cbPRMs_->findText(QString::fromStdString(context_.chartTitle),
                                                   Qt::MatchExactly | Qt::MatchCaseSensitive));
        const QSignalBlocker quietOscList(cbOscList_);
        cbOscList_->setCurrentIndex(std::clamp(context_.indicatorIndex, 0, kIndicatorKinds - 1));
        const QSignalBlocker quietScale(ckShoOscVal_);
        const QSignalBlocker quietParams(ckShowIndParams_);
        ckShoOscVal_->setChecked(context_.showIndOnScale);
        ckShowIndParams_->setChecked(context_.showParamsOnChart);
    }
    symbolChanged();
    pages_->setCurrentIndex(1);

    setFixedSize(sizeHint().expandedTo(kFormSize));
}

TPlotEditor::~TPlotEditor() = default;

QWidget* TPlotEditor::makeChartTypePage() {
    auto* page = named(new QWidget, "tsOptions");
    auto* group = named(new QGroupBox(qs(em::kChartTypeGroup), page), "rgChartType");
    auto* column = new QVBoxLayout(group);
    chartTypes_ = new QButtonGroup(this);
    for (std::size_t i = 0; i < em::kChartTypes.size(); ++i) {
        auto* radio = new QRadioButton(qs(em::kChartTypes[i]), group);
        chartTypes_->addButton(radio, static_cast<int>(i));
        column->addWidget(radio);
    }
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(group);
    layout->addStretch(1);
    connect(chartTypes_, &QButtonGroup::idClicked, this, [this](int id) {
        model_.chartPages().style = id;
        redrawPreview();
    });
    return page;
}

QWidget* TPlotEditor::makeIndicatorPage() {
    auto* page = named(new QWidget, "tsOscillators");
    auto* grid = new QGridLayout(page);
    grid->addWidget(named(new QLabel(qs(em::kSelectIndicator), page), "lblSelStudy"), 0, 0, 1, 2);
    cbOscList_ = named(new QComboBox(page), "cbOscList", em::kIndicatorListHint);
    for (const IndicatorInfo& info : indicatorCatalogue())
        cbOscList_->addItem(QString::fromStdString(std::string(info.editorText)));
    cbOscList_->setMaxVisibleItems(17);
    grid->addWidget(cbOscList_, 1, 0, 1, 2);

    lblNumVars_ = named(new QLabel(page), "lblNumVars");
    iseNumVars_ = named(new QSpinBox(page), "iseNumVars", em::kIntegerHint);
    iseNumVars_->setKeyboardTracking(false);
    grid->addWidget(lblNumVars_, 2, 0);
    grid->addWidget(iseNumVars_, 2, 1);
    int row = 3;
    for (std::size_t b = 0; b < fseVar_.size(); ++b, ++row) {
        const std::string index = std::to_string(b);
        lblVar_[b] = named(new QLabel(page), ("lblVar" + index).c_str());
        fseVar_[b] = named(new ParamBox(page), ("fseVar" + index).c_str(), em::kSetValueHint);
        grid->addWidget(lblVar_[b], row, 0);
        grid->addWidget(fseVar_[b], row, 1);
        connect(fseVar_[b], &QDoubleSpinBox::valueChanged, this, [this, b](double value) {
            editor::setParam(model_.record(shownKind()), shownKind(), static_cast<int>(b), value);
        });
    }
    for (std::size_t c = 0; c < colorBtn_.size(); ++c, ++row) {
        const std::string index = std::to_string(c);
        lblClr_[c] = named(new QLabel(page), ("lblClr" + index).c_str());
        colorBtn_[c] = named(new ColourButton(page), ("ColorBtn" + index).c_str());
        grid->addWidget(lblClr_[c], row, 0);
        grid->addWidget(colorBtn_[c], row, 1);
        connect(colorBtn_[c], &ColourButton::colourChosen, this, [this, c](std::int32_t colour) {
            editor::setColour(model_.record(shownKind()), static_cast<int>(c), colour);
        });
    }

    auto* radioRow = new QHBoxLayout;
    priceRadios_ = new QButtonGroup(this);
    const char* radioNames[] = {"rbUzHi", "rbUzLo", "rbUzCl"};
    for (std::size_t r = 0; r < rbUz_.size(); ++r) {
        rbUz_[r] = named(new QRadioButton(page), radioNames[r]);
        priceRadios_->addButton(rbUz_[r], static_cast<int>(r));
        radioRow->addWidget(rbUz_[r]);
    }
    radioRow->addStretch(1);
    grid->addLayout(radioRow, row++, 0, 1, 2);
    connect(priceRadios_, &QButtonGroup::idToggled, this, [this](int tag, bool checked) {
        if (checked) editor::setPriceChoice(model_.record(shownKind()), shownKind(), tag);
    });

    const char* checkNames[] = {"ckUzRelaxed", "ckDoRecycle", "ckDoAggressive"};
    const editor::StageCheck checks[] = {editor::StageCheck::Relax, editor::StageCheck::Reset,
                                         editor::StageCheck::Aggressive};
    for (std::size_t k = 0; k < stageChecks_.size(); ++k) {
        stageChecks_[k] = named(new QCheckBox(page), checkNames[k]);
        grid->addWidget(stageChecks_[k], row++, 0, 1, 2);
        connect(stageChecks_[k], &QCheckBox::clicked, this, [this, check = checks[k]](bool on) {
            editor::setStageCheck(model_.record(shownKind()), shownKind(), check, on);
            showIndicator();
        });
    }
    grid->setRowStretch(row, 1);

    connect(cbOscList_, &QComboBox::currentIndexChanged, this, &TPlotEditor::indicatorChanged);
    connect(iseNumVars_, &QSpinBox::valueChanged, this, [this](int value) {
        editor::setNumber(model_.record(shownKind()), shownKind(), value);
        showIndicator();
    });
    return page;
}

QWidget* TPlotEditor::makeColoursPage() {
    auto* page = named(new QWidget, "tsChartColors");
    auto* group = named(new QGroupBox(qs(em::kElementGroup), page), "rgColors");
    auto* column = new QVBoxLayout(group);
    elements_ = new QButtonGroup(this);
    for (std::size_t i = 0; i < em::kElements.size(); ++i) {
        auto* radio = new QRadioButton(qs(em::kElements[i]), group);
        elements_->addButton(radio, static_cast<int>(i));
        column->addWidget(radio);
    }
    colorBtn3_ = named(new ColourButton(page), "ColorBtn3");
    seFontSize_ = named(new QSpinBox(page), "seFontSize");
    seFontSize_->setRange(kMinFontSize, kMaxFontSize);
    seFontSize_->setValue(10);
    ckShoOscVal_ =
        named(new QCheckBox(qs(em::kShowValues), page), "ckShoOscVal", em::kShowValuesHint);
    ckShowIndParams_ = named(new QCheckBox(qs(em::kShowParams), page), "ckShowIndParams");
    imgBMP_ = named(new QLabel(page), "imgBMP", em::kPreviewHint);
    imgBMP_->setFixedSize(kPreviewSize);

    auto* side = new QVBoxLayout;
    side->addWidget(colorBtn3_);
    side->addWidget(named(new QLabel(qs(em::kFontSizeLabel), page), "Label1"));
    side->addWidget(seFontSize_);
    side->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(group);
    top->addLayout(side);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(ckShoOscVal_);
    layout->addWidget(ckShowIndParams_);
    layout->addWidget(imgBMP_, 0, Qt::AlignHCenter);
    layout->addStretch(1);

    connect(elements_, &QButtonGroup::idClicked, this, [this](int element) {
        colorBtn3_->setColour(model_.chartPages().colours[static_cast<std::size_t>(element)]);
        redrawPreview();
    });
    connect(colorBtn3_, &ColourButton::colourChosen, this, [this](std::int32_t colour) {
        const int element = std::max(elements_->checkedId(), 0);
        model_.chartPages().colours[static_cast<std::size_t>(element)] = colour;
        redrawPreview();
    });
    connect(seFontSize_, &QSpinBox::valueChanged, this, [this](int size) {
        model_.chartPages().fontSize = size;
        redrawPreview();
    });
    connect(ckShoOscVal_, &QCheckBox::toggled, this, [this](bool on) {
        context_.showIndOnScale = on;
        redrawPreview();
    });
    connect(ckShowIndParams_, &QCheckBox::toggled, this, [this](bool on) {
        context_.showParamsOnChart = on;
        redrawPreview();
    });
    return page;
}

int TPlotEditor::shownKind() const {
    return std::max(cbOscList_->currentIndex(), 0) + 1;
}

bool TPlotEditor::coloursPageShowing() const {
    return pages_->currentWidget() == coloursPage_;
}

void TPlotEditor::symbolChanged() {
    chooseSymbol(cbPRMs_->currentText());
}

void TPlotEditor::chooseSymbol(const QString& symbol) {
    model_.selectSymbol(symbol.toStdString());
    const QString chosen = QString::fromStdString(model_.symbol());
    {
        const QSignalBlocker quiet(cbPRMs_);
        int index = cbPRMs_->findText(chosen, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index < 0) {
            cbPRMs_->insertItem(0, chosen);
            index = 0;
        }
        cbPRMs_->setCurrentIndex(index);
    }
    cmdSave_->setEnabled(model_.canSave());
    showIndicator();
    showChartPages();
    redrawPreview();
}

void TPlotEditor::indicatorChanged() {
    showIndicator();
}

void TPlotEditor::showIndicator() {
    const int kind = shownKind();
    TOscObj& record = model_.record(kind);
    editor::prepareForShowing(record, kind);
    const editor::IndicatorView view = editor::indicatorView(record, kind);

    const QSignalBlocker quietNumber(iseNumVars_);
    lblNumVars_->setVisible(view.number.shown);
    iseNumVars_->setVisible(view.number.shown);
    if (view.number.shown) {
        lblNumVars_->setText(qs(view.number.label));
        iseNumVars_->setRange(view.number.min, view.number.max);
        limitTyping(iseNumVars_, view.number.maxLength);
        if (iseNumVars_->value() != view.number.value) iseNumVars_->setValue(view.number.value);
    }

    for (std::size_t b = 0; b < view.boxes.size(); ++b) {
        const editor::BoxView& box = view.boxes[b];
        auto* spin = static_cast<ParamBox*>(fseVar_[b]);
        const QSignalBlocker quiet(spin);
        lblVar_[b]->setVisible(box.shown);
        spin->setVisible(box.shown);
        if (!box.shown) continue;
        lblVar_[b]->setText(qs(box.label));
        spin->setToolTip(qs(box.hint));
        spin->setEnabled(box.enabled);
        spin->setSingleStep(box.step);
        spin->setPattern(box.pattern);
        spin->setValue(box.value);
    }

    for (std::size_t c = 0; c < view.colours.size(); ++c) {
        const editor::ColourView& colour = view.colours[c];
        lblClr_[c]->setVisible(colour.shown);
        colorBtn_[c]->setVisible(colour.shown);
        if (!colour.shown) continue;
        lblClr_[c]->setText(qs(colour.label));
        colorBtn_[c]->setColour(colour.colour);
    }

    {
        const QSignalBlocker quiet(priceRadios_);
        // None checked is a state of its own (a pattern kind reading the close).
        priceRadios_->setExclusive(false);
        for (std::size_t r = 0; r < rbUz_.size(); ++r) {
            const editor::ChoiceView& radio = view.radios[r];
            const QSignalBlocker quietRadio(rbUz_[r]);
            rbUz_[r]->setVisible(radio.shown);
            rbUz_[r]->setChecked(radio.shown && radio.checked);
            if (!radio.shown) continue;
            rbUz_[r]->setText(qs(radio.text));
            rbUz_[r]->setToolTip(qs(radio.hint));
        }
        priceRadios_->setExclusive(true);
    }

    for (std::size_t k = 0; k < stageChecks_.size(); ++k) {
        const editor::ChoiceView& check = view.checks[k];
        const QSignalBlocker quiet(stageChecks_[k]);
        stageChecks_[k]->setVisible(check.shown);
        if (!check.shown) continue;
        stageChecks_[k]->setText(qs(check.text));
        stageChecks_[k]->setToolTip(qs(check.hint));
        stageChecks_[k]->setChecked(check.checked);
    }
}

void TPlotEditor::showChartPages() {
    const ChartPages& pages = model_.chartPages();
    if (QAbstractButton* type = chartTypes_->button(pages.style)) {
        type->setChecked(true);
    } else {
        // A chart type this editor does not offer stays as it was unless one is chosen.
        chartTypes_->setExclusive(false);
        for (QAbstractButton* button : chartTypes_->buttons()) button->setChecked(false);
        chartTypes_->setExclusive(true);
    }
    elements_->button(ChartPages::Background)->setChecked(true);
    colorBtn3_->setColour(pages.colours[ChartPages::Background]);
    const QSignalBlocker quiet(seFontSize_);
    seFontSize_->setValue(pages.fontSize);
}

void TPlotEditor::redrawPreview() {
    // Hidden, it is drawn when its page shows.
    if (!coloursPageShowing()) return;
    PreviewRequest request;
    request.price = &model_.record(0);
    request.indicator = &model_.record(shownKind());
    request.pages = model_.chartPages();
    request.options = {context_.showIndOnScale, context_.showParamsOnChart};
    request.title = model_.symbol();
    const qreal ratio = devicePixelRatioF();
    const QSize size = imgBMP_->size() - QSize(1, 1);
    request.size = QSize(static_cast<int>(std::lround(size.width() * ratio)),
                         static_cast<int>(std::lround(size.height() * ratio)));
    request.screen = screenFacts(*this);
    QImage picture = drawPreview(request, context_.locale);
    picture.setDevicePixelRatio(ratio);
    imgBMP_->setPixmap(QPixmap::fromImage(picture));
    ++previewDrawings_;
}

void TPlotEditor::save() {
    model_.save();
    cmdDone_->setFocus();
}

void TPlotEditor::saveAs() {
    platform::FileQuestion question;
    question.title = qs(em::kSaveAsTitle);
    question.folder = QString::fromStdString(context_.saveAsFolder.string());
    question.filters = {QStringLiteral("Price files (*.csv)"), QStringLiteral("All files (*)")};
    const auto answer = platform::prompts().openFile(this, question);
    const auto outcome = answer ? model_.saveAs(answer->path.toStdString())
                                : PlotEditorModel::SaveAsOutcome::Refused;
    if (outcome != PlotEditorModel::SaveAsOutcome::Saved) {
        if (outcome == PlotEditorModel::SaveAsOutcome::Refused) QApplication::beep();
        cmdSaveAs_->setFocus();
        return;
    }
    // The model has chosen the new symbol; the list shows it.
    chooseSymbol(QString::fromStdString(model_.symbol()));
    redrawPreview();
    cmdDone_->setFocus();
}

void TPlotEditor::deleteSymbol() {
    const QString symbol = QString::fromStdString(model_.symbol());
    if (!model_.deleteSymbol()) return;
    {
        const QSignalBlocker quiet(cbPRMs_);
        cbPRMs_->removeItem(cbPRMs_->findText(symbol, Qt::MatchExactly | Qt::MatchCaseSensitive));
        cbPRMs_->setCurrentIndex(0);
    }
    chooseSymbol(cbPRMs_->itemText(0));
}

void TPlotEditor::restoreFactorySettings() {
    model_.restoreFactorySettings();
    {
        const QSignalBlocker quiet(cbPRMs_);
        cbPRMs_->setCurrentIndex(0);
    }
    chooseSymbol(cbPRMs_->itemText(0));
}

bool TPlotEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cbPRMs_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        deleteSymbol();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TPlotEditor::done(int result) {
    context_.indicatorIndex = cbOscList_->currentIndex();
    QDialog::done(result);
}

} // namespace qm
