// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/StatusPanes.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStatusBar>

#include "core/device/DeviceMode.h"
#include "core/host/Cp1250.h"

namespace orvane::app::shell {

StatusPanes::StatusPanes(QStatusBar* bar) : QObject(bar) {
    overwrite_ = new QLabel(QStringLiteral("ZAS"), bar);
    overwrite_->setObjectName(QStringLiteral("overwritePane"));
    overwrite_->setToolTip(QStringLiteral("Tryb zastępowania (Insert)"));
    overwrite_->setAlignment(Qt::AlignCenter);
    overwrite_->setMinimumWidth(overwrite_->fontMetrics().horizontalAdvance(QStringLiteral("ZAS")) + 12);
    overwrite_->setEnabled(false);

    auto* spacer = new QLabel(bar);
    spacer->setFixedWidth(20);
    spacer->setFrameShape(QFrame::NoFrame);

    mode_ = new QLabel(bar);
    mode_->setObjectName(QStringLiteral("modePane"));
    mode_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    mode_->setMinimumWidth(mode_->fontMetrics().horizontalAdvance(QStringLiteral(" Tryb: BootLoader ")) + 12);

    bar->addPermanentWidget(overwrite_);
    bar->addPermanentWidget(spacer);
    bar->addPermanentWidget(mode_);
    // Unknown until the controller first answers: a port that does not open leaves it so.
    SetMode(QString::fromStdString(orvane::host::Cp1250ToUtf8(orvane::device::ModeName(orvane::device::DeviceMode::Unknown))));
}

void StatusPanes::SetMode(const QString& mode) { mode_->setText(QStringLiteral(" Tryb: ") + mode); }

QString StatusPanes::ModeText() const { return mode_->text(); }

void StatusPanes::SetOverwrite(bool overwrite) {
    // A disabled label is drawn grey: the indicator stays in place, lit only while it applies.
    overwrite_->setEnabled(overwrite);
}

}  // namespace orvane::app::shell
