#include "dialogs/qv_obs_dialog.h"

#include "base/julian.h"
#include "base/places.h"
#include "base/settings.h"
#include "base/time_zone.h"
#include "config/input_limits.h"
#include "dialogs/dialog_form.h"

#include <QCompleter>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <QTimer>
#include <QValidator>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// A packed DD.MMSS angle as the form shows it: six significant digits, more for three-digit
// degrees, so that the whole seconds always show (120.2955, not 120.296 with its 60 seconds).
QString ddmmssText(double packed)
{
    const auto degreeDigits =
        static_cast<int>(QString::number(static_cast<long long>(std::fabs(packed))).size());
    return QString::number(packed, 'g', std::max(6, degreeDigits + 4));
}

// Accepts a text of at most maxBytes bytes in UTF-8, as many as the location name keeps.
class Utf8LengthValidator : public QValidator {
public:
    Utf8LengthValidator(int maxBytes, QObject* parent) : QValidator(parent), maxBytes_(maxBytes) {}
    State validate(QString& input, int&) const override
    {
        return input.toUtf8().size() <= maxBytes_ ? Acceptable : Invalid;
    }

private:
    int maxBytes_;
};

constexpr std::size_t kPlacesOffered = 20;

// The name cut to the bytes the location name keeps, at a whole character.
QString keptLocationName(QString name)
{
    while (name.toUtf8().size() > qv::kLocationNameMax)
        name.chop(1);
    return name;
}

}  // namespace

QvObsDialog::QvObsDialog(QWidget* parent)
    : QvCheckedDialog(parent)
{
    setObjectName(QStringLiteral("QvObsDialog"));
    setWindowTitle(tr("Observer's Location"));

    placeEdit = new QLineEdit(this);
    placeEdit->setObjectName(QStringLiteral("placeEdit"));
    placeEdit->setToolTip(tr("Type the start of a place name and pick the place."));
    placeChoices = new QStringListModel(this);
    placeCompleter = new QCompleter(placeChoices, this);
    placeCompleter->setObjectName(QStringLiteral("placeCompleter"));
    // The choices are already the matches, found without regard to case and accents.
    placeCompleter->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    placeCompleter->setMaxVisibleItems(static_cast<int>(kPlacesOffered));
    placeEdit->setCompleter(placeCompleter);
    connect(placeEdit, &QLineEdit::textEdited, this, &QvObsDialog::searchPlaces);
    connect(placeCompleter, qOverload<const QString&>(&QCompleter::activated), this,
            &QvObsDialog::pickPlace);

    latEdit = new QLineEdit(this);
    latEdit->setObjectName(QStringLiteral("latEdit"));
    lngEdit = new QLineEdit(this);
    lngEdit->setObjectName(QStringLiteral("lngEdit"));
    heightEdit = new QLineEdit(this);
    heightEdit->setObjectName(QStringLiteral("heightEdit"));
    locEdit = new QLineEdit(this);
    locEdit->setObjectName(QStringLiteral("locEdit"));
    locEdit->setMaxLength(qv::kLocationNameMax);
    locEdit->setValidator(new Utf8LengthValidator(qv::kLocationNameMax, locEdit));

    auto* fields = new QFormLayout;
    fields->addRow(qv::ui::makeBuddyLabel(this, "placeLabel", tr("&Search place:"), placeEdit),
                   placeEdit);
    fields->addRow(qv::ui::makeBuddyLabel(this, "textLabel1", tr("L&atitude in deg.:"), latEdit),
                   latEdit);
    fields->addRow(qv::ui::makeBuddyLabel(this, "textLabel2", tr("L&ongitude in deg.:"), lngEdit),
                   lngEdit);
    fields->addRow(qv::ui::makeBuddyLabel(this, "textLabel3", tr("&Height (in m):"), heightEdit),
                   heightEdit);
    fields->addRow(qv::ui::makeBuddyLabel(this, "textLabel4", tr("&Name of Location:"), locEdit),
                   locEdit);

    auto* textLabel5 =
        new QLabel(tr("Western longitudes and Southern latitudes are negative"), this);
    textLabel5->setObjectName(QStringLiteral("textLabel5"));

    auto* ddmmGroup = new QGroupBox(tr("Latitude/Longitude"), this);
    ddmmGroup->setObjectName(QStringLiteral("ddmmGroup"));
    ddmmGroup->setToolTip(tr("Switch between decimal degrees and Degrees/Minutes/Seconds"));
    ddmmGroup->setWhatsThis(tr("This setting will also be used for the display of geographic "
                               "coordinates on the world map."));
    decButton = new QRadioButton(tr("Decimal Degrees"), ddmmGroup);
    decButton->setObjectName(QStringLiteral("decButton"));
    decButton->setChecked(true);
    ddmmButton = new QRadioButton(tr("Degrees in DD.MMSS"), ddmmGroup);
    ddmmButton->setObjectName(QStringLiteral("ddmmButton"));
    auto* groupLayout = new QVBoxLayout(ddmmGroup);
    groupLayout->addWidget(decButton);
    groupLayout->addWidget(ddmmButton);
    connect(decButton, &QRadioButton::clicked, this, &QvObsDialog::setDec);
    connect(ddmmButton, &QRadioButton::clicked, this, &QvObsDialog::setDdmm);

    auto* okButton = qv::ui::makeButton(this, "okButton", tr("&OK"), QKeySequence(tr("Alt+O")));
    auto* cancelButton =
        qv::ui::makeButton(this, "cancelButton", tr("&Cancel"), QKeySequence(tr("Alt+C")));
    connect(okButton, &QPushButton::clicked, this, &QvObsDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QvObsDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(textLabel5);
    layout->addWidget(ddmmGroup);
    layout->addStretch();
    qv::ui::addButtonRow(layout, {okButton, cancelButton});
}

void QvObsDialog::setInput(const qv::Observer& observer, bool dmsAngles)
{
    anglesShownAsDdmm = dmsAngles;
    latEdit->setText(angleText(observer.latitudeDeg));
    lngEdit->setText(angleText(observer.longitudeDeg));
    heightEdit->setText(qv::ui::realText(observer.heightM));
    locEdit->setText(QString::fromStdString(observer.name));
    ddmmButton->setChecked(dmsAngles);
    decButton->setChecked(!dmsAngles);
}

ObserverInput QvObsDialog::input() const
{
    return {angleDeg(latEdit), angleDeg(lngEdit), qv::ui::realValue(heightEdit->text()),
            locEdit->text(),   ddmmButton->isChecked(), pickedZone};
}

QString QvObsDialog::angleText(double degrees) const
{
    return anglesShownAsDdmm ? ddmmssText(qv::decimalToDdmmss(degrees)) : qv::ui::realText(degrees);
}

void QvObsDialog::searchPlaces(const QString& text)
{
    offeredPlaces.clear();
    if (!text.isEmpty())
        offeredPlaces = qv::findPlaces(text.toUtf8().toStdString(), kPlacesOffered);
    else if (const qv::Place* systemPlace = qv::principalCityOfZone(qv::systemTimeZoneName()))
        offeredPlaces.push_back(systemPlace);
    QStringList choices;
    for (const qv::Place* place : offeredPlaces)
        choices.append(QString::fromStdString(qv::placeDisplayName(*place)));
    placeChoices->setStringList(choices);
    if (!choices.isEmpty())
        placeCompleter->complete();
}

void QvObsDialog::showEvent(QShowEvent* event)
{
    QvCheckedDialog::showEvent(event);
    // Queued, so that the popup opens under the search field once it is placed on the screen.
    QTimer::singleShot(0, this, [this] {
        if (placeEdit->text().isEmpty())
            searchPlaces(QString());
    });
}

void QvObsDialog::pickPlace(const QString& choice)
{
    const int index = placeChoices->stringList().indexOf(choice);
    if (index < 0)
        return;
    const qv::Place& place = *offeredPlaces[static_cast<std::size_t>(index)];
    latEdit->setText(angleText(place.latitudeDeg));
    lngEdit->setText(angleText(place.longitudeDeg));
    heightEdit->setText(qv::ui::realText(place.heightM));
    const QString name = QString::fromUtf8(place.name.data(), static_cast<qsizetype>(place.name.size()));
    locEdit->setText(keptLocationName(name));
    qv::TimeZone zone;
    const std::string zoneName(place.zone);
    pickedZone.reset();
    if (qv::findTimeZone(zoneName.c_str(), zone))
        pickedZone = zone;
}

void QvObsDialog::setDec()
{
    if (decButton->isChecked())
        showAnglesAs(false);
}

void QvObsDialog::setDdmm()
{
    if (ddmmButton->isChecked())
        showAnglesAs(true);
}

void QvObsDialog::showAnglesAs(bool ddmm)
{
    // A click on the format already shown must not convert the angles a second time.
    if (ddmm == anglesShownAsDdmm)
        return;
    for (QLineEdit* edit : {latEdit, lngEdit}) {
        const std::optional<double> value = qv::ui::typedReal(edit->text());
        // A value the conversions cannot take stays as typed, for OK to report.
        if (!value || !qv::checkLongitude(*value).empty() ||
            (!ddmm && !qv::checkDdmmssParts(*value, "").empty()))
            continue;
        edit->setText(ddmm ? ddmmssText(qv::decimalToDdmmss(*value))
                           : qv::ui::realText(qv::ddmmssToDecimal(*value)));
    }
    anglesShownAsDdmm = ddmm;
}

double QvObsDialog::angleDeg(const QLineEdit* edit) const
{
    const double value = qv::ui::realValue(edit->text());
    return anglesShownAsDdmm ? qv::ddmmssToDecimal(value) : value;
}

QvCheckedDialog::FieldError QvObsDialog::angleError(QLineEdit* edit, const char* what,
                                                    std::string (*check)(double)) const
{
    FieldError error = realFieldError(edit, what, check);
    if (error.message.isEmpty() && anglesShownAsDdmm)
        error = fieldError(qv::checkDdmmssParts(qv::ui::realValue(edit->text()), what), edit);
    if (error.message.isEmpty())
        error = fieldError(check(angleDeg(edit)), edit);
    return error;
}

QvCheckedDialog::FieldError QvObsDialog::firstFieldError() const
{
    FieldError error = angleError(latEdit, "Latitude", qv::checkLatitude);
    if (error.message.isEmpty())
        error = angleError(lngEdit, "Longitude", qv::checkLongitude);
    if (error.message.isEmpty())
        error = realFieldError(heightEdit, "Height", qv::checkHeight);
    return error;
}
