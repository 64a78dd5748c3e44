#pragma once
// The eclipse as seen from the place. A solar eclipse: the Sun's and the Moon's discs at each
// contact and at the maximum, zenith up, with their local times, and below them the
// obscuration and the Sun's altitude over the eclipse with the horizon marked. A lunar
// eclipse: the Moon's path through the penumbra and the umbra, north up (south up from the
// southern hemisphere), the Moon at each contact and the table of contact times.
#include <QColor>
#include <QString>
#include <QSizeF>

#include "base/settings.h"
#include "reports/eclipse_seen.h"

class QPainter;

namespace qv {

// Paints eclipse eclipseNumber (from 1) of the settings' year as seen from the settings' place,
// filling sizePx; a line saying so when the year has no such eclipse.
void paintEclipseAsSeen(QPainter& painter, QSizeF sizePx, const SettingsRecord& settings, int eclipseNumber);

// The same from the eclipse's view (as eclipseSeen gives it).
void paintEclipseAsSeen(QPainter& painter, QSizeF sizePx, const EclipseSeen& seen);

// "Total Eclipse of the Sun – Dallas, zone UT-5": the eclipse, the place and the zone.
QString eclipseSeenTitle(const EclipseSeen& seen);

// Colours of the discs: the Sun and the Moon in front of it.
QColor sunDiscColour();
QColor moonDiscColour();

}  // namespace qv
