// SPDX-License-Identifier: GPL-3.0-or-later
#include "time_slider.h"

#include "explained.h"
#include "timescales.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <utility>

namespace vesk {

namespace {

// The slider's step: a second of the eclipse; the keys' steps: 10 s and a minute.
constexpr int arrowSeconds = 10, pageSeconds = 60;
// The player's tick, milliseconds, and the rates in minutes of the eclipse per second.
constexpr int tickMs = 100;
constexpr int playRates[] = {1, 10, 60};

QString clockText(double hours) {
    return QString::fromStdString(hmsOfHours(hours)) + QStringLiteral(" UT");
}

} // namespace

TimeSlider::TimeSlider(QWidget* parent) : QWidget(parent) {
    slider = explained(new QSlider(Qt::Horizontal),
                       tr("The instant of the shadow drawn over the map and of the screens of the "
                          "place, from the first contact to the last: the arrow keys step ten "
                          "seconds, Shift with an arrow a minute, End goes to the last contact. "
                          "Page Up and Down still change the eclipse, Home still shows the whole "
                          "globe."));
    slider->installEventFilter(this); // its keys before the window's shortcuts
    slider->setSingleStep(arrowSeconds);
    slider->setPageStep(pageSeconds);
    timeLabel = new QLabel;
    playButton = explained(new QPushButton(tr("Play")),
                           tr("Moves the shadow through the eclipse at the rate chosen beside."));
    playButton->setCheckable(true);
    rateList = explained(new QComboBox,
                         tr("How many minutes of the eclipse pass in a second of playing."));
    for (const int rate : playRates)
        rateList->addItem(tr("%1 min/s").arg(rate));
    player = new QTimer(this);
    player->setInterval(tickMs);
    player->setSingleShot(true); // started again when the step's picture is shown
    auto* row = new QHBoxLayout(this);
    row->addWidget(playButton);
    row->addWidget(rateList);
    row->addWidget(slider, 1);
    row->addWidget(timeLabel);
    connect(slider, &QSlider::valueChanged, this, [this] {
        playedValue.reset(); // the user's instant takes the place of play's
        showValue();
        if (instantChanged)
            instantChanged(utHours());
    });
    connect(playButton, &QPushButton::toggled, this, [this](bool on) {
        playButton->setText(on ? tr("Pause") : tr("Play"));
        on ? player->start() : player->stop();
    });
    connect(player, &QTimer::timeout, this, [this] { step(); });
}

bool TimeSlider::eventFilter(QObject* watched, QEvent* event) {
    // The arrows are also the window's panning: on the slider they move it, as its explanation
    // says (Shift with one a minute); Page Up and Down, and Home, stay the window's.
    constexpr int sliderKeys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down};
    if (watched != slider ||
        (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress))
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (std::ranges::find(sliderKeys, key->key()) == std::end(sliderKeys))
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return false;
    }
    if (!(key->modifiers() & Qt::ShiftModifier))
        return false; // the slider's own step
    const bool back = key->key() == Qt::Key_Left || key->key() == Qt::Key_Down;
    slider->setValue(slider->value() + (back ? -pageSeconds : pageSeconds));
    return true;
}

void TimeSlider::setSpan(double firstUtHours, double lastUtHours) {
    const double kept = utHours();
    const bool inside = kept >= firstUtHours && kept <= lastUtHours;
    first = firstUtHours;
    const QSignalBlocker quiet(slider);
    slider->setRange(0, static_cast<int>(std::lround((lastUtHours - firstUtHours) * 3600)));
    slider->setValue(inside ? static_cast<int>(std::lround((kept - first) * 3600)) : 0);
    showValue();
}

double TimeSlider::utHours() const {
    return first + slider->value() / 3600.0;
}

void TimeSlider::setUtHours(double hours) {
    slider->setValue(static_cast<int>(std::lround((hours - first) * 3600)));
}

void TimeSlider::showValue() {
    timeLabel->setText(clockText(utHours()));
}

void TimeSlider::pictureShown() {
    if (playedValue) {
        const QSignalBlocker quiet(slider);
        slider->setValue(*std::exchange(playedValue, std::nullopt));
        showValue();
    }
    if (playButton->isChecked() && !player->isActive())
        player->start();
}

void TimeSlider::step() {
    const int seconds = playRates[std::max(0, rateList->currentIndex())] * 60 * tickMs / 1000;
    if (slider->value() >= slider->maximum()) {
        playButton->setChecked(false);
        return;
    }
    playedValue = std::min(slider->maximum(), slider->value() + seconds);
    if (instantChanged)
        instantChanged(first + *playedValue / 3600.0);
}

} // namespace vesk
