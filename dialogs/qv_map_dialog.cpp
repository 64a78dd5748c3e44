#include "dialogs/qv_map_dialog.h"

#include "config/input_limits.h"
#include "dialogs/dialog_form.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QRadioButton* makeRadio(QWidget* parent, const char* objectName, const QString& text)
{
    auto* button = new QRadioButton(text, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    parent->layout()->addWidget(button);
    return button;
}

}  // namespace

QvMapDialog::QvMapDialog(QWidget* parent)
    : QvCheckedDialog(parent)
{
    setObjectName(QStringLiteral("QvMapDialog"));
    setWindowTitle(tr("Eclipse Display Settings"));

    auto* buttonGroup1 = new QGroupBox(tr("Coor&dinates"), this);
    buttonGroup1->setObjectName(QStringLiteral("buttonGroup1"));
    new QVBoxLayout(buttonGroup1);
    QRadioButton* g00Button = makeRadio(buttonGroup1, "g00Button", tr("&no grid"));
    QRadioButton* g10Button = makeRadio(buttonGroup1, "g10Button", tr("&10° grid"));
    QRadioButton* g30Button = makeRadio(buttonGroup1, "g30Button", tr("&30° grid"));
    g00Button->setShortcut(QKeySequence(tr("Alt+N")));
    g10Button->setShortcut(QKeySequence(tr("Alt+1")));
    g30Button->setShortcut(QKeySequence(tr("Alt+3")));
    gridButtons = {g00Button, g30Button, g10Button};

    stepBox = new QSpinBox(this);
    stepBox->setObjectName(QStringLiteral("stepBox"));
    stepBox->setRange(1, 60);
    auto* stepRow = new QFormLayout;
    stepRow->addRow(qv::ui::makeBuddyLabel(this, "textLabel1", tr("&Step size in min:"), stepBox),
                    stepBox);

    greyBox = new QCheckBox(tr("&Grey background"), this);
    greyBox->setObjectName(QStringLiteral("greyBox"));
    greyBox->setShortcut(QKeySequence(tr("Alt+G")));

    bordersBox = new QCheckBox(tr("&Borders"), this);
    bordersBox->setObjectName(QStringLiteral("bordersBox"));
    bordersBox->setShortcut(QKeySequence(tr("Alt+B")));
    bordersBox->setToolTip(tr("Draw the borders between countries on the maps."));

    auto* groupBox2 = new QGroupBox(tr("&Map Projection"), this);
    groupBox2->setObjectName(QStringLiteral("groupBox2"));
    groupBox2->setToolTip(tr("Select Map Projection"));
    groupBox2->setStatusTip(tr("selects between different map projections"));
    groupBox2->setWhatsThis(tr("Maps can be projected as a standard world map, a physical world "
                               "map, or stereographic projections of the Northern or Southern "
                               "Hemisphere."));
    new QVBoxLayout(groupBox2);
    projectionButtons = {makeRadio(groupBox2, "p0Button", tr("S&imple World Map")),
                         makeRadio(groupBox2, "p1Button", tr("&Northern Hemisphere")),
                         makeRadio(groupBox2, "p2Button", tr("So&uthern Hemisphere")),
                         makeRadio(groupBox2, "p3Button", tr("Ph&ysical World Map"))};

    meridianEdit = new QLineEdit(this);
    meridianEdit->setObjectName(QStringLiteral("meridianEdit"));
    meridianEdit->setToolTip(tr("Central meridian of the groundtrack map."));
    meridianEdit->setWhatsThis(tr("This is the meridian in the middle of the groundtrack map."));
    QLabel* label2 =
        qv::ui::makeBuddyLabel(this, "label2", tr("C&entral Meridian (deg)"), meridianEdit);
    label2->setToolTip(tr("Central meridian of groundtrack map."));
    label2->setWhatsThis(tr("For the world map this is the meridian which will be in the center "
                            "of the map. For the stereographic projections this will be the "
                            "meridian from the center to the upper side. "));
    auto* meridianRow = new QFormLayout;
    meridianRow->addRow(label2, meridianEdit);

    auto* okButton = qv::ui::makeButton(this, "okButton", tr("&OK"), QKeySequence(tr("Alt+O")));
    auto* cancelButton =
        qv::ui::makeButton(this, "cancelButton", tr("&Cancel"), QKeySequence(tr("Alt+C")));
    connect(okButton, &QPushButton::clicked, this, &QvMapDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QvMapDialog::reject);

    auto* layout = new QVBoxLayout(this);
    auto* groups = new QHBoxLayout;
    groups->addWidget(buttonGroup1);
    groups->addWidget(groupBox2);
    layout->addLayout(groups);
    layout->addLayout(stepRow);
    layout->addWidget(greyBox);
    layout->addWidget(bordersBox);
    layout->addLayout(meridianRow);
    layout->addStretch();
    qv::ui::addButtonRow(layout, {okButton, cancelButton});
}

void QvMapDialog::setInput(const qv::DisplaySettings& display)
{
    qv::ui::checkOnly(gridButtons, static_cast<int>(display.mapGrid));
    greyBox->setChecked(display.mapGrey);
    bordersBox->setChecked(display.mapBorders);
    stepBox->setValue(display.mapStepMinutes);
    qv::ui::checkOnly(projectionButtons, static_cast<int>(display.mapProjection));
    meridianEdit->setText(qv::ui::realText(display.centralMeridianDeg));
}

qv::DisplaySettings QvMapDialog::input(qv::DisplaySettings display) const
{
    display.mapGrid = static_cast<qv::MapGrid>(qMax(qv::ui::checkedIndex(gridButtons), 0));
    display.mapGrey = greyBox->isChecked();
    display.mapBorders = bordersBox->isChecked();
    display.mapStepMinutes = stepBox->value();
    display.mapProjection = static_cast<qv::MapProjection>(qMax(qv::ui::checkedIndex(projectionButtons), 0));
    display.centralMeridianDeg = qv::ui::realValue(meridianEdit->text());
    return display;
}

QvCheckedDialog::FieldError QvMapDialog::firstFieldError() const
{
    return realFieldError(meridianEdit, "Central meridian", qv::checkCentralMeridian);
}
