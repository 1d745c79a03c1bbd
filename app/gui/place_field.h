// SPDX-License-Identifier: GPL-3.0-or-later
// A field in which the user types a place's name and picks it from the gazetteer's places that
// begin so (names in the window's language first; country and region tell places of one name
// apart), or types its coordinates in any common form ("36.36N 43.15E", "43.15, 36.36").
// Choosing one, by the list or by Return, sends it; coordinates are read back to the user.
#pragma once

#include "app_state.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QStringListModel>

#include <functional>
#include <vector>

namespace vesk {

class PlaceField : public QLineEdit {
    Q_OBJECT
  public:
    explicit PlaceField(AppState& state, QWidget* parent = nullptr);

    std::function<void(const GazetteerPlace& place)> placeChosen;
    std::function<void(double lon, double lat)> coordinatesChosen;
    // What to tell the user: how coordinates were read, or why a name means no place or several.
    std::function<void(const QString& message)> tell;
    // Shows the place of the screen, unless the user is typing in the field.
    void showPlace(const QString& name);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    // A click into the field selects the place shown, so that typing replaces it.
    void focusInEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // The places beginning with the text, into the completion list.
    void offer(const QString& text);
    // The place of a label of the list, or of a name.
    void choose(const QString& text);
    void accept(const GazetteerPlace& place);
    void say(const QString& message);

    AppState& state;
    QStringListModel* labels;
    std::vector<std::uint32_t> offered; // the places of the labels, in order
    QString chosenLabel;                // the label of the place chosen last
    bool selectOnRelease = false;       // focus came by a click, which is not over yet
};

// The most places the completion list offers.
constexpr std::size_t offeredPlaces = 12;

} // namespace vesk
