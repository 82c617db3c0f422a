#include "ConfigStore.h"

#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <cstdio>

namespace qm::platform {
namespace {

QString keyOf(std::string_view group, std::string_view key) {
    return QString::fromUtf8(group.data(), static_cast<qsizetype>(group.size())) +
           QLatin1Char('/') + QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

// A file that is there but cannot be read as a file, as opposed to one not made yet.
bool fileIsUnreadable(const std::filesystem::path& file) {
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (status.type() == std::filesystem::file_type::not_found) return false;
    if (ec || status.type() != std::filesystem::file_type::regular) return true;
    std::FILE* f = std::fopen(file.c_str(), "rb");
    if (!f) return true;
    std::fgetc(f);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    return failed;
}

} // namespace

ConfigStore::ConfigStore(const std::filesystem::path& file)
    : file_(file), readable_(!fileIsUnreadable(file)),
      settings_(std::make_unique<QSettings>(QString::fromStdString(file.string()),
                                            QSettings::IniFormat)) {
    // Keys keep their case and values their bytes as UTF-8 text.
    settings_->setFallbacksEnabled(false);
}

ConfigStore::~ConfigStore() = default;

std::filesystem::path ConfigStore::defaultFile() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty()) return {};
    return std::filesystem::path(base.toStdString()) / "Quillmar" / "Quillmar7.conf";
}

std::optional<int> ConfigStore::readInt(std::string_view group, std::string_view key) const {
    if (!readable_) return std::nullopt;
    const QVariant v = settings_->value(keyOf(group, key));
    if (!v.isValid()) return std::nullopt;
    bool ok = false;
    const int value = v.toString().trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<bool> ConfigStore::readBool(std::string_view group, std::string_view key) const {
    if (!readable_) return std::nullopt;
    const QVariant v = settings_->value(keyOf(group, key));
    if (!v.isValid()) return std::nullopt;
    const QString text = v.toString().trimmed().toLower();
    if (text == QLatin1String("true")) return true;
    if (text == QLatin1String("false")) return false;
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<bool>(value != 0) : std::nullopt;
}

std::optional<std::string> ConfigStore::readText(std::string_view group,
                                                 std::string_view key) const {
    if (!readable_) return std::nullopt;
    const QVariant v = settings_->value(keyOf(group, key));
    if (!v.isValid()) return std::nullopt;
    return v.toString().toStdString();
}

std::vector<std::pair<std::string, std::string>>
ConfigStore::readGroup(std::string_view group) const {
    std::vector<std::pair<std::string, std::string>> out;
    if (!readable_) return out;
    settings_->beginGroup(QString::fromUtf8(group.data(), static_cast<qsizetype>(group.size())));
    for (const QString& key : settings_->childKeys())
        out.emplace_back(key.toStdString(), settings_->value(key).toString().toStdString());
    settings_->endGroup();
    return out;
}

void ConfigStore::writeInt(std::string_view group, std::string_view key, int value) {
    if (!readable_) return;
    settings_->setValue(keyOf(group, key), value);
}

void ConfigStore::writeBool(std::string_view group, std::string_view key, bool value) {
    if (!readable_) return;
    settings_->setValue(keyOf(group, key), value ? 1 : 0);
}

void ConfigStore::writeText(std::string_view group, std::string_view key, std::string_view value) {
    if (!readable_) return;
    settings_->setValue(keyOf(group, key),
                        QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
}

bool ConfigStore::save() {
    // A file that could not be read is never replaced by the few values written since.
    if (!readable_) return false;
    // Qt writes the whole file anew through a temporary file renamed over the old one.
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

} // namespace qm::platform
