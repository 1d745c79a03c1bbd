// SPDX-License-Identifier: GPL-3.0-or-later
// The time slider under the map: from the first to the last contact of the eclipse shown, in
// seconds; the arrow keys move it by 10 s, Page Up/Down by a minute, and play runs it at 1, 10
// or 60 minutes of the eclipse per second (slower where a picture takes longer than a tick to
// draw: each step waits for its picture). Each position asks for the shadow at that instant.
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
    Q_OBJECT

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
    // To be told when a new picture is shown. Play asks for each step's instant first and moves
    // the slider there when its picture is shown (so that the slider reads the instant the map
    // shows), then takes the next step a tick later.
    void pictureShown();

    QSlider* slider;
    QPushButton* playButton;
    QComboBox* rateList;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void step();
    void showValue();
    double first = 0;
    std::optional<int> playedValue; // the step asked for, until its picture is shown
    QLabel* timeLabel;
    QTimer* player;
};

} // namespace vesk
