// Arbitrary bytes as a configuration file, as a number line, as number text and as a location
// name: no crash, and whatever is accepted is finite, within the input ranges and terminated.
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/number_text.h"
#include "config/input_limits.h"
#include "config/settings_io.h"

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

const std::string& scratchPath()
{
    static const std::string path = [] {
        char name[] = "/tmp/quorvel-config-fuzz-XXXXXX";
        const int fd = mkstemp(name);
        require(fd >= 0);
        close(fd);
        return std::string(name);
    }();
    return path;
}

void fuzzConfigFile(const std::uint8_t* data, std::size_t size)
{
    std::FILE* file = std::fopen(scratchPath().c_str(), "wb");
    require(file != nullptr);
    require(std::fwrite(data, 1, size, file) == size);
    require(std::fclose(file) == 0);

    const qv::SettingsRecord before;
    qv::SettingsRecord settings;
    int flag = -1;
    const qv::ConfigRead result = qv::readConfigFile(settings, &flag, scratchPath().c_str());
    require(settings.observer.name.size() <= static_cast<std::size_t>(qv::kLocationNameMax));
    if (result == qv::ConfigRead::Read) {
        require(flag == 0 || flag == 1);
        require(qv::checkTimeZone(settings.time.zone.offsetHours).empty());
        require(qv::checkLatitude(settings.observer.latitudeDeg).empty());
        require(qv::checkLongitude(settings.observer.longitudeDeg).empty());
        require(qv::checkHeight(settings.observer.heightM).empty());
        return;
    }
    require(result == qv::ConfigRead::Unreadable && flag == 0);
    require(settings.time.zone.offsetHours == before.time.zone.offsetHours && settings.observer.latitudeDeg == before.observer.latitudeDeg &&
            settings.observer.longitudeDeg == before.observer.longitudeDeg && settings.observer.heightM == before.observer.heightM);
    require(settings.observer.name == before.observer.name);
}

void fuzzNumberLine(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return;
    std::string text(reinterpret_cast<const char*>(data), size);
    std::FILE* file = fmemopen(text.data(), text.size(), "r");
    require(file != nullptr);
    double values[4] = {};
    const std::size_t count = data[0] % 5;
    qv::readNumbersFromLine(file, std::span(values, count));
    std::fclose(file);
    for (double value : values)
        require(std::isfinite(value));
}

void fuzzNumberText(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    require(std::isfinite(qv::parseNumber(text)));
    double value = 0.0;
    if (qv::tryParseNumber(text, value))
        require(std::isfinite(value));
}

void fuzzLocationName(const std::uint8_t* data, std::size_t size)
{
    const std::string name(reinterpret_cast<const char*>(data), size);
    qv::SettingsRecord settings;
    qv::storeLocationName(settings, name.c_str());
    if (name.c_str()[0] == '\0')
        return;
    require(settings.observer.name.size() == static_cast<std::size_t>(qv::kLocationNameMax));
    for (const char c : settings.observer.name)
        require(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzConfigFile(data, size);
    fuzzNumberLine(data, size);
    fuzzNumberText(data, size);
    fuzzLocationName(data, size);
    return 0;
}
