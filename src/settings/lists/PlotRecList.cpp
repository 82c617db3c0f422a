#include "PlotRecList.h"

#include "settings/ListFile.h"
#include "settings/SettingsMessages.h"
#include "settings/SettingsStream.h"

namespace qm {

void TPlotRecList::save(const std::filesystem::path& file) const {
    saveList(file, [this](SettingsWriter& w) {
        for (const auto& r : records) r->WriteTo(w);
    });
}

void TPlotRecList::load(const std::filesystem::path& file, MessageSink& sink) {
    loadList(file, sink, settings_messages::kTroubleReadingPlotList,
             [this](SettingsReader& r) { records.push_back(TOscObj::ReadNew(r)); });
}

TPlotRecList factoryDefaultSet() {
    TPlotRecList set;
    set.records.reserve(kSettingsSetSize);
    set.records.push_back(TOscObj::CreatePriceChartRecord());
    for (int kind = 1; kind <= kIndicatorKinds; ++kind)
        set.records.push_back(TOscObj::Create(kind));
    return set;
}

void writeFactoryDefaults(const std::filesystem::path& file) {
    factoryDefaultSet().save(file);
}

} // namespace qm
