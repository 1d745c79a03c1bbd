// SPDX-License-Identifier: GPL-3.0-or-later
// The time slider under the map: from the first to the last contact of the eclipse shown, in
// seconds; the arrow keys move it by 10 s, Page Up/Down by a minute, and play runs it at 1, 10
// or 60 minutes of the eclipse per second. Each position asks for the shadow at that instant.
#pragma once

#include <QCoreApplication>
#include <QWidget>

#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QTimer;

namespace vesk {

class TimeSlider : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(TimeSlider)

  public:
    explicit TimeSlider(QWidget* parent = nullptr);
    // The span of the eclipse shown, hours of UT on its day; the slider keeps its instant when
    // it lies inside the new span, else starts at the first contact.
    void setSpan(double firstUtHours, double lastUtHours);
    // The instant shown, hours of UT.
    double utHours() const;
    void setUtHours(double hours);
    // Told of each new instant.
    std::function<void(double utHours)> instantChanged;

    QSlider* slider;
    QPushButton* playButton;
    QComboBox* rateList;

  private:
    void step();
    double first = 0;
    QLabel* timeLabel;
    QTimer* player;
};

} // namespace vesk
