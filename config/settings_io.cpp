#include "config/settings_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <string>

#include "base/julian.h"
#include "base/number_text.h"
#include "base/replacing_file.h"
#include "base/utf8_text.h"
#include "config/input_limits.h"

namespace qv {

namespace {

// Added before the date and time are split off, so that a whole second that the MJD holds a
// hair too small (01:29:59.99999 for 01:30:00) is not truncated to the second before.
constexpr double kSplitAllowanceDays = 0.001 / kSecondsPerDay;
constexpr int kConfigNumbers = 4;            // zone, latitude, longitude, height
constexpr int kNumberLineSize = 80;          // a number line is read up to 79 characters
constexpr int kNameLineSize = kLocationNameMax + 1;  // the name line is read up to 30 bytes
constexpr int kZoneNameSize = 48;  // a longer zone name line is read as none (IANA names have up to 32)

// The values of one configuration file, kept apart until all of them were read and checked.
struct ConfigValues {
    double numbers[kConfigNumbers] = {};
    char name[kNameLineSize] = {};
    int flag = 0;
    char zoneName[kZoneNameSize] = {};  // line 7, empty when the zone is the fixed offset
};

long long clockUnixSeconds() { return static_cast<long long>(std::time(nullptr)); }

// Formats one real number into a page line, with "." as the decimal separator.
void appendNumberLine(PageBuffer& page, const char* format, double value)
{
    char line[kPageColumns + 64];
    std::snprintf(line, sizeof line, format, value);
    commaToPointOutsideParens(line);
    appendLine(page, line);
}

bool isUtf8Continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Bytes a UTF-8 character has when it starts with lead (1 for ASCII and stray bytes).
std::size_t utf8SequenceLength(unsigned char lead)
{
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

// Replaces the bytes of a NUL-terminated name that are no UTF-8 by U+FFFD, cut on a whole
// character to fit size - 1 bytes.
void keepValidUtf8(char* name, std::size_t size)
{
    const std::string valid = validUtf8(name);
    const std::size_t length = utf8WholeCharactersLength(valid.data(), std::min(valid.size(), size - 1));
    std::memcpy(name, valid.data(), length);
    name[length] = '\0';
}

// Line 7 of the configuration file, after the flag: the name of a named zone. Earlier
// versions stop reading at the flag, so they keep the fixed offset of line 1. A name that does
// not fit is read as no name.
void readZoneNameLine(std::FILE* file, char (&zoneName)[kZoneNameSize])
{
    char line[kZoneNameSize + 2] = {};
    if (std::fscanf(file, "%*[\r\n]") == EOF || std::fgets(line, sizeof line, file) == nullptr)
        return;
    std::size_t length = std::strcspn(line, "\r\n");
    if (length >= sizeof zoneName)
        return;
    line[length] = '\0';
    std::memcpy(zoneName, line, length + 1);
}

// Lines 1 to 7 of an open configuration file; true when everything up to the name was read.
bool readConfigValues(std::FILE* file, ConfigValues& values)
{
    for (double& number : values.numbers)
        if (!readNumbersFromLine(file, std::span(&number, 1)) || std::feof(file))
            return false;
    if (std::fgets(values.name, sizeof values.name, file) == nullptr)
        return false;
    std::size_t length = std::strlen(values.name);
    // A file edited elsewhere may end its lines in CR LF.
    while (length > 0 && (values.name[length - 1] == '\n' || values.name[length - 1] == '\r'))
        --length;
    if (std::feof(file))
        return false;
    values.name[utf8WholeCharactersLength(values.name, length)] = '\0';
    keepValidUtf8(values.name, sizeof values.name);
    int flag = 0;
    if (std::fscanf(file, "%d", &flag) != 1)
        flag = 0;
    if (std::ferror(file))
        return false;
    values.flag = flag;
    readZoneNameLine(file, values.zoneName);
    return true;
}

// Empty when the numbers are values the computations accept (finite and within the input
// ranges), else the first value's message.
std::string configRangeProblem(const ConfigValues& values)
{
    std::string (*const checks[kConfigNumbers])(double) = {checkTimeZone, checkLatitude, checkLongitude,
                                                            checkHeight};
    for (int i = 0; i < kConfigNumbers; ++i)
        if (std::string message = checks[i](values.numbers[i]); !message.empty())
            return message;
    return {};
}

constexpr int kNotRegularFile = -1;

// Opens path for reading only when it is a regular file: a FIFO would wait for a writer and a
// device might never end. 0 with file set, kNotRegularFile, or the system's error number
// (ENOENT: no file at all).
int openRegularFile(const char* path, std::FILE*& file)
{
    const int descriptor = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return errno;
    struct stat status {};
    int failure = fstat(descriptor, &status) != 0 ? errno : 0;
    if (failure == 0 && !S_ISREG(status.st_mode))
        failure = S_ISDIR(status.st_mode) ? EISDIR : kNotRegularFile;
    file = failure == 0 ? fdopen(descriptor, "r") : nullptr;
    if (failure == 0 && file == nullptr)
        failure = errno;
    if (failure != 0)
        close(descriptor);
    return failure;
}

// Gives the reason (when one is asked for) and the result of an unreadable file.
ConfigRead unreadable(std::string* reason, const std::string& why)
{
    if (reason != nullptr)
        *reason = why;
    return ConfigRead::Unreadable;
}

// Writes the six lines of the configuration file; false when any write failed.
bool writeConfigText(std::FILE* file, const SettingsRecord& settings, int flag)
{
    const double numbers[kConfigNumbers] = {settings.time.zone.offsetHours, settings.observer.latitudeDeg,
                                            settings.observer.longitudeDeg, settings.observer.heightM};
    for (double number : numbers) {
        char line[400];  // "%lf" of the largest double has 309 digits before the point
        const int length = std::snprintf(line, sizeof line, "%lf \n", number);
        if (length < 0 || length >= static_cast<int>(sizeof line))
            return false;
        commaToPointOutsideParens(line);
        if (std::fputs(line, file) == EOF)
            return false;
    }
    const std::string& name = settings.observer.name;
    const std::size_t nameLength = std::min(name.size(), static_cast<std::size_t>(kLocationNameMax));
    if (std::fwrite(name.data(), 1, nameLength, file) != nameLength)
        return false;
    if (std::fprintf(file, "\n%d", flag) < 0)
        return false;
    return !isNamedZone(settings.time.zone) || std::fprintf(file, "\n%s", settings.time.zone.name.c_str()) >= 0;
}

}  // namespace

void setDefaultSettings(SettingsRecord& settings, long long unixSeconds)
{
    settings = SettingsRecord{};
    setDateTimeFromUnixSeconds(settings, unixSeconds);
}

void writeWelcomeLines(PageBuffer& page)
{
    appendLine(page, kWelcomeLine);
    appendBlankLines(page, 1);
}

ConfigRead initSettings(SettingsRecord& settings, PageBuffer& page)
{
    return initSettings(settings, page, kConfigFileName, clockUnixSeconds());
}

ConfigRead initSettings(SettingsRecord& settings, PageBuffer& page, const char* configPath,
                        long long unixSeconds)
{
    setDefaultSettings(settings, unixSeconds);
    writeWelcomeLines(page);
    int flag = 0;
    std::string reason;
    const ConfigRead readResult = readConfigFile(settings, &flag, configPath, &reason);
    if (readResult == ConfigRead::Unreadable) {
        appendLine(page, kConfigProblemLine);
        appendLine(page, std::string(configPath) + ": " + reason);
        appendBlankLines(page, 1);
    } else {
        if (!reason.empty())
            appendLine(page, std::string(configPath) + ": " + reason);
        // Date and time follow the zone just read.
        setDateTimeFromUnixSeconds(settings, unixSeconds);
    }
    writeInputValuesPage(settings, page);
    return readResult;
}

void setDateTimeFromUnixSeconds(SettingsRecord& settings, long long unixSeconds)
{
    settings.time.currentMjdUT = unixSeconds / kSecondsPerDay + kMjdOfUnixEpoch;
    double hourOfDay = 0.0;
    TimeSettings& time = settings.time;
    calendarDate(localMjd(time.currentMjdUT, time.zone) + kSplitAllowanceDays, time.day, time.month, time.year,
                 hourOfDay);
    double seconds = 0.0;
    splitDms(hourOfDay, settings.time.hour, settings.time.minute, seconds);
    settings.time.second = static_cast<int>(seconds);
}

void writeInputValuesPage(const SettingsRecord& settings, PageBuffer& page)
{
    char line[kPageColumns + 64];
    appendLine(page, "The present input values are:");
    appendBlankLines(page, 1);
    std::snprintf(line, sizeof line, "Year: \t%4i", settings.time.year);
    appendLine(page, line);
    if (isNamedZone(settings.time.zone))
        appendLine(page, "Timezone: " + settings.time.zone.name);
    else
        appendNumberLine(page, "Timezone: %g", settings.time.zone.offsetHours);
    appendLine(page, settings.time.deltaTFollowsYear ? "Delta-Time set to automatic"
                                              : "Delta-Time set to manual");
    appendBlankLines(page, 1);
    appendLine(page, "Geographic Location:");
    appendLine(page, settings.observer.name);
    const bool packed = settings.display.dmsAngles;
    appendLine(page, "Latitude:  \t" + angleText(settings.observer.latitudeDeg, packed));
    appendLine(page, "Longitude: \t" + angleText(settings.observer.longitudeDeg, packed));
    appendNumberLine(page, "Height:    \t%g", settings.observer.heightM);
}

std::size_t utf8WholeCharactersLength(const char* text, std::size_t length)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    std::size_t start = length;
    std::size_t continuations = 0;
    while (start > 0 && continuations < 3 && isUtf8Continuation(bytes[start - 1])) {
        --start;
        ++continuations;
    }
    if (start == 0)
        return length;
    const std::size_t lead = start - 1;
    return continuations + 1 < utf8SequenceLength(bytes[lead]) ? lead : length;
}

void storeLocationName(SettingsRecord& settings, const char* utf8Name)
{
    if (utf8Name == nullptr || utf8Name[0] == '\0')
        return;
    const std::string valid = validUtf8(utf8Name);
    const std::size_t kept = utf8WholeCharactersLength(
        valid.data(), std::min(valid.size(), static_cast<std::size_t>(kLocationNameMax)));
    std::string& name = settings.observer.name;
    name.assign(static_cast<std::size_t>(kLocationNameMax), ' ');
    for (std::size_t i = 0; i < kept; ++i) {
        const unsigned char c = static_cast<unsigned char>(valid[i]);
        if (c >= 0x20 && c != 0x7F)
            name[i] = static_cast<char>(c);
    }
}

bool writeConfigFile(const SettingsRecord& settings, int flag, const char* path,
                     std::string* reason)
{
    ReplacingFile file(path);
    if (file.stream() == nullptr || !writeConfigText(file.stream(), settings, flag) || !file.commit()) {
        if (reason != nullptr)
            *reason = file.error().empty() ? std::strerror(EIO) : file.error();
        return false;
    }
    return true;
}

bool sameConfigValues(const SettingsRecord& a, const SettingsRecord& b)
{
    return a.time.zone.offsetHours == b.time.zone.offsetHours && a.time.zone.name == b.time.zone.name &&
           a.observer.latitudeDeg == b.observer.latitudeDeg && a.observer.longitudeDeg == b.observer.longitudeDeg &&
           a.observer.heightM == b.observer.heightM && a.observer.name == b.observer.name;
}

ConfigRead readConfigFile(SettingsRecord& settings, int* flagOut, const char* path, std::string* reason)
{
    if (flagOut != nullptr)
        *flagOut = 0;
    std::FILE* file = nullptr;
    if (const int failure = openRegularFile(path, file); failure != 0) {
        if (failure == ENOENT)
            return ConfigRead::Missing;
        return unreadable(reason, failure == kNotRegularFile ? "not a regular file" : std::strerror(failure));
    }
    ConfigValues values;
    const bool complete = readConfigValues(file, values);
    std::fclose(file);
    if (!complete)
        return unreadable(reason, "incomplete, or no number where one belongs");
    if (const std::string problem = configRangeProblem(values); !problem.empty())
        return unreadable(reason, problem);
    settings.time.zone = TimeZone{values.numbers[0]};
    if (values.zoneName[0] != '\0' && !findTimeZone(values.zoneName, settings.time.zone) && reason != nullptr)
        *reason = "unknown time zone \"" + std::string(values.zoneName) + "\": the fixed offset is used";
    settings.observer.latitudeDeg = values.numbers[1];
    settings.observer.longitudeDeg = values.numbers[2];
    settings.observer.heightM = values.numbers[3];
    settings.observer.name = values.name;
    if (flagOut != nullptr)
        *flagOut = values.flag == 1 ? 1 : 0;
    return ConfigRead::Read;
}

bool readNumbersFromLine(std::FILE* file, std::span<double> values)
{
    char line[kNumberLineSize];
    if (std::fgets(line, sizeof line, file) == nullptr)
        return false;
    const std::string_view text(line);
    if (text.empty())
        return false;
    // A line longer than the buffer would leave its rest to be read as the next line.
    if (text.size() == sizeof line - 1 && text.back() != '\n' && !std::feof(file))
        return false;
    if (values.empty())
        return true;
    std::size_t position = 0;
    std::size_t stored = 0;
    for (;;) {
        while (position < text.size() && text[position] == ' ')
            ++position;
        if (position == text.size())
            return false;
        const std::size_t end = std::min(text.find(' ', position), text.size());
        if (!tryParseNumber(text.substr(position, end - position), values[stored++]))
            return false;
        if (stored == values.size())
            return true;
        if (end == text.size())
            return false;
        position = end;
    }
}

}  // namespace qv
