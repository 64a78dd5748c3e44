#pragma once
// The observer: the place the local circumstances, rise and set and the sky are computed for.
#include <string>

namespace qv {

constexpr int kLocationNameMax = 30;  // bytes of a location name

struct Observer {
    double latitudeDeg = 0.0;   // north positive
    double longitudeDeg = 0.0;  // east positive
    double heightM = 0.0;       // above sea level
    std::string name = "Default";  // at most kLocationNameMax bytes (see storeLocationName)
};

// A location name without the blanks that may pad it to its field.
inline std::string trimmedLocationName(const std::string& name)
{
    return name.substr(0, name.find_last_not_of(' ') + 1);
}

}  // namespace qv
